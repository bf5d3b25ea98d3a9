"""Lofted fish meshes with a vertex-frame swim cycle, written in the text
mesh format the scene engine reads.

A fish is described by its side-view outline (the dorsal and ventral
profile and the half-width of the body along its length) and its fins
(pairs of root and tip points). The body is lofted as rings around the
length; the median fins lie in the mid-plane and are built twice, once per
facing, so that each side has its own vertices and normals and culling
shows exactly one of them. The paired fins stand out from the body sides.

Frame of the model: nose along +x, back along +y, the fish's right side
towards -z. Faces wind counter-clockwise seen from outside (from the side a
face shows). Texture coordinates are the side view itself (u along x, v
along y, both sides alike), so the picture of a species is simply its side
view; the paired fins use a patch in the top strip of the picture.
"""
import math

import numpy as np

BODY = 1  # material id of the opaque body
FINS = 2  # material id of the translucent fins

# The top strip of the picture, above SIDE_V, holds the paired fins' patch.
SIDE_V = 0.84


def catmull(points, s):
    """A smooth curve through (s, value) control points, evaluated at s (array)."""
    pts = sorted(points)
    xs = np.array([p[0] for p in pts], dtype=float)
    ys = np.array([p[1] for p in pts], dtype=float)
    s = np.clip(np.asarray(s, dtype=float), xs[0], xs[-1])
    i = np.clip(np.searchsorted(xs, s, side="right") - 1, 0, len(xs) - 2)
    x0, x1 = xs[i], xs[i + 1]
    t = (s - x0) / (x1 - x0)
    y0 = ys[np.maximum(i - 1, 0)]
    y1, y2 = ys[i], ys[i + 1]
    y3 = ys[np.minimum(i + 2, len(xs) - 1)]
    # Tangents scaled to the uneven spacing of the control points.
    xa = xs[np.maximum(i - 1, 0)]
    xb = xs[np.minimum(i + 2, len(xs) - 1)]
    m1 = (y2 - y0) / np.maximum(x1 - xa, 1e-9) * (x1 - x0)
    m2 = (y3 - y1) / np.maximum(xb - x0, 1e-9) * (x1 - x0)
    t2, t3 = t * t, t * t * t
    return (2 * t3 - 3 * t2 + 1) * y1 + (t3 - 2 * t2 + t) * m1 + (-2 * t3 + 3 * t2) * y2 + (t3 - t2) * m2


class Species:
    """The shape of one kind of fish, in body lengths (nose at s = 0, the
    caudal peduncle's end at s = 1; y up, 0 on the body axis)."""

    def __init__(self, name, length, top, bottom, width, fins, pectoral, pelvic=None, wave=None):
        self.name = name
        self.length = length  # model units from the nose to the peduncle
        self.top = top  # control points (s, y) of the dorsal profile
        self.bottom = bottom  # control points (s, y) of the ventral profile
        self.width = width  # control points (s, half-width)
        self.fins = fins  # median fins: lists of (root (s, y), tip (s, y)) pairs
        # Paired fins, dicts: the root's place (s, y), the root's height,
        # the angle (degrees) and the outline, (along, up) points.
        self.pectoral = pectoral
        self.pelvic = pelvic  # or None
        self.wave = wave or {}

    def profile(self, s):
        return catmull(self.top, s), catmull(self.bottom, s), catmull(self.width, s)


class Mesh:
    def __init__(self):
        self.rest = []  # rest positions (model units)
        self.uv = []
        self.kind = []  # None for body and median fins; a tuple for paired fins
        self.faces = []  # (a, b, c, material)

    def add(self, p, uv, kind=None):
        self.rest.append(np.array(p, dtype=float))
        self.uv.append(uv)
        self.kind.append(kind)
        return len(self.rest) - 1

    def face(self, a, b, c, material, outward):
        """Adds a triangle wound counter-clockwise seen from the side that
        the outward direction points to."""
        pa, pb, pc = self.rest[a], self.rest[b], self.rest[c]
        n = np.cross(pb - pa, pc - pa)
        if np.dot(n, outward) < 0:
            b, c = c, b
        self.faces.append((a, b, c, material))


