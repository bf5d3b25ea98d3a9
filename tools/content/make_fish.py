#!/usr/bin/python3
"""Writes the fish and bubble meshes and the fish pictures into resources/.

Usage: make_fish.py [output folder]   (default: the repository's resources/)

Needs Debian's python3-numpy and python3-pil, nothing else. Fixed seeds:
running it again writes the same bytes.
"""
import math
import os
import sys

import numpy as np

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import fishmesh as fm  # noqa: E402
import fishpaint as fp  # noqa: E402
from fishpaint import colour, mix, smooth  # noqa: E402

FRAMES = 12  # frames of one tail beat
PICTURE = 256  # picture edge, pixels


def median_fin(profile, s0, s1, heights, sweep, stations, inset=0.015):
    """Root and tip pairs of a fin along a profile (a list of (s, y)
    control points): heights are (u, h) control points over u = 0..1 from
    the fin's front to its back, positive up; sweep moves the tips back."""
    pairs = []
    for i in range(stations):
        u = i / (stations - 1)
        s = s0 + (s1 - s0) * u
        y = float(fm.catmull(profile, s))
        h = float(fm.catmull(heights, u))
        sw = float(fm.catmull(sweep, u)) if isinstance(sweep, list) else sweep
        root = (s, y - math.copysign(inset, h))
        tip = (s + sw, y + h)
        pairs.append((root, tip))
    return pairs


def caudal_fin(half_root, tips, s_root=0.97):
    """Root and tip pairs of a tail fin: its root a vertical line across
    the peduncle; tips (s, y) from the bottom lobe to the top lobe."""
    n = len(tips)
    return [((s_root, -half_root + 2 * half_root * i / (n - 1)), tip) for i, tip in enumerate(tips)]


def caudal_rays(c, centre_y=0.0, count=18.0):
    angle = np.arctan2(c.y - centre_y, c.s - 0.9)
    return 0.5 + 0.5 * np.cos(angle * count)


# --- Species ---------------------------------------------------------------------

def blue_tang():
    top = [(0, 0.0), (0.04, 0.06), (0.12, 0.15), (0.28, 0.235), (0.48, 0.25), (0.7, 0.19), (0.88, 0.09), (1.0, 0.06)]
    bot = [(0, -0.01), (0.05, -0.07), (0.15, -0.15), (0.35, -0.215), (0.55, -0.205), (0.75, -0.14), (0.9, -0.075),
           (1.0, -0.06)]
    width = [(0, 0.0), (0.05, 0.04), (0.2, 0.085), (0.45, 0.08), (0.75, 0.05), (1.0, 0.022)]
    fins = [
        median_fin(top, 0.2, 0.93, [(0, 0.0), (0.08, 0.08), (0.5, 0.1), (0.85, 0.11), (1, 0.0)], 0.04, 10),
        median_fin(bot, 0.45, 0.93, [(0, 0.0), (0.1, -0.08), (0.6, -0.095), (0.85, -0.09), (1, 0.0)], 0.04, 8),
        caudal_fin(0.055, [(1.22, -0.2), (1.17, -0.13), (1.14, -0.05), (1.14, 0.05), (1.17, 0.13), (1.22, 0.2)]),
    ]
    pectoral = {"s": 0.3, "y": -0.05, "root": 0.06, "angle": 25,
                "outline": [(0.1, -0.05), (0.17, -0.02), (0.19, 0.02), (0.14, 0.05)]}
    pelvic = {"s": 0.3, "y": -0.19, "root": 0.03, "angle": 20,
              "outline": [(0.08, -0.05), (0.1, -0.02), (0.05, 0.01)]}
    return fm.Species("BlueTang", 125, top, bot, width, fins, pectoral, pelvic)


