# Sourced by the POP3 benchmarks: a dovecot on a free loopback port serving one
# Maildir user "bench" (password "secret") filled with corpus messages.
# Needs root (the Maildir must belong to uid 65534, which dovecot serves).
# Sets bench_dir, bench_port, bench_box; call bench_dovecot_stop at exit.

bench_dovecot_start() {
    bench_dir=$(mktemp -d)
    chmod 755 "$bench_dir"
    bench_port=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    bench_box="$bench_dir/mail/bench/Maildir"
    mkdir -p "$bench_box/cur" "$bench_box/new" "$bench_box/tmp" "$bench_dir/run" "$bench_dir/state"
    chown -R 65534:65534 "$bench_dir/mail"
    echo 'bench:{PLAIN}secret' > "$bench_dir/users"
    cat > "$bench_dir/dovecot.conf" <<CONF
protocols = pop3
listen = 127.0.0.1
base_dir = $bench_dir/run
state_dir = $bench_dir/state
log_path = $bench_dir/dovecot.log
ssl = no
disable_plaintext_auth = no
auth_mechanisms = plain login
mail_location = maildir:$bench_dir/mail/%u/Maildir
pop3_uidl_format = %g
first_valid_uid = 1
passdb {
  driver = passwd-file
  args = scheme=PLAIN username_format=%u $bench_dir/users
}
userdb {
  driver = static
  args = uid=65534 gid=65534 home=$bench_dir/mail/%u
}
service pop3-login {
  inet_listener pop3 {
    address = 127.0.0.1
    port = $bench_port
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
    /usr/sbin/dovecot -F -c "$bench_dir/dovecot.conf" &
    bench_dovecot_pid=$!
    for _ in $(seq 100); do
        (exec 3<>"/dev/tcp/127.0.0.1/$bench_port") 2>/dev/null && break
        sleep 0.1
    done
}

bench_dovecot_stop() {
    if [ -n "${bench_dovecot_pid:-}" ]; then
        kill "$bench_dovecot_pid" 2>/dev/null && wait "$bench_dovecot_pid" 2>/dev/null || true
    fi
    [ -n "${bench_dir:-}" ] && rm -rf "$bench_dir"
}

# bench_mailbox_fill FOLDER COUNT: the mailbox holds exactly the first COUNT
# messages of the corpus folder, in name order (whatever it held before is gone).
bench_mailbox_fill() {
    find "$bench_box/cur" "$bench_box/new" -type f -delete
    local i=0 file
    for file in $(ls "$1"/*.txt | sort | head -n "$2"); do
        i=$((i + 1))
        cp "$file" "$bench_box/cur/$(printf '%010d' $((1000000000 + i))).M${i}P1.bench:2,"
    done
    chown -R 65534:65534 "$bench_box"
}
