"""Checks a screenshot of the window's client area taken at a display scale:
the window scaled as a whole, the key box's frame one device pixel wide on
every side, the column just inside its right edge clear of text, and at
twice the scale the background drawn from its picture for that scale."""

import sys

path, scale, name, twice_path = sys.argv[1], float(sys.argv[2]), sys.argv[3], sys.argv[4]


def read_ppm(path):
    """A binary PPM: "P6", width, height, maximum value, then RGB bytes."""
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    w, h = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:]

    def at(x, y):
        i = (y * w + x) * 3
        return pixels[i] << 16 | pixels[i + 1] << 8 | pixels[i + 2]

    return w, h, at


width, height, at = read_ppm(path)


BLACK, YELLOW = 0x000000, 0xFFFF80
failures = []


def check(what, ok):
    if not ok:
        failures.append(what)


check(f"client size {width}x{height}", (width, height) == (int(366 * scale + 0.5), int(263 * scale + 0.5)))

# The key box spans (16, 136) to (208, 216) at the design scale.
left, top, right, bottom = 16 * scale, 136 * scale, 209 * scale, 217 * scale
middle_y, middle_x = int(196 * scale), int(19 * scale)


row = [at(x, middle_y) for x in range(int(left) - 3, int(left) + 4)]
check("left edge one pixel", row.count(BLACK) == 1)
row = [at(x, middle_y) for x in range(int(right) - 4, int(right) + 3)]
check("right edge one pixel", row.count(BLACK) == 1)
column = [at(middle_x, y) for y in range(int(top) - 3, int(top) + 4)]
check("top edge one pixel", column.count(BLACK) == 1)
column = [at(middle_x, y) for y in range(int(bottom) - 4, int(bottom) + 3)]
check("bottom edge one pixel", column.count(BLACK) == 1)

# The frame's right column, then everything left of it down the box must be
# the key box's yellow for a device pixel: no text reaches the frame.
frame_x = next(x for x in range(int(right) - 4, int(right) + 3) if at(x, middle_y) == BLACK)
inside = [at(frame_x - 1, y) for y in range(int(top) + 2, int(bottom) - 2)]
check("no text reaches the frame", all(v == YELLOW for v in inside))

# At twice the scale the picture for that scale shows pixel for pixel, in a
# patch of background right of the fields.
if scale == 2:
    _, _, picture = read_ppm(twice_path)
    check("background drawn at twice the scale",
          all(at(x, y) == picture(x, y) for y in range(24, 84) for x in range(600, 700)))

if failures:
    print(f"FAIL: {name}: " + "; ".join(failures))
    sys.exit(1)
print(f"ok: {name}: {width}x{height}, frame one device pixel, text clear of it")