def paint_blue_tang(c):
    shape = c.s.shape
    royal = colour((22, 70, 200), shape)
    light = colour((60, 130, 235), shape)
    rgb = mix(royal, light, 0.3 * c.noise(6) + 0.25 * (1 - c.r))
    rgb *= (0.9 + 0.2 * c.scales())[..., None]
    black = colour((10, 12, 30), shape)
    # The palette: a black band from the eye along the upper flank to the
    # tail, enclosing a blue oval below the dorsal fin.
    lower = fm.catmull([(0.1, 0.58), (0.3, 0.42), (0.6, 0.36), (0.85, 0.3), (1.0, 0.2)], c.s)
    band = smooth(-0.02, 0.02, c.r - lower) * smooth(0.08, 0.16, c.s) * (c.s < 1.02)
    band = band * (1 - smooth(0.9, 0.97, c.r) * (c.s < 0.25))
    island = c.ellipse(0.5, 0.135, 0.2, 0.05)
    band = band * smooth(0.85, 1.05, island)
    # The top rim stays blue in front of the dorsal fin, the band reaches
    # into the dorsal fin's base.
    rgb = mix(rgb, black, band)
    # Fins: dorsal and anal blue with black margins, tail yellow with
    # black upper and lower edges.
    fins_rgb = mix(colour((25, 60, 170), shape), black, fp.margin(c) * (c.s < 1.0))
    yellow = colour((250, 205, 20), shape)
    tail = mix(yellow, black, smooth(0.13, 0.17, np.abs(c.y)))
    fins_rgb = np.where((c.s > 0.97)[..., None], tail, fins_rgb)
    fins_rgb *= (0.85 + 0.15 * np.where(c.s > 0.97, caudal_rays(c), fp.rays(c)))[..., None]
    # The yellow reaches forward onto the peduncle as a triangle.
    tri = (c.s > 0.84) & (np.abs(c.y) < (c.s - 0.84) * 0.5)
    rgb = mix(rgb, yellow, tri * smooth(0.84, 0.9, c.s))
    rgb = np.where(c.body[..., None], rgb, fins_rgb)
    rgb = fp.paint_eye(c, rgb, 0.12, 0.035, 0.032, iris=(30, 40, 60))

    def pect(along, across):
        return mix(colour((40, 90, 210), along.shape), colour((250, 210, 40), along.shape), smooth(0.55, 0.8, along))

    def pect_alpha(along, across):
        return 0.75 + 0.0 * along
    return fp.finish(c, rgb, 0.85, pect, pect_alpha)


def yellow_tang():
    top = [(0, 0.0), (0.05, 0.035), (0.1, 0.08), (0.2, 0.2), (0.32, 0.28), (0.5, 0.3), (0.68, 0.24), (0.86, 0.11),
           (1.0, 0.06)]
    bot = [(0, -0.015), (0.05, -0.05), (0.15, -0.15), (0.33, -0.25), (0.52, -0.25), (0.72, -0.16), (0.9, -0.08),
           (1.0, -0.06)]
    width = [(0, 0.0), (0.06, 0.035), (0.25, 0.075), (0.5, 0.075), (0.8, 0.045), (1.0, 0.022)]
    fins = [
        median_fin(top, 0.2, 0.94, [(0, 0.0), (0.08, 0.12), (0.4, 0.19), (0.75, 0.17), (0.92, 0.08), (1, 0.0)],
                   [(0, 0.02), (0.5, 0.05), (1, 0.03)], 11),
        median_fin(bot, 0.38, 0.94, [(0, 0.0), (0.1, -0.14), (0.5, -0.16), (0.85, -0.1), (1, 0.0)],
                   [(0, 0.02), (0.5, 0.05), (1, 0.03)], 9),
        caudal_fin(0.055, [(1.22, -0.19), (1.19, -0.12), (1.17, -0.04), (1.17, 0.04), (1.19, 0.12), (1.22, 0.19)]),
    ]
    pectoral = {"s": 0.3, "y": -0.04, "root": 0.06, "angle": 25,
                "outline": [(0.09, -0.05), (0.15, -0.02), (0.17, 0.02), (0.12, 0.05)]}
    pelvic = {"s": 0.32, "y": -0.22, "root": 0.03, "angle": 20,
              "outline": [(0.07, -0.05), (0.09, -0.02), (0.05, 0.01)]}
    return fm.Species("YellowTang", 120, top, bot, width, fins, pectoral, pelvic)


