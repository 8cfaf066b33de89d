#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program on a gsm connection of dbusmock's NetworkManager and a ModemManager
modem built with dbusmock's generic calls, on a private system bus. The wiring: the
balance reaches the bus and the history database, the low balance and roaming are told
once through the notification server, metered_at marks the profile, roaming_hangup hangs
up. With a folder as second argument, dunst shows the notifications and the history window
and the roaming notification are photographed there. Exit 77 means skipped.
"""
import os
import re
import shutil
import sqlite3
import subprocess
import sys
import time

from desktop_session import Failure, Session, skip, wait_until

NM = "org.freedesktop.NetworkManager"
MM = "org.freedesktop.ModemManager1"
MOCK = "org.freedesktop.DBus.Mock"
MODEM = "/org/freedesktop/ModemManager1/Modem/0"
USSD = MM + ".Modem.Modem3gpp.Ussd"
GPP = MM + ".Modem.Modem3gpp"

try:
    import dbus
except ImportError as missing:
    skip(f"python3-dbus is needed ({missing})")
for tool in ("Xvfb", "dbus-daemon"):
    if not shutil.which(tool):
        skip(f"{tool} is not installed")
if subprocess.run(["/usr/bin/python3", "-c", "import dbusmock"]).returncode != 0:
    skip("python3-dbusmock is not installed")


def mocked(session, bus_address, *arguments):
    env = dict(os.environ, DBUS_SYSTEM_BUS_ADDRESS=bus_address,
               DBUS_SESSION_BUS_ADDRESS=bus_address)
    return session.start(["/usr/bin/python3", "-m", "dbusmock", *arguments], env=env,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def build_modem_connection(system):
    wait_until("the mocks did not start",
               lambda: system.name_has_owner(NM) and system.name_has_owner(MM))
    manager = system.get_object(MM, "/org/freedesktop/ModemManager1")
    manager.AddObject(MODEM, MM + ".Modem", {"Bearers": dbus.Array([], signature="o")}, [],
                      dbus_interface=MOCK)
    modem = system.get_object(MM, MODEM)
    modem.AddProperties(GPP, {"RegistrationState": dbus.UInt32(1), "OperatorName": "Домашний",
                              "OperatorCode": "25001"}, dbus_interface=MOCK)
    modem.AddProperties(USSD, {"State": dbus.UInt32(1)}, dbus_interface=MOCK)
    modem.AddMethod(USSD, "Initiate", "s", "s", "ret = 'Баланс: 95,00 р.'", dbus_interface=MOCK)

    nm = system.get_object(NM, "/org/freedesktop/NetworkManager")
    device_path = nm.AddEthernetDevice("gsm0", "ttyUSB2", 100, dbus_interface=MOCK)
    device = system.get_object(NM, device_path)
    device.UpdateProperties(NM + ".Device", {"DeviceType": dbus.UInt32(8),
                                             "IpInterface": "ppp0"}, dbus_interface=MOCK)
    device.AddProperties(NM + ".Device", {"Udi": MODEM, "Metered": dbus.UInt32(4)},
                         dbus_interface=MOCK)
    device.AddProperties(NM + ".Device.Statistics",
                         {"RxBytes": dbus.UInt64(5 * 1048576), "TxBytes": dbus.UInt64(0),
                          "RefreshRateMs": dbus.UInt32(0)}, dbus_interface=MOCK)
    settings = system.get_object(NM, "/org/freedesktop/NetworkManager/Settings")
    profile = settings.AddConnection({
        "connection": {"id": "Мобильный", "type": "gsm"}}, dbus_interface=NM + ".Settings")
    nm.AddActiveConnection([device_path], profile, "/", "gsm", dbus.UInt32(2),
                           dbus_interface=MOCK)
    return nm, modem, system.get_object(NM, profile)


def main(program, shots=None):
    session = Session()
    work = session.work
    try:
        shutil.copy(program, os.path.join(work, "vantoril"))
        with open(os.path.join(work, "inet.conf"), "w", newline="", encoding="utf-8") as conf:
            conf.write("[Vantoril]\r\nTransparent=255\r\nType_tar=0\r\nhide_start=1\r\n"
                       "currency=₽\r\nlink_source=networkmanager\r\ncap_mb=4\r\n"
                       "balance_ussd=*100#\r\nbalance_low=100\r\nmetered_at=50\r\n"
                       "roaming_hangup=1\r\n")
        os.mkdir(os.path.join(work, "connections"))
        os.mkdir(os.path.join(work, "run"), 0o700)

        session.start_bus_and_display("1280x800x24" if shots else "800x600x24")
        daemon = session.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        system_address = daemon.stdout.readline().strip()
        mocked(session, system_address, "--system", "--template", "networkmanager")
        mocked(session, system_address, "--system", MM, "/org/freedesktop/ModemManager1", MM)
        system = dbus.bus.BusConnection(system_address)
        nm, modem, profile = build_modem_connection(system)

        bus = dbus.bus.BusConnection(session.address)
        if shots:
            session.start(["dunst"], env=dict(os.environ, DISPLAY=session.display,
                                              DBUS_SESSION_BUS_ADDRESS=session.address),
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        else:
            mocked(session, session.address, "--template", "notification_daemon")
        wait_until("no notification server", lambda: bus.name_has_owner(
            "org.freedesktop.Notifications"))

        os.environ["DBUS_SYSTEM_BUS_ADDRESS"] = system_address
        vantoril = session.start_program()
        wait_until("the program did not take its name on the session bus",
                   lambda: bus.name_has_owner("org.example.Vantoril"))
        meter = bus.get_object("org.example.Vantoril", "/org/example/Vantoril")

        def figure(name):
            return meter.Get("org.example.Vantoril.Meter", name,
                             dbus_interface=dbus.PROPERTIES_IFACE)

        wait_until("the balance did not reach the bus", lambda: figure("Balance") == 95.0)
        if figure("BalanceText") != "Баланс: 95,00 р." or figure("BalanceTime") <= 0:
            raise Failure(f"balance text {figure('BalanceText')!r} at {figure('BalanceTime')}")
        wait_until("metered_at did not mark the profile",
                   lambda: profile.GetSettings(dbus_interface=NM + ".Settings.Connection")
                   ["connection"].get("metered") == 1)
        print("balance on the bus, profile marked metered")

        if shots:
            bus.get_object("org.example.Vantoril", "/org/example/Vantoril").ShowHistory(
                dbus_interface="org.example.Vantoril")
            time.sleep(3)
            env = dict(os.environ, DISPLAY=session.display)
            subprocess.run(["import", "-window", "root", os.path.join(shots, "modem-balance.png")],
                           env=env, check=True)
            # Out of the notifications' way: there is no window manager to stack them.
            for window in subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                                          str(vantoril.pid)], env=env, capture_output=True,
                                         text=True).stdout.split():
                subprocess.run(["xdotool", "windowunmap", window], env=env)

        modem.UpdateProperties(GPP, {"RegistrationState": dbus.UInt32(5),
                                     "OperatorName": "Roam GmbH"}, dbus_interface=MOCK)
        wait_until("roaming_hangup did not hang up", lambda: nm.GetMethodCalls(
            "DeactivateConnection", dbus_interface=MOCK))
        if shots:
            time.sleep(1)
            subprocess.run(["import", "-window", "root", os.path.join(shots, "modem-roaming.png")],
                           env=dict(os.environ, DISPLAY=session.display), check=True)
        else:
            notifier = bus.get_object("org.freedesktop.Notifications",
                                      "/org/freedesktop/Notifications")
            texts = [str(call[1][4]) for call in
                     notifier.GetMethodCalls("Notify", dbus_interface=MOCK)]
            low = [t for t in texts if re.match(r"Баланс ниже 100[.,]00 ₽: 95[.,]00 ₽", t)]
            roaming = [t for t in texts if t.startswith("Подключение в роуминге: Roam GmbH")]
            if len(low) != 1 or len(roaming) != 1 or "roaming_hangup" not in roaming[0]:
                raise Failure(f"notifications {texts}")
            print("low balance and roaming told once each, roaming hung up")

        vantoril.terminate()
        vantoril.wait(10)
        with sqlite3.connect(os.path.join(work, "history.sqlite")) as history:
            rows = history.execute("SELECT amount, answer FROM balance").fetchall()
        if not rows or rows[0] != (95.0, "Баланс: 95,00 р."):
            raise Failure(f"history keeps {rows}")
        print("the answer is kept in the history database")
        return 0
    except Failure as failure:
        return session.report(failure)
    finally:
        session.close()


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
