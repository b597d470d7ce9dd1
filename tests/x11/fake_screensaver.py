#!/usr/bin/python3
# Stands in for a desktop's screen saver service on a private session bus:
# answers Inhibit with a cookie of its choosing and lists each call, one a
# line, in the file named first ("Inhibit APP COOKIE", "UnInhibit COOKIE").
# Prints "ready" once it owns its name.
import random
import sys

from gi.repository import Gio, GLib

INTERFACE = Gio.DBusNodeInfo.new_for_xml("""<node><interface name="org.freedesktop.ScreenSaver">
  <method name="Inhibit"><arg type="s" direction="in"/><arg type="s" direction="in"/>
    <arg type="u" direction="out"/></method>
  <method name="UnInhibit"><arg type="u" direction="in"/></method>
</interface></node>""").interfaces[0]
log = open(sys.argv[1], "a", buffering=1)
next_cookie = random.randint(1, 1 << 30)


def on_call(connection, sender, path, interface, method, parameters, invocation):
    global next_cookie
    args = parameters.unpack()
    if method == "Inhibit":
        log.write(f"Inhibit {args[0]} {next_cookie}\n")
        invocation.return_value(GLib.Variant("(u)", (next_cookie,)))
        next_cookie += 1
    else:
        log.write(f"UnInhibit {args[0]}\n")
        invocation.return_value(None)


def on_bus(connection, name):
    connection.register_object("/org/freedesktop/ScreenSaver", INTERFACE, on_call, None, None)


Gio.bus_own_name(Gio.BusType.SESSION, "org.freedesktop.ScreenSaver", Gio.BusNameOwnerFlags.NONE, on_bus,
                 lambda connection, name: print("ready", flush=True), lambda connection, name: sys.exit(1))
GLib.MainLoop().run()
