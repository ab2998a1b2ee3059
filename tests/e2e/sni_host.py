#!/usr/bin/python3
"""A minimal StatusNotifierItem host for the tests: registers with the session's watcher, then
answers commands read line by line from stdin, one JSON line each on stdout:
  props     the first registered item's Id, Title, IconName and tooltip (null: no item yet)
  activate  sends Activate(0, 0) to it without waiting (the item may open a window)
Every bus call has a deadline."""
import json
import os
import sys

import dbus

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
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


def main():
    bus = dbus.SessionBus()
    name = "org.kde.StatusNotifierHost-%d" % os.getpid()
    bus.request_name(name)
    watcher = bus.get_object(WATCHER, "/StatusNotifierWatcher")
    watcher.RegisterStatusNotifierHost(name, dbus_interface=WATCHER, timeout=DEADLINE)
    print(json.dumps({"ready": True}), flush=True)
    for line in sys.stdin:
        command = line.strip()
        if command == "props":
            print(json.dumps(props(bus)), flush=True)
        elif command == "activate":
            print(json.dumps(activate(bus)), flush=True)
        else:
            print(json.dumps({"error": "unknown command " + command}), flush=True)


if __name__ == "__main__":
    main()
