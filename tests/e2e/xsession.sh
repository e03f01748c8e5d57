# SPDX-FileCopyrightText: 2026 The Dorvana developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the tests that play the real program: a private X server and data folder, both gone on exit.
# Arguments: tools needed besides Xvfb and xdotool. Sets work, records, DISPLAY and the XDG folders;
# launch_game starts the game from $game_binary (under the command in the game_wrapper array, if any), with
# its process id in game_pid and its output in $work/game.log. Processes put in helper_pids are ended with the
# server, and so is the sound server that start_sound_server starts (it needs pulseaudio, pactl and parec);
# start_weston runs the game on Wayland.
# ./test installs every prerequisite first and sets DORVANA_TEST_STRICT, so there a missing one is a broken
# set-up, not a reason to skip.
prerequisite_missing() {
  [ -n "${DORVANA_TEST_STRICT:-}" ] && { echo "FAIL: $1 is missing (tools/setup test)" >&2; exit 1; }
  echo "SKIP: $1 is missing (tools/setup test)"
  exit 77
}
for tool in Xvfb xdotool "$@"; do
  command -v "$tool" >/dev/null || prerequisite_missing "$tool"
done

work=$(mktemp -d)
xvfb_pid=
game_pid=
game_wrapper=()
helper_pids=
sound_server=
cleanup() {
  [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null || true
  for pid in $helper_pids; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true; done
  [ -n "$sound_server" ] && pulseaudio --kill 2>/dev/null || true
  # Waited for: a server still shutting down removes its socket, which by then may be the next test's.
  [ -n "$xvfb_pid" ] && { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; } || true
  rm -rf "$work"
}
trap cleanup EXIT

# On standard output, beside the "ok" lines: a run that keeps only those still says why it stopped.
fail() {
  echo "FAIL: $*"
  [ -s "$work/game.log" ] && sed 's/^/  dorvana: /' "$work/game.log"
  exit 1
}

# A new Xvfb on a loaded machine has been seen to turn away a Qt client's connection for a second or so while
# plain clients got through; the game is given a few tries at it. A refused game ends with that message, which
# under load (or under strace) can take well over a second, so each try waits for the message, for the game's
# end or for its first window, up to three seconds.
launch_game() {
  for _ in $(seq 10); do
    "${game_wrapper[@]}" "$game_binary" >"$work/game.log" 2>&1 &
    game_pid=$!
    for _ in $(seq 30); do
      refused || ! kill -0 "$game_pid" 2>/dev/null || [ -n "$(visible_windows)" ] && break
      sleep 0.1
    done
    refused || return 0
    { wait "$game_pid" || true; } 2>/dev/null
    sleep 0.5
  done
}
refused() { grep -q "could not connect to display" "$work/game.log"; }

visible_windows() { xdotool search --onlyvisible --name '^Dorvana' 2>/dev/null || true; }

# Prints the first visible game window not among the ids given, once it is up.
new_window() {
  local known=" $* "
  for _ in $(seq 100); do
    for window in $(visible_windows); do
      [[ "$known" == *" $window "* ]] || { echo "$window"; return 0; }
    done
    kill -0 "$game_pid" 2>/dev/null || fail "the program ended early"
    sleep 0.1
  done
  fail "no new window came up"
}

gone() {
  for _ in $(seq 100); do
    visible_windows | grep -qx "$1" || return 0
    sleep 0.1
  done
  fail "window $1 did not close"
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
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "the X server on $DISPLAY takes no connection"
export XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
export QT_LOGGING_RULES="qt.multimedia*=false"
records="$XDG_DATA_HOME/dorvana"

# A sound server of the test's own whose only output is recorded into $work/rec.raw: 22050 samples a second,
# 16 bits, one channel.
start_sound_server() {
  export HOME="$work/home"
  mkdir -p "$HOME"
  pulseaudio --daemonize=yes --exit-idle-time=-1 -n --load="module-null-sink sink_name=out" \
    --load="module-native-protocol-unix" 2>"$work/pulseaudio.log" || fail "no sound server: $(cat "$work/pulseaudio.log")"
  sound_server=yes
  pactl set-default-sink out
  parec -d out.monitor --rate=22050 --channels=1 --format=s16le --raw --latency-msec=5 >"$work/rec.raw" &
  helper_pids="$helper_pids $!"
}

# Samples louder than the floor in the recording: from byte, bytes.
loud_samples() {
  od -An -v -t d2 -w2 -j "$1" -N "$2" "$work/rec.raw" | awk '$1 > 300 || $1 < -300 {n++} END {print n + 0}'
}

# The loud samples in the 5 s of recording from the byte given, printed as soon as they make a tenth of a second:
# a cue, not a click.
cue_heard() { # from byte
  local heard=0
  for _ in $(seq 50); do
    sleep 0.1
    heard=$(loud_samples "$1" $((5 * 2 * 22050)))
    [ "$heard" -ge 2205 ] && break
  done
  echo "$heard"
}

# A Wayland compositor on the X server, which passes it xdotool's input; the game then runs on Qt's wayland
# platform (its text input needs QT_IM_MODULE=none under weston). Every request of the game is logged, with
# its time in milliseconds, into $work/weston.log.
start_weston() {
  command -v weston >/dev/null || prerequisite_missing weston
  compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null || prerequisite_missing qt6-wayland
  WAYLAND_DEBUG=server weston --backend=x11-backend.so --width=1024 --height=760 --socket=wayland-test \
    --idle-time=0 >"$work/weston.log" 2>&1 &
  helper_pids="$helper_pids $!"
  for _ in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/wayland-test" ] && break; sleep 0.1; done
  [ -S "$XDG_RUNTIME_DIR/wayland-test" ] || fail "weston did not start: $(tail -5 "$work/weston.log")"
  export WAYLAND_DISPLAY=wayland-test QT_QPA_PLATFORM=wayland QT_IM_MODULE=none
}
