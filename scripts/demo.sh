#!/usr/bin/env bash
# Demonstration: stages the sample installed product (samples/scrivex) in a fresh Wine prefix,
# runs a silent removal with traceview attached, and prints what was there before and what is
# left after.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source scripts/wine-env.sh
# setup.exe's hidden main frame is a window: Wine needs a display even for a silent removal.
if [ -z "${DISPLAY:-}" ]; then
  bash scripts/deps.sh
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi

bash scripts/deps.sh
cmake --preset windows-x64 -DVT_BUILD_TESTS=OFF >/dev/null
cmake --build --preset windows-x64 -j "$(nproc)" --target setup traceview
bin="$root/build/windows-x64/bin"

prefix="$root/build/demo/wineprefix"
rm -rf "$prefix"
wine_env_start "$prefix"
trap wine_env_stop EXIT

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

echo "== Staging $DISPLAY_NAME $PRODUCT_CODE"
while read -r f; do
  mkdir -p "$(dirname "$install/$f")"
  echo "Scrivex sample file $f" > "$install/$f"
done < samples/scrivex/files.txt
mkdir -p "$install/Lotes" && echo "batch output, not in the log" > "$install/Lotes/lote-0001.tif"
menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Scrivex"
mkdir -p "$menu" "$c/users/Public/Desktop" "$(dirname "$userdoc")"
echo shortcut > "$menu/Scrivex.lnk"
echo shortcut > "$c/users/Public/Desktop/Scrivex.lnk"
echo "a user's own document, never listed" > "$userdoc"
mkdir -p "$installer/theme"
cp samples/scrivex/uninstall.log samples/scrivex/language.lan "$installer/"
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
  if [ -d "$install" ]; then (cd "$install" && find . -mindepth 1 | sort | sed 's/^/   /'); else echo "   (folder gone)"; fi
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

echo; echo "== Removing: setup.exe /S $PRODUCT_CODE (trace viewer attached)"
trace="$root/build/demo/trace.txt"
rm -f "$trace"
viewer_out="$root/build/demo/traceview.out"
wine "$bin/traceview.exe" --out "$(winepath -w "$trace")" --seconds 120 >"$viewer_out" 2>&1 &
viewer=$!
for _ in $(seq 100); do grep -q listening "$viewer_out" 2>/dev/null && break; sleep 0.1; done
start=$(date +%s%N)
rc=0
timeout 120 wine "$bin/setup.exe" /S "$PRODUCT_CODE" || rc=$?
end=$(date +%s%N)
echo "setup.exe exit code $rc after $(( (end - start) / 1000000 )) ms"
sleep 0.5
kill "$viewer" 2>/dev/null || true
wait "$viewer" 2>/dev/null || true
echo "-- trace lines received by traceview:"
[ -s "$trace" ] && tr -d "\r" < "$trace" | sed "s/^/   /" || echo "   (none)"

echo; echo "== After"; show_state
