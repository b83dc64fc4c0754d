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
# Measured as shipped: without debug information, which the release build strips too (under
# Wine a 9 MB program with it starts some 50 ms later). Extra arguments go to the benchmark.
bin="$root/build/bench/bin"
mkdir -p "$bin"
for program in setup startup_bench; do
  x86_64-w64-mingw32-strip -o "$bin/$program.exe" "$root/build/windows-x64/bin/$program.exe"
done
wine "$bin/startup_bench.exe" "$(winepath -w "$bin/setup.exe")" "$(winepath -w "$root/samples/scrivex")" "$@"
