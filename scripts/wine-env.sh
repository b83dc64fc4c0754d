# Sourced, not run: sets up a Wine prefix for one build folder and a persistent wineserver.
#   wine_env_start <prefix-dir>   make (once) and warm up the prefix, start the server and,
#                                 when DISPLAY is set, the prefix's desktop on that display
#   wine_env_stop                 shut the server down
# The server and the desktop are started detached with their output discarded: otherwise the
# background processes of the first Wine process inherit CTest's output pipe and every test
# waits for them. Call it with DISPLAY already set (inside xvfb-run) when windows are to be
# opened: a desktop started without a display makes window creation fail until it has gone.

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
  # Debian's 64-bit Wine does not find its own TrueType fonts (Tahoma, Marlett ...): pages would
  # draw in a stand-in face and title-bar buttons as the letters "0 1 r". In the prefix's font
  # folder they are found.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ]; then
    cp -n /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
  fi
  setsid wineserver -p </dev/null >/dev/null 2>&1 &
  # The desktop process ends a moment after the last Windows process, and the next program
  # that opens a window then starts a new one that inherits that program's output (CTest waits
  # for it). A keeper process, waiting on a pipe only this shell writes to, holds it up until
  # wine_env_stop.
  local keeper="$WINEPREFIX/.session-keeper"
  rm -f "$keeper" && mkfifo "$keeper"
  setsid wine cmd /c pause <"$keeper" >/dev/null 2>&1 &
  exec {WINE_KEEPER_FD}>"$keeper"
  timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  local here
  here=$(dirname "${BASH_SOURCE[0]}")
  sh "$here/start-wine-desktop.sh" wine
}

wine_env_stop() {
  if [ -n "${WINE_KEEPER_FD:-}" ]; then
    exec {WINE_KEEPER_FD}>&-
    unset WINE_KEEPER_FD
  fi
  timeout 60 wineserver -k >/dev/null 2>&1 || true
}

# Runs a command with a virtual display when there is none.
with_display() {
  if [ -n "${DISPLAY:-}" ]; then
    "$@"
  else
    xvfb-run -a -s "-screen 0 1024x768x24" "$@"
  fi
}
