#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Dorvana developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Unpacks the built package into a scratch folder, without installing it, checks its menu entry and
# software-centre page, and plays its command from outside on a virtual screen with a real sound server:
# the name prompt, the start click, and the laser cue heard in the recording. It proves that the installed
# layout lets the program find its sound module and its cues.
# Usage: play_packaged.sh path/to/dorvana_VERSION_ARCH.deb [COMMAND]
# COMMAND, when given, is played instead of the unpacked one: a program that starts the installed game, say
# inside a fresh system root, seeing this script's /tmp.
set -euo pipefail

deb=$(realpath "$1")
source "$(dirname "$0")/../e2e/xsession.sh" pulseaudio pactl parec desktop-file-validate appstreamcli

root="$work/root"
dpkg -x "$deb" "$root"
game_binary=${2:-$root/usr/games/dorvana}
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "the menu entry does not validate"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >"$work/appstream.log" 2>&1 ||
  fail "the metainfo does not validate: $(cat "$work/appstream.log")"
echo "ok 1 - the unpacked menu entry and metainfo validate"

start_sound_server

launch_game
prompt=$(new_window)
press "$prompt" P i a Return
greeting=$(new_window "$prompt")
press "$greeting" Return
main=$(new_window "$prompt" "$greeting")
echo "ok 2 - the packaged command asks for the name and shows the window"

sleep 0.5
before_click=$(stat -c %s "$work/rec.raw")
xdotool mousemove --window "$main" 300 400 click 1
# The first cue loads the sound module, and with it Qt Multimedia; from a cold disk on a busy machine that has
# taken over a second.
heard=$(cue_heard "$before_click")
grep -q "plays no sound" "$work/game.log" && fail "the packaged program did not load its sound module"
early=$(loud_samples 0 "$before_click")
[ "$early" -eq 0 ] || fail "sound before the start click ($early loud samples)"
[ "$heard" -ge 2205 ] || fail "no laser heard in the 5 s after the start click ($heard loud samples)"
echo "ok 3 - a laser is heard after the start click ($heard loud samples)"
kill "$game_pid"
wait "$game_pid" 2>/dev/null || true
game_pid=
