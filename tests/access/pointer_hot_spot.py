#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Dorvana developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the pointer the X server really shows over the game, at pixel ratios 1 and 2: it must be drawn for
the ratio and click where its picture points.

Usage: /usr/bin/python3 pointer_hot_spot.py path/to/dorvana
"""
import ctypes
import os
import re
import subprocess
import sys
import tempfile

from xsession import answer_prompt, check, close_box, require, run_bounded, shown_windows, wait_for, xdotool

require(["Xvfb", "xdotool"])


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("width", ctypes.c_ushort),
                ("height", ctypes.c_ushort), ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
x11.XFree.argtypes = [ctypes.c_void_p]
xfixes = ctypes.CDLL("libXfixes.so.3")
xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]


def shown_pointer():
    """The pointer image on screen now: its size, hot spot and ARGB pixels by row."""
    display = x11.XOpenDisplay(None)
    check(display, "cannot open the display")
    try:
        image_pointer = xfixes.XFixesGetCursorImage(display)
        image = image_pointer.contents
        pixels = [image.pixels[k] & 0xFFFFFFFF for k in range(image.width * image.height)]
        found = (image.width, image.height), (image.xhot, image.yhot), pixels
        x11.XFree(image_pointer)
        return found
    finally:
        x11.XCloseDisplay(display)


def red_dot_centre(size, pixels):
    """The middle of the opaque red pixels: the cross-hair's aiming dot."""
    width = size[0]
    reds = [(k % width, k // width) for k, p in enumerate(pixels)
            if p >> 24 > 200 and (p >> 16) & 255 > 200 and (p >> 8) & 255 < 80 and p & 255 < 80]
    if not reds:
        return None
    return sum(x for x, _ in reds) / len(reds), sum(y for _, y in reds) / len(reds)


def shown_pointer_if(with_red_dot):
    """The pointer on screen, once it is the one with (or without) the red dot; the change follows the mouse."""
    size, hot, pixels = shown_pointer()
    return (size, hot, pixels) if (red_dot_centre(size, pixels) is not None) == with_red_dot else None


def window_size(window):
    geometry = " ".join(xdotool("getwindowgeometry", window))
    match = re.search(r"Geometry: (\d+)x(\d+)", geometry)
    return (int(match.group(1)), int(match.group(2))) if match else None


def check_at_ratio(session, game, ratio, data):
    env = dict(os.environ, QT_SCALE_FACTOR=str(ratio), XDG_DATA_HOME=data, XDG_RUNTIME_DIR=data,
               QT_QPA_PLATFORM="xcb")
    process = session.start_game([game], env=env, stderr=subprocess.DEVNULL)
    prompt = answer_prompt("Ada")
    close_box({prompt})

    def main_window():
        for window in shown_windows():
            size = window_size(window)
            if size and size[0] == 608 * ratio:
                return window, size
        return None

    window, (_, height) = wait_for("the game window", main_window)
    surface_top = height - 672 * ratio
    side = 32 * ratio
    where = "at ratio %d" % ratio

    # Over the backdrop: the cross-hair, which must click at its red dot.
    xdotool("mousemove", "--window", window, str(300 * ratio), str(surface_top + 400 * ratio))
    size, hot, pixels = wait_for("the cross-hair " + where, lambda: shown_pointer_if(True))
    check(size == (side, side), "the cross-hair is %r device pixels %s" % (size, where))
    dot = red_dot_centre(size, pixels)
    check(abs(hot[0] - dot[0]) <= 1 and abs(hot[1] - dot[1]) <= 1,
          "the cross-hair clicks at %r but its dot is at %r %s" % (hot, dot, where))

    # Over the start bar: the icon pointer, which clicks at its centre.
    xdotool("mousemove", "--window", window, str(307 * ratio), str(surface_top + 24 * ratio))
    size, hot, pixels = wait_for("the icon pointer " + where, lambda: shown_pointer_if(False))
    check(size == (side, side), "the icon pointer is %r device pixels %s" % (size, where))
    check(hot == (side // 2, side // 2), "the icon pointer clicks at %r %s" % (hot, where))
    session.end(process)


def main():
    game = sys.argv[1]

    def body(session):
        session.start_x_server()
        for ratio in (1, 2):
            with tempfile.TemporaryDirectory() as data:
                check_at_ratio(session, game, ratio, data)

    return run_bounded(25, body)


if __name__ == "__main__":
    sys.exit(main())
