#!/usr/bin/env bash
# Runs the benchmarks and the Python baseline over the same corpus messages in one go.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KESTRIN_BUILD_DIR:-$root/build}"
bash "$root/scripts/fetch-corpus.sh"
cmake --build "$build" -j 2 --target parse_bench rules_bench rule_overlaps_bench storage_bench writer_bench bayes_bench bayes_accuracy_bench classify_bench
corpus="$root/corpus-cache/data"
"$build/bench/parse_bench" --benchmark_min_time=2
"$build/bench/rules_bench" --benchmark_min_time=2
"$build/bench/rule_overlaps_bench"
"$build/bench/storage_bench"
"$build/bench/writer_bench"
"$build/bench/bayes_bench"
"$build/bench/bayes_accuracy_bench"
"$build/bench/classify_bench"
/usr/bin/python3 "$root/bench/baseline_email.py" "$corpus/easy-ham-1" "$corpus/spam-1"
# The report list's drawing while scrolling 250 lines (needs the windows built).
if cmake --build "$build" -j 2 --target report_scroll >/dev/null 2>&1; then
    "$build/bench/report_scroll"
fi
