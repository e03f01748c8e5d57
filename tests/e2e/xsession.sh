# Sourced by the tests that play the real program: a private X server and data folder, both gone on exit.
# Arguments: tools needed besides Xvfb and xdotool. Sets work, records, DISPLAY and the XDG folders;
# the caller puts the game's process id in game_pid and its output in $work/game.log.
for tool in Xvfb xdotool "$@"; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (tools/setup test)"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/game.log" ] && sed 's/^/  dorvana: /' "$work/game.log" >&2
  exit 1
}

press() { # window, keys...
  local window=$1
  shift
  xdotool windowfocus --sync "$window"
  xdotool key --delay 40 "$@"
}

# Xvfb picks a free display itself and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
export XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
export QT_LOGGING_RULES="qt.multimedia*=false"
records="$XDG_DATA_HOME/dorvana"
