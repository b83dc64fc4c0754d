#!/usr/bin/env bash
# Regenerates the pictures of the sample theme that the README shows: checks the theme, then
# captures the removal page as it loads, part-way and finished, with themeview in a fresh Wine
# prefix under Xvfb. themeview writes the PNG files itself; --picture-root finds the background
# picture beside the theme (its installer puts it under C:\Program Files\Scrivex).
#   bash scripts/theme-capture.sh [output folder]   (default: samples/scrivex/theme)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=$(cd "${1:-samples/scrivex/theme}" && pwd)
source scripts/wine-env.sh
if [ -z "${DISPLAY:-}" ]; then
  bash scripts/deps.sh
  # One X server per prefix's Wine server: this run starts both, inside the same xvfb-run.
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

theme=$(winepath -w "$root/samples/scrivex/theme/uninstall.lcd")
common=(--product "Scrivex 5" --language "$(winepath -w "$root/samples/scrivex/language.lan")"
        --picture-root "$(winepath -w "$root/samples/scrivex/theme")")
wine "$bin/themeview.exe" --lint "${common[@]}" "$theme"
for state in start progress=40 finish; do
  name=${state%%=*}
  file="$out/preview-$name.png"
  [ "$name" = start ] && file="$out/preview.png"
  wine "$bin/themeview.exe" --state "$state" --capture "$(winepath -w "$file")" "${common[@]}" "$theme"
  echo "wrote $file"
done
