#!/usr/bin/env bash
# Installs what is missing, configures, builds and runs every test.
#   ./test.sh                  the normal build in build/
#   TINT_SANITIZE=1 ./test.sh  AddressSanitizer + UBSan build in build-asan/
#   ./test.sh -R Store         extra arguments go to ctest
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/install-deps

if [ "${TINT_SANITIZE:-0}" = 1 ]; then
  build=${TINT_BUILD_DIR:-build-asan}
  extra=(-DTINT_SANITIZE=ON)
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
  export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/support/lsan.supp:print_suppressions=0}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
else
  build=${TINT_BUILD_DIR:-build}
  extra=()
fi

cmake -S . -B "$build" -G Ninja "${extra[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# The tools the tests start (python3, snmpd, cupsd, ...) are the Debian ones
# that install-deps installs. A version manager's shim found first on PATH
# costs seconds per start on a busy machine, enough to run a test that starts
# a dozen agents past its time limit.
export PATH=/usr/sbin:/usr/bin:$PATH
cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"
