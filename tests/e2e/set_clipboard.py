#!/usr/bin/env python3
"""Puts a text on the X clipboard, as a program the user copied it from would: owns the
CLIPBOARD selection and answers requests for it (as UTF-8 text) until another program takes it
or the time is up. This machine has no xclip; Xlib through ctypes does the same.

Usage: set_clipboard.py TEXT SECONDS  (the display is $DISPLAY; run it in the background)
"""
import ctypes
import ctypes.util
import sys
import time

SELECTION_CLEAR, SELECTION_REQUEST, SELECTION_NOTIFY = 29, 30, 31
XA_ATOM = 4
PROP_MODE_REPLACE = 0


class SelectionRequestEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("owner", ctypes.c_ulong),
                ("requestor", ctypes.c_ulong), ("selection", ctypes.c_ulong),
                ("target", ctypes.c_ulong), ("property", ctypes.c_ulong),
                ("time", ctypes.c_ulong)]


class SelectionEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("requestor", ctypes.c_ulong),
                ("selection", ctypes.c_ulong), ("target", ctypes.c_ulong),
                ("property", ctypes.c_ulong), ("time", ctypes.c_ulong)]


class Event(ctypes.Union):
    # Xlib's XEvent: any event, padded to 24 longs.
    _fields_ = [("type", ctypes.c_int), ("xselectionrequest", SelectionRequestEvent),
                ("xselection", SelectionEvent), ("pad", ctypes.c_long * 24)]


def main() -> int:
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    text = sys.argv[1].encode("utf-8")
    deadline = time.monotonic() + float(sys.argv[2])
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XCreateSimpleWindow.restype = ctypes.c_ulong
    xlib.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 4 + [
        ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XSetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                        ctypes.c_ulong]
    xlib.XGetSelectionOwner.restype = ctypes.c_ulong
    xlib.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xlib.XPending.argtypes = [ctypes.c_void_p]
    xlib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(Event)]
    xlib.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                     ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_void_p,
                                     ctypes.c_int]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(Event)]
    xlib.XFlush.argtypes = [ctypes.c_void_p]

    display = xlib.XOpenDisplay(None)
    if not display:
        print("set_clipboard.py: cannot open the display", file=sys.stderr)
        return 1
    atom = lambda name: xlib.XInternAtom(display, name, 0)
    clipboard, targets = atom(b"CLIPBOARD"), atom(b"TARGETS")
    texts = [atom(b"UTF8_STRING"), atom(b"text/plain;charset=utf-8"), atom(b"text/plain"),
             atom(b"STRING"), atom(b"TEXT")]
    window = xlib.XCreateSimpleWindow(display, xlib.XDefaultRootWindow(display), 0, 0, 1, 1, 0,
                                      0, 0)
    xlib.XSetSelectionOwner(display, clipboard, window, 0)
    if xlib.XGetSelectionOwner(display, clipboard) != window:
        print("set_clipboard.py: could not own the clipboard", file=sys.stderr)
        return 1
    xlib.XFlush(display)
    event = Event()
    while time.monotonic() < deadline:
        if not xlib.XPending(display):
            time.sleep(0.02)
            continue
        xlib.XNextEvent(display, ctypes.byref(event))
        if event.type == SELECTION_CLEAR:
            return 0
        if event.type != SELECTION_REQUEST:
            continue
        request = event.xselectionrequest
        prop = request.property or request.target
        if request.target == targets:
            offered = (ctypes.c_ulong * (len(texts) + 1))(targets, *texts)
            xlib.XChangeProperty(display, request.requestor, prop, XA_ATOM, 32, PROP_MODE_REPLACE,
                                 offered, len(texts) + 1)
        elif request.target in texts:
            xlib.XChangeProperty(display, request.requestor, prop, request.target, 8,
                                 PROP_MODE_REPLACE, text, len(text))
        else:
            prop = 0
        reply = Event()
        reply.xselection.type = SELECTION_NOTIFY
        reply.xselection.requestor = request.requestor
        reply.xselection.selection = request.selection
        reply.xselection.target = request.target
        reply.xselection.property = prop
        reply.xselection.time = request.time
        xlib.XSendEvent(display, request.requestor, 0, 0, ctypes.byref(reply))
        xlib.XFlush(display)
    return 0


if __name__ == "__main__":
    sys.exit(main())