def paint_yellow_tang(c):
    shape = c.s.shape
    yellow = colour((255, 214, 10), shape)
    deep = colour((245, 175, 0), shape)
    rgb = mix(yellow, deep, 0.5 * c.noise(5) + 0.2 * c.r)
    # Faint lengthwise lines of the flank.
    rgb = mix(rgb, colour((255, 236, 90), shape), 0.25 * smooth(0.6, 1.0, np.cos(c.y / 0.03 * math.pi)))
    rgb *= (0.92 + 0.16 * c.scales())[..., None]
    fins_rgb = mix(colour((255, 200, 0), shape), colour((255, 235, 110), shape),
                   0.4 * np.where(c.s > 0.97, caudal_rays(c), fp.rays(c, 0.018)))
    fins_rgb = mix(fins_rgb, colour((255, 240, 150), shape), 0.6 * fp.margin(c, 0.6))
    rgb = np.where(c.body[..., None], rgb, fins_rgb)
    # The white scalpel spine on the tail stalk.
    spine = c.ellipse(0.9, 0.0, 0.045, 0.011)
    rgb = mix(rgb, colour((250, 250, 245), shape), smooth(1.0, 0.7, spine))
    rgb = mix(rgb, colour((245, 190, 120), shape), 0.6 * smooth(1.25, 1.0, spine) * smooth(0.8, 1.0, spine))
    rgb = fp.paint_gill(c, rgb, 0.2, 0.0, 0.2, 0.3)
    rgb = fp.paint_eye(c, rgb, 0.12, 0.05, 0.032, iris=(40, 40, 30))

    def pect(along, across):
        return mix(colour((255, 215, 20), along.shape), colour((255, 240, 140), along.shape), 0.5 * along)

    def pect_alpha(along, across):
        return 0.7 + 0.0 * along
    return fp.finish(c, rgb, 0.9, pect, pect_alpha)


def copperband():
    top = [(0, 0.012), (0.14, 0.022), (0.2, 0.04), (0.27, 0.12), (0.36, 0.22), (0.5, 0.28), (0.65, 0.27),
           (0.82, 0.18), (0.93, 0.09), (1.0, 0.065)]
    bot = [(0, -0.01), (0.14, -0.02), (0.2, -0.04), (0.3, -0.15), (0.45, -0.24), (0.62, -0.24), (0.8, -0.15),
           (0.93, -0.08), (1.0, -0.065)]
    width = [(0, 0.008), (0.16, 0.014), (0.27, 0.045), (0.5, 0.07), (0.8, 0.045), (1.0, 0.02)]
    fins = [
        median_fin(top, 0.36, 0.97, [(0, 0.0), (0.1, 0.07), (0.55, 0.09), (0.8, 0.11), (0.93, 0.08), (1, 0.0)],
                   [(0, 0.02), (0.6, 0.05), (1, 0.02)], 11),
        median_fin(bot, 0.56, 0.97, [(0, 0.0), (0.12, -0.08), (0.6, -0.1), (0.9, -0.07), (1, 0.0)],
                   [(0, 0.02), (0.6, 0.05), (1, 0.02)], 8),
        caudal_fin(0.06, [(1.15, -0.13), (1.19, -0.08), (1.2, -0.03), (1.2, 0.03), (1.19, 0.08), (1.15, 0.13)]),
    ]
    pectoral = {"s": 0.38, "y": -0.06, "root": 0.06, "angle": 25,
                "outline": [(0.08, -0.05), (0.14, -0.02), (0.15, 0.02), (0.1, 0.05)]}
    pelvic = {"s": 0.42, "y": -0.2, "root": 0.03, "angle": 20,
              "outline": [(0.09, -0.05), (0.11, -0.02), (0.06, 0.01)]}
    return fm.Species("CopperbandButterfly", 125, top, bot, width, fins, pectoral, pelvic)


