#!/usr/bin/env python3
"""Reads the editor's window through the accessibility bus, as a screen reader does.

On a session bus of its own and a virtual display (Xvfb, else the offscreen platform) the editor
opens a file with a problem; a list row is selected through the bus and the tree is walked. Fails
on a showing control with neither name nor description, a missing status bar, a value editor
title that does not follow the row, or a problem row that is not one sentence. Skips (77) where
the bus, the display or the bindings are missing.

Usage: read_window.py EDITOR DEMO_SERVER
"""

import importlib.util
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
# Controls a user acts on: each must be announced by a name or a description.
NAMED_ROLES = {"push button", "toggle button", "check box", "radio button", "text", "entry",
               "password text", "combo box", "spin button", "tree", "tree table", "table", "list"}
# Their cells are read through the table, not walked one by one.
CELL_HOLDERS = {"tree", "tree table", "table", "list"}
DOCUMENT = "LISTENPORT 7420\r\nLISTENPROT 7420\r\n"
SENTENCE = re.compile(
    r"Line 2, (error|warning), Unknown setting LISTENPROT\. Did you mean LISTENPORT\?")


def skip(reason):
    print("SKIP: " + reason)
    sys.exit(SKIP)


def wait_for(what, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = what()
        if found:
            return found
        time.sleep(0.2)
    return None


def ask(node, what, default=""):
    """A property of an accessible that may have gone away meanwhile."""
    try:
        return what(node)
    except Exception:
        return default


def role(node):
    return ask(node, lambda n: n.getRoleName())


def name(node):
    return ask(node, lambda n: n.name or "")


def showing(node):
    import pyatspi

    return ask(node, lambda n: n.getState().contains(pyatspi.STATE_SHOWING), False)


def walk(node):
    yield node
    if role(node) not in CELL_HOLDERS:
        for i in range(ask(node, lambda n: n.childCount, 0)):
            child = ask(node, lambda n: n.getChildAtIndex(i), None)
            if child is not None:
                yield from walk(child)


def find(root, test):
    return next((node for node in walk(root) if test(node)), None)


def check(app):
    # The splash window comes first; the main window's title names the file it opened.
    window = wait_for(lambda: find(app, lambda n: role(n) == "frame" and showing(n) and
                                   name(n).startswith("DraCFG Editor [")), 15)
    if not window:
        return ["the main window never showed on the bus"]
    faults = []
    table = lambda n: role(n) in CELL_HOLDERS and showing(n)
    rows = wait_for(lambda: find(window, lambda n: name(n) == "List View" and table(n)), 5)
    if not rows:
        faults.append("no showing list view found by its name")
    else:
        setting = name(rows.queryTable().getAccessibleAt(0, 0))
        rows.queryTable().addRowSelection(0)
        if not setting or not wait_for(lambda: find(window, lambda n: role(n) == "label" and
                                                    name(n) == setting and showing(n)), 5):
            faults.append("the value editor's title does not read the row's %r" % setting)
    problems = find(window, lambda n: name(n) == "Problems" and table(n))
    read = problems and wait_for(lambda: name(problems.queryTable().getAccessibleAt(0, 0)), 5)
    if not SENTENCE.fullmatch(read or ""):
        faults.append("the first problem reads %r, not as one sentence" % read)
    if not find(window, lambda n: role(n) == "status bar" and showing(n)):
        faults.append("no status bar")
    for node in walk(window):
        if role(node) in NAMED_ROLES and showing(node) and not name(node) and \
                not ask(node, lambda n: n.description or ""):
            faults.append("a showing %s has neither name nor description" % role(node))
    return faults


def start(started, command, **options):
    process = subprocess.Popen(command, **options)
    started.append(process)
    return process


def run(editor, demo_server, scratch, started):
    # A bus and a display of its own, so that nothing else on the machine is read.
    if not shutil.which("dbus-daemon"):
        skip("dbus-daemon is not installed")
    bus = start(started, ["dbus-daemon", "--session", "--nofork", "--print-address"],
                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
    if not os.environ["DBUS_SESSION_BUS_ADDRESS"]:
        skip("the session bus did not start")
    for variable in ("DISPLAY", "WAYLAND_DISPLAY"):
        os.environ.pop(variable, None)
    env = dict(os.environ, KELMPATH=demo_server, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=scratch,
               XDG_CONFIG_HOME=os.path.join(scratch, "config"))
    if shutil.which("Xvfb"):
        read, write = os.pipe()
        start(started, ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24",
                        "-nolisten", "tcp"], pass_fds=(write,), stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()
        if number:
            env.update(DISPLAY=":" + number, QT_QPA_PLATFORM="xcb")
    import pyatspi

    # The list view shows, where a row can be selected.
    store = os.path.join(scratch, "config", "DraCFG Editor")
    os.makedirs(store)
    with open(os.path.join(store, "DraCFG Editor.conf"), "w") as out:
        out.write("[Settings]\nShowTextBox=False\n")
    document = os.path.join(scratch, "problem.cfg")
    with open(document, "w", newline="") as out:
        out.write(DOCUMENT)
    editor_process = start(started, [editor, document], env=env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)

    def editor_app():
        desktop = pyatspi.Registry.getDesktop(0)
        apps = [ask(desktop, lambda d: d.getChildAtIndex(i), None)
                for i in range(ask(desktop, lambda d: d.childCount, 0))]
        return next((a for a in apps if a is not None and
                     ask(a, lambda n: n.get_process_id(), 0) == editor_process.pid), None)

    app = wait_for(editor_app, 15)
    if not app:
        if editor_process.poll() is not None:
            print("FAIL: the editor ended with %d" % editor_process.returncode)
            return 1
        skip("the editor never appeared on the accessibility bus")
    faults = check(app)
    for fault in faults:
        print("FAIL: " + fault)
    print("" if faults else "The window reads as a screen reader needs it.")
    return 1 if faults else 0


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    # The bindings come with the system's Python, which may not be the one on the PATH.
    if importlib.util.find_spec("pyatspi") is None:
        system = "/usr/bin/python3"
        if os.path.realpath(sys.executable) != os.path.realpath(system) and \
                os.access(system, os.X_OK):
            os.execv(system, [system] + sys.argv)
        skip("python3-pyatspi is not installed")
    started = []
    with tempfile.TemporaryDirectory() as scratch:
        try:
            return run(sys.argv[1], sys.argv[2], scratch, started)
        finally:
            for process in reversed(started):
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()


if __name__ == "__main__":
    sys.exit(main())
