#!/usr/bin/env bash
# Fetch throughput of our POP3 client against a local dovecot holding the first
# 2000 easy-ham-1 messages, next to Python's poplib and curl doing the same
# work in the same run: STAT, then LIST n and RETR n for every message, QUIT.
# Needs root (see bench/dovecot_mailbox.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KESTRIN_BUILD_DIR:-$root/build}"
corpus="${KESTRIN_CORPUS_DIR:-$root/corpus-cache/data}/easy-ham-1"
count="${POP3_BENCH_MESSAGES:-2000}"
[ -d "$corpus" ] || bash "$root/scripts/fetch-corpus.sh"
cmake --build "$build" -j 1 --target pop3_fetch

source "$root/bench/dovecot_mailbox.sh"
trap bench_dovecot_stop EXIT
bench_dovecot_start
bench_mailbox_fill "$corpus" "$count"
port=$bench_port

report() { # name messages bytes seconds
    awk -v name="$1" -v m="$2" -v b="$3" -v s="$4" \
        'BEGIN { printf "%-16s %5d messages %8.2f MB %7.3f s %9.1f messages/s %7.2f MB/s\n", name, m, b / 1e6, s, m / s, b / 1e6 / s }'
}

# dovecot builds its index on the first session; keep that out of every measurement.
"$build/bench/pop3_fetch" 127.0.0.1 "$port" bench secret > /dev/null

read -r m b s < <("$build/bench/pop3_fetch" 127.0.0.1 "$port" bench secret)
report "kestrin TIdPOP3" "$m" "$b" "$s"

read -r m b s < <(/usr/bin/python3 - "$port" <<'PY'
import poplib, sys, time
start = time.monotonic()
pop = poplib.POP3("127.0.0.1", int(sys.argv[1]), timeout=10)
pop.user("bench")
pop.pass_("secret")
count = pop.stat()[0]
total = 0
for n in range(1, count + 1):
    total += int(pop.list(n).split()[2])
    pop.retr(n)
pop.quit()
print(count, total, time.monotonic() - start)
PY
)
report "python poplib" "$m" "$b" "$s"

start=$(date +%s.%N)
# One invocation over all messages (URL range), so curl keeps one connection as the others do.
b=$(curl -s -S -u bench:secret "pop3://127.0.0.1:$port/[1-$m]" | wc -c)
end=$(date +%s.%N)
report "curl (one run)" "$m" "$b" "$(echo "$end - $start" | bc -l)"