def paint_copperband(c):
    shape = c.s.shape
    white = colour((240, 242, 238), shape)
    rgb = mix(white, colour((205, 210, 215), shape), 0.35 * c.noise(6) + 0.15 * c.r)
    rgb *= (0.93 + 0.14 * c.scales())[..., None]
    fins_rgb = mix(colour((235, 225, 200), shape), colour((250, 250, 245), shape),
                   0.4 * np.where(c.s > 0.97, caudal_rays(c), fp.rays(c, 0.016)))
    rgb = np.where(c.body[..., None], rgb, fins_rgb)
    copper = colour((232, 118, 28), shape)
    black = colour((15, 12, 10), shape)
    # Copper bands edged in black, leaning a little back at the top.
    lean = c.s - 0.06 * c.y
    for centre, half in ((0.245, 0.028), (0.42, 0.04), (0.6, 0.042), (0.8, 0.03)):
        d = np.abs(lean - centre)
        inside = (c.body | (c.fins > 0.5)) & (np.abs(c.y) < 0.4)
        rgb = mix(rgb, black, inside * smooth(half + 0.012, half + 0.006, d))
        rgb = mix(rgb, copper, inside * smooth(half + 0.002, half - 0.004, d))
    # A black bar across the tail stalk, a thin one across the tail fin.
    rgb = mix(rgb, black, smooth(0.035, 0.025, np.abs(c.s - 0.965)))
    rgb = mix(rgb, black, smooth(0.012, 0.006, np.abs(c.s - 1.13)) * (c.fins > 0.3))
    # The false eye on the soft dorsal fin: black, ringed in white.
    spot = c.ellipse(0.86, 0.26, 0.04, 0.035)
    rgb = mix(rgb, colour((250, 250, 250), shape), smooth(1.35, 1.15, spot))
    rgb = mix(rgb, black, smooth(1.05, 0.9, spot))
    # The long snout: copper along its top, yellowish at the tip.
    snout = (c.s < 0.22) & c.body
    rgb = mix(rgb, colour((230, 150, 60), shape), snout * smooth(0.3, 0.8, c.r) * 0.8)
    rgb = mix(rgb, black, smooth(0.012, 0.004, c.s))
    rgb = fp.paint_eye(c, rgb, 0.245, 0.04, 0.028, iris=(40, 30, 20))

    def pect(along, across):
        return mix(colour((240, 235, 220), along.shape), colour((230, 200, 150), along.shape), 0.5 * along)

    def pect_alpha(along, across):
        return 0.45 + 0.0 * along
    return fp.finish(c, rgb, 0.8, pect, pect_alpha)


def angelfish():
    top = [(0, 0.02), (0.07, 0.11), (0.2, 0.28), (0.4, 0.38), (0.6, 0.33), (0.8, 0.17), (1.0, 0.07)]
    bot = [(0, -0.02), (0.09, -0.11), (0.25, -0.27), (0.45, -0.36), (0.65, -0.3), (0.85, -0.14), (1.0, -0.07)]
    width = [(0, 0.005), (0.08, 0.04), (0.35, 0.07), (0.7, 0.05), (1.0, 0.02)]
    fins = [
        median_fin(top, 0.32, 0.97, [(0, 0.0), (0.2, 0.3), (0.55, 0.55), (0.8, 0.6), (0.93, 0.35), (1, 0.0)],
                   [(0, 0.05), (0.4, 0.25), (0.8, 0.45), (1, 0.08)], 11),
        median_fin(bot, 0.36, 0.97, [(0, 0.0), (0.2, -0.3), (0.55, -0.55), (0.8, -0.6), (0.93, -0.35), (1, 0.0)],
                   [(0, 0.05), (0.4, 0.25), (0.8, 0.45), (1, 0.08)], 11),
        caudal_fin(0.06, [(1.5, -0.36), (1.32, -0.2), (1.26, -0.07), (1.26, 0.07), (1.32, 0.2), (1.5, 0.36)]),
    ]
    pectoral = {"s": 0.28, "y": -0.04, "root": 0.06, "angle": 25,
                "outline": [(0.1, -0.05), (0.16, -0.02), (0.17, 0.02), (0.12, 0.05)]}
    pelvic = {"s": 0.3, "y": -0.28, "root": 0.03, "angle": 55,
              "outline": [(0.3, -0.035), (0.62, -0.008), (0.6, 0.008), (0.28, 0.025)]}
    return fm.Species("Angelfish", 95, top, bot, width, fins, pectoral, pelvic,
                      wave={"tail": 0.09, "waves": 0.65})


