"""Asks an X11 window to close, as a window manager's close button does: a
WM_DELETE_WINDOW client message. Given the program's process, it waits for
the program to end and prints the milliseconds from the message to the end.
    close_window.py WINDOW_ID [PID]"""
import ctypes
import ctypes.util
import sys
import time

x11 = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]

class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

class Event(ctypes.Union):
    _fields_ = [("client", ClientMessage), ("pad", ctypes.c_long * 24)]

display = x11.XOpenDisplay(None)
window = int(sys.argv[1], 0)
event = Event()
event.client.type = 33  # ClientMessage
event.client.window = window
event.client.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.client.format = 32
event.client.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
event.client.data[1] = 0  # CurrentTime
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
sent = time.monotonic()
x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
x11.XFlush(display)
x11.XCloseDisplay(display)

if len(sys.argv) > 2:
    stat = f"/proc/{sys.argv[2]}/stat"
    while True:
        try:
            with open(stat) as f:
                if f.read().rsplit(")", 1)[1].split()[0] == "Z":  # ended, not yet reaped
                    break
        except OSError:  # gone
            break
        time.sleep(0.001)
    print(round((time.monotonic() - sent) * 1000))
