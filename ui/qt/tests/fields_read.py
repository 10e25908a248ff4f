"""Waits until the four fields of the real window, read as a screen reader
reads them (AT-SPI), hold the texts given, each a word; prints what they
hold and fails if they never do within 30 s.
    fields_read.py FV GEV FVb EP"""

import sys
import time

import pyatspi

expected = sys.argv[1:5]
got = None
for _ in range(300):
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
        frame = next(a for a in apps if a is not None and a.name == "Varvik141").getChildAtIndex(0)
        boxes = [frame.getChildAtIndex(i) for i in range(frame.childCount)]
        got = [b.queryText().getText(0, -1) for b in boxes if b.getRoleName() == "text"]
        if got == expected:
            break
    except Exception:  # pylint: disable=broad-except
        pass  # not there yet, or gone as it was read
    time.sleep(0.1)
print(" ".join(got) if got is not None else "(no window on the accessibility bus)")
sys.exit(0 if got == expected else 1)
