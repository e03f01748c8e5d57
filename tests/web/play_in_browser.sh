#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Dorvana developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Serves a built web folder on 127.0.0.1 and plays it in Debian's chromium with a window on a private X
# server, its sound going to a recorded null sink (play.mjs says what it checks). puppeteer-core comes from
# the lock file beside this script, installed into the build folder.
# Usage: play_in_browser.sh FOLDER [DRIVER_FOLDER]
set -euo pipefail

site=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
driver=${2:-$(dirname "$site")/browser-driver}
source "$here/../e2e/xsession.sh" chromium node npm pulseaudio pactl parec python3

mkdir -p "$driver"
cp "$here/package.json" "$here/package-lock.json" "$here/play.mjs" "$here/frames.mjs" "$driver/"
if ! cmp -s "$here/package-lock.json" "$driver/node_modules/.package-lock.json" 2>/dev/null; then
  (cd "$driver" && npm ci --ignore-scripts --no-audit --no-fund --silent) || fail "puppeteer-core did not install"
fi

start_sound_server

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port" >"$work/server.log" 2>&1 &
helper_pids="$helper_pids $!"
for _ in $(seq 50); do python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/')" 2>/dev/null && break; sleep 0.1; done

DORVANA_WEB_SHOT=${DORVANA_WEB_SHOT:-$(dirname "$site")/browser-failure.png} \
  node "$driver/play.mjs" "http://127.0.0.1:$port/" "$work/rec.raw"