def build(sp, rings=16, around=12):
    """The rest mesh of a species, with the data the swim cycle needs."""
    L = sp.length
    mesh = Mesh()
    # Ring stations, denser at the nose where the profile turns fastest.
    ss = [(i / rings) ** 1.25 for i in range(1, rings + 1)]
    ss[-1] = 1.0

    def X(s):
        return L * (0.5 - s)

    # Texture frame: the side-view bounding box of body and median fins.
    ys_all = []
    xs_all = [X(0.0)]
    grid = np.linspace(0, 1, 101)
    t, b, _ = sp.profile(grid)
    ys_all += list(t * L) + list(b * L)
    for fin in sp.fins:
        for root, tip in fin:
            ys_all += [root[1] * L, tip[1] * L]
            xs_all += [X(root[0]), X(tip[0])]
    x0, x1 = min(xs_all), max(xs_all)
    y0, y1 = min(ys_all), max(ys_all)
    mesh.frame = (x0, x1, y0, y1)

    def uv(x, y):
        return ((x - x0) / (x1 - x0), (y - y0) / (y1 - y0) * SIDE_V)

    # Body: nose point, rings, a cap behind the last ring.
    nose = mesh.add((X(0.0), float(catmull(sp.top, 0) + catmull(sp.bottom, 0)) / 2 * L, 0), None)
    mesh.uv[nose] = uv(mesh.rest[nose][0], mesh.rest[nose][1])
    ring_ids = []
    centres = []
    for s in ss:
        top, bot, w = (float(v) for v in sp.profile(s))
        yc, hy = (top + bot) / 2 * L, (top - bot) / 2 * L
        ids = []
        for j in range(around):
            phi = 2 * math.pi * j / around
            c, sn = math.cos(phi), math.sin(phi)
            y = yc + hy * c
            # Fuller flanks, narrow keels at the back and the belly.
            z = w * L * math.copysign(abs(sn) ** 0.75, sn)
            ids.append(mesh.add((X(s), y, z), uv(X(s), y)))
        ring_ids.append(ids)
        centres.append(np.array((X(s), yc, 0.0)))
    nose_centre = mesh.rest[nose] + np.array((-1.0, 0, 0))
    for j in range(around):
        a, b = ring_ids[0][j], ring_ids[0][(j + 1) % around]
        mesh.face(nose, a, b, BODY, (mesh.rest[a] + mesh.rest[b]) / 2 - nose_centre)
    for r in range(len(ring_ids) - 1):
        for j in range(around):
            a, b = ring_ids[r][j], ring_ids[r][(j + 1) % around]
            c, d = ring_ids[r + 1][j], ring_ids[r + 1][(j + 1) % around]
            centre = (centres[r] + centres[r + 1]) / 2
            mesh.face(a, c, b, BODY, (mesh.rest[a] + mesh.rest[b] + mesh.rest[c]) / 3 - centre)
            mesh.face(b, c, d, BODY, (mesh.rest[b] + mesh.rest[c] + mesh.rest[d]) / 3 - centre)
    cap = mesh.add(centres[-1] + np.array((-0.5, 0, 0)), None)
    mesh.uv[cap] = uv(mesh.rest[cap][0], mesh.rest[cap][1])
    for j in range(around):
        a, b = ring_ids[-1][j], ring_ids[-1][(j + 1) % around]
        mesh.face(cap, a, b, BODY, np.array((-1.0, 0, 0)))

    # Median fins in the mid-plane, one sheet per facing.
    for fin in sp.fins:
        rows = 3
        for side in (1.0, -1.0):
            grid_ids = []
            for root, tip in fin:
                rx, ry = X(root[0]), root[1] * L
                tx, ty = X(tip[0]), tip[1] * L
                col = []
                for k in range(rows + 1):
                    f = k / rows
                    x, y = rx + (tx - rx) * f, ry + (ty - ry) * f
                    col.append(mesh.add((x, y, 0.0), uv(x, y)))
                grid_ids.append(col)
            for i in range(len(grid_ids) - 1):
                for k in range(rows):
                    a, b = grid_ids[i][k], grid_ids[i][k + 1]
                    c, d = grid_ids[i + 1][k], grid_ids[i + 1][k + 1]
                    out = np.array((0, 0, side))
                    mesh.face(a, b, c, FINS, out)
                    mesh.face(b, d, c, FINS, out)

    # Paired fins: pectorals behind the gills, pelvics under the belly.
    # Each is a small sheet spreading backwards from a root on the body,
    # built once per facing; its vertices remember their root so that the
    # swim cycle can beat the fin about it.
    def paired(fin, kind_name, u0, du):
        top, bot, w = (float(v) for v in sp.profile(fin["s"]))
        # The root sits just inside the flank at its height (the ring's
        # shape above, solved for z).
        c = min(abs(fin["y"] - (top + bot) / 2) / ((top - bot) / 2), 1.0)
        depth = 0.9 * w * L * (1 - c * c) ** 0.375
        outline = fin["outline"]  # (along, up) of the fin's edge, body lengths
        reach = max(o[0] for o in outline)
        for side in (1.0, -1.0):
            root = np.array((X(fin["s"]), fin["y"] * L, side * depth))
            normal = fin_normal(kind_name, side, fin["angle"])
            for facing in (normal, -normal):
                cols = []
                for i, (along, up) in enumerate(outline):
                    root_up = (i / (len(outline) - 1) - 0.5) * fin["root"]
                    col = []
                    for k in range(3):
                        f = k / 2
                        kind = (kind_name, side, root, along * f * L, (root_up + (up - root_up) * f) * L,
                                fin["angle"])
                        pu = u0 + du * (along * f / reach)
                        pv = SIDE_V + 0.02 + 0.13 * (i / (len(outline) - 1))
                        col.append(mesh.add(place(kind, 0.0), (pu, pv), kind))
                    cols.append(col)
                for i in range(len(cols) - 1):
                    for k in range(2):
                        a, b = cols[i][k], cols[i][k + 1]
                        c, d = cols[i + 1][k], cols[i + 1][k + 1]
                        mesh.face(a, b, c, FINS, facing)
                        mesh.face(b, d, c, FINS, facing)

    paired(sp.pectoral, "pectoral", 0.02, 0.44)
    if sp.pelvic:
        paired(sp.pelvic, "pelvic", 0.52, 0.46)
    return mesh