def paint_angelfish(c):
    shape = c.s.shape
    silver = colour((205, 210, 212), shape)
    rgb = mix(silver, colour((160, 175, 170), shape), 0.4 * c.noise(6) + 0.3 * c.r)
    rgb = mix(rgb, colour((190, 150, 90), shape), 0.35 * smooth(0.7, 1.0, c.r) * (c.s < 0.5))
    rgb *= (0.93 + 0.14 * c.scales())[..., None]
    fins_rgb = mix(colour((200, 205, 205), shape), colour((235, 240, 240), shape),
                   0.5 * np.where(c.s > 0.97, caudal_rays(c, count=24.0), fp.rays(c, 0.02)))
    rgb = np.where(c.body[..., None], rgb, fins_rgb)
    black = colour((20, 20, 22), shape)
    # Vertical bars; those crossing the tall fins sweep back with them.
    ay = np.abs(c.y)
    sweep = 0.6 * np.maximum(ay - 0.25, 0)
    for centre, half, reach in ((0.15, 0.03, 0.28), (0.47, 0.05, 2.0), (0.82, 0.04, 2.0), (1.03, 0.015, 0.12)):
        d = np.abs(c.s - sweep - centre)
        rgb = mix(rgb, black, 0.92 * smooth(half + 0.01, half - 0.01, d) * smooth(reach, reach - 0.05, ay))
    # Fin edges bright, tail fin with dark streaks on its lobes.
    rgb = mix(rgb, colour((245, 245, 245), shape), 0.5 * fp.margin(c, 0.5) * (c.s < 0.97))
    rgb = fp.paint_gill(c, rgb, 0.22, 0.0, 0.22, 0.35)
    rgb = fp.paint_eye(c, rgb, 0.14, 0.04, 0.034, iris=(170, 40, 30))

    def pect(along, across):
        return colour((220, 225, 225), along.shape)

    def pect_alpha(along, across):
        return 0.4 + 0.0 * along
    return fp.finish(c, rgb, 0.8, pect, pect_alpha)


def neon_tetra():
    top = [(0, 0.008), (0.05, 0.045), (0.2, 0.105), (0.45, 0.125), (0.7, 0.095), (0.9, 0.058), (1.0, 0.048)]
    bot = [(0, -0.015), (0.06, -0.05), (0.25, -0.1), (0.5, -0.108), (0.75, -0.078), (0.9, -0.05), (1.0, -0.045)]
    width = [(0, 0.008), (0.12, 0.055), (0.4, 0.065), (0.8, 0.035), (1.0, 0.02)]
    fins = [
        median_fin(top, 0.46, 0.62, [(0, 0.0), (0.2, 0.11), (0.5, 0.1), (1, 0.0)], [(0, 0.02), (0.4, 0.06), (1, 0.02)],
                   6),
        median_fin(bot, 0.58, 0.93, [(0, 0.0), (0.12, -0.07), (0.6, -0.05), (1, 0.0)], 0.02, 7),
        caudal_fin(0.045, [(1.27, -0.15), (1.2, -0.08), (1.12, -0.02), (1.12, 0.02), (1.2, 0.08), (1.27, 0.15)]),
    ]
    pectoral = {"s": 0.24, "y": -0.05, "root": 0.04, "angle": 30,
                "outline": [(0.08, -0.03), (0.12, -0.01), (0.12, 0.02), (0.08, 0.03)]}
    pelvic = {"s": 0.45, "y": -0.1, "root": 0.02, "angle": 20,
              "outline": [(0.07, -0.03), (0.08, -0.01), (0.05, 0.01)]}
    return fm.Species("NeonTetra", 110, top, bot, width, fins, pectoral, pelvic,
                      wave={"tail": 0.12, "waves": 0.8})


