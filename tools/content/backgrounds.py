#!/usr/bin/python3
"""The aquarium's water backgrounds: for each of the three looks a sea-bed
and a water-surface picture, and the grey caustic light map laid over both.

Every picture tiles without a seam: noise is made in the frequency domain
(an inverse FFT is periodic by construction), ripples use whole numbers of
waves per tile, stones and light cells are placed on a torus, and slopes
are taken with wrapped differences. The seeds are fixed, so a run writes the
same files again.

    backgrounds.py OUTDIR [FILE...]   (default: every file)
"""
import os
import sys

import numpy as np
from PIL import Image

JPEG_QUALITY = 90


def periodic_noise(rng, size, falloff, low=1.0, high=None):
    """Tiling noise of size x size with a power spectrum ~ 1/f^falloff
    between the frequencies low and high (waves per tile); mean 0, std 1."""
    fx = np.fft.fftfreq(size) * size
    f = np.hypot(fx[None, :], fx[:, None])
    amp = np.zeros_like(f)
    band = f >= low
    if high is not None:
        band &= f <= high
    amp[band] = f[band] ** (-falloff / 2.0)
    phase = rng.uniform(0.0, 2.0 * np.pi, f.shape)
    spectrum = amp * np.exp(1j * phase)
    field = np.real(np.fft.ifft2(spectrum))
    field -= field.mean()
    return field / (field.std() + 1e-12)


def blur(field, radius):
    """Periodic Gaussian blur (in pixels)."""
    size = field.shape[0]
    fx = np.fft.fftfreq(size)
    f2 = fx[None, :] ** 2 + fx[:, None] ** 2
    kernel = np.exp(-2.0 * (np.pi * radius) ** 2 * f2)
    return np.real(np.fft.ifft2(np.fft.fft2(field) * kernel))


def shade(height, light, strength):
    """Lambert shading of a height field with wrapped slopes; light is a
    unit vector (x right, y down the picture, z up)."""
    dx = (np.roll(height, -1, 1) - np.roll(height, 1, 1)) * 0.5 * strength
    dy = (np.roll(height, -1, 0) - np.roll(height, 1, 0)) * 0.5 * strength
    n = np.stack([-dx, -dy, np.ones_like(height)])
    n /= np.linalg.norm(n, axis=0)
    return np.clip(n[0] * light[0] + n[1] * light[1] + n[2] * light[2], 0.0, 1.0)


def grid(size):
    y, x = np.mgrid[0:size, 0:size].astype(np.float64)
    return x, y


def wrapped(d, size):
    return (d + size / 2.0) % size - size / 2.0


def save(picture, path):
    rgb = np.clip(np.rint(picture), 0, 255).astype(np.uint8)
    Image.fromarray(rgb, "RGB").save(path, "JPEG", quality=JPEG_QUALITY, subsampling=0, optimize=False)


# The three looks, in the order of the scene's backgrounds (the clock's
# colour follows that order): sand colours, ripple direction, stones.
LOOKS = [
    dict(  # a clear lagoon: pale sand with long ripples and a few grey stones
        seed=11, sand=(230, 204, 152), sand_dark=(162, 134, 96), ripple=(2, 15),
        ripple_amp=1.0, stones=26, stone_size=(7, 20), stone_colors=[(120, 122, 126), (150, 144, 134), (96, 98, 104)],
        algae=None, surface=(150, 205, 250), surface_deep=(40, 120, 200)),
    dict(  # a reef lagoon: white coral sand, short ripples, pink and ochre coral rubble
        seed=23, sand=(244, 230, 198), sand_dark=(184, 164, 136), ripple=(-3, 19),
        ripple_amp=0.8, stones=60, stone_size=(3, 11), stone_colors=[(226, 170, 160), (214, 190, 140), (240, 236, 226), (190, 120, 110)],
        algae=None, surface=(170, 240, 245), surface_deep=(20, 170, 200)),
    dict(  # green water: darker olive sand, pebbles and patches of algae
        seed=37, sand=(176, 160, 104), sand_dark=(100, 92, 54), ripple=(4, 13),
        ripple_amp=0.7, stones=90, stone_size=(3, 9), stone_colors=[(110, 104, 90), (136, 126, 104), (80, 78, 70), (150, 146, 132)],
        algae=(70, 110, 50), surface=(170, 235, 200), surface_deep=(30, 150, 110)),
]


