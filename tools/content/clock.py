#!/usr/bin/python3
"""The clock's pictures: clock.bmp holds white glyphs (digits, colon, "am",
"pm", "/" and the seven weekday abbreviations) on a dark halo, clocka.bmp
their opacity as grey (glyph opaque, halo half clear, the rest clear).
Both are 256 x 128, 24-bit, rasterised by FreeType from DejaVu Sans
Condensed Bold.

CELLS is the layout the scene description's clock sprites cut out (pixels,
counted from the picture's top left). Every glyph keeps two pixels clear of
its cell's border, so filtering never pulls in a neighbour.

    clock.py OUTDIR
"""
import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFont

FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"
WIDTH, HEIGHT = 256, 128

# name: (text, x, y, width, height, font size)
CELLS = {str(d): (str(d), 24 * d, 0, 24, 40, 30) for d in range(10)}
CELLS.update({
    "colon": (":", 240, 0, 16, 40, 30),
    "am": ("am", 0, 40, 40, 40, 20),
    "pm": ("pm", 40, 40, 40, 40, 20),
    "slash": ("/", 80, 40, 20, 40, 30),
    "sun": ("Sun", 100, 40, 52, 40, 21),
    "mon": ("Mon", 152, 40, 52, 40, 21),
    "tue": ("Tue", 204, 40, 52, 40, 21),
    "wed": ("Wed", 0, 80, 52, 40, 21),
    "thu": ("Thu", 52, 80, 52, 40, 21),
    "fri": ("Fri", 104, 80, 52, 40, 21),
    "sat": ("Sat", 156, 80, 52, 40, 21),
})

HALO_RADIUS = 2.0
HALO_OPACITY = 0.55
MARGIN = 2


def blur(field, radius):
    """Gaussian blur by a separable kernel (the picture's border is clear)."""
    taps = np.arange(-int(3 * radius) - 1, int(3 * radius) + 2)
    kernel = np.exp(-0.5 * (taps / radius) ** 2)
    kernel /= kernel.sum()
    rows = np.apply_along_axis(lambda r: np.convolve(r, kernel, mode="same"), 1, field)
    return np.apply_along_axis(lambda c: np.convolve(c, kernel, mode="same"), 0, rows)


def glyph_coverage():
    """The glyphs' coverage (0..1), each centred in its cell on a shared
    baseline per font size; raises when a glyph would leave its margin."""
    coverage = Image.new("L", (WIDTH, HEIGHT), 0)
    draw = ImageDraw.Draw(coverage)
    fonts = {}
    for name, (text, x, y, w, h, size) in CELLS.items():
        font = fonts.setdefault(size, ImageFont.truetype(FONT, size))
        ascent, descent = font.getmetrics()
        left, top, right, bottom = draw.textbbox((0, 0), text, font=font)
        # Centre the ink across; stand the text on a baseline that centres
        # the cap height (digits and capitals) in the cell.
        cap_top = draw.textbbox((0, 0), "0", font=font)[1]
        ox = x + (w - (right - left)) / 2.0 - left
        oy = y + (h - (ascent - cap_top)) / 2.0 - cap_top
        ox, oy = round(ox), round(oy)
        box = (ox + left, oy + top, ox + right, oy + bottom)
        if box[0] < x + MARGIN or box[1] < y + MARGIN or box[2] > x + w - MARGIN or box[3] > y + h - MARGIN:
            raise SystemExit("clock.py: %r does not fit its cell: %s" % (text, box))
        draw.text((ox, oy), text, fill=255, font=font)
    return np.asarray(coverage, dtype=np.float64) / 255.0


def pictures():
    glyph = glyph_coverage()
    # The halo stays inside each cell: blur per cell.
    halo = np.zeros_like(glyph)
    for _, x, y, w, h, _ in CELLS.values():
        halo[y:y + h, x:x + w] = blur(glyph[y:y + h, x:x + w], HALO_RADIUS)
    alpha = np.maximum(glyph, np.clip(halo * 2.5, 0, 1) * HALO_OPACITY)
    # Colour such that blending colour by alpha lays white ink at the glyph's
    # coverage and black elsewhere inside the halo.
    white = np.where(alpha > 0, glyph / np.maximum(alpha, 1e-6), 0.0)
    to_rgb = lambda v: np.repeat(np.clip(np.rint(v * 255), 0, 255).astype(np.uint8)[..., None], 3, axis=2)
    return Image.fromarray(to_rgb(white), "RGB"), Image.fromarray(to_rgb(alpha), "RGB")


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    colour, alpha = pictures()
    colour.save(os.path.join(argv[1], "clock.bmp"), "BMP")
    alpha.save(os.path.join(argv[1], "clocka.bmp"), "BMP")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
