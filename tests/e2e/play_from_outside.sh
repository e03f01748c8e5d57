#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Dorvana developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays the real program on a virtual screen with keyboard and mouse from outside, as a person would,
# and checks the record files it leaves behind.
# Usage: play_from_outside.sh path/to/dorvana
set -euo pipefail

game_binary=$1
source "$(dirname "$0")/xsession.sh" import

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

# Name prompt and greeting; prints the main window's id.
answer_prompt() {
  local prompt greeting
  prompt=$(new_window)
  xdotool windowfocus --sync "$prompt"
  xdotool type --delay 60 "$1"
  xdotool key Return
  gone "$prompt"
  greeting=$(new_window)
  press "$greeting" Return
  gone "$greeting"
  new_window
}

# Alt+X in the main window, Return on the farewell and on any message after it; the program must end.
exit_game() {
  local main=$1 boxes=$2 box
  press "$main" alt+x
  for _ in $(seq "$boxes"); do
    box=$(new_window "$main")
    press "$box" Return
  done
  for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && fail "the program did not end after the exit sequence"
  local status=0
  wait "$game_pid" || status=$?
  game_pid=
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

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
exit_game "$main" 1
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
exit_game "$main" 1
expect_file "$records/atarvisk.txt" ""
expect_file "$records/tarvisk.txt" ""
echo "ok 2 - the board starts from a background click, Alt+X ends it"

# 3. A record below zero: a score of 0 beats it, both files are rewritten, and the player is congratulated.
printf -- '-5\r\n' >"$records/atarvisk.txt"
printf 'Ada\r\n' >"$records/tarvisk.txt"
launch_game
main=$(answer_prompt "Zoë")
exit_game "$main" 2
expect_file "$records/atarvisk.txt" '0\r\n'
expect_file "$records/tarvisk.txt" 'Zo\303\253\r\n'
echo "ok 3 - a beaten record is written, the name in UTF-8"

# 4. The next start reads it and leaves it as it is.
launch_game
main=$(answer_prompt "Ada")
targets_on_screen && fail "number buttons on show before the start click"
exit_game "$main" 1
expect_file "$records/atarvisk.txt" '0\r\n'
expect_file "$records/tarvisk.txt" 'Zo\303\253\r\n'
echo "ok 4 - the next start comes up on the record and keeps it"
