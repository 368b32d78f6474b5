#!/usr/bin/env bash
# Runs one fuzz target for a given number of seconds: scripts/fuzz-run.sh fuzz_message 600
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KESTRIN_FUZZ_BUILD_DIR:-$root/build-fuzz}"
name="$1"
seconds="${2:-600}"
seeds="$root/tests/data/${name/fuzz_/fuzz-}"
mkdir -p "$build/corpus-$name"
args=("$build/corpus-$name")
[ -d "$seeds" ] && args+=("$seeds")
"$build/fuzz/$name" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 "${args[@]}"
