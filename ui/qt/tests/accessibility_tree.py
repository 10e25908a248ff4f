"""The window's accessibility tree as AT-SPI gives it to a screen reader,
checked against what a reader should meet, in order; then the homepage
link's action, which must ask the desktop to open the homepage."""

import os
import sys
import time

import pyatspi

EXPECTED = [
    ("panel", "Dekorlist", ["SetFocus"]),
    ("label", "FV", []),
    ("label", "GEV", []),
    ("label", "FVb", []),
    ("label", "EP", []),
    ("text", "FV, Nuvarande färdighetsvärde", ["SetFocus"]),
    ("text", "GEV, Grundegenskapsvärde", ["SetFocus"]),
    ("text", "FVb, Blivande färdighetsvärde", ["SetFocus"]),
    ("text", "EP, Kostnad i antal erfarenhetspoäng", ["SetFocus"]),
    ("push button", "Rensa", ["Press", "SetFocus"]),
    ("push button", "Beräkna EP", ["Press", "SetFocus"]),
    ("push button", "Beräkna FVb", ["Press", "SetFocus"]),
    ("label", "Nyckel", []),
    ("label", "FV = Nuvarande färdighetsvärde", []),
    ("label", "GEV = Grundegenskapsvärde", []),
    ("label", "FVb = Blivande färdighetsvärde", []),
    ("label", "EP = Kostnad i antal erfarenhetspoäng", []),
    ("label", "© 2026 Varvik Spel", []),
    ("link", "Hemsida: varvik.example", ["Press"]),
]


def actions(accessible):
    try:
        action = accessible.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                return app
        time.sleep(0.1)
    sys.exit(f"FAIL: no application {name!r} on the accessibility bus")


failures = 0
app = application("Varvik141")
frame = app.getChildAtIndex(0)
if (frame.getRoleName(), frame.name) != ("frame", "Varvik v1.4.1"):
    print(f"FAIL: the window reads as {frame.getRoleName()} {frame.name!r}")
    failures += 1
children = [frame.getChildAtIndex(i) for i in range(frame.childCount)]
shown = [(c.getRoleName(), c.name, actions(c)) for c in children]
for i in range(max(len(shown), len(EXPECTED))):
    got = shown[i] if i < len(shown) else None
    want = EXPECTED[i] if i < len(EXPECTED) else None
    if got != want:
        print(f"FAIL: child {i}: got {got}, expected {want}")
        failures += 1
if failures == 0:
    print(f"ok: the window and its {len(shown)} objects read as expected")

link = children[-1]
link.queryAction().doAction(0)
opened_file = sys.argv[1]
for _ in range(100):
    if os.path.exists(opened_file):
        break
    time.sleep(0.05)
opened = open(opened_file).read().strip() if os.path.exists(opened_file) else None
if opened and opened.rstrip("/") == "http://varvik.example":
    print(f"ok: the link's action opened {opened}")
else:
    print(f"FAIL: the link's action opened {opened!r}")
    failures += 1
sys.exit(1 if failures else 0)
