"""Painting a species' picture in the side-view layout of its mesh.

Every pixel of the picture knows the point of the fish it covers: its
length coordinate s (0 at the nose, 1 at the caudal peduncle), its height
y in body lengths, and r, its height within the body's outline (0 at the
belly, 1 at the back). A species paints with array expressions of those,
so the markings follow the fish's own shape.
"""
import math

import numpy as np
from PIL import Image, ImageDraw, ImageFilter

from fishmesh import SIDE_V, catmull


class Canvas:
    def __init__(self, sp, frame, size, seed):
        self.sp = sp
        self.size = size
        x0, x1, y0, y1 = frame
        self.frame = frame
        L = sp.length
        px = (np.arange(size) + 0.5) / size
        u, v = np.meshgrid(px, 1.0 - px)  # row 0 is the picture's top, v = 1
        self.u, self.v = u, v
        x = x0 + u * (x1 - x0)
        y = y0 + v / SIDE_V * (y1 - y0)
        self.s = 0.5 - x / L
        self.y = y / L
        top = catmull(sp.top, self.s)
        bot = catmull(sp.bottom, self.s)
        self.top, self.bot = top, bot
        self.r = (self.y - bot) / np.maximum(top - bot, 1e-6)
        self.side = v < SIDE_V  # the side view; above it the paired fins' patch
        self.body = self.side & (self.s >= 0) & (self.s <= 1.0) & (self.y <= top) & (self.y >= bot)
        self.rng = np.random.default_rng(seed)
        self.fins = self.fin_mask(frame)
        # How deep inside a fin a pixel lies: 1 well inside, falling to
        # about 0.5 on the outline; margins and fades key on it.
        solid = np.maximum(self.fins, self.body)
        blurred = Image.fromarray((solid * 255).astype(np.uint8)).filter(ImageFilter.GaussianBlur(size / 90))
        self.fin_depth = np.asarray(blurred, dtype=float) / 255.0

    def to_pixels(self, s, y):
        x0, x1, y0, y1 = self.frame
        L = self.sp.length
        x = (0.5 - s) * L
        u = (x - x0) / (x1 - x0)
        v = (y * L - y0) / (y1 - y0) * SIDE_V
        return u * self.size, (1.0 - v) * self.size

    def fin_mask(self, frame):
        """Coverage (0..1) of the median fins, from their root and tip outlines."""
        scale = 4
        img = Image.new("L", (self.size * scale, self.size * scale), 0)
        draw = ImageDraw.Draw(img)
        for fin in self.sp.fins:
            pts = [self.to_pixels(*root) for root, _ in fin] + [self.to_pixels(*tip) for _, tip in reversed(fin)]
            draw.polygon([(x * scale, y * scale) for x, y in pts], fill=255)
        img = img.resize((self.size, self.size), Image.LANCZOS)
        return np.asarray(img, dtype=float) / 255.0

    def noise(self, cells, octaves=3):
        """Smooth value noise in 0..1 over the picture, fixed by the seed."""
        total = np.zeros((self.size, self.size))
        amp, weight = 1.0, 0.0
        for o in range(octaves):
            n = cells * 2 ** o
            grid = self.rng.random((n + 1, n + 1))
            img = Image.fromarray((grid * 255).astype(np.uint8)).resize((self.size, self.size), Image.BICUBIC)
            total += amp * np.asarray(img, dtype=float) / 255.0
            weight += amp
            amp *= 0.5
        return total / weight

    def scales(self, pitch=0.03):
        """A faint lattice of rhombic scales (1 inside a scale, lower on its
        edges); the edges are two families of slanted lines."""
        a = (self.s + self.y * 1.4) / pitch * math.pi
        b = (self.s - self.y * 1.4) / pitch * math.pi
        edge = smooth(0.35, 0.0, np.minimum(np.abs(np.sin(a)), np.abs(np.sin(b))))
        return 1.0 - 0.8 * edge

    def ellipse(self, s, y, rs, ry):
        """0 at the centre, 1 on the rim of an ellipse in (s, y)."""
        return np.sqrt(((self.s - s) / rs) ** 2 + ((self.y - y) / ry) ** 2)


