#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Dorvana developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Kills the real program with SIGKILL while it writes a new record, timed by the files it puts on disk, several
# times; after each kill the program is started again, and the record files must then hold the old record or
# the new one, byte for byte, never one file of each. Fails when no kill landed inside the write.
# Usage: kill_real_program.sh path/to/dorvana [kills]
set -euo pipefail

game_binary=$1
kills=${2:-10}
set --
source "$(dirname "$0")/../e2e/xsession.sh"
mkdir -p "$records"

# Starts the game and answers the name prompt and the greeting with this name; known holds both windows.
start_as() {
  launch_game
  known=("$(new_window)")
  press "${known[0]}" "$@" Return
  known+=("$(new_window "${known[@]}")")
  press "${known[1]}" Return
}

# Whether the files hold these score and holder lines, each a printf format.
holds() { cmp -s "$records/atarvisk.txt" <(printf -- "$1") && cmp -s "$records/tarvisk.txt" <(printf -- "$2"); }

# Which record the two files hold, whole: old, new, or anything else.
pair() {
  if compgen -G "$records/*.new" >/dev/null; then
    echo "a line beside the files"
  elif holds "-$1\r\n" "Vecchio $1\r\n"; then
    echo old
  elif holds '0\r\n' 'Nuovo\r\n'; then
    echo new
  else
    echo "score [$(od -An -c "$records/atarvisk.txt" | tr -s ' ')] holder [$(od -An -c "$records/tarvisk.txt" | tr -s ' ')]"
  fi
}

before=0 writing=0 after=0
for kill in $(seq "$kills"); do
  # A negative record, so that the score of 0 on show at the start beats it.
  printf -- '-%d\r\n' "$kill" >"$records/atarvisk.txt"
  printf 'Vecchio %d\r\n' "$kill" >"$records/tarvisk.txt"
  start_as N u o v o
  main=$(new_window "${known[@]}")
  press "$main" alt+x
  farewell=$(new_window "${known[@]}" "$main")
  # The kill waits for the first new line beside the files, then a random few milliseconds at most.
  (
    deadline=$((SECONDS + 10))
    until compgen -G "$records/*.new" >/dev/null || [ $SECONDS -ge $deadline ]; do :; done
    for ((spin = RANDOM % 500; spin > 0; spin--)); do :; done
    kill -9 "$game_pid"
  ) &
  killer=$!
  xdotool windowfocus --sync "$farewell"
  xdotool key Return
  wait "$killer"
  { wait "$game_pid" || true; } 2>/dev/null
  case $(pair "$kill") in
    old) before=$((before + 1)) ;;
    new) after=$((after + 1)) ;;
    *) writing=$((writing + 1)) ;;
  esac

  start_as A l t r o
  new_window "${known[@]}" >/dev/null # the load, which settles the record, is over
  kill -9 "$game_pid"
  { wait "$game_pid" || true; } 2>/dev/null
  game_pid=
  found=$(pair "$kill")
  [ "$found" = old ] || [ "$found" = new ] || fail "kill $kill, after the next start: $found"
done
echo "$kills kills: $before before the write, $writing while writing, $after after"
[ "$writing" -gt 0 ] || fail "no kill landed while the record was being written"
