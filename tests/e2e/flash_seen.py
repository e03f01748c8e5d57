#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Dorvana developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Clicks shown number buttons on the running board and times on the X server how long each hit's green or red
stays on the button's face. A red is over once the compositor has shown the warning box (a frame done for the
box's window in its log, which names an object name@id, or name#id with a newer libwayland); the box is then
answered. Prints each flash seen; fails on one under 100 ms or on none.

Usage: /usr/bin/python3 flash_seen.py path/to/compositor.log
"""
import re
import subprocess
import sys
import time

from Xlib import X, display

root = display.Display().screen().root
log = open(sys.argv[1], errors="replace")
log.seek(0, 2)
boxes = 0  # toplevels asked for and not yet destroyed
new_surfaces, box_frames, box_drawn, unread = set(), set(), False, ""
CYAN, GREEN, RED = b"\xff\xff\x00", b"\x00\xff\x00", b"\x00\x00\xff"  # pixels as the server sends them: BGR


def read_log():
    global boxes, box_drawn, unread
    unread += log.read()
    *lines, unread = unread.split("\n")
    for line in lines:
        if surface := re.search(r"get_xdg_surface\(new id xdg_surface[@#]\d+, wl_surface[@#](\d+)", line):
            new_surfaces.add(surface[1])
        elif "get_toplevel(" in line:
            boxes += 1
        elif re.search(r"xdg_toplevel[@#]\d+\.destroy\(\)", line):
            boxes -= 1
        elif frame := re.search(r"\] wl_surface[@#](\d+)\.frame\(new id wl_callback[@#](\d+)", line):
            if frame[1] in new_surfaces:
                box_frames.add(frame[2])
        elif (done := re.search(r"\]\s+-> wl_callback[@#](\d+)\.done", line)) and done[1] in box_frames:
            box_drawn = True


def face():
    """The top-left of a number button's face that shows whole, or None."""
    geometry = root.get_geometry()
    width = geometry.width
    data = root.get_image(0, 0, width, geometry.height, X.ZPixmap, 0xFFFFFFFF).data
    cyan = lambda x, y: data[4 * (y * width + x):4 * (y * width + x) + 3] == CYAN
    for run in re.finditer(rb"(?:\xff\xff\x00.){70,}", data, re.S):
        x, y = run.start() // 4 % width, run.start() // 4 // width
        if run.start() % 4 == 0 and x + 70 < width and all(cyan(x + dx, y + 70) for dx in (0, 35, 70)):
            return x, y


def answer_boxes():
    deadline = time.monotonic() + 5
    while time.monotonic() < deadline:
        time.sleep(0.3)
        read_log()
        if boxes <= 0:
            return
        subprocess.run(["xdotool", "key", "Return"], check=True)
    sys.exit("a warning box stayed open")


# A click can miss when the board moves just before it: the next shown button is tried, for a bounded time.
seen, deadline = [], time.monotonic() + 25
while len(seen) < 4 and time.monotonic() < deadline:
    spot = face()
    if not spot:
        time.sleep(0.2)
        continue
    x, y = spot
    new_surfaces.clear()
    box_frames.clear()
    box_drawn = False
    click = subprocess.Popen(["xdotool", "mousemove", str(x + 38), str(y + 38), "click", "1"])
    colour, began, ended, start = None, None, None, time.monotonic()
    while time.monotonic() - start < (1.5 if began else 0.8):
        now = time.monotonic()
        pixel = root.get_image(x + 4, y + 4, 1, 1, X.ZPixmap, 0xFFFFFFFF).data[:3]
        read_log()
        if began is None and pixel in (GREEN, RED):
            colour, began = pixel, now
        elif began is not None and (pixel != colour or box_drawn):
            ended = now
            break
    click.wait()
    if began is not None:
        seen.append(((ended or time.monotonic()) - began) * 1000)
        print(f"{'green' if colour == GREEN else 'red'} seen {seen[-1]:.0f} ms")
    answer_boxes()
    time.sleep(0.2)
if not seen or min(seen) < 100:
    sys.exit(f"flashes seen for {[round(ms) for ms in seen]} ms, each must last 100 ms")
