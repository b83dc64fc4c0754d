#!/usr/bin/env bash
# Draws uninstall.bmp, the background picture of the removal window (uninstall.lcd), with ImageMagick 6.
# Usage: bash make_picture.sh [output.bmp]     (default: uninstall.bmp beside this script)
#
# The picture is 520 x 380, the window's outer size; the window draws it stretched to its outer size
# from the top-left of the client area, so the right ~10 and bottom ~35 pixels are never seen.
# The label colours in uninstall.lcd must stay equal to the flat areas below:
#   header band, x 0..309, y 0..73 : 18,56,104   (labels IDC_HEADING, IDC_SUBTITLE)
#   content panel, y 77..291       : 255,255,255 (labels IDC_DESCRIPTION, IDC_INFO, IDC_STATIC1, icon)
#   footer band, y 293..379        : 244,246,249 (label IDC_LINK)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/uninstall.bmp}
convert=/usr/bin/convert
[ -x "$convert" ] || { echo "needs ImageMagick's convert at $convert (apt-get install imagemagick)" >&2; exit 1; }
font_bold=DejaVu-Sans-Bold

navy='rgb(18,56,104)'
teal='rgb(14,140,140)'
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Faint sheets of paper scattered over the right part of the header band (faint white outlines).
"$convert" -size 220x74 xc:none -fill 'rgba(255,255,255,0.06)' -stroke 'rgba(255,255,255,0.16)' -strokewidth 1 \
  -draw 'translate 40,46 rotate -14 rectangle -17,-24 17,24' \
  -draw 'translate 118,18 rotate 9 rectangle -15,-21 15,21' \
  -draw 'translate 196,58 rotate -6 rectangle -16,-22 16,22' \
  "$tmp/sheets.png"

# The scan motif: a sheet with a folded corner, text lines, and a glowing scan beam across it.
"$convert" -size 48x48 xc:none \
  -fill white -stroke none -draw 'polygon 10,5 30,5 38,13 38,43 10,43' \
  -fill 'rgb(190,214,230)' -draw 'polygon 30,5 30,13 38,13' \
  -fill 'rgb(160,184,204)' -draw 'rectangle 15,17 29,18' -draw 'rectangle 15,22 33,23' \
  -draw 'rectangle 15,27 33,28' -draw 'rectangle 15,32 27,33' -draw 'rectangle 15,37 31,38' \
  \( -size 48x48 xc:none -fill 'rgba(64,224,208,0.55)' -draw 'rectangle 3,24 45,28' -blur 0x2.2 \) -composite \
  -fill 'rgb(64,232,214)' -draw 'rectangle 4,25 44,26' \
  "$tmp/motif.png"

"$convert" -size 520x380 xc:'rgb(244,246,249)' \
  -fill white -draw 'rectangle 0,77 519,291' \
  -fill 'rgb(214,220,228)' -draw 'line 0,292 519,292' \
  -fill "$navy" -draw 'rectangle 0,0 519,73' \
  \( -size 74x210 gradient:"$navy-$teal" -rotate -90 \) -geometry +310+0 -composite \
  "$tmp/sheets.png" -geometry +300+0 -composite \
  \( -size 3x520 gradient:'rgb(0,168,168)-rgb(42,120,214)' -rotate -90 \) -geometry +0+74 -composite \
  "$tmp/motif.png" -geometry +334+14 -composite \
  -font "$font_bold" -pointsize 25 -fill white -annotate +382+47 'Scrivex' \
  -fill 'rgba(255,255,255,0.75)' -font DejaVu-Sans -pointsize 9 -annotate +384+60 'DOCUMENT CAPTURE' \
  -alpha off -type TrueColor -define bmp:format=bmp3 "BMP3:$out"
echo "wrote $out"
