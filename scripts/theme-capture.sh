#!/usr/bin/env bash
# Regenerates the picture of the sample theme that the README shows: stages the sample theme's
# background picture where the sample product's installer puts it, captures the page with
# themeview in a fresh Wine prefix under Xvfb, and converts the capture to PNG.
#   bash scripts/theme-capture.sh [output.png]   (default: samples/scrivex/theme/preview.png)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=${1:-samples/scrivex/theme/preview.png}
source scripts/wine-env.sh
if [ -z "${DISPLAY:-}" ]; then
  bash scripts/deps.sh
  command -v /usr/bin/convert >/dev/null || apt-get install -y -q imagemagick
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

cmake --preset windows-x64 -DVT_BUILD_TESTS=OFF >/dev/null
cmake --build --preset windows-x64 -j "$(nproc)" --target themeview
bin="$root/build/windows-x64/bin"

prefix="$root/build/theme-capture/wineprefix"
wine_env_start "$prefix"
trap wine_env_stop EXIT
# Without a window manager Wine leaves the title bar to nobody; undecorated, it draws its own.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1

setup_folder="$prefix/drive_c/Program Files/Scrivex/Setup"
mkdir -p "$setup_folder"
cp samples/scrivex/theme/uninstall.bmp "$setup_folder/"
capture="$root/build/theme-capture/uninstall.bmp"
rm -f "$capture"
wine "$bin/themeview.exe" --lint "$(winepath -w "$root/samples/scrivex/theme/uninstall.lcd")"
wine "$bin/themeview.exe" --product "Scrivex 5" --capture "$(winepath -w "$capture")" \
  "$(winepath -w "$root/samples/scrivex/theme/uninstall.lcd")"
/usr/bin/convert "$capture" "$out"
echo "wrote $out"
