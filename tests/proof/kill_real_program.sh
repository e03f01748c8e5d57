#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Dorvana developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Kills the real program with SIGKILL just after the farewell, while it settles the record, several times;
# each time the record files must hold the old record or the new one, whole.
# Usage: kill_real_program.sh path/to/dorvana [kills]
set -euo pipefail

game_binary=$1
kills=${2:-10}
source "$(dirname "$0")/../e2e/xsession.sh"
mkdir -p "$records"

# Waits for a visible window of the game that is not among those already handled, and prints it.
# Called in a subshell, so the handled ones are kept in a file.
next_window() {
  for _ in $(seq 150); do
    for window in $(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null || true); do
      grep -qx "$window" "$work/seen" && continue
      echo "$window" >>"$work/seen"
      echo "$window"
      return 0
    done
    kill -0 "$game_pid" 2>/dev/null || fail "the program ended early"
    sleep 0.1
  done
  fail "no new window came up"
}

old=0
new=0
for kill in $(seq "$kills"); do
  # A negative record, so that the score of 0 on show at the start beats it.
  printf -- '-%d\r\n' "$kill" >"$records/atarvisk.txt"
  printf 'Vecchio %d\r\n' "$kill" >"$records/tarvisk.txt"
  : >"$work/seen"
  launch_game
  press "$(next_window)" N u o v o Return  # name prompt
  press "$(next_window)" Return            # greeting
  press "$(next_window)" alt+x             # the game window: Exit
  farewell=$(next_window)
  xdotool windowfocus --sync "$farewell"
  xdotool key Return
  sleep "0.00$((RANDOM % 10))"
  kill -9 "$game_pid"
  wait "$game_pid" 2>/dev/null || true
  game_pid=

  score=$(od -An -c "$records/atarvisk.txt" | tr -s ' ')
  holder=$(od -An -c "$records/tarvisk.txt" | tr -s ' ')
  if [ "$(cat "$records/atarvisk.txt")" = "$(printf -- '-%d\r' "$kill")" ] &&
    [ "$(cat "$records/tarvisk.txt")" = "$(printf 'Vecchio %d\r' "$kill")" ]; then
    old=$((old + 1))
  elif [ "$(cat "$records/atarvisk.txt")" = "$(printf '0\r')" ] &&
    [ "$(cat "$records/tarvisk.txt")" = "$(printf 'Nuovo\r')" ]; then
    new=$((new + 1))
  elif [ "$(cat "$records/atarvisk.txt")" = "$(printf '0\r')" ] &&
    [ "$(cat "$records/tarvisk.txt")" = "$(printf 'Vecchio %d\r' "$kill")" ]; then
    echo "kill $kill: the new score beside the previous holder"
  else
    fail "kill $kill left score [$score] holder [$holder]"
  fi
done
echo "$kills kills of the real program: $old found the old record, $new the new one"
