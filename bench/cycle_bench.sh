#!/usr/bin/env bash
# One check cycle (`kestrin-cli check`) over the first 2000 easy-ham-1 messages
# in a local dovecot, with 1000 rules, 1000 friends and 400 + 400 Bayes words
# (bench/cycle_setup.cpp), beside the bare fetch loop of bench/pop3_fetch (same
# client, same mailbox, no classification) and the same cycle without its
# classification work (one rule, no friends, no filter), in the same run; best
# of three each. Wall time depends much on the disk (every archive copy is
# synced), CPU time (user + system) less.
# Then the peak RSS of the cycle with 100 and with 2000 messages in the mailbox.
# Needs root (see bench/dovecot_mailbox.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KESTRIN_BUILD_DIR:-$root/build}"
corpus="${KESTRIN_CORPUS_DIR:-$root/corpus-cache/data}/easy-ham-1"
count="${CYCLE_BENCH_MESSAGES:-2000}"
runs="${CYCLE_BENCH_RUNS:-3}"
[ -d "$corpus" ] || bash "$root/scripts/fetch-corpus.sh"
cmake --build "$build" -j 2 --target pop3_fetch kestrin-cli cycle_setup

source "$root/bench/dovecot_mailbox.sh"
trap bench_dovecot_stop EXIT
bench_dovecot_start
fetch=("$build/bench/pop3_fetch" 127.0.0.1 "$bench_port" bench secret)
"$build/bench/cycle_setup" "$bench_dir/program" "$bench_port"
"$build/bench/cycle_setup" "$bench_dir/program-bare" "$bench_port" --without-classification

# measured COMMAND...: runs it with its output dropped and prints "seconds cpu_seconds peak_rss_kb"
# (wall time, user + system time, peak resident set).
measured() {
    /usr/bin/python3 - "$@" <<'PY'
import os, subprocess, sys, time
start = time.monotonic()
child = subprocess.Popen(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
_, status, usage = os.wait4(child.pid, 0)
elapsed = time.monotonic() - start
if os.waitstatus_to_exitcode(status) != 0:
    sys.exit(f"{sys.argv[1]} failed")
print(f"{elapsed:.3f} {usage.ru_utime + usage.ru_stime:.3f} {usage.ru_maxrss}")
PY
}

# The mailbox with the first n messages, indexed by dovecot (its first session
# builds the index; that is kept out of every measurement).
fill() {
    bench_mailbox_fill "$corpus" "$1"
    "${fetch[@]}" > /dev/null
}

# cycle FOLDER: one check over a fresh copy of the configured program folder,
# so no report, archive or memory is carried over from the run before.
cycle() {
    rm -rf "$bench_dir/run-program"
    cp -a "$bench_dir/$1" "$bench_dir/run-program"
    measured "$build/src/cli/kestrin-cli" check --home "$bench_dir/run-program"
}

left() { find "$bench_box/cur" "$bench_box/new" -type f | wc -l; }

# min NAME VALUE: NAME becomes VALUE when it is unset or larger.
min() { if [ -z "${!1}" ] || awk -v a="$2" -v b="${!1}" 'BEGIN { exit !(a < b) }'; then printf -v "$1" '%s' "$2"; fi; }

fetch_wall= fetch_cpu= bare_wall= bare_cpu= cycle_wall= cycle_cpu=
for run in $(seq "$runs"); do
    # The Bayes filter deletes a few messages: every run starts from the full mailbox.
    fill "$count"
    read -r wall cpu rss_fetch < <(measured "${fetch[@]}")
    min fetch_wall "$wall"
    min fetch_cpu "$cpu"
    read -r wall cpu _ < <(cycle program-bare)
    min bare_wall "$wall"
    min bare_cpu "$cpu"
    read -r wall cpu rss_cycle < <(cycle program)
    min cycle_wall "$wall"
    min cycle_cpu "$cpu"
    deleted=$((count - $(left)))
    archived=$(find "$bench_dir/run-program/archive" -type f 2>/dev/null | wc -l)
    echo "run $run: cycle $wall s wall, $cpu s CPU; $deleted deleted by the Bayes filter, $archived archived"
done
rss_2000=$rss_cycle

fill 100
read -r _ _ rss_100 < <(cycle program)

echo
awk -v fw="$fetch_wall" -v fc="$fetch_cpu" -v bw="$bare_wall" -v bc="$bare_cpu" -v cw="$cycle_wall" \
    -v cc="$cycle_cpu" -v n="$count" -v rf="$rss_fetch" 'BEGIN {
    row = "%-34s %5d messages %8.3f s wall %7.3f s CPU\n"
    printf row, "bare fetch loop (pop3_fetch)", n, fw, fc
    printf row, "cycle without classification", n, bw, bc
    printf row, "check cycle (kestrin-cli)", n, cw, cc
    printf "%-34s %8.2f x wall %6.2f x CPU\n", "cycle / bare fetch", cw / fw, cc / fc
    printf "%-34s %7.0f%% wall %6.0f%% CPU (of the bare fetch)\n", "classification adds", (cw - bw) / fw * 100, (cc - bc) / fc * 100
    printf "%-34s %.1f MB\n", "peak RSS of the bare fetch", rf / 1024
}'
awk -v a="$rss_100" -v b="$rss_2000" -v n="$count" 'BEGIN {
    printf "peak RSS of the cycle: 100 messages %.1f MB, %d messages %.1f MB\n", a / 1024, n, b / 1024
}'
