#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer + UBSan) and runs each
# briefly, so a target that stops compiling or crashes at once is caught by CI.
# Long runs: scripts/fuzz-run.sh TARGET SECONDS.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KESTRIN_FUZZ_BUILD_DIR:-$root/build-fuzz}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKESTRIN_FUZZ=ON -DKESTRIN_TESTS=OFF -DKESTRIN_BENCH=OFF >/dev/null
cmake --build "$build" -j 2
for target in "$build"/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    seeds="$root/tests/data/${name/fuzz_/fuzz-}"
    mkdir -p "$build/corpus-$name"
    args=("$build/corpus-$name")
    [ -d "$seeds" ] && args+=("$seeds")
    echo "fuzz smoke: $name"
    "$target" -max_total_time=15 -max_len=16384 -print_final_stats=0 "${args[@]}" 2>"$build/$name.log" ||
        { tail -n 40 "$build/$name.log"; exit 1; }
done
