#!/usr/bin/env bash
# Demonstration: stages the sample installed product (samples/scrivex) in a fresh Wine prefix,
# removes it interactively with traceview attached (demo_driver answers the question and presses
# Close as a user would, and takes pictures of the question, the progress page part-way and the
# finish page), and prints what was there before and what is left after.
#   bash scripts/demo.sh [--update-screenshots]
# The pictures go to build/demo/*.png; with --update-screenshots also to docs/screenshots/,
# which the README shows.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source scripts/wine-env.sh
update_docs=no
[ "${1:-}" = --update-screenshots ] && update_docs=yes
# setup.exe's windows and the pictures need a display: a virtual one when there is none.
if [ -z "${DISPLAY:-}" ]; then
  bash scripts/deps.sh
  command -v /usr/bin/convert >/dev/null || apt-get install -y -q imagemagick
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

bash scripts/deps.sh
[ -x /usr/bin/convert ] || apt-get install -y -q imagemagick
cmake --preset windows-x64 -DVT_BUILD_TESTS=OFF >/dev/null
cmake --build --preset windows-x64 -j "$(nproc)" --target setup traceview demo_driver
bin="$root/build/windows-x64/bin"

prefix="$root/build/demo/wineprefix"
rm -rf "$prefix"
wine_env_start "$prefix"
trap wine_env_stop EXIT
# Without a window manager Wine leaves the title bar to nobody; undecorated, it draws its own.
# Unmanaged, a window that is hidden or closed goes at once: Wine otherwise waits 2 seconds for
# a window manager to let it go (after the question and after Close).
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