def paint_neon_tetra(c):
    shape = c.s.shape
    back = colour((95, 90, 60), shape)
    belly = colour((225, 228, 232), shape)
    rgb = mix(belly, back, smooth(0.45, 0.8, c.r))
    rgb *= (0.9 + 0.2 * c.noise(8))[..., None]
    # The electric stripe from the eye to the adipose fin, bright at its core.
    stripe_y = fm.catmull([(0.1, 0.03), (0.4, 0.04), (0.8, 0.03), (0.92, 0.022)], c.s)
    half = fm.catmull([(0.1, 0.014), (0.4, 0.02), (0.8, 0.014), (0.92, 0.006)], c.s)
    d = np.abs(c.y - stripe_y) / half
    along = smooth(0.1, 0.16, c.s) * smooth(0.94, 0.86, c.s)
    rgb = mix(rgb, colour((0, 150, 235), shape), along * smooth(1.5, 1.0, d))
    rgb = mix(rgb, colour((60, 235, 255), shape), along * smooth(0.8, 0.2, d))
    # The red of the rear half below the stripe.
    red = (c.y < stripe_y - half * 1.1) & (c.s > 0.42)
    rgb = mix(rgb, colour((225, 25, 35), shape), red * smooth(0.42, 0.55, c.s) * smooth(0.0, 0.12, c.r) * 0.95)
    rgb *= (0.94 + 0.12 * c.scales())[..., None]
    fins_rgb = mix(colour((215, 220, 225), shape), colour((245, 245, 250), shape), 0.5 * fp.rays(c, 0.012))
    rgb = np.where(c.body[..., None], rgb, fins_rgb)
    rgb = fp.paint_gill(c, rgb, 0.18, -0.01, 0.09, 0.3)
    rgb = fp.paint_eye(c, rgb, 0.11, 0.018, 0.038, iris=(60, 150, 210))

    def pect(along, across):
        return colour((225, 230, 235), along.shape)

    def pect_alpha(along, across):
        return 0.3 + 0.0 * along
    return fp.finish(c, rgb, 0.4, pect, pect_alpha)


def discus():
    top = [(0, 0.02), (0.05, 0.1), (0.14, 0.25), (0.32, 0.37), (0.52, 0.38), (0.72, 0.29), (0.88, 0.14), (1.0, 0.07)]
    bot = [(0, -0.02), (0.06, -0.1), (0.16, -0.25), (0.34, -0.36), (0.54, -0.36), (0.74, -0.27), (0.9, -0.12),
           (1.0, -0.07)]
    width = [(0, 0.01), (0.08, 0.05), (0.35, 0.085), (0.75, 0.05), (1.0, 0.022)]
    fins = [
        median_fin(top, 0.18, 0.98, [(0, 0.0), (0.1, 0.06), (0.5, 0.08), (0.85, 0.09), (1, 0.0)],
                   [(0, 0.0), (0.5, 0.03), (1, 0.06)], 12),
        median_fin(bot, 0.3, 0.98, [(0, 0.0), (0.1, -0.06), (0.5, -0.08), (0.85, -0.09), (1, 0.0)],
                   [(0, 0.0), (0.5, 0.03), (1, 0.06)], 10),
        caudal_fin(0.06, [(1.12, -0.12), (1.16, -0.08), (1.18, -0.03), (1.18, 0.03), (1.16, 0.08), (1.12, 0.12)]),
    ]
    pectoral = {"s": 0.25, "y": -0.05, "root": 0.05, "angle": 25,
                "outline": [(0.08, -0.04), (0.13, -0.015), (0.14, 0.02), (0.1, 0.04)]}
    pelvic = {"s": 0.3, "y": -0.3, "root": 0.02, "angle": 30,
              "outline": [(0.1, -0.03), (0.13, -0.01), (0.07, 0.01)]}
    return fm.Species("Discus", 120, top, bot, width, fins, pectoral, pelvic, wave={"tail": 0.08, "waves": 0.6})


