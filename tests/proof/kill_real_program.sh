#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Dorvana developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Kills the real program with SIGKILL while it writes a new record, several times; after each kill the program is
# started again, and the record files must then hold the old record or the new one, byte for byte, never one
# file of each. The kills land on the write's steps themselves, whatever the machine's load: a first game, played
# to its record under strace, shows which links, renames and removals make up the write; each later game is
# killed by strace as it enters one of them, in turn. Fails when no kill left the write unfinished on disk.
# Usage: kill_real_program.sh path/to/dorvana [kills]
set -euo pipefail

game_binary=$1
kills=${2:-10}
set --
source "$(dirname "$0")/../e2e/xsession.sh" strace
mkdir -p "$records"
steps="link,linkat,rename,renameat,renameat2,unlink,unlinkat"

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

# Sets record n on disk: a negative one, so that the score of 0 on show at the start beats it.
set_old() { # n
  printf -- '-%d\r\n' "$1" >"$records/atarvisk.txt"
  printf 'Vecchio %d\r\n' "$1" >"$records/tarvisk.txt"
}

# Plays a game to its new record and answers the farewell, which starts the write.
play_to_record() {
  start_as N u o v o
  main=$(new_window "${known[@]}")
  press "$main" alt+x
  farewell=$(new_window "${known[@]}" "$main")
  xdotool windowfocus --sync "$farewell"
  xdotool key Return
}

# The write's steps, each as "syscall:call number", counting only the calls on the records folder's files: from
# the first one that names a line beside the files to the last one. strace is then given those files' paths,
# spelled as the program spells them, so that its count of calls leaves out every other file (a cache, say).
set_old 1
game_wrapper=(strace -o "$work/steps" -e trace="$steps")
play_to_record
press "$(new_window "${known[@]}" "$main" "$farewell")" Return # the congratulation: the write is over
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
{ wait "$game_pid" || true; } 2>/dev/null
mapfile -t points < <(awk -F'(' -v folder="$records/" '
  index($0, folder) { calls[$1]++; if (started || index($0, ".new")) { started = 1; point[++n] = $1 ":" calls[$1] } }
  END { for (i = 1; i <= n; i++) print point[i] }' "$work/steps")
[ ${#points[@]} -gt 0 ] || fail "the program made no link, rename or removal in the records folder as it wrote"
mapfile -t paths < <(grep -o '"[^"]*"' "$work/steps" | tr -d '"' | grep -F "$records/" | sort -u)

before=0 writing=0 after=0
for kill in $(seq "$kills"); do
  set_old "$kill"
  point=${points[$(((kill - 1) % ${#points[@]}))]}
  game_wrapper=(strace -qq -o /dev/null "${paths[@]/#/-P}" -e trace="${point%:*}"
    -e inject="${point%:*}:signal=KILL:when=${point#*:}")
  play_to_record
  for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && fail "kill $kill: the program never came to $point"
  { wait "$game_pid" || true; } 2>/dev/null
  case $(pair "$kill") in
    old) before=$((before + 1)) ;;
    new) after=$((after + 1)) ;;
    *) writing=$((writing + 1)) ;;
  esac

  game_wrapper=()
  start_as A l t r o
  new_window "${known[@]}" >/dev/null # the load, which settles the record, is over
  kill -9 "$game_pid"
  { wait "$game_pid" || true; } 2>/dev/null
  game_pid=
  found=$(pair "$kill")
  [ "$found" = old ] || [ "$found" = new ] || fail "kill $kill, after the next start: $found"
done
echo "$kills kills at ${points[*]}: $before before the write, $writing while writing, $after after"
[ "$writing" -gt 0 ] || fail "no kill landed while the record was being written"
