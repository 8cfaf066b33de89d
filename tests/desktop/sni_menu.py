#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program on a StatusNotifierItem desktop whose panel starts after it.

A private session bus and Xvfb; the program starts with hide_start=1 while there is no
notification area, so its settings window shows. Then this script becomes the panel: it
owns org.kde.StatusNotifierWatcher with a host registered. The program must register its
item (and again when the panel restarts), hide the settings window, export its menu (the item's Menu property is a real
dbusmenu path whose layout lists the six tray items in order), and end with status 0 on
a "clicked" event on "Выход". Exit 77 means skipped.
"""
import os
import shutil
import subprocess
import sys
import time

from desktop_session import Failure, Session, skip, wait_until

EXPECTED = ["Настройки", "Индикатор", "Статистика", "История и бюджет", "Помощь", "О программе", "Выход"]
WATCHER = "org.kde.StatusNotifierWatcher"
ITEM_INTERFACE = "org.kde.StatusNotifierItem"
MENU_INTERFACE = "com.canonical.dbusmenu"
SETTINGS_TITLE = "^Настройки программы$"


try:
    import dbus
    import dbus.service
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib
except ImportError as missing:
    skip(f"python3-dbus and python3-gi are needed ({missing})")
for tool in ("Xvfb", "dbus-daemon", "xdotool"):
    if not shutil.which(tool):
        skip(f"{tool} is not installed")


class Watcher(dbus.service.Object):
    """The part of a panel that items register with, its host already there."""

    def __init__(self, bus):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.items = []

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender):
        # An item names its bus name or, for a unique name's item, only its path.
        self.items.append((sender, "/StatusNotifierItem") if service.startswith("/")
                          else (service, "/StatusNotifierItem"))
        self.StatusNotifierItemRegistered(service)

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, service):
        pass

    # Written out, since Qt reads the watcher's properties through its introspection data.
    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, out_signature="s")
    def Introspect(self):
        return f"""<node><interface name="{WATCHER}">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
</interface><interface name="{dbus.PROPERTIES_IFACE}">
  <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
  <method name="GetAll"><arg type="s" direction="in"/><arg type="a{{sv}}" direction="out"/></method>
</interface></node>"""

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {"IsStatusNotifierHostRegistered": dbus.Boolean(True),
                "ProtocolVersion": dbus.Int32(0),
                "RegisteredStatusNotifierItems": dbus.Array(
                    [service for service, _ in self.items], signature="s")}


def menu_labels(layout):
    """The labels of the top level of a GetLayout answer: (revision, (id, props, children))."""
    _, (_, _, children) = layout
    return [(int(child[0]), str(child[1].get("label", ""))) for child in children]


def main(program, shots):
    session = Session()
    work, start = session.work, session.start

    try:
        shutil.copy(program, os.path.join(work, "vantoril"))
        with open(os.path.join(work, "inet.conf"), "w", newline="") as conf:
            conf.write("[Vantoril]\r\nTransparent=255\r\nhide_start=1\r\n"
                       "link_source=scenario:sni.scenario\r\n")
        with open(os.path.join(work, "sni.scenario"), "w") as scenario:
            scenario.write("0 down\n")
        os.mkdir(os.path.join(work, "run"), 0o700)

        session.start_bus_and_display()
        address = session.address
        vantoril = session.start_program()
        env = session.env

        def settings_shown():
            return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", SETTINGS_TITLE],
                                  env=env, capture_output=True).returncode == 0

        wait_until("without a notification area the settings window did not show", settings_shown)

        # The panel comes up now.
        DBusGMainLoop(set_as_default=True)
        bus = dbus.bus.BusConnection(address)
        watcher = Watcher(bus)
        bus.request_name(WATCHER)

        def serve_until_registered(count):
            loop = GLib.MainLoop()
            GLib.timeout_add(100, lambda: (loop.quit() if len(watcher.items) >= count else True))
            GLib.timeout_add(15000, loop.quit)
            loop.run()
            return len(watcher.items) >= count

        if not serve_until_registered(1):
            raise Failure("the program did not register a StatusNotifierItem with a late panel")

        wait_until("a panel within the first seconds did not hide the settings window",
                   lambda: not settings_shown())

        # The panel restarts: the item registers with it again.
        bus.release_name(WATCHER)
        time.sleep(0.5)
        bus.request_name(WATCHER)
        if not serve_until_registered(2):
            raise Failure("the program did not register its item again with a restarted panel")
        service, path = watcher.items[-1]

        item = bus.get_object(service, path)
        menu_path = item.Get(ITEM_INTERFACE, "Menu", dbus_interface=dbus.PROPERTIES_IFACE)
        if not menu_path or menu_path == "/NO_DBUSMENU":
            raise Failure(f"the item exports no menu: Menu = {menu_path}")
        menu = dbus.Interface(bus.get_object(service, menu_path), MENU_INTERFACE)
        items = menu_labels(menu.GetLayout(0, -1, dbus.Array([], signature="s")))
        layout = "\n".join(f"{item_id}\t{label}" for item_id, label in items)
        os.makedirs(shots, exist_ok=True)
        with open(os.path.join(shots, "sni-menu.txt"), "w") as text:
            text.write(f"Menu = {menu_path}\n{layout}\n")
        print(f"Menu = {menu_path}\n{layout}")
        labels = [label for _, label in items]
        if labels != EXPECTED:
            raise Failure(f"the exported menu holds {labels}, not {EXPECTED}")

        exit_id = items[EXPECTED.index("Выход")][0]
        menu.Event(exit_id, "clicked", dbus.String("", variant_level=1), dbus.UInt32(0))
        try:
            status = vantoril.wait(10)
        except subprocess.TimeoutExpired:
            raise Failure("a click on Выход in the exported menu did not end the program")
        if status != 0:
            raise Failure(f"the program ended with status {status}")
        print("late and restarted panel seen, settings window hidden, exported menu in order, "
              "Выход ends it")
        return 0
    except Failure as failure:
        return session.report(failure)
    finally:
        session.close()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
