#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Dorvana developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Windows setup silently into a fresh Wine prefix on a virtual screen with a sound server of its
# own, plays the game from its Start-menu link (name, colour bands, laser, Alt+X, record files), uninstalls it
# silently, and then does the same install and uninstall for all users.
# Usage: play_under_wine.sh path/to/dorvana-VERSION-setup.exe
set -euo pipefail

setup=$(realpath "$1")
source "$(dirname "$0")/../e2e/xsession.sh" wine wineboot wineserver pulseaudio pactl parec import convert
export HOME="$work/home" WINEPREFIX="$work/prefix" WINEDEBUG=-all
# No offer to fetch Mono or Gecko into the new prefix: the game needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir "$HOME"
parec_pid=
stop_all() {
  [ -n "$parec_pid" ] && kill "$parec_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  pulseaudio --kill 2>/dev/null || true
  cleanup
}
trap stop_all EXIT
seconds_since() { echo "$(date +%s%N) $1" | awk '{printf "%.1f", ($1 - $2) / 1e9}'; }

size=$(stat -c %s "$setup")
[ "$size" -le $((15 * 1024 * 1024)) ] || fail "the setup is $size bytes, more than 15 MiB"

pulseaudio --daemonize=yes --exit-idle-time=-1 -n --load="module-null-sink sink_name=out" \
  --load="module-native-protocol-unix" 2>"$work/pulseaudio.log" || fail "no sound server: $(cat "$work/pulseaudio.log")"
pactl set-default-sink out
parec -d out.monitor --rate=22050 --channels=1 --format=s16le --raw --latency-msec=5 >"$work/rec.raw" &
parec_pid=$!
loud_samples() { # from byte, bytes
  od -An -v -t d2 -w2 -j "$1" -N "$2" "$work/rec.raw" | awk '$1 > 300 || $1 < -300 {n++} END {print n + 0}'
}

start=$(date +%s%N)
wineboot --init >"$work/wine.log" 2>&1 && wineserver -w || fail "no Wine prefix: $(cat "$work/wine.log")"
echo "# Wine prefix made in $(seconds_since "$start") s"

c="$WINEPREFIX/drive_c"
user_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dorvana'
machine_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dorvana'
registry() { wine reg query "$@" 2>/dev/null | tr -d '\r'; }
registry_value() { registry "$1" /v "$2" | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }

# Installs with the options given, checks the folder, the link and the Apps & features entry; sets folder and link.
install() { # expected folder, expected link, uninstall key, setup options...
  local expected_folder=$1 expected_link=$2 key=$3 value
  shift 3
  start=$(date +%s%N)
  wine "$setup" "$@" >>"$work/wine.log" 2>&1 || fail "the setup $* failed"
  echo "# installed ($*) in $(seconds_since "$start") s"
  folder=$(compgen -G "$expected_folder") || fail "nothing installed in $expected_folder"
  link=$(compgen -G "$expected_link") || fail "no Start-menu link $expected_link"
  for value in dorvana.exe platforms/qwindows.dll suoni/laser.wav uninstall.exe; do
    [ -f "$folder/$value" ] || fail "$value is not installed"
  done
  for value in DisplayName DisplayIcon Publisher UninstallString QuietUninstallString InstallLocation \
    EstimatedSize NoModify NoRepair; do
    [ -n "$(registry_value "$key" "$value")" ] || fail "$key has no $value"
  done
  [ "$(registry_value "$key" DisplayVersion)" = 1.0 ] || fail "$key names version [$(registry_value "$key" DisplayVersion)]"
}

# Runs the quiet uninstall command as Apps & features would; the uninstaller finishes after it returns.
uninstall() { # uninstall key
  local command exe
  command=$(registry_value "$1" QuietUninstallString)
  exe=$(sed 's/^"\([^"]*\)".*/\1/' <<<"$command")
  # shellcheck disable=SC2046 # the options after the quoted program, split as Windows would
  wine "$exe" $(sed 's/^"[^"]*"//' <<<"$command") >>"$work/wine.log" 2>&1 || fail "[$command] failed"
  for _ in $(seq 100); do [ -e "$folder" ] || [ -e "$link" ] || break; sleep 0.3; done
  [ -e "$folder" ] && fail "left behind after uninstalling: $(find "$folder")"
  [ -e "$link" ] && fail "the Start-menu link is left behind"
  registry "$1" >/dev/null && fail "the uninstall key $1 is left behind"
  return 0
}

