#!/usr/bin/env bash
# Installs every Debian package Kestrin needs to build, test, benchmark and fuzz.
# Idempotent: packages already present are not asked for again, and the package
# lists are refreshed at most once per run.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    libssl-dev nlohmann-json3-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang-14 libclang-rt-14-dev
    python3 ca-certificates
    qt6-base-dev libqt6network6 libgl-dev qt6-translations-l10n
    dovecot-pop3d python3-aiosmtpd openssl curl
    xvfb xauth xdg-utils
    python3-vobject bogofilter
)
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    # dovecot is only a test peer, started by the tests on loopback: keep the
    # package scripts from starting the system service on every interface.
    policy=/usr/sbin/policy-rc.d
    added_policy=0
    if [ ! -e "$policy" ]; then
        printf '#!/bin/sh\nexit 101\n' | "${sudo_cmd[@]}" tee "$policy" >/dev/null
        "${sudo_cmd[@]}" chmod +x "$policy"
        added_policy=1
    fi
    "${sudo_cmd[@]}" apt-get update -q
    "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
    [ "$added_policy" = 0 ] || "${sudo_cmd[@]}" rm -f "$policy"
fi
