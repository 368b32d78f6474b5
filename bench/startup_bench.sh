#!/usr/bin/env bash
# Time from process start to the idle tray state of `kestrin` on the largest
# legal program folder: 100 accounts on a refusing loopback port (each tried
# and then skipped), 1000 rules, 1000 friends, 800 Bayes words, 250 report
# lines. Runs on the offscreen platform; RUNS times, each on a fresh folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KESTRIN_BUILD_DIR:-$root/build}"
runs="${RUNS:-5}"
cmake --build "$build" -j 2 --target kestrin large_folder >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
port=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')

for run in $(seq 1 "$runs"); do
    home="$work/home$run"
    "$build/bench/large_folder" "$home" "$port"
    /usr/bin/python3 - "$build/bin/kestrin" "$home" <<'PY'
import os, signal, subprocess, sys, time
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", QT_LOGGING_RULES="kestrin.cycle.info=true")
start = time.monotonic()
proc = subprocess.Popen([sys.argv[1], "--home", sys.argv[2]], stderr=subprocess.PIPE, env=env, text=True)
for line in proc.stderr:
    if "cycle ended, idle" in line:
        print(f"start to idle: {(time.monotonic() - start) * 1000:.0f} ms")
        break
proc.send_signal(signal.SIGTERM)
proc.wait(timeout=10)
PY
done
