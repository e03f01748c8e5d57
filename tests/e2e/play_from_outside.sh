#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Dorvana developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays the real program on a virtual screen with keyboard and mouse from outside, as a person would,
# and checks the record files it leaves behind.
# Usage: play_from_outside.sh path/to/dorvana
set -euo pipefail

game_binary=$1
# A session bus of its own, so the boxes and labels can be read as a screen reader reads them.
if [ -z "${DORVANA_E2E_BUS:-}" ] && command -v dbus-run-session >/dev/null && command -v dbus-daemon >/dev/null; then
  DORVANA_E2E_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/xsession.sh" import convert xmodmap dbus-daemon /usr/libexec/at-spi-bus-launcher
# xdotool types a letter that the keymap lacks by binding it to a spare key for a moment, and Qt 6.8 has been
# seen to read that key after it was unbound ("Zoë" arrived as "Zo"): the names' letters get keys of their own.
xmodmap -e "keycode 248 = ediaeresis Ediaeresis"
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || prerequisite_missing python3-pyatspi
/usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
helper_pids=$!
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
for _ in $(seq 50); do
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q "boolean true" && break
  sleep 0.1
done

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

# The labels of the game's shown windows, one a line with line breaks as \n, as the accessibility bus reads
# them: "box" for the one open box, "main" for the game window.
labels() {
  /usr/bin/python3 - "$1" <<'EOF'
import sys, time
import pyatspi

def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)

def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)

def is_main(window):
    return any(n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "Exit" for n in walk(window))

for _ in range(50):
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != "dorvana":
            continue
        windows = [w for w in app if w is not None and showing(w) and is_main(w) == (sys.argv[1] == "main")]
        if len(windows) == 1:
            for node in walk(windows[0]):
                if node.getRole() == pyatspi.ROLE_LABEL and showing(node):
                    print(node.name.replace("\n", "\\n"))
            sys.exit(0)
    time.sleep(0.1)
sys.exit("no single %s window on the accessibility bus" % sys.argv[1])
EOF
}

# Reads the open box, window given, then answers it with Return and waits for it to close.
answer_box() { # window, expected text
  local text
  text=$(labels box) || fail "cannot read box $1"
  [ "$text" = "$2" ] || fail "the box reads [$text], expected [$2]"
  press "$1" Return
  gone "$1"
}

# Name prompt and greeting, each read before it is answered; prints the main window's id.
answer_prompt() {
  local prompt greeting text
  prompt=$(new_window)
  text=$(labels box) || fail "cannot read the name prompt"
  [ "$text" = "Come ti chiami?" ] || fail "the name prompt reads [$text]"
  xdotool windowfocus --sync "$prompt"
  xdotool type --delay 60 "$1"
  xdotool key Return
  gone "$prompt"
  greeting=$(new_window "$prompt")
  answer_box "$greeting" " $1 vediamo se sei un vero campione  " >&2
  new_window "$prompt" "$greeting"
}

# The record line as the game window shows it: heading, holder, "con punti", score.
expect_record_line() { # holder, score
  local line
  line=$(labels main | grep -x -A3 "Il record  è di ") || fail "no record line on the game window"
  [ "$line" = "$(printf 'Il record  è di \n%s\ncon punti\n%s' "$1" "$2")" ] || fail "the record line reads [$line]"
}

# Alt+X in the main window, then the boxes of the exit sequence, each read and answered in turn; the program
# must end after the last of them and open none beyond.
exit_game() { # main window, expected box texts...
  local main=$1 answered=("$1") box
  shift
  press "$main" alt+x
  for text in "$@"; do
    box=$(new_window "${answered[@]}")
    answer_box "$box" "$text"
    answered+=("$box")
  done
  for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && fail "the program did not end after the exit sequence"
  local status=0
  wait "$game_pid" || status=$?
  game_pid=
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

farewell="           Ciao a presto."
congratulation='Ok ho registrato il tuo record, C A M P I O N E"'

# The number buttons are the only exact cyan on screen; the bands always carry some red.
targets_on_screen() {
  import -window root "$work/screen.png"
  [ "$(convert "$work/screen.png" -fill black +opaque '#00FFFF' -format '%[fx:mean>0]' info:)" = 1 ]
}

expect_file() { # path, expected bytes as printf format
  local expected
  expected=$(printf "$2" | od -An -c)
  [ -f "$1" ] || fail "$1 is missing"
  [ "$(od -An -c <"$1")" = "$expected" ] || fail "$1 holds [$(od -An -c <"$1")], expected [$expected]"
}

# 1. First start: the files are created empty, and a score of 0 does not beat an empty record.
launch_game
main=$(answer_prompt "Mario")
expect_record_line "" ""
exit_game "$main" "$farewell"
expect_file "$records/atarvisk.txt" ""
expect_file "$records/tarvisk.txt" ""
echo "ok 1 - first start creates both record files, Alt+X ends it"

# 2. The board started by a click on the window's background, then Alt+X while it moves.
launch_game
main=$(answer_prompt "Luigi")
targets_on_screen && fail "number buttons on show before the start click"
xdotool mousemove --window "$main" 300 400 click 1
shown=no
for _ in $(seq 10); do
  sleep 0.5
  targets_on_screen && { shown=yes; break; }
done
[ "$shown" = yes ] || fail "no number button came up after the start click"
exit_game "$main" "$farewell"
expect_file "$records/atarvisk.txt" ""
expect_file "$records/tarvisk.txt" ""
echo "ok 2 - the board starts from a background click, Alt+X ends it"

# 3. A record below zero: a score of 0 beats it, both files are rewritten, and the player is congratulated.
printf -- '-5\r\n' >"$records/atarvisk.txt"
printf 'Ada\r\n' >"$records/tarvisk.txt"
launch_game
main=$(answer_prompt "Zoë")
expect_record_line 'Ada\n' '-5\n'
exit_game "$main" "$farewell" "$congratulation"
expect_file "$records/atarvisk.txt" '0\r\n'
expect_file "$records/tarvisk.txt" 'Zo\303\253\r\n'
echo "ok 3 - a beaten record is written, the name in UTF-8, and the player is congratulated"

# 4. The next start shows the record from disk, its holder as the last game wrote it; 0 does not beat 7.
printf '7\r\n' >"$records/atarvisk.txt"
launch_game
main=$(answer_prompt "Bruno")
expect_record_line 'Zoë\n' '7\n'
targets_on_screen && fail "number buttons on show before the start click"
exit_game "$main" "$farewell"
expect_file "$records/atarvisk.txt" '7\r\n'
expect_file "$records/tarvisk.txt" 'Zo\303\253\r\n'
echo "ok 4 - the next start comes up on the record from disk and keeps it"
