#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Dorvana developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays the real program on a virtual screen with keyboard and mouse from outside, as a person would,
# and checks the record files it leaves behind. On wayland the game runs natively under weston, and its
# windows are found on the screen by their frames; hits are clicked there and their flashes timed.
# Usage: play_from_outside.sh path/to/dorvana [xcb|wayland]
set -euo pipefail

game_binary=$1
if [ "${2:-xcb}" = wayland ]; then
  source "$(dirname "$0")/xsession.sh" import convert
  start_weston
  /usr/bin/python3 -c "import Xlib" 2>/dev/null || prerequisite_missing python3-xlib

  # The shown window's frame, as "width height x y": below weston's panel, Qt's title bar and borders are the
  # only pixels of their grey. The panel is left out whole: its launcher lights up in that grey under a pointer
  # that weston has not yet seen move, and the pointer is kept there, off the windows.
  frame() {
    xdotool mousemove 1000 4
    import -window root "$work/screen.png"
    convert "$work/screen.png" -fill black -draw 'rectangle 0,0 1023,31' +opaque 'srgb(239,239,239)' -trim \
      -format '%w %h %[fx:page.x] %[fx:page.y]' info: 2>/dev/null
  }
  # Waits for a new window, a frame other than the one given that stays put; prints it.
  new_frame() { # previous frame
    local last="" now
    for _ in $(seq 50); do
      kill -0 "$game_pid" 2>/dev/null || fail "the program ended early"
      now=$(frame)
      [ "$now" != "$1" ] && [ "${now%% *}" -gt 100 ] && [ "$now" = "$last" ] && { echo "$now"; return 0; }
      last=$now
      sleep 0.2
    done
    fail "no new window came up (last frame $last)"
  }
  # How often the game has asked weston for a window state so far, by the request's name (an object is logged
  # as name@id, or as name#id by a newer libwayland).
  requests() { grep -c "xdg_toplevel[@#][0-9]*\.$1()" "$work/weston.log" || true; }
  # Clicks the title bar's maximise button three times. After each click the game must ask weston to be normal
  # again, so the click did maximise it, and the window must be back in its frame before the next click.
  # Weston's X11 back end follows the pointer by its moves and, once clamped at an edge, stays off by as much
  # (seen: every press 300 px left, on the desktop): two opposite corners put it back in step before each try.
  # A click that asked for no maximise at all is made again; the window is checked after the last.
  maximise_survives() { # frame
    local w h x y click asked tries maximised deadline
    read -r w h x y <<<"$1"
    for click in 1 2 3; do
      asked=$(requests unset_maximized)
      for tries in 1 2 3 4 5; do
        maximised=$(requests set_maximized)
        xdotool mousemove 0 0 sleep 0.1 mousemove 1023 759 sleep 0.1 mousemove $((x + w - 40)) $((y + 15)) \
          sleep 0.3 click 1
        deadline=$((SECONDS + 2))
        while [ "$(requests set_maximized)" -eq "$maximised" ] && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
        [ "$(requests set_maximized)" -gt "$maximised" ] && break
        kill -0 "$game_pid" 2>/dev/null || fail "a click on maximise ended the game"
      done
      deadline=$((SECONDS + 10))
      until [ "$(requests unset_maximized)" -gt "$asked" ] && [ "$(frame)" = "$1" ]; do
        kill -0 "$game_pid" 2>/dev/null || fail "a click on maximise ended the game"
        [ $SECONDS -lt $deadline ] || fail "maximise click $click on [$1] ($tries tries): the game asked to be" \
          "normal again $(($(requests unset_maximized) - asked)) times, and its frame is [$(frame)]"
        sleep 0.1
      done
    done
  }

  launch_game
  prompt=$(new_frame "")
  maximise_survives "$prompt"
  xdotool type --delay 60 "Mario"
  xdotool key Return
  greeting=$(new_frame "$prompt")
  maximise_survives "$greeting"
  xdotool key Return
  main=$(new_frame "$greeting")
  [ "${main% * *}" = "614 723" ] || fail "the game window's frame is [$main], not 608x672 and its menu in Qt's frame"
  read -r _ _ x y <<<"$main"
  xdotool mousemove $((x + 300)) $((y + 400)) click 1
  maximise_survives "$main"
  grep -q 'set_app_id("org.example.dorvana")' "$work/weston.log" || fail "the window's app id is not its menu entry's"
  echo "ok 1 - on Wayland maximise leaves every window as it was, and the app id names the menu entry"
  /usr/bin/python3 "$(dirname "$0")/flash_seen.py" "$work/weston.log" >"$work/flashes" 2>&1 ||
    fail "$(cat "$work/flashes")"
  echo "ok 2 - on Wayland each hit's flash is seen for 100 ms:" $(cat "$work/flashes")

  exit 0
