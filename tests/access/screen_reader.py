#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Dorvana developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays the start of a game on a private X server and reads the window over AT-SPI, as a screen reader does.

Usage: /usr/bin/python3 screen_reader.py path/to/dorvana
"""
import os
import re
import subprocess
import sys
import tempfile

from xsession import (Failure, answer_prompt, check, close_box, keys_to_window, require, run_bounded,
                      shown_windows, wait_for, walk, xdotool)

PLAYER = "Ada & Bo"


def accessibility_bus_is_up():
    reply = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                            "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"],
                           capture_output=True, text=True, timeout=5).stdout
    return "boolean true" in reply


def main():
    game = sys.argv[1]
    require(["Xvfb", "xdotool", "dbus-run-session", "dbus-daemon", "/usr/libexec/at-spi-bus-launcher"], ["pyatspi"])
    if not os.environ.get("DORVANA_OWN_BUS"):
        # A session bus of its own, which the accessibility bus is announced on.
        os.execvpe("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv],
                   dict(os.environ, DORVANA_OWN_BUS="1"))

    def body(session):
        with tempfile.TemporaryDirectory() as data:
            session.start_x_server()
            session.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], stderr=subprocess.DEVNULL)
            # Qt looks for the accessibility bus once, as it starts.
            wait_for("the accessibility bus", accessibility_bus_is_up)
            env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", XDG_DATA_HOME=data, XDG_RUNTIME_DIR=data,
                       QT_QPA_PLATFORM="xcb")
            game_process = session.start_game([game], env=env, stderr=subprocess.DEVNULL)
            # Imported only now: the library looks for the accessibility bus as it loads.
            import pyatspi
            run(pyatspi, game_process)

    return run_bounded(30, body)


def run(pyatspi, game_process):
    desktop = pyatspi.Registry.getDesktop(0)

    def game_app():
        return next((app for app in desktop if app is not None and app.name == "dorvana"), None)

    def showing(accessible):
        return accessible.getState().contains(pyatspi.STATE_SHOWING)

    def find(role, name=None, where=None):
        for accessible in walk(where or game_app()):
            if accessible.getRole() == role and (name is None or accessible.name == name):
                return accessible
        return None

    def extents(accessible):
        box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return box.x, box.y, box.width, box.height

    try:
        app = wait_for("the game on the accessibility bus", game_app, timeout_s=15)
    except Failure:
        names = [a.name for a in desktop if a is not None]
        raise Failure("the game (%s) is not on the accessibility bus, which lists %r" %
                      ("running" if game_process.poll() is None else "ended", names))
    prompt = wait_for("the name prompt", lambda: find(pyatspi.ROLE_LABEL, "Come ti chiami?", app))
    check(showing(prompt), "the prompt is not showing")
    prompt_window = answer_prompt(PLAYER)

    greeting_text = " " + PLAYER + " vediamo se sei un vero campione  "
    wait_for("the greeting", lambda: find(pyatspi.ROLE_LABEL, greeting_text))
    close_box({prompt_window})

    frame = wait_for("the game window", lambda: next(
        (w for w in game_app() if w is not None and w.getRole() == pyatspi.ROLE_FRAME and showing(w)
         and find(pyatspi.ROLE_PUSH_BUTTON, "Exit", w) is not None), None))
    check(frame.name == "Dorvana", "the window is called %r" % frame.name)

    def label(name):
        found = find(pyatspi.ROLE_LABEL, name, frame)
        check(found is not None, "no label %r" % name)
        check(showing(found), "label %r is not showing" % name)
        return found

    for heading in ["Punti complessivi", "Tempo restante", "Sfidante", "Il record  è di ", "con punti",
                    "Questo è il tuo punteggio. Forza con il  record"]:
        label(heading)
    score = label("0")
    player = label(PLAYER)

    exit_button = find(pyatspi.ROLE_PUSH_BUTTON, "Exit", frame)
    start_bar = find(pyatspi.ROLE_PUSH_BUTTON, "Clicca per iniziare", frame)
    check(start_bar is not None, "no start bar")
    check(showing(exit_button) and showing(start_bar), "the exit or the start bar is not showing")
    check(exit_button.getState().contains(pyatspi.STATE_ENABLED), "the exit is disabled")
    check(not start_bar.getState().contains(pyatspi.STATE_ENABLED), "the start bar is enabled")
    check(exit_button.queryAction().getKeyBinding(0) == "Alt+X",
          "the exit's key is %r" % exit_button.queryAction().getKeyBinding(0))

    # Found by role, not by name, so that a button announcing something else than a number is caught.
    numbers = [b for b in walk(frame) if b.getRole() == pyatspi.ROLE_PUSH_BUTTON
               and b.name not in ("Exit", "Clicca per iniziare", "Inizio")]
    check(len(numbers) == 6, "%d number buttons" % len(numbers))
    check(all(not showing(b) for b in numbers), "a number button shows before the start click")

    def announced_as_dealt():
        """The names as a deal leaves them: six plain numbers, three of them multiples of 6."""
        names = [b.name for b in numbers]
        check(all(re.fullmatch(r"[1-9]\d*", n) for n in names) and sum(int(n) % 6 == 0 for n in names) == 3,
              "the number buttons announce %r" % names)
        return names

    dealt = announced_as_dealt()

    # Geometry as designed, relative to the heading in the top-left corner (its left edge lies off the window).
    heading = label("Punti complessivi")
    hx, hy, hw, hh = extents(heading)
    ex, ey, ew, eh = extents(exit_button)
    sx, sy, sw, sh = extents(start_bar)
    check((hw, hh) == (209, 49), "heading extents %r" % ((hx, hy, hw, hh),))
    check((ex - hx, ey - hy, ew, eh) == (416, 0, 209, 49), "exit extents %r" % ((ex, ey, ew, eh),))
    check((sx - hx, sy - hy, sw, sh) == (208, 0, 214, 49), "start bar extents %r" % ((sx, sy, sw, sh),))
    px, py, _, _ = extents(player)
    check((px - hx, py - hy) == (136, 304), "player name at %r" % ((px - hx, py - hy),))
    check(extents(score)[2] > 0, "the score has no width")

    # The clock's name follows its text, second by second.
    clock = next((l for l in walk(frame) if l.getRole() == pyatspi.ROLE_LABEL and re.fullmatch(r"00:0[45]:\d\d", l.name)),
                 None)
    check(clock is not None, "no clock among the labels")
    first = clock.name
    wait_for("the clock to move on", lambda: clock.name != first, timeout_s=3)
    check(re.fullmatch(r"00:0[45]:\d\d", clock.name), "the clock reads %r" % clock.name)

    # A click on the start bar starts the board: buttons come into view, and their names follow each new deal.
    xdotool("mousemove", str(sx + sw // 2), str(sy + sh // 2), "click", "1")
    shown = wait_for("a number button to show", lambda: [b for b in numbers if showing(b)], timeout_s=4)
    for button in shown:
        check(button.getState().contains(pyatspi.STATE_FOCUSABLE), "number button %s takes no focus" % button.name)
        check(extents(button)[2:] == (81, 81), "number button %s extents %r" % (button.name, extents(button)))
    wait_for("a new deal to be announced", lambda: [b.name for b in numbers] != dealt, timeout_s=5)
    announced_as_dealt()

    # Alt+X runs the exit sequence; its goodbye box ends the run.
    [window] = shown_windows()
    keys_to_window(window, "alt+x")
    close_box({window})
    try:
        code = game_process.wait(timeout=8)
    except subprocess.TimeoutExpired:
        raise Failure("the game did not end after its goodbye")
    check(code == 0, "the game ended with %d" % code)


if __name__ == "__main__":
    sys.exit(main())
