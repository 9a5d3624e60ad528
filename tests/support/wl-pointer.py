#!/usr/bin/env python3
# Clicks on a Wayland desktop the way a mouse would, through the compositor's virtual-pointer
# protocol (zwlr_virtual_pointer_v1, which sway and other wlroots compositors offer): a headless
# compositor has no mouse of its own, and Debian packages no tool that speaks the protocol.
#
# Usage: wl-pointer.py WIDTHxHEIGHT X,Y [X,Y ...]
#   clicks the left button at each point, in layout pixels of a WIDTHxHEIGHT desktop, with
#   PAUSE_MS (default 700: past any double-click interval) between clicks. Needs WAYLAND_DISPLAY.
import ctypes as C
import os
import sys
import time

wl = C.CDLL("libwayland-client.so.0")
wl.wl_display_connect.restype = C.c_void_p
wl.wl_display_connect.argtypes = [C.c_char_p]
wl.wl_display_roundtrip.argtypes = [C.c_void_p]
wl.wl_display_flush.argtypes = [C.c_void_p]
wl.wl_display_disconnect.argtypes = [C.c_void_p]
wl.wl_proxy_add_listener.argtypes = [C.c_void_p, C.c_void_p, C.c_void_p]
wl.wl_proxy_marshal_constructor.restype = C.c_void_p
wl.wl_proxy_marshal_constructor_versioned.restype = C.c_void_p


class Message(C.Structure):
    _fields_ = [("name", C.c_char_p), ("signature", C.c_char_p), ("types", C.c_void_p)]


class Interface(C.Structure):
    _fields_ = [("name", C.c_char_p), ("version", C.c_int), ("method_count", C.c_int),
                ("methods", C.POINTER(Message)), ("event_count", C.c_int), ("events", C.POINTER(Message))]


def interface(name, version, requests):
    no_types = (C.c_void_p * 8)()  # no request here names an object type the library checks
    methods = (Message * len(requests))(*(Message(n.encode(), s.encode(), C.addressof(no_types)) for n, s in requests))
    made = Interface(name.encode(), version, len(requests), methods, 0, None)
    made._keep = (no_types, methods)
    return made


POINTER_REQUESTS = [("motion", "uff"), ("motion_absolute", "uuuuu"), ("button", "uuu"), ("axis", "uuf"),
                    ("frame", ""), ("axis_source", "u"), ("axis_stop", "uu"), ("axis_discrete", "uufi"),
                    ("destroy", "")]
pointer_interface = interface("zwlr_virtual_pointer_v1", 1, POINTER_REQUESTS)
manager_interface = interface("zwlr_virtual_pointer_manager_v1", 1,
                              [("create_virtual_pointer", "?on"), ("destroy", "")])
MOTION_ABSOLUTE, BUTTON, FRAME = 1, 2, 4
BTN_LEFT, RELEASED, PRESSED = 0x110, 0, 1

size, points = sys.argv[1], sys.argv[2:]
width, height = (int(v) for v in size.split("x"))
pause = int(os.environ.get("PAUSE_MS", "700")) / 1000

display = wl.wl_display_connect(None)
if not display:
    sys.exit("wl-pointer: cannot connect to the Wayland display")
registry = wl.wl_proxy_marshal_constructor(C.c_void_p(display), C.c_uint32(1),
                                           C.c_void_p(C.addressof(Interface.in_dll(wl, "wl_registry_interface"))),
                                           C.c_void_p(None))
manager_name = []
GLOBAL = C.CFUNCTYPE(None, C.c_void_p, C.c_void_p, C.c_uint32, C.c_char_p, C.c_uint32)
GLOBAL_REMOVE = C.CFUNCTYPE(None, C.c_void_p, C.c_void_p, C.c_uint32)


def on_global(_data, _registry, name, iface, _version):
    if iface == manager_interface.name:
        manager_name.append(name)


callbacks = (GLOBAL(on_global), GLOBAL_REMOVE(lambda *_: None))  # kept alive while connected
listener = (C.c_void_p * 2)(*(C.cast(callback, C.c_void_p) for callback in callbacks))
wl.wl_proxy_add_listener(registry, listener, None)
wl.wl_display_roundtrip(display)
if not manager_name:
    sys.exit("wl-pointer: the compositor offers no zwlr_virtual_pointer_manager_v1")
manager = wl.wl_proxy_marshal_constructor_versioned(
    C.c_void_p(registry), C.c_uint32(0), C.byref(manager_interface), C.c_uint32(1),
    C.c_uint32(manager_name[0]), manager_interface.name, C.c_uint32(1), C.c_void_p(None))
pointer = wl.wl_proxy_marshal_constructor(C.c_void_p(manager), C.c_uint32(0), C.byref(pointer_interface),
                                          C.c_void_p(None), C.c_void_p(None))


def send(opcode, *args):
    wl.wl_proxy_marshal(C.c_void_p(pointer), C.c_uint32(opcode), *(C.c_uint32(a) for a in args))


def now_ms():
    return int(time.monotonic() * 1000) & 0xFFFFFFFF


for point in points:
    x, y = (int(v) for v in point.split(","))
    send(MOTION_ABSOLUTE, now_ms(), x, y, width, height)
    send(FRAME)
    wl.wl_display_roundtrip(display)
    time.sleep(0.05)
    send(BUTTON, now_ms(), BTN_LEFT, PRESSED)
    send(FRAME)
    wl.wl_display_roundtrip(display)
    time.sleep(0.05)
    send(BUTTON, now_ms(), BTN_LEFT, RELEASED)
    send(FRAME)
    wl.wl_display_roundtrip(display)
    time.sleep(pause)
wl.wl_display_disconnect(display)
