#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Dorvana developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Windows setup silently for the current user into a fresh Wine prefix, on a virtual screen with a
# sound server of its own; plays the game from its Start-menu link (name, colour bands, laser, Alt+X, records),
# plays it again with a cue that lasts seconds, and uninstalls it silently; then installs and uninstalls it for all
# users.
# Usage: play_under_wine.sh path/to/dorvana-VERSION-setup.exe
set -euo pipefail

setup=$(realpath "$1")
source "$(dirname "$0")/../e2e/xsession.sh" wine wineboot wineserver pulseaudio pactl parec import convert compare \
  python3
[ "$(stat -c %s "$setup")" -le $((15 * 1024 * 1024)) ] || fail "the setup is larger than 15 MiB"
start_sound_server
# No offer to fetch Mono or Gecko into the new prefix: the game needs neither.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; cleanup' EXIT
wineboot --init >"$work/wine.log" 2>&1 && wineserver -w || fail "no Wine prefix: $(cat "$work/wine.log")"
c="$WINEPREFIX/drive_c"
since() { echo "$(date +%s%N) $1" | awk '{printf "%.1f s", ($1 - $2) / 1e9}'; }
value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }

# Installs, then checks the program's files, its link and its Apps & features entry; sets folder and link.
install() { # folder, link, uninstall key, setup options...
  local name
  wine "$setup" "${@:4}" >>"$work/wine.log" 2>&1 || fail "the setup ${*:4} failed"
  folder=$(compgen -G "$1") && link=$(compgen -G "$2") || fail "no $1 or no $2 after installing"
  for name in dorvana.exe platforms/qwindows.dll suoni/laser.wav; do [ -f "$folder/$name" ] || fail "no $name"; done
  for name in DisplayName DisplayIcon Publisher UninstallString QuietUninstallString InstallLocation \
    EstimatedSize NoModify NoRepair; do [ -n "$(value "$3" $name)" ] || fail "$3 has no $name"; done
  [ "$(value "$3" DisplayVersion)" = 1.0 ] || fail "$3 names version [$(value "$3" DisplayVersion)]"
}

# Runs the quiet uninstall command as Apps & features would; the uninstaller finishes after it returns.
uninstall() { # uninstall key
  local command
  command=$(value "$1" QuietUninstallString)
  # shellcheck disable=SC2046 # the options after the quoted program, split as Windows splits them
  wine "$(cut -d'"' -f2 <<<"$command")" $(cut -d'"' -f3 <<<"$command") >>"$work/wine.log" 2>&1 || fail "$command"
  for _ in $(seq 100); do [ -e "$folder" ] || [ -e "$link" ] || break; sleep 0.3; done
  [ -e "$folder" ] || [ -e "$link" ] && fail "left behind: $(find "$folder" "$link" 2>/dev/null)"
  [ -z "$(value "$1" DisplayName)" ] || fail "$1 is left behind"
}

install "$c/users/*/AppData/Local/Programs/Dorvana" \
  "$c/users/*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Dorvana.lnk" \
  'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dorvana' /S /CurrentUser
echo "ok 1 - installs silently for the current user, with a Start-menu link and an uninstall entry"

# Opens the game from its link and answers the name prompt with the keys given, then the greeting; sets game_pid
# and the windows prompt, greeting and main.
open_game() { # keys...
  local start
  # "start /wait" does not wait for a linked program, so the game's process is looked up: the one in this prefix.
  start=$(date +%s%N)
  wine start /unix "$link" >"$work/game.log" 2>&1 || fail "the link did not open"
  for _ in $(seq 100); do
    for pid in $(pgrep -f 'dorvana\.exe' || true); do
      grep -qzx "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null && game_pid=$pid
    done
    [ -n "$game_pid" ] && break
    sleep 0.1
  done
  prompt=$(new_window)
  echo "# the name prompt $(since "$start") after the link was opened"
  press "$prompt" "$@" Return
  greeting=$(new_window "$prompt")
  press "$greeting" Return
  main=$(new_window "$prompt" "$greeting")
}