source samples/scrivex/product.env
c="$prefix/drive_c"
winpath() { # C:\a\b -> the file in the prefix
  local p=${1#C:\\}
  echo "$c/${p//\\//}"
}
install="$(winpath "$INSTALL_DIR")"
installer="$c/windows/Installer/$PRODUCT_CODE"
userdoc="$c/users/Public/Documents/Scrivex/mi-lote-0001.tif"
reg() { wine reg "$@" >/dev/null 2>&1; }

# The product's OCR dictionaries: a few thousand small files, listed in the staged log after the
# sample's own, so that the removal runs long enough to be seen (and pictured) part-way.
bulk=Diccionarios
bulk_folders=6
bulk_per_folder=1000

echo "== Staging $DISPLAY_NAME $PRODUCT_CODE"
while read -r f; do
  mkdir -p "$(dirname "$install/$f")"
  echo "Scrivex sample file $f" > "$install/$f"
done < samples/scrivex/files.txt
for d in $(seq -f %02g "$bulk_folders"); do
  mkdir -p "$install/$bulk/d$d"
  for i in $(seq -f %04g "$bulk_per_folder"); do echo "OCR dictionary $d-$i" > "$install/$bulk/d$d/p$i.dic"; done
done
mkdir -p "$install/Lotes" && echo "batch output, not in the log" > "$install/Lotes/lote-0001.tif"
menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Scrivex"
mkdir -p "$menu" "$c/users/Public/Desktop" "$(dirname "$userdoc")"
echo shortcut > "$menu/Scrivex.lnk"
echo shortcut > "$c/users/Public/Desktop/Scrivex.lnk"
echo "a user's own document, never listed" > "$userdoc"
mkdir -p "$installer/theme"
cp samples/scrivex/language.lan "$installer/"
# The staged log: the sample's, with the dictionaries' files and folders added and counted.
sample_log=samples/scrivex/uninstall.log
{
  total=$(sed -n 's/^TOTALFILE=//p' "$sample_log" | tr -d '\r')
  printf 'TOTALFILE=%d\r\n' $((total + bulk_folders * bulk_per_folder))
  grep '^FILE=' "$sample_log"
  for d in $(seq -f %02g "$bulk_folders"); do
    for i in $(seq -f %04g "$bulk_per_folder"); do printf 'FILE=%s\\%s\\d%s\\p%s.dic\r\n' "$INSTALL_DIR" "$bulk" "$d" "$i"; done
  done
  grep '^SHORTCUT=' "$sample_log"
  for d in $(seq -f %02g "$bulk_folders"); do printf 'DIR=%s\\%s\\d%s\\\r\n' "$INSTALL_DIR" "$bulk" "$d"; done
  printf 'DIR=%s\\%s\\\r\n' "$INSTALL_DIR" "$bulk"
  grep -v '^\(TOTALFILE\|FILE\|SHORTCUT\)=' "$sample_log"
} > "$installer/uninstall.log"
cp samples/scrivex/theme/uninstall.lcd "$installer/theme/"
# the removal window's picture: its theme names it in the installation folder, and the log removes it
mkdir -p "$install/Setup" && cp samples/scrivex/theme/uninstall.bmp "$install/Setup/"
key="HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$PRODUCT_CODE"
reg add "$key" /v DisplayName /d "$DISPLAY_NAME" /f
reg add "$key" /v LastInstallationPath /d "$INSTALL_DIR" /f
reg add 'HKCU\Software\Scrivex\Settings' /v LastBatch /d 'lote-0001' /f
reg add 'HKCU\Software\Scrivex\Settings' /v Idioma /d 'es' /f
reg add 'HKLM\SOFTWARE\Scrivex' /v InstallDir /d "$INSTALL_DIR" /f
wine sc create "$SERVICE_NAME" binPath= "$INSTALL_DIR\\scansvc.exe" >/dev/null 2>&1 || true

show_state() {
  echo "-- files under $INSTALL_DIR:"
  if [ -d "$install" ]; then
    (cd "$install" && find . -mindepth 1 -path "./$bulk/*" -prune -o -print | sort | sed 's/^/   /')
    [ -d "$install/$bulk" ] && echo "   (./$bulk: $(find "$install/$bulk" -type f | wc -l) dictionary files in" \
      "$(find "$install/$bulk" -mindepth 1 -type d | wc -l) folders, listed in the log)"
  else
    echo "   (folder gone)"
  fi
  echo "-- Start menu folder: $([ -d "$menu" ] && echo present || echo gone);" \
       "desktop shortcut: $([ -f "$c/users/Public/Desktop/Scrivex.lnk" ] && echo present || echo gone)"
  echo "-- user document outside the product: $([ -f "$userdoc" ] && echo present || echo gone)"
  echo "-- uninstall entry: $(wine reg query "$key" >/dev/null 2>&1 && echo present || echo gone)"
  echo "-- HKCU\\Software\\Scrivex\\Settings values:" \
       "$(wine reg query 'HKCU\Software\Scrivex\Settings' 2>/dev/null | awk '/REG_SZ/ {print $1}' | tr '\n' ' ')"
  echo "-- HKLM\\SOFTWARE\\Scrivex InstallDir: $(wine reg query 'HKLM\SOFTWARE\Scrivex' /v InstallDir >/dev/null 2>&1 && echo present || echo gone)"
  echo "-- service $SERVICE_NAME: $(wine sc query "$SERVICE_NAME" 2>/dev/null | grep -q SERVICE_NAME && echo registered || echo gone)"
}

echo; echo "== Before"; show_state

echo; echo "== Removing: setup.exe /R $PRODUCT_CODE, answered by demo_driver (trace viewer attached)"
trace="$root/build/demo/trace.txt"
rm -f "$trace"
viewer_out="$root/build/demo/traceview.out"
wine "$bin/traceview.exe" --out "$(winepath -w "$trace")" --seconds 300 >"$viewer_out" 2>&1 &
viewer=$!
for _ in $(seq 100); do grep -q listening "$viewer_out" 2>/dev/null && break; sleep 0.1; done
shots="$root/build/demo"
rm -f "$shots"/[123]-*.bmp "$shots"/[123]-*.png
start=$(date +%s%N)
rc=0
timeout 300 wine "$bin/demo_driver.exe" "$(winepath -w "$bin/setup.exe")" "$PRODUCT_CODE" "$(winepath -w "$shots")" \
  | tr -d '\r' | sed 's/^/   /' || rc=$?
end=$(date +%s%N)
echo "demo_driver exit code $rc after $(( (end - start) / 1000000 )) ms"
for bmp in "$shots"/[123]-*.bmp; do
  [ -f "$bmp" ] || continue
  png="${bmp%.bmp}.png"
  # No time stamps in the files: the same picture gives the same bytes.
  /usr/bin/convert "$bmp" -define png:exclude-chunks=date,time "$png" && rm -f "$bmp"
  echo "   wrote ${png#"$root"/}"
  if [ "$update_docs" = yes ]; then
    mkdir -p docs/screenshots && cp "$png" docs/screenshots/ && echo "   copied to docs/screenshots/$(basename "$png")"
  fi
done
sleep 0.5
kill "$viewer" 2>/dev/null || true
wait "$viewer" 2>/dev/null || true
echo "-- trace lines received by traceview:"
[ -s "$trace" ] && tr -d "\r" < "$trace" | sed "s/^/   /" || echo "   (none)"

echo; echo "== After"; show_state