def seabed(look, size=512):
    rng = np.random.default_rng(look["seed"])
    x, y = grid(size)
    # Sand ripples: whole waves per tile along (a, b), bent by slow noise,
    # with sharp crests and soft troughs, fading in and out over the tile.
    a, b = look["ripple"]
    warp = periodic_noise(rng, size, 3.0, 1, 6) * 0.9
    phase = 2.0 * np.pi * (a * x + b * y) / size + warp * 2.0
    crest = np.sin(phase) + 0.35 * np.sin(2.0 * phase + 0.6)
    strength = 0.55 + 0.45 * np.tanh(periodic_noise(rng, size, 3.0, 1, 5) * 1.2)
    height = crest * strength * look["ripple_amp"] * 2.2
    height += periodic_noise(rng, size, 2.2, 2, 40) * 0.9  # dunes and dents
    grain = periodic_noise(rng, size, 0.0, 60)  # white grain
    height += grain * 0.25

    # Stones: wrapped ellipsoids, higher than the sand, each with its own tint.
    stone_height = np.full((size, size), -1e9)
    stone_color = np.zeros((size, size, 3))
    for _ in range(look["stones"]):
        cx, cy = rng.uniform(0, size, 2)
        r = rng.uniform(*look["stone_size"])
        ratio = rng.uniform(0.55, 1.0)
        angle = rng.uniform(0, np.pi)
        dx = wrapped(x - cx, size)
        dy = wrapped(y - cy, size)
        u = (dx * np.cos(angle) + dy * np.sin(angle)) / r
        v = (-dx * np.sin(angle) + dy * np.cos(angle)) / (r * ratio)
        d2 = u * u + v * v
        inside = d2 < 1.0
        h = np.where(inside, np.sqrt(np.clip(1.0 - d2, 0, 1)) * r * 0.7 + 1.5, -1e9)
        top = h > stone_height
        stone_height = np.where(top, h, stone_height)
        base = np.array(look["stone_colors"][rng.integers(len(look["stone_colors"]))], dtype=np.float64)
        base = base * rng.uniform(0.85, 1.1)
        stone_color[top] = base
    is_stone = stone_height > -1e8
    height = np.where(is_stone, np.maximum(height, stone_height), height)

    light = np.array([-0.45, -0.55, 0.70])
    light /= np.linalg.norm(light)
    lit = shade(height, light, 1.0)
    # Contact shadows: sand darkens around and below-right of the stones.
    mask = np.roll(np.roll(is_stone.astype(np.float64), 3, 0), 3, 1)
    occlusion = 1.0 - 0.55 * np.clip(blur(mask, 4.0) * 1.6, 0, 1) * (~is_stone)

    sand = np.array(look["sand"], dtype=np.float64)
    dark = np.array(look["sand_dark"], dtype=np.float64)
    tone = np.clip(0.5 + 0.5 * periodic_noise(rng, size, 2.6, 1, 30) * 0.6, 0, 1)[..., None]
    colour = dark + (sand - dark) * (0.35 + 0.65 * tone)
    if look["algae"] is not None:
        cover = periodic_noise(rng, size, 2.8, 1, 24) + 0.35 * periodic_noise(rng, size, 1.0, 30, 120)
        patches = np.clip((cover - 0.3) * 0.9, 0, 1)[..., None]
        colour = colour * (1 - 0.6 * patches) + np.array(look["algae"]) * 0.6 * patches
    speckle = periodic_noise(rng, size, 0.0, 80)[..., None]
    colour = colour * (1.0 + 0.06 * speckle)
    stone_speckle = 1.0 + 0.10 * periodic_noise(rng, size, 1.0, 20)[..., None]
    colour = np.where(is_stone[..., None], stone_color * stone_speckle, colour)

    light_term = (0.45 + 0.75 * lit) * occlusion
    return colour * light_term[..., None]


def surface(look, size=512):
    """The water surface seen from below: slow swells over the look's deep
    colour, lit towards its bright colour, crossed by a soft network of
    light where the waves focus it, with a few white glints."""
    rng = np.random.default_rng(look["seed"] + 100)
    swell = periodic_noise(rng, size, 3.6, 1, 20)
    light = np.array([0.25, 0.35, 0.90])
    light /= np.linalg.norm(light)
    lit = shade(swell, light, 9.0)
    network = light_network(size, 30, look["seed"] + 200, bend=14.0, width=2.8)
    bright = np.array(look["surface"], dtype=np.float64)
    deep = np.array(look["surface_deep"], dtype=np.float64)
    mix = np.clip(0.25 + 0.55 * (lit - lit.min()) / (np.ptp(lit) + 1e-9) + 0.10 * swell * 0.3, 0, 1)
    mix = np.clip(mix + 0.3 * network, 0, 1)[..., None]
    colour = deep + (bright - deep) * mix
    glint = np.clip((network - 0.85) / 0.15, 0, 1) ** 2
    return colour + (255.0 - colour) * glint[..., None] * 0.5


def light_network(size, cells, seed, bend, width):
    """Uneven bright lines (0..1) along the borders of wrapped Voronoi cells
    (the second-nearest minus the nearest distance is small there), the
    domain bent by noise so the cells are not polygons."""
    rng = np.random.default_rng(seed)
    x, y = grid(size)
    wx = x + periodic_noise(rng, size, 3.0, 1, 8) * bend
    wy = y + periodic_noise(rng, size, 3.0, 1, 8) * bend
    points = rng.uniform(0, size, (cells, 2))
    f1 = np.full((size, size), 1e9)
    f2 = np.full((size, size), 1e9)
    for px, py in points:
        d = np.hypot(wrapped(wx - px, size), wrapped(wy - py, size))
        f2 = np.where(d < f1, f1, np.minimum(f2, d))
        f1 = np.minimum(f1, d)
    edge = f2 - f1
    line_width = width * (1.0 + 0.5 * periodic_noise(rng, size, 2.0, 2, 12))
    line = np.exp(-edge / np.clip(line_width, 0.3 * width, None))
    line = blur(line, 0.7)
    glow = blur(line, 5.0)
    return np.clip(line * 1.05 + glow * 0.35, 0, 1)


def caustics(size=256):
    """The grey caustic light map: the light network over a dim ground."""
    value = 84.0 + 171.0 * light_network(size, 56, 5, bend=6.0, width=2.2)
    return np.repeat(value[..., None], 3, axis=2)


def pictures():
    result = {"caustics.jpg": caustics}
    for i, look in enumerate(LOOKS, start=1):
        result["seabed%d.jpg" % i] = (lambda look=look: seabed(look))
        result["surface%d.jpg" % i] = (lambda look=look: surface(look))
    return result


def main(argv):
    if len(argv) < 2:
        sys.stderr.write(__doc__)
        return 2
    out = argv[1]
    wanted = argv[2:] or sorted(pictures())
    makers = pictures()
    for name in wanted:
        if name not in makers:
            sys.stderr.write("backgrounds.py: no picture named %s\n" % name)
            return 2
        save(makers[name](), os.path.join(out, name))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