def mix(a, b, t):
    t = np.clip(t, 0, 1)[..., None]
    return a * (1 - t) + b * t


def colour(rgb, shape):
    return np.broadcast_to(np.array(rgb, dtype=float), shape + (3,)).copy()


def smooth(edge0, edge1, x):
    t = np.clip((x - edge0) / (edge1 - edge0), 0, 1)
    return t * t * (3 - 2 * t)


def paint_eye(c, rgb, s, y, radius, iris=(200, 170, 60)):
    """An eye with a dark pupil, a coloured iris and a glint."""
    d = c.ellipse(s, y, radius, radius * 1.0)
    rgb = mix(rgb, colour(iris, d.shape), smooth(1.15, 0.95, d))
    rgb = mix(rgb, colour((8, 8, 12), d.shape), smooth(0.68, 0.55, d))
    glint = c.ellipse(s - radius * 0.25, y + radius * 0.3, radius * 0.22, radius * 0.22)
    return mix(rgb, colour((235, 240, 245), d.shape), smooth(1.0, 0.6, glint))


def paint_gill(c, rgb, s, y, height, strength=0.25):
    """The edge of the gill cover: a faint dark arc bowing backwards,
    with a lighter rim just behind it."""
    t = (c.y - y) / height
    arc = s + 0.035 * (1 - t * t)
    d = c.s - arc
    inside = c.body & (np.abs(t) < 1)
    shade = smooth(0.012, 0.0, np.abs(d)) * inside
    lift = smooth(0.02, 0.008, np.abs(d - 0.012)) * inside
    rgb = rgb * (1 - strength * shade)[..., None]
    return rgb + (255 - rgb) * (0.3 * strength * lift)[..., None]


def finish(c, rgb, fin_alpha, pectoral_rgb, pectoral_alpha):
    """The two pictures: colour (fins' colour bled beyond their edges so
    filtering never pulls in a foreign colour) and the opacity of the fins."""
    patch = ~c.side
    # The paired fins' patch: along = 0..1 from root to tip, across = 0..1.
    along = np.clip(np.where(c.u < 0.5, (c.u - 0.02) / 0.44, (c.u - 0.52) / 0.46), 0, 1)
    across = np.clip((c.v - SIDE_V - 0.02) / 0.13, 0, 1)
    prgb = pectoral_rgb(along, across)
    rgb = np.where(patch[..., None], prgb, rgb)
    alpha = np.where(c.body, 1.0, fin_alpha * c.fins)
    edge = smooth(1.0, 0.8, along) * smooth(0.0, 0.12, across) * smooth(1.0, 0.88, across)
    # The pelvic fins (the right half of the patch) are thin: nearly opaque.
    palpha = np.where(c.u < 0.5, pectoral_alpha(along, across), 0.85) * edge
    return rgb, np.where(patch, palpha, alpha)


def save_pair(rgb, alpha, colour_path, alpha_path, quality=92):
    """The colour picture and the opacity picture (grey, stored as colour:
    the engine takes the mean of the three channels) as baseline JPEG
    files without chroma subsampling."""
    Image.fromarray(np.clip(rgb + 0.5, 0, 255).astype(np.uint8), "RGB").save(
        colour_path, quality=quality, optimize=False, subsampling=0)
    a = np.clip(alpha * 255 + 0.5, 0, 255).astype(np.uint8)
    Image.fromarray(np.stack([a, a, a], axis=-1), "RGB").save(alpha_path, quality=quality, optimize=False,
                                                              subsampling=0)


def margin(c, width=1.0):
    """1 on a fin's outer margin, 0 inside it."""
    return smooth(0.9, 0.9 - 0.3 * width, c.fin_depth)


def rays(c, pitch=0.022):
    """Fin rays: thin lines roughly across the fin's length (0..1)."""
    return 0.5 + 0.5 * np.cos((c.s * 1.0 + c.y * 0.35) / pitch * 2 * math.pi)
