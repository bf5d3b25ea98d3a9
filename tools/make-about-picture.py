#!/usr/bin/env python3
"""Draws the about box's background picture (ImageBackground): deep water
lit from above, with light rays and rising bubbles. Writes it as an 8-bit
BMP into the "Picture.Bitmap = { ... }" value of resources/about.form, so
that the form description carries it. Deterministic: the same run gives the
same bytes.

    tools/make-about-picture.py [resources/about.form]
"""
import math
import random
import re
import struct
import sys

WIDTH, HEIGHT = 396, 148


def palette():
    """256 colours along one curve: deep navy, azure, white."""
    stops = [(0.0, (6, 24, 64)), (0.55, (30, 120, 200)), (0.85, (110, 200, 245)), (1.0, (255, 255, 255))]
    colours = []
    for i in range(256):
        t = i / 255
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t <= t1:
                f = (t - t0) / (t1 - t0)
                colours.append(tuple(round(a + (b - a) * f) for a, b in zip(c0, c1)))
                break
    return colours


def picture():
    rng = random.Random(17)
    light = [[0.0] * WIDTH for _ in range(HEIGHT)]
    for y in range(HEIGHT):
        depth = y / (HEIGHT - 1)
        for x in range(WIDTH):
            # Brighter near the surface; slanted rays fading with depth.
            ray = 0.5 + 0.5 * math.sin((x + 0.45 * y) / 23.0) * math.sin((x - 0.2 * y) / 61.0)
            light[y][x] = 0.78 - 0.6 * depth + 0.14 * ray * (1 - depth)
    for _ in range(28):
        cx, cy = rng.uniform(0, WIDTH), rng.uniform(0, HEIGHT)
        r = rng.uniform(1.5, 6.0)
        for y in range(max(0, int(cy - r - 2)), min(HEIGHT, int(cy + r + 3))):
            for x in range(max(0, int(cx - r - 2)), min(WIDTH, int(cx + r + 3))):
                d = math.hypot(x - cx, y - cy)
                if d <= r + 0.5:
                    rim = max(0.0, 1 - abs(d - r))  # bright rim
                    glint = max(0.0, 1 - math.hypot(x - (cx - r / 3), y - (cy - r / 3)) / (r / 3 + 0.5))
                    light[y][x] = max(light[y][x], light[y][x] + 0.25, 0.7 * rim + 0.3, glint)
    return [[max(0, min(255, round(v * 255))) for v in row] for row in light]


def bmp(pixels, colours):
    row_size = (WIDTH + 3) & ~3
    data = b"".join(bytes(row) + b"\0" * (row_size - WIDTH) for row in reversed(pixels))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 0, len(data), 2835, 2835, 256, 0)
    return header + info + table + data


def main():
    form = sys.argv[1] if len(sys.argv) > 1 else "resources/about.form"
    picture_bytes = bmp(picture(), palette())
    hexed = picture_bytes.hex().upper()
    lines = "\n".join("        " + hexed[i:i + 64] for i in range(0, len(hexed), 64))
    text = open(form).read()
    text, count = re.subn(r"Picture\.Bitmap = \{[^}]*\}", lambda _: "Picture.Bitmap = {\n" + lines + "}", text)
    if count != 1:
        sys.exit(form + ": no single Picture.Bitmap value to replace")
    open(form, "w").write(text)


if __name__ == "__main__":
    main()
