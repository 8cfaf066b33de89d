#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a screen reader hears: the real program on Xvfb, read through AT-SPI.

On a session bus of its own, with the settings window shown at start: its frame, and every button, check box, list and scroll bar in it, must carry an
accessible name and description; the transparency scroll bar is named after its own
caption. Exit 77 means skipped (a tool or the accessibility bus is missing).
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77


def skip(reason):
    print("SKIPPED: " + reason)
    sys.exit(SKIP)


try:
    import pyatspi
except ImportError:
    skip("python3-pyatspi is not installed")
if not shutil.which("Xvfb"):
    skip("Xvfb is not installed")
if not shutil.which("at-spi-bus-launcher") and not os.path.exists(
        "/usr/libexec/at-spi-bus-launcher"):
    skip("at-spi2-core is not installed")
if os.environ.get("VANTORIL_PRIVATE_BUS") != "1":
    # A session bus of the test's own, so that no desktop's screen reader hears it.
    if not shutil.which("dbus-run-session"):
        skip("dbus-run-session is not installed")
    os.environ["VANTORIL_PRIVATE_BUS"] = "1"
    os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable] + sys.argv)

CONTROL_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_SCROLL_BAR, pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_TEXT,
}
SETTINGS_TITLE = "Настройки программы"


def start_xvfb():
    """Xvfb on a free display; it writes the display's number once it accepts clients."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-ac", "-nolisten", "tcp",
                               "-screen", "0", "1024x768x24"], pass_fds=(write_end,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as numbers:
        number = numbers.readline().strip()
    if not number:
        server.kill()
        skip("Xvfb did not start")
    return server, ":" + number


def controls(node, found):
    for child in node:
        if child is None:
            continue
        if child.getRole() in CONTROL_ROLES:
            found.append(child)
        controls(child, found)
    return found


def settings_frame():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for frame in app:
            if frame is not None and frame.name == SETTINGS_TITLE:
                return frame
    return None


def main():
    program = sys.argv[1]
    work = tempfile.mkdtemp()
    server = None
    running = None
    try:
        server, display = start_xvfb()
        shutil.copy(program, os.path.join(work, "vantoril"))
        with open(os.path.join(work, "inet.conf"), "wb") as conf:
            conf.write(b"[Vantoril]\r\nhide_start=0\r\nTransparent=200\r\n"
                       b"link_source=scenario:idle.scenario\r\n")
        with open(os.path.join(work, "idle.scenario"), "w") as scenario:
            scenario.write("0 down\n")
        os.mkdir(os.path.join(work, "run"), 0o700)
        env = dict(os.environ, DISPLAY=display, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   XDG_RUNTIME_DIR=os.path.join(work, "run"),
                   XDG_CONFIG_HOME=os.path.join(work, "run"))
        env.pop("QT_QPA_PLATFORM", None)
        env.pop("WAYLAND_DISPLAY", None)
        running = subprocess.Popen([os.path.join(work, "vantoril")], env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        frame = None
        for _ in range(100):
            frame = settings_frame()
            if frame is not None:
                break
            time.sleep(0.1)
        if frame is None:
            skip("the settings window never appeared on the accessibility bus")

        problems = []
        if not frame.description:
            problems.append("the window has no description")
        found = controls(frame, [])
        for control in found:
            what = "%s %r" % (control.getRoleName(), control.name)
            if not control.name:
                problems.append(what + " has no name")
            if not control.description:
                problems.append(what + " has no description")
        names = [c.name for c in found if c.getRole() == pyatspi.ROLE_SCROLL_BAR]
        if names != ["Прозрачность"]:
            problems.append("the scroll bars are named %r" % names)
        roles = sorted(c.getRoleName() for c in found)
        print("read %d controls: %s" % (len(found), ", ".join(roles)))
        if len(found) < 10:
            problems.append("only %d controls of 10" % len(found))
        for problem in problems:
            print("FAILED: " + problem)
        return 1 if problems else 0
    finally:
        for process in (running, server):
            if process is not None:
                process.kill()
                process.wait()
        shutil.rmtree(work, ignore_errors=True)


sys.exit(main())