def fin_direction(kind_name, side, angle):
    """The fin's length and width directions: pectorals spread backwards,
    turned out from the body by angle (degrees); pelvics point down and
    back at angle below the horizontal."""
    a = math.radians(angle)
    if kind_name == "pectoral":
        return np.array((-math.cos(a), 0.0, side * math.sin(a))), np.array((0.0, 1.0, 0.0))
    # Pelvics hang down and back, nearly in the body's plane; their width
    # runs square to their length in that plane.
    d = np.array((-math.cos(a), -math.sin(a), side * 0.3))
    d /= np.linalg.norm(d)
    up = np.array((d[1], -d[0], 0.0))
    return d, up / np.linalg.norm(up)


def fin_normal(kind_name, side, angle):
    d, up = fin_direction(kind_name, side, angle)
    n = np.cross(d, up)
    n /= np.linalg.norm(n)
    # Facing out of the body.
    if n[2] * side < 0:
        n = -n
    return n


def place(kind, flap_degrees):
    kind_name, side, root, along, up, angle = kind
    d, u = fin_direction(kind_name, side, angle + flap_degrees)
    return root + d * along + u * up


# --- The swim cycle --------------------------------------------------------------


def swim_frame(sp, mesh, t):
    """The mesh's positions at phase t (0..1) of one tail beat.

    A lateral wave travels from the head to the tail, its amplitude growing
    towards the tail; the head recoils a little against the tail. The body
    bends rather than shears: every point keeps its distance from the bent
    centre line. The pectorals beat about their roots twice per cycle.
    """
    L = sp.length
    w = sp.wave
    amp_head = w.get("head", 0.015) * L
    amp_tail = w.get("tail", 0.11) * L
    waves = w.get("waves", 0.75)  # wavelengths along the body

    def centre(s):
        a = amp_head + (amp_tail - amp_head) * np.clip(s, 0, None) ** 2
        return a * np.sin(2 * math.pi * (waves * s - t))

    out = []
    for p, kind in zip(mesh.rest, mesh.kind):
        if kind is not None:
            flap = w.get("flap", 18.0) * math.sin(2 * math.pi * (2 * t) + (0 if kind[0] == "pectoral" else 1.5))
            p = place(kind, flap)  # a positive flap turns the fin away from the body
        s = 0.5 - p[0] / L
        zc = centre(s)
        h = 1e-3
        slope = -(centre(s + h) - centre(s - h)) / (2 * h) / L  # dz/dx
        norm = math.sqrt(1 + slope * slope)
        out.append(np.array((p[0] - p[2] * slope / norm, p[1], zc + p[2] / norm)))
    return out


