# SPDX-FileCopyrightText: 2026 The Dorvana developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A private X server and the game on it, driven with xdotool; every process started here is ended here."""
import importlib.util
import os
import re
import shutil
import signal
import subprocess
import sys
import time


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(what, probe, timeout_s=8.0):
    """Polls probe until it returns something truthy."""
    end = time.monotonic() + timeout_s
    while True:
        found = probe()
        if found:
            return found
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.1)


def require(tools=(), modules=()):
    """Ends the run when a tool or Python module it needs is missing: a skip (77), but a failure under
    DORVANA_TEST_STRICT, where ./test has installed them all first."""
    missing = [t for t in tools if shutil.which(t) is None and not os.access(t, os.X_OK)]
    missing += [m for m in modules if importlib.util.find_spec(m) is None]
    if not missing:
        return
    strict = bool(os.environ.get("DORVANA_TEST_STRICT"))
    print("%s: missing %s (tools/setup test)" % ("FAIL" if strict else "SKIP", ", ".join(missing)))
    sys.exit(1 if strict else 77)


class Session:
    """The processes of one run; each is ended through its own process group, whatever happens."""

    def __init__(self):
        self.processes = []

    def start(self, argv, **kwargs):
        process = subprocess.Popen(argv, start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def start_x_server(self):
        """Starts Xvfb on a free display, makes it this process's display and returns its name."""
        read_end, write_end = os.pipe()
        self.start(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1600x1600x24", "-nolisten", "tcp"],
                   pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        check(number.isdigit(), "Xvfb did not report a display")
        os.environ["DISPLAY"] = ":" + number
        wait_for("the X server to take connections", lambda: subprocess.run(
            ["xdotool", "getdisplaygeometry"], capture_output=True, timeout=5).returncode == 0)
        return os.environ["DISPLAY"]

    def start_game(self, argv, **kwargs):
        """Starts the game. A new Xvfb on a loaded machine has been seen to turn away a Qt client's connection
        for a second or so while plain clients got through, so a game that ends at once gets more tries."""
        for _ in range(10):
            process = self.start(argv, **kwargs)
            time.sleep(0.3)
            if process.poll() is None:
                return process
            time.sleep(0.5)
        return process

    def end(self, process):
        if process.poll() is not None:
            return
        try:
            os.killpg(process.pid, signal.SIGTERM)
            process.wait(timeout=3)
        except (ProcessLookupError, subprocess.TimeoutExpired):
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            process.wait()

    def close(self):
        for process in reversed(self.processes):
            self.end(process)


def run_bounded(deadline_s, body):
    """Runs body(session) within the deadline; prints PASS or FAIL and returns the exit code."""
    def on_deadline(*_):
        raise Failure("the run took longer than %d s" % deadline_s)

    session = Session()
    signal.signal(signal.SIGALRM, on_deadline)
    signal.alarm(deadline_s)
    try:
        body(session)
    except Failure as failure:
        print("FAIL:", failure)
        return 1
    finally:
        signal.alarm(0)
        session.close()
    print("PASS")
    return 0


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=10).stdout.split()


def keys_to_window(window, *keys):
    # No window manager: the window gets the keyboard only when given it.
    xdotool("windowfocus", "--sync", window)
    xdotool("key", "--clearmodifiers", *keys)


def shown_windows(title="Dorvana"):
    return set(xdotool("search", "--onlyvisible", "--name", "^" + re.escape(title) + "$"))


def answer_prompt(name):
    """Types the name at the start prompt; returns the prompt's window."""
    [prompt] = wait_for("the name prompt", shown_windows)
    xdotool("windowfocus", "--sync", prompt)
    xdotool("type", "--delay", "20", name)
    keys_to_window(prompt, "Return")
    return prompt


def close_box(known):
    """Closes the newest box, the one shown window not among the known ones; returns its window."""
    box = wait_for("a box", lambda: shown_windows() - set(known)).pop()
    keys_to_window(box, "Return")
    return box


def walk(accessible):
    yield accessible
    for child in accessible:
        if child is not None:
            yield from walk(child)


def print_labels(which):
    """Prints the shown labels of the game's one shown window, "box" or "main", one a line with line breaks as
    \\n, as the accessibility bus reads them."""
    import pyatspi  # looks for the accessibility bus as it loads

    def showing(node):
        return node.getState().contains(pyatspi.STATE_SHOWING)

    def is_main(window):
        return any(n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "Exit" for n in walk(window))

    for _ in range(50):
        for app in pyatspi.Registry.getDesktop(0):
            if app is None or app.name != "dorvana":
                continue
            windows = [w for w in app if w is not None and showing(w) and is_main(w) == (which == "main")]
            if len(windows) == 1:
                for node in walk(windows[0]):
                    if node.getRole() == pyatspi.ROLE_LABEL and showing(node):
                        print(node.name.replace("\n", "\\n"))
                return
        time.sleep(0.1)
    sys.exit("no single %s window on the accessibility bus" % which)


if __name__ == "__main__":  # xsession.py labels box|main
    print_labels(sys.argv[2])
