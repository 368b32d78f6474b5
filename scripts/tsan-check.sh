#!/usr/bin/env bash
# Builds the threads test with ThreadSanitizer (build-tsan, only what that test
# needs) and runs it: a check cycle on a worker thread against dovecot while the
# main thread edits records and clears the identity memories. Any report fails.
# The build has the windows switched off and also links kestrin-cli, so it
# proves that the core and the command line build without the GUI.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="${KESTRIN_TSAN_BUILD_DIR:-$root/build-tsan}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKESTRIN_TSAN=ON -DKESTRIN_GUI=OFF -DKESTRIN_BENCH=OFF >/dev/null
cmake --build "$build" -j 2 --target test_threads kestrin-cli
echo "thread sanitizer: test_threads"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" TZ=Europe/Warsaw "$build/tests/test_threads"
