#!/usr/bin/env bash
# Builds Kestrin and runs every test: a short smoke run of each fuzz target over its
# kept inputs, the threads test under ThreadSanitizer, then the whole CTest suite
# (which uses the real mail corpus).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KESTRIN_BUILD_DIR:-$root/build}"
bash "$root/scripts/build.sh"
bash "$root/scripts/fetch-corpus.sh"
bash "$root/scripts/fuzz-smoke.sh"
bash "$root/scripts/tsan-check.sh"
cd "$build"
ctest --output-on-failure -j 2
