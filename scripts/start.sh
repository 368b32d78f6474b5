#!/usr/bin/env bash
# Builds Kestrin and shows what it does so far: the parsed form of a sample message.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh"
"${KESTRIN_BUILD_DIR:-$root/build}/src/cli/kestrin-cli" parse "$root/tests/data/sample-pl.eml"
