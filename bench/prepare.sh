# Sourced by the benchmark scripts, with bench_targets naming what to build: builds it, re-runs
# the calling script inside Xvfb when there is no display (with its own arguments), and starts the
# benchmarks' own Wine prefix with unmanaged windows. Sets root.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/deps.sh
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 -j "$(nproc)" --target $bench_targets
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