programs="$c/users/*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
install "$c/users/*/AppData/Local/Programs/Dorvana" "$programs/Dorvana.lnk" "$user_key" /S /CurrentUser
echo "ok 1 - installs silently for the current user, with a Start-menu link and an uninstall entry"

# Opened as the Start menu opens it. "start /wait" does not wait for a linked program, so the game's own process
# is looked up: the one from this prefix.
start=$(date +%s%N)
wine start /unix "$link" >"$work/game.log" 2>&1 || fail "the link did not open"
for _ in $(seq 100); do
  for pid in $(pgrep -f 'dorvana\.exe' || true); do
    grep -qzx "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null && game_pid=$pid
  done
  [ -n "$game_pid" ] && break
  sleep 0.1
done
[ -n "$game_pid" ] || fail "the link started no dorvana.exe"
prompt=$(new_window)
echo "# name prompt $(seconds_since "$start") s after the link was opened"
xdotool windowfocus --sync "$prompt"
xdotool type --delay 60 "Pia"
xdotool key Return
gone "$prompt"
greeting=$(new_window "$prompt")
press "$greeting" Return
main=$(new_window "$prompt" "$greeting")
echo "ok 2 - the linked game asks for the name and shows its window"

# Down the window's right edge: one red and green, each a multiple of 20, over blue growing from 0 to 255.
sleep 0.5
import -window "$main" "$work/main.png"
width=$(identify -format %w "$work/main.png")
bands=$(convert "$work/main.png" -crop "1x+$((width - 4))+0" +repage -depth 8 txt:- |
  sed -n 's/^0,\([0-9]*\): (\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3 \4/p')
height=$(wc -l <<<"$bands")
awk -v h="$height" '
  $1 == int(h * 0.05) { top = $4; r = $2; g = $3 }
  $1 > h * 0.05 && $1 < h * 0.95 && ($2 != r || $3 != g || $4 < last) { bad = 1 }
  $1 > h * 0.05 { last = $4 }
  $1 == int(h * 0.95) { bottom = $4 }
  END { exit !(!bad && r % 20 == 0 && r >= 20 && g % 20 == 0 && top < 40 && bottom > 215) }' <<<"$bands" ||
  fail "no colour bands down the window's right edge: $(awk 'NR % 40 == 1' <<<"$bands" | tr '\n' ' ')"
echo "ok 3 - the window shows its colour bands"

before_click=$(stat -c %s "$work/rec.raw")
xdotool mousemove --window "$main" 300 400 click 1
heard=0
for _ in $(seq 50); do
  sleep 0.1
  heard=$(loud_samples "$before_click" $((5 * 2 * 22050)))
  [ "$heard" -ge 2205 ] && break
done
[ "$heard" -ge 2205 ] || fail "no laser heard in the 5 s after the start click ($heard loud samples)"
echo "ok 4 - a laser is heard through Wine after the start click ($heard loud samples)"

press "$main" alt+x
farewell=$(new_window "$prompt" "$greeting" "$main")
press "$farewell" Return
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end after Alt+X and the farewell"
game_pid=
records=$(compgen -G "$c/users/*/AppData/Roaming/dorvana") || fail "no dorvana folder in AppData/Roaming"
[ -f "$records/atarvisk.txt" ] && [ -f "$records/tarvisk.txt" ] || fail "the record files are missing: $(ls "$records")"
echo "ok 5 - Alt+X ends the game, and the record files are in AppData/Roaming/dorvana"

uninstall "$user_key"
[ -f "$records/atarvisk.txt" ] && [ -f "$records/tarvisk.txt" ] || fail "uninstalling took the player's records"
echo "ok 6 - the quiet uninstall leaves nothing of the program and keeps the records"

install "$c/Program Files/Dorvana" "$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Dorvana.lnk" \
  "$machine_key" /S
registry "$user_key" >/dev/null && fail "the all-users install wrote the current user's uninstall key"
uninstall "$machine_key"
echo "ok 7 - as administrator it installs for all users and uninstalls silently"
