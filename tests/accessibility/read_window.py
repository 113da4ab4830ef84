#!/usr/bin/env python3
"""Reads the editor's window through the accessibility bus, as a screen reader does.

Starts a session bus of its own and a virtual display (Xvfb where installed, else the offscreen
platform), starts the editor on a file with a problem, selects a list row through the bus and
walks the tree. Fails on a showing control that a screen reader could not name, on a missing
status bar, on a value editor title that does not follow the row, or on a problem row that does
not read as one sentence. Skips (exit 77) where the bus or the display cannot start.

Usage: read_window.py EDITOR DEMO_SERVER
"""

import importlib.util
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
# Controls a user acts on: each must be announced by a name or a description.
NAMED_ROLES = {
    "push button", "toggle button", "check box", "radio button", "text", "entry",
    "password text", "combo box", "spin button", "tree", "tree table", "table", "list",
}
# Containers whose cells are the rows of a document or a catalogue: their cells are read
# through the table, not one by one.
CELL_HOLDERS = {"tree", "tree table", "table", "list"}
DOCUMENT = "LISTENPORT 7420\r\nLISTENPROT 7420\r\n"
SENTENCE = re.compile(r"Line 2, (error|warning), Unknown setting LISTENPROT\. Did you mean LISTENPORT\?")


def skip(reason):
    print("SKIP: " + reason)
    sys.exit(SKIP)


def wait_for(what, seconds):
    """Polls what() until it returns something true, for at most seconds."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = what()
        if found:
            return found
        time.sleep(0.2)
    return None


def start_session_bus(started):
    if not shutil.which("dbus-daemon"):
        skip("dbus-daemon is not installed")
    bus = subprocess.Popen(
        ["dbus-daemon", "--session", "--nofork", "--print-address"],
        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    started.append(bus)
    address = bus.stdout.readline().strip()
    if not address:
        skip("the session bus did not start")
    return address


def start_display(started):
    """The DISPLAY of a new Xvfb, or None where there is none: then the editor runs offscreen."""
    if not shutil.which("Xvfb"):
        return None
    read, write = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=(write,), stderr=subprocess.DEVNULL)
    started.append(server)
    os.close(write)
    with os.fdopen(read) as pipe:
        number = pipe.readline().strip()
    return ":" + number if number else None


def name_of(node):
    try:
        return node.name or ""
    except Exception:
        return ""


def role_of(node):
    try:
        return node.getRoleName()
    except Exception:
        return ""


def showing(node):
    import pyatspi

    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def walk(node, depth=0):
    """Every accessible under node, the cells of tables and trees left out."""
    yield node
    if role_of(node) in CELL_HOLDERS or depth > 40:
        return
    try:
        children = [node.getChildAtIndex(i) for i in range(node.childCount)]
    except Exception:
        return
    for child in children:
        if child is not None:
            yield from walk(child, depth + 1)


def find(root, test):
    return next((node for node in walk(root) if test(node)), None)


def check(app):
    faults = []
    # The splash window comes first; the main window's title names the file it opened.
    window = wait_for(lambda: find(app, lambda n: role_of(n) == "frame" and showing(n) and
                                   name_of(n).startswith("DraCFG Editor [")), 15)
    if not window:
        return ["the main window never showed on the bus"]

    list_view = wait_for(lambda: find(window, lambda n: name_of(n) == "List View" and
                                      role_of(n) in CELL_HOLDERS and showing(n)), 5)
    if not list_view:
        faults.append("no showing list view found by its name")
    else:
        table = list_view.queryTable()
        setting = name_of(table.getAccessibleAt(0, 0))
        table.addRowSelection(0)
        title = wait_for(lambda: find(window, lambda n: role_of(n) == "label" and
                                      name_of(n) == setting and showing(n)), 5)
        if not setting or not title:
            faults.append("the value editor's title does not read the selected row's "
                          "setting (%r)" % setting)

    problems = find(window, lambda n: name_of(n) == "Problems" and role_of(n) in CELL_HOLDERS)
    if not problems:
        faults.append("the Problems list cannot be found by its name")
    else:
        read = wait_for(lambda: name_of(problems.queryTable().getAccessibleAt(0, 0)), 5)
        if not SENTENCE.fullmatch(read or ""):
            faults.append("the first problem reads %r, not as one sentence" % read)

    if not find(window, lambda n: role_of(n) == "status bar" and showing(n)):
        faults.append("no status bar")
    for node in walk(window):
        if role_of(node) in NAMED_ROLES and showing(node):
            description = ""
            try:
                description = node.description or ""
            except Exception:
                pass
            if not name_of(node) and not description:
                faults.append("a showing %s has neither name nor description" % role_of(node))
    return faults


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    editor, demo_server = sys.argv[1:]
    # The bindings come with the system's Python, which may not be the one on the PATH.
    if importlib.util.find_spec("pyatspi") is None:
        system = "/usr/bin/python3"
        if os.path.realpath(sys.executable) != os.path.realpath(system) and os.access(system, os.X_OK):
            os.execv(system, [system] + sys.argv)
        skip("python3-pyatspi is not installed")
    started = []
    scratch = tempfile.TemporaryDirectory()
    try:
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = start_session_bus(started)
        os.environ.pop("DISPLAY", None)
        os.environ.pop("WAYLAND_DISPLAY", None)
        display = start_display(started)
        try:
            import pyatspi
        except ImportError:
            skip("python3-pyatspi is not installed")

        document = os.path.join(scratch.name, "problem.cfg")
        with open(document, "w", newline="") as out:
            out.write(DOCUMENT)
        # In the list view, where a row can be selected.
        store = os.path.join(scratch.name, "config", "DraCFG Editor")
        os.makedirs(store)
        with open(os.path.join(store, "DraCFG Editor.conf"), "w") as out:
            out.write("[Settings]\nShowTextBox=False\n")
        env = dict(os.environ, KELMPATH=demo_server, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_CONFIG_HOME=os.path.join(scratch.name, "config"),
                   XDG_RUNTIME_DIR=scratch.name)
        if display:
            env["DISPLAY"] = display
            env["QT_QPA_PLATFORM"] = "xcb"
        else:
            env["QT_QPA_PLATFORM"] = "offscreen"
        editor_process = subprocess.Popen([editor, document], env=env,
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        started.append(editor_process)

        def editor_app():
            try:
                desktop = pyatspi.Registry.getDesktop(0)
                for i in range(desktop.childCount):
                    app = desktop.getChildAtIndex(i)
                    if app is not None and app.get_process_id() == editor_process.pid:
                        return app
            except Exception:
                return None
            return None

        app = wait_for(editor_app, 15)
        if not app:
            if editor_process.poll() is not None:
                print("FAIL: the editor ended with %d" % editor_process.returncode)
                return 1
            skip("the editor never appeared on the accessibility bus")
        faults = check(app)
        for fault in faults:
            print("FAIL: " + fault)
        if not faults:
            print("The window reads as a screen reader needs it.")
        return 1 if faults else 0
    finally:
        for process in reversed(started):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
        scratch.cleanup()


if __name__ == "__main__":
    sys.exit(main())
