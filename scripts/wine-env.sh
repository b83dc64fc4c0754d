# Sourced, not run: sets up a Wine prefix for one build folder and a persistent wineserver.
#   wine_env_start <prefix-dir>   make (once) and warm up the prefix, start the server
#   wine_env_stop                 shut the server down
# The server is started detached with its output discarded: otherwise the background services
# of the first Wine process inherit CTest's output pipe and every test waits for them.

export WINEDEBUG=-all
# No Mono or Gecko install prompts in a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="

wine_env_start() {
  export WINEPREFIX="$1"
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating Wine prefix $WINEPREFIX"
    timeout 300 wineboot -i </dev/null >/dev/null 2>&1 || true
    timeout 120 wineserver -w || true
  fi
  setsid wineserver -p </dev/null >/dev/null 2>&1 &
  timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

wine_env_stop() {
  timeout 60 wineserver -k >/dev/null 2>&1 || true
}
