#!/usr/bin/env bash
# Fetch throughput of our POP3 client against a local dovecot holding the first
# 2000 easy-ham-1 messages, next to Python's poplib and curl doing the same
# work in the same run: STAT, then LIST n and RETR n for every message, QUIT.
# Needs root (the Maildir must belong to uid 65534, which dovecot serves).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KESTRIN_BUILD_DIR:-$root/build}"
corpus="${KESTRIN_CORPUS_DIR:-$root/corpus-cache/data}/easy-ham-1"
count="${POP3_BENCH_MESSAGES:-2000}"
[ -d "$corpus" ] || bash "$root/scripts/fetch-corpus.sh"
cmake --build "$build" -j 1 --target pop3_fetch

dir=$(mktemp -d)
chmod 755 "$dir"
port=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
dovecot_pid=
cleanup() {
    [ -n "$dovecot_pid" ] && kill "$dovecot_pid" 2>/dev/null && wait "$dovecot_pid" 2>/dev/null || true
    rm -rf "$dir"
}
trap cleanup EXIT

box="$dir/mail/bench/Maildir"
mkdir -p "$box/cur" "$box/new" "$box/tmp" "$dir/run" "$dir/state"
i=0
for file in $(ls "$corpus"/*.txt | sort | head -n "$count"); do
    i=$((i + 1))
    cp "$file" "$box/cur/$(printf '%010d' $((1000000000 + i))).M${i}P1.bench:2,"
done
chown -R 65534:65534 "$dir/mail"
echo 'bench:{PLAIN}secret' > "$dir/users"
cat > "$dir/dovecot.conf" <<CONF
protocols = pop3
listen = 127.0.0.1
base_dir = $dir/run
state_dir = $dir/state
log_path = $dir/dovecot.log
ssl = no
disable_plaintext_auth = no
auth_mechanisms = plain login
mail_location = maildir:$dir/mail/%u/Maildir
pop3_uidl_format = %g
first_valid_uid = 1
passdb {
  driver = passwd-file
  args = scheme=PLAIN username_format=%u $dir/users
}
userdb {
  driver = static
  args = uid=65534 gid=65534 home=$dir/mail/%u
}
service pop3-login {
  inet_listener pop3 {
    address = 127.0.0.1
    port = $port
  }
  inet_listener pop3s {
    port = 0
  }
  chroot =
}
service imap-login {
  inet_listener imap {
    port = 0
  }
  inet_listener imaps {
    port = 0
  }
}
service anvil {
  chroot =
}
CONF
/usr/sbin/dovecot -F -c "$dir/dovecot.conf" &
dovecot_pid=$!
for _ in $(seq 100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
    sleep 0.1
done

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
