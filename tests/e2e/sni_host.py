#!/usr/bin/python3
"""A minimal StatusNotifierItem host for the tests: registers with the session's watcher, then
answers commands read line by line from stdin, one JSON line each on stdout:
  props     the first registered item's Id, Title, IconName and tooltip (null: no item yet)
  activate  sends Activate(0, 0) to it without waiting (the item may open a window)
  menu      the labels of its menu's items, in order (null: no item or no menu)
  click L   sends a click on the menu item labelled L without waiting (false: none)
  register  registers the host again (with a watcher that has restarted)
  notices   [summary, body] of each desktop notification received so far
It also serves org.freedesktop.Notifications, as a desktop's notification daemon does.
Every bus call has a deadline."""
import json
import os
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
DEADLINE = 5  # seconds for each bus call


def item_address(bus):
    watcher = bus.get_object(WATCHER, "/StatusNotifierWatcher")
    items = watcher.Get(WATCHER, "RegisteredStatusNotifierItems",
                        dbus_interface=dbus.PROPERTIES_IFACE, timeout=DEADLINE)
    if not items:
        return None
    entry = str(items[0])
    service, slash, path = entry.partition("/")
    return service, (slash + path) if slash else "/StatusNotifierItem"


def props(bus):
    address = item_address(bus)
    if address is None:
        return None
    item = bus.get_object(*address)
    values = item.GetAll(ITEM, dbus_interface=dbus.PROPERTIES_IFACE, timeout=DEADLINE)
    tip = values.get("ToolTip")
    return {"id": str(values.get("Id", "")), "title": str(values.get("Title", "")),
            "icon": str(values.get("IconName", "")),
            "tooltip": str(tip[2]) + ("\n" + str(tip[3]) if tip and tip[3] else "") if tip else ""}


def activate(bus):
    address = item_address(bus)
    if address is None:
        return False
    item = bus.get_object(*address, introspect=False)  # no deferred call: it goes out now
    item.Activate(dbus.Int32(0), dbus.Int32(0), dbus_interface=ITEM, ignore_reply=True)
    return True


def menu_items(bus):
    """(id, label) of the item's top-level menu entries, or None."""
    address = item_address(bus)
    if address is None:
        return None
    item = bus.get_object(*address)
    path = item.Get(ITEM, "Menu", dbus_interface=dbus.PROPERTIES_IFACE, timeout=DEADLINE)
    menu = bus.get_object(address[0], path)
    _, layout = menu.GetLayout(0, 1, dbus.Array([], signature="s"), dbus_interface=MENU,
                               timeout=DEADLINE)
    children = layout[2]
    return [(int(c[0]), str(c[1].get("label", ""))) for c in children
            if c[1].get("type", "standard") != "separator" and c[1].get("visible", True)]


def checked(bus, label):
    """Whether the menu entry labelled `label` shows its check mark."""
    address = item_address(bus)
    if address is None:
        return None
    item = bus.get_object(*address)
    path = item.Get(ITEM, "Menu", dbus_interface=dbus.PROPERTIES_IFACE, timeout=DEADLINE)
    menu = bus.get_object(address[0], path)
    _, layout = menu.GetLayout(0, 1, dbus.Array([], signature="s"), dbus_interface=MENU,
                               timeout=DEADLINE)
    for child in layout[2]:
        if str(child[1].get("label", "")).replace("&", "") == label:
            return int(child[1].get("toggle-state", 0)) == 1
    return None


def click(bus, label):
    address = item_address(bus)
    items = menu_items(bus) or []
    for ident, text in items:
        if text.replace("&", "") == label:
            item = bus.get_object(*address)
            path = item.Get(ITEM, "Menu", dbus_interface=dbus.PROPERTIES_IFACE, timeout=DEADLINE)
            menu = bus.get_object(address[0], path, introspect=False)
            menu.Event(dbus.Int32(ident), "clicked", dbus.String("", variant_level=1),
                       dbus.UInt32(0), dbus_interface=MENU, ignore_reply=True)
            return True
    return False


def register(bus, name):
    watcher = bus.get_object(WATCHER, "/StatusNotifierWatcher")
    watcher.RegisterStatusNotifierHost(name, dbus_interface=WATCHER, timeout=DEADLINE)


class Notifications(dbus.service.Object):
    """Records what programs ask a notification daemon to show."""
    INTERFACE = "org.freedesktop.Notifications"

    def __init__(self, bus):
        self.received = []
        self.name = dbus.service.BusName(self.INTERFACE, bus)
        super().__init__(self.name, "/org/freedesktop/Notifications")

    @dbus.service.method(INTERFACE, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        self.received.append([str(summary), str(body)])
        return len(self.received)

    @dbus.service.method(INTERFACE, in_signature="", out_signature="as")
    def GetCapabilities(self):
        return ["body"]

    @dbus.service.method(INTERFACE, in_signature="", out_signature="ssss")
    def GetServerInformation(self):
        return ["sni_host", "test", "1", "1.2"]

    @dbus.service.method(INTERFACE, in_signature="u", out_signature="")
    def CloseNotification(self, ident):
        pass


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    name = "org.kde.StatusNotifierHost-%d" % os.getpid()
    bus.request_name(name)
    register(bus, name)
    notifications = Notifications(bus)
    loop = GLib.MainLoop()

    def on_line(source, condition):
        line = sys.stdin.readline()
        if not line:
            loop.quit()
            return False
        try:
            print(json.dumps(answer(bus, name, line.strip(), notifications)), flush=True)
        except dbus.DBusException as error:  # the item or the watcher went away
            print(json.dumps({"error": str(error)}), flush=True)
        return True

    GLib.io_add_watch(sys.stdin, GLib.IO_IN | GLib.IO_HUP, on_line)
    print(json.dumps({"ready": True}), flush=True)
    loop.run()


def answer(bus, name, command, notifications):
    if command == "notices":
        return notifications.received
    if command == "props":
        return props(bus)
    if command == "activate":
        return activate(bus)
    if command == "menu":
        items = menu_items(bus)
        return None if items is None else [text for _, text in items]
    if command.startswith("checked "):
        return checked(bus, command[len("checked "):])
    if command.startswith("click "):
        return click(bus, command[len("click "):])
    if command == "register":
        register(bus, name)
        return True
    return {"error": "unknown command " + command}


if __name__ == "__main__":
    main()
