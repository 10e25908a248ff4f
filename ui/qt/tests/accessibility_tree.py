"""The window's accessibility tree as AT-SPI gives it to a screen reader,
checked against what a reader should meet, in order; then the homepage
link's action, which must ask the desktop to open the homepage; then the FV
field's context menu, which must be Swedish; then the message box a wrong
entry brings."""

import os
import subprocess
import sys
import time

import pyatspi

EXPECTED = [
    ("panel", "Dekorlist", ["SetFocus"]),
    ("label", "FV", []),
    ("label", "GEV", []),
    ("label", "FVb", []),
    ("label", "EP", []),
    ("text", "FV", ["SetFocus"]),
    ("text", "GEV", ["SetFocus"]),
    ("text", "FVb", ["SetFocus"]),
    ("text", "EP", ["SetFocus"]),
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
# The fields are described by their key lines, the link by what it does.
DESCRIBED = {5: "Nuvarande färdighetsvärde", 6: "Grundegenskapsvärde", 7: "Blivande färdighetsvärde",
             8: "Kostnad i antal erfarenhetspoäng", 18: "Öppnar hemsidan i webbläsaren"}
for i, child in enumerate(children):
    if child.description != DESCRIBED.get(i, ""):
        print(f"FAIL: child {i} is described as {child.description!r}")
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

def wait_for(condition, seconds=5):
    end = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > end:
            return False
        time.sleep(0.05)
    return True


def visible_windows():
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "Varvik141"],
                           capture_output=True, text=True).stdout
    return len(found.split())


# The FV field's context menu, opened with the right button over the field
# while its "0" is selected, as the window opens. In Swedish, U is the key of
# "Klipp ut", which cuts the "0"; in English it would be "Undo", which has
# nothing to undo.
field = children[5]
extents = field.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
windows = visible_windows()
subprocess.run(["xdotool", "mousemove", str(extents.x + 10), str(extents.y + 10), "click", "3"], check=True)
if not wait_for(lambda: visible_windows() > windows):
    print("FAIL: no context menu opened over the FV field")
    failures += 1
else:
    subprocess.run(["xdotool", "key", "u"], check=True)
    if wait_for(lambda: field.queryText().getText(0, -1) == ""):
        print("ok: the field's context menu is Swedish (U cut the field's text)")
    else:
        print(f"FAIL: U in the field's context menu left {field.queryText().getText(0, -1)!r}: not Swedish")
        failures += 1


# The program's own message box, as a wrong entry shows it: a GEV of 5000
# typed and "Beräkna EP" clicked. Its one button, OK, has the focus and Enter
# closes it.
gev, button = (children[i].queryComponent().getExtents(pyatspi.DESKTOP_COORDS) for i in (6, 10))
subprocess.run(["xdotool", "mousemove", str(gev.x + 10), str(gev.y + 10), "click", "1", "key", "ctrl+a", "type",
                "5000"], check=True)
subprocess.run(["xdotool", "mousemove", str(button.x + 10), str(button.y + 10), "click", "1"], check=True)
if not wait_for(lambda: app.childCount > 1, 30):
    print("FAIL: no message box for a GEV of 5000")
    failures += 1
else:
    box = app.getChildAtIndex(1)
    shown = [(c.getRoleName(), c.name) for c in pyatspi.findAllDescendants(box, lambda c: c.getRoleName() in
             ("label", "push button") and c.getState().contains(pyatspi.STATE_SHOWING))]
    # Wide enough for its title in bold as a title bar shows it (the
    # desktop's 9-point sans as fontconfig picks it, measured apart) and the
    # title bar's buttons.
    face = subprocess.run(["fc-match", "-f", "%{file}", "sans:bold"], capture_output=True, text=True).stdout
    title = subprocess.run(["convert", "-font", face, "-pointsize", "9", "-density", "96",
                            "label:Varvik v1.4.1", "-format", "%w", "info:"], capture_output=True, text=True).stdout
    wide = title.isdigit() and box.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).width >= int(title) + 100
    got = (box.getRoleName(), box.name, shown, wide)
    if got == ("alert", "Varvik v1.4.1", [("label", "Ogiltigt GEV!"), ("push button", "OK")], True):
        print("ok: the message box reads as expected, wide enough for its bold title")
    else:
        print(f"FAIL: the message box reads as {got} (role, title, texts, wide enough for {title} pixels)")
        failures += 1
    subprocess.run(["xdotool", "key", "Return"], check=True)
    if not wait_for(lambda: app.childCount == 1, 30):
        print("FAIL: Enter did not close the message box")
        failures += 1
sys.exit(1 if failures else 0)
