"""Waits until the four fields of the real window, read as a screen reader
reads them (AT-SPI), hold the texts given, each a word, and the program
shows as many windows as given (1 without a message box); prints what it
read and fails if that never comes within 30 s.
    fields_read.py FV GEV FVb EP [WINDOWS]"""

import sys
import time

import pyatspi

expected = (sys.argv[1:5], int(sys.argv[5]) if len(sys.argv) > 5 else 1)
got = None
for _ in range(300):
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
        app = next(a for a in apps if a is not None and a.name == "Varvik141")
        frame = app.getChildAtIndex(0)
        boxes = [frame.getChildAtIndex(i) for i in range(frame.childCount)]
        got = ([b.queryText().getText(0, -1) for b in boxes if b.getRoleName() == "text"], app.childCount)
        if got == expected:
            break
    except Exception:  # pylint: disable=broad-except; not there yet, or gone as it was read
        pass
    time.sleep(0.1)
print(f"{' '.join(got[0])} in {got[1]} windows" if got else "no window on the accessibility bus")
sys.exit(0 if got == expected else 1)