def paint_discus(c):
    shape = c.s.shape
    base = mix(colour((225, 115, 35), shape), colour((190, 70, 30), shape), 0.5 * c.noise(5))
    # Broad turquoise lines waving irregularly along the body and into the
    # fins: broad enough to keep the kind's colours at a distance.
    wave = c.y + 0.035 * (c.noise(3) - 0.5) + 0.01 * np.sin(c.s * 24.0)
    lines = np.cos(wave / 0.085 * 2 * math.pi)
    blue = mix(colour((30, 165, 235), shape), colour((70, 205, 245), shape), c.noise(7))
    rgb = mix(base, blue, smooth(0.1, 0.45, lines))
    # Faint dark vertical bars.
    rgb *= (1 - 0.1 * smooth(0.6, 1.0, np.cos((c.s - 0.05) / 0.11 * 2 * math.pi)))[..., None]
    rgb *= (0.93 + 0.14 * c.scales())[..., None]
    # The dark bar through the eye.
    rgb = mix(rgb, colour((70, 30, 20), shape), 0.8 * smooth(0.03, 0.015, np.abs(c.s - 0.11)) * c.body)
    edge = fp.margin(c, 0.7)
    fins_rgb = mix(rgb, colour((20, 60, 140), shape), 0.8 * edge)
    fins_rgb = np.where((c.s > 1.0)[..., None], mix(colour((170, 90, 50), shape), colour((220, 150, 90), shape),
                                                     0.5 * caudal_rays(c)), fins_rgb)
    rgb = np.where(c.body[..., None], rgb, fins_rgb)
    rgb = fp.paint_gill(c, rgb, 0.19, 0.0, 0.26, 0.3)
    rgb = fp.paint_eye(c, rgb, 0.12, 0.045, 0.032, iris=(210, 30, 20))

    def pect(along, across):
        return colour((220, 150, 90), along.shape)

    def pect_alpha(along, across):
        return 0.45 + 0.0 * along
    return fp.finish(c, rgb, 0.9, pect, pect_alpha)


SPECIES = [
    ("bluetang", blue_tang, paint_blue_tang),
    ("yellowtang", yellow_tang, paint_yellow_tang),
    ("copperbandedbutterfly", copperband, paint_copperband),
    ("angelfish", angelfish, paint_angelfish),
    ("neontetra", neon_tetra, paint_neon_tetra),
    ("discus", discus, paint_discus),
]


