#!/usr/bin/env bash
# Runs the Windows x86_64 tests under Wine in the build's own prefix. Run it with a display
# (test.sh runs it inside xvfb-run); extra arguments go to ctest.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
wine_env_start "$(pwd)/build/windows-x64/wineprefix"
trap wine_env_stop EXIT
ctest --preset windows-x64 -j "$(nproc)" "$@"
