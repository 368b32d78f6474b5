#!/usr/bin/env bash
# Installs what Kestrin needs, builds it and starts the tray program `kestrin`
# on a program folder inside the build tree (build/home, or
# $KESTRIN_BUILD_DIR/home). Without a display it runs under Xvfb. Extra
# arguments go to kestrin.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KESTRIN_BUILD_DIR:-$root/build}"
bash "$root/scripts/build.sh"
home="$build/home"
mkdir -p "$home"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$build/bin/kestrin" --home "$home" "$@"
fi
echo "No display: starting kestrin under Xvfb (stop it with Ctrl+C)." >&2
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/kestrin" --home "$home" "$@"