def bubble(folder):
    """An icosphere of radius 10 and its picture. Bubbles never turn and are
    always seen from the front, so the picture is simply what a bubble
    looks like from there, projected along z onto the front half (the back
    half is culled): nearly clear in the middle, a bright rim, a highlight
    up left and a weaker one down right."""
    t = (1 + 5 ** 0.5) / 2
    verts = [(-1, t, 0), (1, t, 0), (-1, -t, 0), (1, -t, 0), (0, -1, t), (0, 1, t), (0, -1, -t), (0, 1, -t),
             (t, 0, -1), (t, 0, 1), (-t, 0, -1), (-t, 0, 1)]
    faces = [(0, 11, 5), (0, 5, 1), (0, 1, 7), (0, 7, 10), (0, 10, 11), (1, 5, 9), (5, 11, 4), (11, 10, 2),
             (10, 7, 6), (7, 1, 8), (3, 9, 4), (3, 4, 2), (3, 2, 6), (3, 6, 8), (3, 8, 9), (4, 9, 5), (2, 4, 11),
             (6, 2, 10), (8, 6, 7), (9, 8, 1)]
    verts = [np.array(v, dtype=float) / np.linalg.norm(v) for v in verts]
    cache = {}

    def middle(a, b):
        key = (min(a, b), max(a, b))
        if key not in cache:
            m = verts[a] + verts[b]
            verts.append(m / np.linalg.norm(m))
            cache[key] = len(verts) - 1
        return cache[key]

    split = []
    for a, b, c in faces:
        ab, bc, ca = middle(a, b), middle(b, c), middle(c, a)
        split += [(a, ab, ca), (b, bc, ab), (c, ca, bc), (ab, bc, ca)]
    radius = 10.0
    mesh = fm.Mesh()
    for v in verts:
        mesh.add(v * radius, (0.5 + 0.5 * v[0], 0.5 + 0.5 * v[1]))
    for a, b, c in split:
        mesh.face(a, b, c, 1, (mesh.rest[a] + mesh.rest[b] + mesh.rest[c]) / 3)
    # White, with a broad highlight (lighting is per vertex: a tight one
    # would fall between the vertices) and a little glow of its own so that
    # it reads as air against deep water.
    materials = [fm.material("Bubble", "bubble.jpg", "bubble_alpha.jpg", (235, 245, 255), 100, 12,
                             glow=(40, 50, 60))]
    fm.write_mesh(os.path.join(folder, "bubble.3dm"), "Bubble", materials, "Bubble", mesh.rest, mesh.uv, mesh.faces)

    size = 128
    px = (np.arange(size) + 0.5) / size * 2 - 1
    x, y = np.meshgrid(px, -px)
    rho = np.sqrt(x * x + y * y)
    # The silhouette of 80 triangles lies a little inside the circle: fade
    # out before it.
    alpha = 0.12 + 0.7 * smooth(0.55, 0.86, rho)
    alpha *= smooth(0.97, 0.9, rho)
    spot = np.sqrt((x + 0.34) ** 2 + (y - 0.38) ** 2)
    alpha = np.maximum(alpha, 0.95 * smooth(0.22, 0.1, spot))
    small = np.sqrt((x - 0.4) ** 2 + (y + 0.42) ** 2)
    alpha = np.maximum(alpha, 0.5 * smooth(0.12, 0.04, small) * (rho < 0.9))
    rgb = np.zeros((size, size, 3))
    rgb[...] = (200, 225, 250)
    rgb = mix(rgb, colour((255, 255, 255), rho.shape), np.maximum(smooth(0.22, 0.1, spot), smooth(0.12, 0.04, small)))
    fp.save_pair(rgb, alpha, os.path.join(folder, "bubble.jpg"), os.path.join(folder, "bubble_alpha.jpg"))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "resources")
    for stem, shape, paint in SPECIES:
        sp = shape()
        mesh = fm.build(sp)
        frames = [fm.swim_frame(sp, mesh, f / FRAMES) for f in range(FRAMES)]
        canvas = fp.Canvas(sp, mesh.frame, PICTURE, seed=sum(map(ord, stem)))
        rgb, alpha = paint(canvas)
        fp.save_pair(rgb, alpha, os.path.join(out, stem + ".jpg"), os.path.join(out, stem + "_alpha.jpg"))
        materials = [
            fm.material(sp.name + "Body", stem + ".jpg", None, (255, 255, 255), 45, 35),
            fm.material(sp.name + "Fins", stem + ".jpg", stem + "_alpha.jpg", (255, 255, 255), 30, 25),
        ]
        fm.write_mesh(os.path.join(out, stem + ".3dm"), sp.name, materials, sp.name, frames[0], mesh.uv,
                      mesh.faces, frames)
        print("%s: %d vertices, %d triangles" % (stem, len(mesh.rest), len(mesh.faces)))
    bubble(out)


if __name__ == "__main__":
    main()
