# A Wine session for a test suite, sourced by it: a server of the suite's own
# for the prefix and, when asked for, an X server of its own (Xvfb on a free
# display). Both are stopped by process id when the suite ends.
#
#   wine_session_start PREFIX [display]

wine_session_server_pid=""
wine_session_xvfb_pid=""

wine_session_start() {
  export WINEPREFIX
  WINEPREFIX="$(realpath -m -- "$1")"
  export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  mkdir -p "$WINEPREFIX"
  trap wine_session_stop EXIT

  if [[ "${2:-}" == display ]]; then
    local fifo
    fifo="$(mktemp -u)"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    wine_session_xvfb_pid=$!
    local display=""
    read -r -t 30 display <"$fifo" || true
    rm -f "$fifo"
    if [[ -z "$display" ]]; then
      echo "wine session: Xvfb did not start within 30 s" >&2
      return 1
    fi
    export DISPLAY=":$display"
  else
    unset DISPLAY
  fi

  # In the foreground, so that its process id is known; persistent, so that
  # a run of short programs does not start Wine again each time.
  /usr/lib/wine/wineserver64 -f -p </dev/null >/dev/null 2>&1 &
  wine_session_server_pid=$!
  # Makes the prefix when there is none, and starts Wine's background
  # programs without the suite's streams.
  "$(dirname "${BASH_SOURCE[0]}")/../../cmake/wine-run" "$WINEPREFIX" wineboot \
    </dev/null >/dev/null 2>&1
}

wine_session_stop() {
  if [[ -n "$wine_session_server_pid" ]]; then
    /usr/lib/wine/wineserver64 -k 2>/dev/null || true
    local waited=0
    while kill -0 "$wine_session_server_pid" 2>/dev/null && ((waited < 50)); do
      sleep 0.1
      waited=$((waited + 1))
    done
    kill "$wine_session_server_pid" 2>/dev/null || true
    wait "$wine_session_server_pid" 2>/dev/null || true
    wine_session_server_pid=""
  fi
  if [[ -n "$wine_session_xvfb_pid" ]]; then
    kill "$wine_session_xvfb_pid" 2>/dev/null || true
    wait "$wine_session_xvfb_pid" 2>/dev/null || true
    wine_session_xvfb_pid=""
  fi
}
