#!/bin/sh
# Starts the Wine desktop process of this prefix on this display, detached and with all its
# output on /dev/null, unless one runs already. Otherwise the first test that opens a window
# starts it, the desktop inherits that test's output pipe, and CTest bills the desktop's whole
# life to that one test.
#   start-wine-desktop.sh <wine>
wine=${1:-wine}
[ -n "$DISPLAY" ] || exit 0

# Prints "here" for a desktop of this prefix on this display, "other" for one elsewhere (such as
# the display-less desktop that warming up the prefix outside Xvfb leaves for a few seconds;
# windows made while it lives cannot be created).
desktop_state() {
  state=none
  for pid in $(pgrep -f 'explorer.exe /desktop'); do
    env=$(tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null) || continue
    printf '%s\n' "$env" | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    if printf '%s\n' "$env" | grep -qx "DISPLAY=$DISPLAY"; then
      echo here
      return
    fi
    state=other
  done
  echo $state
}

i=0
while [ "$(desktop_state)" = other ] && [ $i -lt 200 ]; do
  sleep 0.1
  i=$((i + 1))
done
[ "$(desktop_state)" = here ] && exit 0

setsid "$wine" explorer.exe /desktop </dev/null >/dev/null 2>&1 &
i=0
while [ $i -lt 100 ]; do
  [ "$(desktop_state)" = here ] && exit 0
  sleep 0.1
  i=$((i + 1))
done
echo "no Wine desktop after 10 s; tests that open windows may take longer" >&2
exit 0