# --- Writing ---------------------------------------------------------------------


def num(v):
    text = "%.2f" % v
    text = text.rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def vec(p):
    return "[%s,%s,%s]" % (num(p[0]), num(p[1]), num(p[2]))


def material(name, diffuse_map, opacity_map, diffuse, specular_level, glossiness, opacity=100, glow=(0, 0, 0)):
    lines = [
        "Name " + name,
        "ShaderType 1 Blinn",
        "Faceted false",
        "TwoSided false",
        "WireSize 1.0",
        "OpacityType 0",
        "Opacity " + num(opacity),
        "selfIllumColor (color %d %d %d)" % glow,
        "Ambient (color %d %d %d)" % diffuse,
        "Diffuse (color %d %d %d)" % diffuse,
        "Specular (color 255 255 255)",
        "SpecularLevel " + num(specular_level),
        "Glossiness " + num(glossiness),
        "DiffuseMap " + (diffuse_map or "undefined"),
        "OpacityMap " + (opacity_map or "undefined"),
        "BumpMap undefined",
        "ReflectionMap undefined",
    ]
    return ["#MaterialStandard %d" % len(lines)] + lines


def write_mesh(path, object_name, materials, material_name, positions, uvs, faces, frames=None):
    """One object with its materials; frames: vertex lists of the swim cycle."""
    out = ["#Header 1", "Version 1"]
    if len(materials) == 1:
        out += materials[0]
    else:
        out += ["#MaterialMultiSubObject 2", "Name " + material_name, "NumSubs %d" % len(materials)]
        for m in materials:
            out += m
    out += ["#Object 1", "Name " + object_name, "#Material 1", "Name " + material_name]
    out += ["#Vertices %d" % len(positions)] + [vec(p) for p in positions]
    if uvs is not None:
        out += ["#TextureCoords %d" % len(uvs)] + ["[%s,%s,0]" % (num4(u), num4(v)) for u, v in uvs]
    out += ["#VertexFaces %d" % len(faces)] + ["[%d,%d,%d]" % (a + 1, b + 1, c + 1) for a, b, c, _ in faces]
    if uvs is not None:
        out += ["#TextureCoordFaces %d" % len(faces)] + ["[%d,%d,%d]" % (a + 1, b + 1, c + 1) for a, b, c, _ in faces]
    out += ["#FaceMatID %d" % len(faces)] + ["%d" % m for _, _, _, m in faces]
    if frames:
        out += ["#Animation 2", "Length %d" % len(frames), "Loop true"]
        out += ["#AnimMesh %d" % (len(frames) * (len(positions) + 1))]
        for f, frame in enumerate(frames):
            out.append("Frame %d" % f)
            out += [vec(p) for p in frame]
    with open(path, "w", newline="\r\n") as fh:
        fh.write("\n".join(out) + "\n")


def num4(v):
    text = "%.4f" % v
    text = text.rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text
