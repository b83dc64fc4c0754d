#!/usr/bin/env bash
# Files in use across a restart, in a Wine prefix of its own (a restart ends every program in
# the prefix): the runs that queue, "wineboot -r", then the check.
#   restart_e2e.sh <folder of setup.exe and the tests>
set -u
# setup's hidden main frame is a window, and a window needs a display under Wine.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
bin="$1"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="$bin/../restart-wineprefix"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  timeout 300 wineboot -i </dev/null >/dev/null 2>&1 || true
fi
timeout 120 wineserver -w
trap 'timeout 60 wineserver -k >/dev/null 2>&1' EXIT
cd "$bin" || exit 1
timeout 300 wine setup_restart_e2e_tests.exe --gtest_filter='SetupRestart/BeforeRestart.*' </dev/null || exit 1
timeout 300 wineboot -r </dev/null >/dev/null 2>&1
timeout 120 wineserver -w
timeout 300 wine setup_restart_e2e_tests.exe --gtest_filter='AfterRestart.*' </dev/null
