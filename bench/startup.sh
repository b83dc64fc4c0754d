#!/usr/bin/env bash
# Builds setup.exe and the start-up benchmark, then runs it under Wine in the benchmark's prefix.
#   bench/startup.sh [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/deps.sh
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 -j "$(nproc)" --target setup startup_bench
source scripts/wine-env.sh
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
wine_env_start "$root/build/bench/wineprefix"
trap wine_env_stop EXIT
# Unmanaged windows, as for the removal benchmark: Wine would otherwise wait for a window
# manager at the end of every run.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
bin="$root/build/windows-x64/bin"
wine "$bin/startup_bench.exe" "$(winepath -w "$bin/setup.exe")" "$(winepath -w "$root/samples/scrivex")" "$@"
