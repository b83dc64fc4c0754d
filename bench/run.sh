#!/usr/bin/env bash
# Builds setup.exe and the benchmark, then runs it under Wine in a prefix of its own.
#   bench/run.sh [runs] [N ...]   (the windowed figures use the sample product's theme)
#   bench/run.sh --log [runs] [N ...]   (the cost of /LOG=<file>: /S /LOG against /S)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/deps.sh
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 -j "$(nproc)" --target setup removal_bench
source scripts/wine-env.sh
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
wine_env_start "$root/build/bench/wineprefix"
trap wine_env_stop EXIT
# Xvfb has no window manager, and Wine waits 2 seconds for one to withdraw each window it
# manages when the window is hidden or destroyed: the end of every windowed run would carry
# those 2 seconds, which belong to this machine and not to setup. Unmanaged windows end at once.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
bin="$root/build/windows-x64/bin"
if [ "${1:-}" = "--log" ]; then
  wine "$bin/removal_bench.exe" "$(winepath -w "$bin/setup.exe")" "$@"
else
  wine "$bin/removal_bench.exe" "$(winepath -w "$bin/setup.exe")" "$(winepath -w "$root/samples/scrivex")" "$@"
fi
