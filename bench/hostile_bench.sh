#!/usr/bin/env bash
# What hostile mail and hostile servers cost one check cycle (`kestrin-cli check`):
# wall time, CPU time and peak RSS.
# 1. A local dovecot holding 20 messages of one line of 1 MB, 10 MB and 30 MB
#    each (dovecot serves long lines unchanged), the account without size limit:
#    every message is read whole and judged; the cost should grow with the bytes.
# 2. Servers that never end an answer or trickle it (bench/hostile_pop3.py): the
#    cycle must give them up within its byte limits and MailWait (10 s here),
#    with memory bounded by the answer limits, not by the server's patience.
# Needs root (see bench/dovecot_mailbox.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KESTRIN_BUILD_DIR:-$root/build}"
cmake --build "$build" -j 2 --target kestrin-cli cycle_setup

source "$root/bench/dovecot_mailbox.sh"
hostile_pid=
stop_all() {
    [ -n "$hostile_pid" ] && kill "$hostile_pid" 2>/dev/null
    bench_dovecot_stop
}
trap stop_all EXIT
bench_dovecot_start

measured() {
    /usr/bin/python3 - "$@" <<'PY'
import os, subprocess, sys, time
start = time.monotonic()
child = subprocess.Popen(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
_, status, usage = os.wait4(child.pid, 0)
print(f"{time.monotonic() - start:.3f} {usage.ru_utime + usage.ru_stime:.3f} {usage.ru_maxrss / 1024:.1f}")
PY
}

# check PORT: one cycle on a fresh program folder, account without size limit.
check() {
    rm -rf "$bench_dir/program"
    "$build/bench/cycle_setup" "$bench_dir/program" "$1" --without-classification > /dev/null
    measured "$build/src/cli/kestrin-cli" check --home "$bench_dir/program"
}

row() { printf "%-40s %8s s wall %7s s CPU %8s MB peak RSS\n" "$1" "$2" "$3" "$4"; }

for mb in 1 10 30; do
    rm -f "$bench_box"/cur/* "$bench_box"/new/*
    for i in $(seq 20); do
        /usr/bin/python3 - "$bench_box/new/long-$mb-$i" "$mb" "$i" <<'PY'
import sys
path, mb, i = sys.argv[1], int(sys.argv[2]), sys.argv[3]
head = f"Message-ID: <long-{mb}-{i}@bench>\r\nFrom: Gazetka <gazetka@example.com>\r\nSubject: Linia {mb} MB\r\n\r\n"
word = "tresc "
with open(path, "w") as f:
    f.write(head + word * (mb * 1024 * 1024 // len(word)) + "\r\n")
PY
    done
    chown -R 65534:65534 "$bench_box"
    read -r wall cpu rss < <(check "$bench_port")
    row "20 messages of one ${mb} MB line" "$wall" "$cpu" "$rss"
done

for mode in flood-capa flood-retr lying-retr trickle-body; do
    rm -f "$bench_dir/hostile.port"
    /usr/bin/python3 "$root/bench/hostile_pop3.py" "$mode" "$bench_dir/hostile.port" &
    hostile_pid=$!
    for _ in $(seq 50); do [ -s "$bench_dir/hostile.port" ] && break; sleep 0.1; done
    read -r wall cpu rss < <(check "$(cat "$bench_dir/hostile.port")")
    row "hostile server: $mode" "$wall" "$cpu" "$rss"
    kill "$hostile_pid"
    hostile_pid=
done
