# SPDX-License-Identifier: GPL-3.0-or-later
"""A temporary program folder with a private session bus, an Xvfb display and the real
program started in them; shared by the desktop tests that speak D-Bus."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77


def skip(why):
    print("SKIPPED:", why)
    sys.exit(SKIP)


class Failure(Exception):
    pass


def wait_until(what, check, seconds=15.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if check():
            return
        time.sleep(0.1)
    raise Failure(what)


class Session:
    def __init__(self):
        self.work = tempfile.mkdtemp()
        self.processes = []
        self.address = self.display = self.env = None

    def path(self, name):
        return os.path.join(self.work, name)

    def start(self, command, **kwargs):
        process = subprocess.Popen(command, **kwargs)
        self.processes.append(process)
        return process

    def start_bus_and_display(self, screen="800x600x24"):
        daemon = self.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.address = daemon.stdout.readline().strip()
        read_fd, write_fd = os.pipe()
        self.start(["Xvfb", "-displayfd", str(write_fd), "-ac", "-nolisten", "tcp",
                    "-screen", "0", screen], pass_fds=(write_fd,),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as display_number:
            self.display = ":" + display_number.readline().strip()
        if self.display == ":":
            raise Failure("Xvfb did not start")

    def start_program(self):
        """The program copied into the folder as "vantoril", its output in out.log."""
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY")}
        self.env.update(DISPLAY=self.display, DBUS_SESSION_BUS_ADDRESS=self.address,
                        XDG_RUNTIME_DIR=self.path("run"), XDG_CONFIG_HOME=self.path("run"))
        log = open(self.path("out.log"), "w")
        return self.start([self.path("vantoril")], env=self.env, stdout=log, stderr=log)

    def report(self, failure):
        print("FAILED:", failure)
        if os.path.exists(self.path("out.log")):
            print(open(self.path("out.log")).read())
        return 1

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
        shutil.rmtree(self.work, ignore_errors=True)
