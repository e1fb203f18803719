#!/usr/bin/python3
"""The desktop services a test session bus needs: a notification server that answers like a real
one, and, with --watcher, a StatusNotifierWatcher with a registered host, as KDE Plasma or GNOME's
AppIndicator extension provide. Registered items are listed, one "service path" per line, in the
file given with --items, and the list follows items that leave the bus."""
import argparse
import sys

from gi.repository import Gio, GLib

NOTIFICATIONS = """<node><interface name="org.freedesktop.Notifications">
<method name="Notify"><arg type="s" direction="in"/><arg type="u" direction="in"/>
<arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="s" direction="in"/>
<arg type="as" direction="in"/><arg type="a{sv}" direction="in"/><arg type="i" direction="in"/>
<arg type="u" direction="out"/></method>
<method name="GetCapabilities"><arg type="as" direction="out"/></method>
<method name="CloseNotification"><arg type="u" direction="in"/></method>
<method name="GetServerInformation"><arg type="s" direction="out"/><arg type="s" direction="out"/>
<arg type="s" direction="out"/><arg type="s" direction="out"/></method>
<signal name="NotificationClosed"><arg type="u"/><arg type="u"/></signal>
</interface></node>"""

WATCHER = """<node><interface name="org.kde.StatusNotifierWatcher">
<method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
<method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
<property name="RegisteredStatusNotifierItems" type="as" access="read"/>
<property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
<property name="ProtocolVersion" type="i" access="read"/>
<signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
<signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
<signal name="StatusNotifierHostRegistered"/>
</interface></node>"""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--watcher", action="store_true")
    parser.add_argument("--items", default="/dev/null")
    parser.add_argument("--capabilities", default="body")
    args = parser.parse_args()

    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    items = {}  # service -> path
    last_id = [0]

    def write_items():
        with open(args.items, "w") as f:
            for service, path in items.items():
                f.write(f"{service} {path}\n")

    def on_notifications(conn, sender, path, iface, method, params, invocation):
        if method == "Notify":
            replaces = params.unpack()[1]
            if replaces == 0:
                last_id[0] += 1
                replaces = last_id[0]
            invocation.return_value(GLib.Variant("(u)", (replaces,)))
        elif method == "GetCapabilities":
            invocation.return_value(GLib.Variant("(as)", (args.capabilities.split(","),)))
        elif method == "GetServerInformation":
            invocation.return_value(GLib.Variant("(ssss)", ("test", "vantoly", "1", "1.2")))
        else:
            invocation.return_value(None)

    def on_watcher(conn, sender, path, iface, method, params, invocation):
        (arg,) = params.unpack()
        if method == "RegisterStatusNotifierItem":
            service, item_path = (sender, arg) if arg.startswith("/") else (arg, "/StatusNotifierItem")
            items[service] = item_path
            write_items()
            Gio.bus_watch_name_on_connection(
                conn, service, Gio.BusNameWatcherFlags.NONE, None,
                lambda c, name: (items.pop(name, None), write_items()))
            conn.emit_signal(None, "/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher",
                             "StatusNotifierItemRegistered", GLib.Variant("(s)", (service,)))
        invocation.return_value(None)

    def watcher_property(conn, sender, path, iface, name):
        if name == "RegisteredStatusNotifierItems":
            return GLib.Variant("as", list(items))
        if name == "IsStatusNotifierHostRegistered":
            return GLib.Variant("b", True)
        return GLib.Variant("i", 0)

    node = Gio.DBusNodeInfo.new_for_xml(NOTIFICATIONS)
    bus.register_object("/org/freedesktop/Notifications", node.interfaces[0], on_notifications)
    owned = [Gio.bus_own_name_on_connection(bus, "org.freedesktop.Notifications",
                                            Gio.BusNameOwnerFlags.NONE, None, None)]
    if args.watcher:
        node = Gio.DBusNodeInfo.new_for_xml(WATCHER)
        bus.register_object("/StatusNotifierWatcher", node.interfaces[0], on_watcher,
                            watcher_property)
        owned.append(Gio.bus_own_name_on_connection(bus, "org.kde.StatusNotifierWatcher",
                                                    Gio.BusNameOwnerFlags.NONE, None, None))
    write_items()
    GLib.MainLoop().run()


if __name__ == "__main__":
    sys.exit(main())