fi
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

# The labels of the game's shown box ("box") or window ("main"), one a line, as a screen reader reads them.
labels() { /usr/bin/python3 "$(dirname "$0")/../access/xsession.py" labels "$1"; }

expect_box() { # expected text
  local text
  text=$(labels box) || fail "cannot read the box [$1]"
  [ "$text" = "$1" ] || fail "the box reads [$text], expected [$1]"
}

# Reads the open box, window given, then answers it with Return and waits for it to close.
answer_box() { # window, expected text
  expect_box "$2"
  press "$1" Return
  gone "$1"
}

# Name prompt and greeting, each read before it is answered; prints the main window's id.
answer_prompt() {
  local prompt greeting
  prompt=$(new_window)
  expect_box "Come ti chiami?"
  xdotool windowfocus --sync "$prompt"
  # xdotool reads the name in the locale's encoding: in the C locale that ./test may be run from, "ë" is no
  # letter to it and the name arrives cut short.
  LC_ALL=C.UTF-8 xdotool type --delay 60 "$1"
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

expect_records() { # score and holder bytes, each as printf format
  local path expected
  for path in "$records/atarvisk.txt" "$records/tarvisk.txt"; do
    expected=$(printf "$1" | od -An -c)
    [ -f "$path" ] || fail "$path is missing"
    [ "$(od -An -c <"$path")" = "$expected" ] || fail "$path holds [$(od -An -c <"$path")], expected [$expected]"
    shift
  done
}

# 1. First start: the files are created empty, and a score of 0 does not beat an empty record.
launch_game
main=$(answer_prompt "Mario")
expect_record_line "" ""
exit_game "$main" "$farewell"
expect_records "" ""
echo "ok 1 - first start creates both record files, Alt+X ends it"

# 2. The board started by a click on the window's background, then Alt+X while it moves.
launch_game
main=$(answer_prompt "Luigi")
targets_on_screen && fail "number buttons on show before the start click"
xdotool mousemove --window "$main" 300 400 click 1
shown=no
for _ in $(seq 10); do sleep 0.5; targets_on_screen && { shown=yes; break; }; done
[ "$shown" = yes ] || fail "no number button came up after the start click"
exit_game "$main" "$farewell"
expect_records "" ""
echo "ok 2 - the board starts from a background click, Alt+X ends it"

# 3. A record below zero: a score of 0 beats it, both files are rewritten, and the player is congratulated.
printf -- '-5\r\n' >"$records/atarvisk.txt"
printf 'Ada\r\n' >"$records/tarvisk.txt"
launch_game
main=$(answer_prompt "Zoë")
expect_record_line 'Ada\n' '-5\n'
exit_game "$main" "$farewell" "$congratulation"
expect_records '0\r\n' 'Zo\303\253\r\n'
echo "ok 3 - a beaten record is written, the name in UTF-8, and the player is congratulated"

# 4. The next start shows the record from disk, its holder as the last game wrote it; 0 does not beat 7.
printf '7\r\n' >"$records/atarvisk.txt"
launch_game
main=$(answer_prompt "Bruno")
expect_record_line 'Zoë\n' '7\n'
targets_on_screen && fail "number buttons on show before the start click"
exit_game "$main" "$farewell"
expect_records '7\r\n' 'Zo\303\253\r\n'
echo "ok 4 - the next start comes up on the record from disk and keeps it"
