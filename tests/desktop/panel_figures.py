#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The running program's live figures on a private session bus, as panels read them.

The real program runs on a scenario link (a connection whose traffic grows) under Xvfb.
This script reads org.example.Vantoril.Meter's properties, hears PropertiesChanged name
only what changed as the traffic grows, and runs vantoril-status against it: one line in
each format, --follow printing a new line at a change and the "stopped" object when the
program ends, and exit status 3 once it is gone. Exit 77 means skipped.
"""
import json
import os
import re
import selectors
import shutil
import signal
import subprocess
import sys
import time

from desktop_session import Failure, Session, skip, wait_until

SERVICE = "org.example.Vantoril"
PATH = "/org/example/Vantoril"
METER = "org.example.Vantoril.Meter"
NAMES = {"Connected", "ConnectionName", "ReceivedBytes", "SentBytes", "LinkBps",
         "OnlineSeconds", "Cost", "PeriodCost", "PeriodBill", "Budget", "PeriodMB", "CapMB",
         "Currency", "Message", "Balance", "BalanceText", "BalanceTime", "Roaming"}


try:
    import dbus
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib
except ImportError as missing:
    skip(f"python3-dbus and python3-gi are needed ({missing})")
for tool in ("Xvfb", "dbus-daemon"):
    if not shutil.which(tool):
        skip(f"{tool} is not installed")


def read_lines(process, count, seconds):
    """Up to `count` lines from the process's output within `seconds`."""
    lines = []
    chooser = selectors.DefaultSelector()
    chooser.register(process.stdout, selectors.EVENT_READ)
    deadline = time.monotonic() + seconds
    while len(lines) < count and time.monotonic() < deadline:
        if chooser.select(max(0.0, deadline - time.monotonic())):
            line = process.stdout.readline()
            if not line:
                break
            lines.append(line.rstrip("\n"))
    return lines