# Alt+X and the farewell end the game; a loaded machine's Wine can take seconds over a process's end.
end_game() {
  press "$main" alt+x
  press "$(new_window "$prompt" "$greeting" "$main")" Return
  for _ in $(seq 300); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$game_pid" 2>/dev/null && fail "the game did not end after Alt+X and the farewell"
  game_pid=
}

open_game P i a

# Down the window's right edge, below the menu and the top bar and as far as the screen shows it: one red and
# green, multiples of 20, over a blue that grows with every band.
sleep 0.5
import -window "$main" "$work/main.png"
convert "$work/main.png" -gravity east -crop 1x+3+0 -depth 8 txt:- | tr -s '(),: ' ' ' | awk '
  NR > 1 { r[NR] = $3; g[NR] = $4; b[NR] = $5; n = NR }
  END { from = int(n * 0.2); to = int(n * 0.95)
    for (i = from + 1; i <= to; i++) if (r[i] != r[from] || g[i] != g[from] || b[i] < b[i - 1]) exit 1
    exit !(r[from] % 20 == 0 && r[from] >= 20 && g[from] % 20 == 0 && b[to] - b[from] > 100) }' ||
  fail "no colour bands down the window's right edge"
echo "ok 2 - the linked game asks for the name and shows its colour bands"

before_click=$(stat -c %s "$work/rec.raw")
xdotool mousemove --window "$main" 300 400 click 1
heard=$(cue_heard "$before_click")
[ "$heard" -ge 2205 ] || fail "no laser heard in the 5 s after the start click ($heard loud samples)"
echo "ok 3 - a laser is heard through Wine after the start click ($heard loud samples)"

end_game

# A laser that sounds for 6 s, a square wave well above the floor: the game must go on while it plays. Pictures of
# the window 1 s and 3 s after the start click differ only when the click's handler has long returned.
python3 - "$folder/suoni/laser.wav" <<'WAVE'
import struct, sys, wave
with wave.open(sys.argv[1], "wb") as cue:
    cue.setnchannels(1), cue.setsampwidth(2), cue.setframerate(22050)
    cue.writeframes(b"".join(struct.pack("<h", 8000 if i // 25 % 2 else -8000) for i in range(6 * 22050)))
WAVE
open_game L u n g o
before_click=$(stat -c %s "$work/rec.raw")
xdotool mousemove --window "$main" 300 400 click 1
sleep 1
import -window "$main" "$work/early.png"
sleep 2
import -window "$main" "$work/late.png"
# 22050 two-byte samples a second: the two seconds between the pictures, once recorded.
sleep 0.5
heard=$(loud_samples $((before_click + 44100)) $((2 * 44100)))
[ "$heard" -ge 22050 ] || fail "the long cue was not heard between the two pictures ($heard loud samples)"
changed=$(compare -metric AE "$work/early.png" "$work/late.png" null: 2>&1 || true)
awk -v n="${changed%% *}" 'BEGIN { exit !(n > 0) }' ||
  fail "the window stood still for 2 s while a long cue played: the click's handler waited for it ($changed)"
echo "ok 4 - a long cue does not hold the game up: $changed pixels changed while it played ($heard loud samples)"
end_game

records=$(compgen -G "$c/users/*/AppData/Roaming/dorvana") || fail "no dorvana folder in AppData/Roaming"
ls "$records/atarvisk.txt" "$records/tarvisk.txt" >/dev/null || fail "the record files are missing"
uninstall 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dorvana'
ls "$records/atarvisk.txt" "$records/tarvisk.txt" >/dev/null || fail "uninstalling took the player's records"
echo "ok 5 - Alt+X ends it with its records in AppData/Roaming/dorvana; uninstalling leaves only them"

install "$c/Program Files/Dorvana" "$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Dorvana.lnk" \
  'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dorvana' /S
uninstall 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dorvana'
echo "ok 6 - as administrator it installs for all users and uninstalls silently"
