#!/usr/bin/env bash
# Regenerates the pictures of the sample theme that the README shows: checks the theme, then
# captures the removal page as it loads, part-way and finished, with themeview in a fresh Wine
# prefix under Xvfb. themeview writes the PNG files itself; --picture-root finds the background
# picture beside the theme (its installer puts it under C:\Program Files\Scrivex).
#   bash scripts/theme-capture.sh [output folder]   (default: samples/scrivex/theme)
#   bash scripts/theme-capture.sh --high-contrast [output folder]
#     writes preview-high-contrast.png only: the page as a user of the system's high-contrast
#     mode sees it, with the High Contrast Black colours in a prefix of its own (Wine never
#     reports the mode on, so themeview is told).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
arguments=("$@")
contrast=
if [ "${1:-}" = "--high-contrast" ]; then
  contrast=--high-contrast
  shift
fi
out=$(cd "${1:-samples/scrivex/theme}" && pwd)
source scripts/wine-env.sh
if [ -z "${DISPLAY:-}" ]; then
  bash scripts/deps.sh
  # One X server per prefix's Wine server: this run starts both, inside the same xvfb-run.
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "${arguments[@]}"
fi

cmake --preset windows-x64 -DVT_BUILD_TESTS=OFF >/dev/null
cmake --build --preset windows-x64 -j "$(nproc)" --target themeview
bin="$root/build/windows-x64/bin"

prefix="$root/build/theme-capture${contrast:+-high-contrast}/wineprefix"
wine_env_start "$prefix"
trap wine_env_stop EXIT
# Without a window manager Wine leaves the title bar to nobody; undecorated, it draws its own.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
if [ -n "$contrast" ]; then
  # The High Contrast Black scheme's colours, read by each Wine process as it starts.
  while read -r name value; do
    wine reg add 'HKCU\Control Panel\Colors' /v "$name" /d "$value" /f >/dev/null 2>&1
  done <<'COLOURS'
Window 0 0 0
WindowText 255 255 255
ButtonFace 0 0 0
ButtonText 255 255 255
ButtonShadow 128 128 128
ButtonHilight 255 255 255
ButtonLight 192 192 192
ButtonDkShadow 255 255 255
Highlight 26 235 255
HighlightText 0 0 0
HotTrackingColor 255 255 0
GrayText 63 242 0
ActiveTitle 0 0 0
GradientActiveTitle 0 0 0
TitleText 255 255 255
ActiveBorder 255 255 255
WindowFrame 255 255 255
Background 0 0 0
Menu 0 0 0
MenuText 255 255 255
COLOURS
fi

theme=$(winepath -w "$root/samples/scrivex/theme/uninstall.lcd")
common=(--product "Scrivex 5" --language "$(winepath -w "$root/samples/scrivex/language.lan")"
        --picture-root "$(winepath -w "$root/samples/scrivex/theme")")
wine "$bin/themeview.exe" --lint "${common[@]}" "$theme"
if [ -n "$contrast" ]; then
  file="$out/preview-high-contrast.png"
  wine "$bin/themeview.exe" $contrast --capture "$(winepath -w "$file")" "${common[@]}" "$theme"
  echo "wrote $file"
  exit 0
fi
for state in start progress=40 finish; do
  name=${state%%=*}
  file="$out/preview-$name.png"
  [ "$name" = start ] && file="$out/preview.png"
  wine "$bin/themeview.exe" --state "$state" --capture "$(winepath -w "$file")" "${common[@]}" "$theme"
  echo "wrote $file"
done