def main(program, status_tool):
    session = Session()
    work, start = session.work, session.start

    try:
        shutil.copy(program, os.path.join(work, "vantoril"))
        with open(os.path.join(work, "inet.conf"), "w", newline="", encoding="utf-8") as conf:
            conf.write("[Vantoril]\r\nTransparent=255\r\nType_tar=0\r\nhide_start=1\r\n"
                       "budget=10\r\ncap_mb=100\r\ncurrency=₽\r\n"
                       "link_source=scenario:panel.scenario\r\n")
        with open(os.path.join(work, "panel.scenario"), "w") as scenario:
            # 60 MB received over a minute: the figures change at every tick.
            scenario.write("0 connected 0 0 48000 Panel Line\n"
                           "60000 connected 62914560 1048576 48000 Panel Line\n")
        with open(os.path.join(work, "tar.money.dat"), "wb") as prices:
            prices.write(b"\0\0\0\x40")  # 2 a MB
        os.mkdir(os.path.join(work, "connections"))
        os.mkdir(os.path.join(work, "run"), 0o700)

        session.start_bus_and_display()
        address = session.address
        vantoril = session.start_program()
        env = session.env

        DBusGMainLoop(set_as_default=True)
        bus = dbus.bus.BusConnection(address)
        changes = []
        bus.add_signal_receiver(lambda interface, changed, invalidated:
                                changes.append((str(interface), dict(changed), list(invalidated))),
                                signal_name="PropertiesChanged",
                                dbus_interface=dbus.PROPERTIES_IFACE, path=PATH)
        wait_until("the program did not take its name on the session bus",
                   lambda: bus.name_has_owner(SERVICE))
        meter = bus.get_object(SERVICE, PATH)
        figures = meter.GetAll(METER, dbus_interface=dbus.PROPERTIES_IFACE)
        if set(figures) != NAMES:
            raise Failure(f"the Meter interface holds {sorted(figures)}")
        types = {name: type(value).__name__ for name, value in figures.items()}
        expected_types = {"Connected": "Boolean", "ConnectionName": "String",
                          "ReceivedBytes": "UInt64", "SentBytes": "UInt64", "LinkBps": "UInt64",
                          "OnlineSeconds": "UInt64", "Cost": "Double", "PeriodCost": "Double",
                          "PeriodBill": "Double", "Budget": "Double", "PeriodMB": "Double",
                          "CapMB": "Double", "Currency": "String", "Message": "String",
                          "Balance": "Double", "BalanceText": "String", "BalanceTime": "Int64",
                          "Roaming": "Boolean"}
        if types != expected_types:
            raise Failure(f"property types {types}")

        def served(seconds):
            loop = GLib.MainLoop()
            GLib.timeout_add(int(seconds * 1000), loop.quit)
            loop.run()

        def received():
            return int(meter.Get(METER, "ReceivedBytes", dbus_interface=dbus.PROPERTIES_IFACE))

        served(1.5)
        first = received()
        served(2.0)
        if received() <= first:
            raise Failure("ReceivedBytes did not grow with the connection's traffic")
        figures = meter.GetAll(METER, dbus_interface=dbus.PROPERTIES_IFACE)
        if not figures["Connected"] or figures["ConnectionName"] != "Panel Line":
            raise Failure(f"the connection is not published: {dict(figures)}")
        if figures["Budget"] != 10 or figures["CapMB"] != 100 or figures["Cost"] <= 0:
            raise Failure(f"budget, cap or cost wrong: {dict(figures)}")
        if not changes:
            raise Failure("no PropertiesChanged while the traffic grew")
        for interface, changed, invalidated in changes:
            if interface != METER or invalidated or not set(changed) <= NAMES or not changed:
                raise Failure(f"a PropertiesChanged names {interface} {changed} {invalidated}")
        if all(set(changed) == NAMES for _, changed, _ in changes[1:]):
            raise Failure("every PropertiesChanged names every property, not what changed")
        if any("Budget" in changed for _, changed, _ in changes[1:]):
            raise Failure("Budget was announced again though it did not change")
        print(f"{len(changes)} PropertiesChanged in 3.5 s, e.g. {sorted(changes[-1][1])}")

        def status(*arguments):
            return subprocess.run([status_tool, "--folder", work, *arguments], env=env,
                                  capture_output=True, text=True, timeout=10)

        text = status()
        if text.returncode != 0 or not re.fullmatch(r"\d+[.,]\d\d ₽ · \d+[.,]\d MB\n", text.stdout):
            raise Failure(f"text line {text.returncode} {text.stdout!r} {text.stderr!r}")
        as_json = json.loads(status("--format", "json").stdout)
        if set(as_json) != NAMES or as_json["ConnectionName"] != "Panel Line":
            raise Failure(f"json line {as_json}")
        waybar = json.loads(status("--format", "waybar").stdout)
        if set(waybar) != {"text", "tooltip", "class", "percentage"} or \
                waybar["class"] not in ("ok", "warning", "critical") or \
                "Panel Line" not in waybar["tooltip"]:
            raise Failure(f"waybar line {waybar}")
        print("text:", text.stdout.strip(), "| waybar:", waybar)

        follow = start([status_tool, "--folder", work, "--format", "json", "--follow"], env=env,
                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        lines = read_lines(follow, 3, 10)
        if len(lines) < 3 or len(set(lines)) != len(lines):
            raise Failure(f"--follow did not print a new line at each change: {lines}")

        vantoril.send_signal(signal.SIGTERM)
        try:
            vantoril.wait(10)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end on SIGTERM")
        ended = read_lines(follow, 20, 5)
        if not ended or json.loads(ended[-1]) != {"text": "", "class": "stopped"}:
            raise Failure(f"--follow did not tell the program stopped: {ended}")
        gone = status("--format", "waybar")
        if gone.returncode != 3 or json.loads(gone.stdout) != {"text": "", "class": "stopped"}:
            raise Failure(f"not running: {gone.returncode} {gone.stdout!r}")
        print("properties read and changing, vantoril-status in three formats, follows, "
              "and says stopped with status 3")
        return 0
    except Failure as failure:
        return session.report(failure)
    finally:
        session.close()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
