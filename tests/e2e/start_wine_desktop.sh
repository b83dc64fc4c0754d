#!/bin/sh
# Starts the Wine desktop process of this prefix, detached and with all its output on /dev/null,
# unless one runs already. Otherwise the first test that opens a window starts it, the desktop
# inherits that test's output pipe, and CTest bills the desktop's whole life to that one test.
#   start_wine_desktop.sh <wine>
wine=${1:-wine}
[ -n "$DISPLAY" ] || exit 0

desktop_running() {
  for pid in $(pgrep -f 'explorer.exe /desktop'); do
    if tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      return 0
    fi
  done
  return 1
}

desktop_running && exit 0
setsid "$wine" explorer.exe /desktop </dev/null >/dev/null 2>&1 &
i=0
while [ $i -lt 100 ]; do
  desktop_running && exit 0
  sleep 0.1
  i=$((i + 1))
done
echo "no Wine desktop after 10 s; tests that open windows may take longer" >&2
exit 0
