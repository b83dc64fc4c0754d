#!/usr/bin/env python3
"""Writes the built-in icon groups of the themed window into icons/ beside this script.

Each .ico holds a 32x32 and a 16x16 image, 32 bits per pixel with an alpha channel and a matching
AND mask. The pictures are drawn procedurally from signed distance functions, so every edge gets
anti-aliasing for free: a pixel's coverage is how far its centre lies inside the shape, clamped to
one pixel. Pure Python, no image library needed; run it again to regenerate all of them:

    python3 make_icons.py [output-folder]

    icon file         resource  picture
    info.ico          132       blue disc with a white "i"
    typical.ico       133       package with a green check badge
    minimal.ico       134       small, slim package
    error.ico         135       red disc with a white cross
    folder.ico        136       amber folder
    wizard.ico        137       package with an install disc badge
    custom.ico        138       package with a gear badge
    uninstall.ico     139       package with a red minus badge
    license.ico       140       document with text lines and a seal
    exclamation.ico   141       amber warning triangle with a black "!"

All drawing is done in a 32-unit design grid; the 16x16 image is the same drawing scaled down, with
strokes made a little heavier where a design asks for it (argument `small`).
"""
import math
import os
import struct
import sys

# ---------------------------------------------------------------------------------------------
# Palette (one family for all icons: flat fills, a slightly darker rim of the same hue)

BLUE = (0x1E, 0x7B, 0xE6)
BLUE_DARK = (0x15, 0x5F, 0xB8)
RED = (0xE5, 0x3E, 0x3E)
RED_DARK = (0xB8, 0x2A, 0x2A)
GREEN = (0x2E, 0xA8, 0x4F)
GREEN_DARK = (0x20, 0x80, 0x3A)
AMBER = (0xFF, 0xB7, 0x1B)
AMBER_LIGHT = (0xFF, 0xCF, 0x4D)
AMBER_DARK = (0xD9, 0x8E, 0x00)
CARTON = (0xD9, 0xA4, 0x65)
CARTON_LIGHT = (0xE8, 0xBD, 0x85)
CARTON_DARK = (0xA8, 0x74, 0x3A)
TAPE = (0xF3, 0xDC, 0xB2)
SLATE = (0x54, 0x6E, 0x7A)
SLATE_DARK = (0x37, 0x4A, 0x54)
PAPER = (0xFF, 0xFF, 0xFF)
PAPER_EDGE = (0x8A, 0x9B, 0xA8)
INK = (0xA9, 0xB7, 0xC2)
WHITE = (0xFF, 0xFF, 0xFF)
BLACK = (0x21, 0x21, 0x21)
DISC_EDGE = (0x6F, 0x86, 0x96)
DISC_SHINE = (0x7F, 0xC8, 0xF0)

# ---------------------------------------------------------------------------------------------
# Signed distance functions (negative inside), design units


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def rbox(x0, y0, x1, y1, r=0.0):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hw, hh = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def f(x, y):
        qx, qy = abs(x - cx) - hw, abs(y - cy) - hh
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return f


def segment(ax, ay, bx, by, r):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy

    def f(x, y):
        t = ((x - ax) * dx + (y - ay) * dy) / ll if ll else 0.0
        t = min(1.0, max(0.0, t))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - r
    return f


def polyline(points, r):
    parts = [segment(*points[i], *points[i + 1], r) for i in range(len(points) - 1)]
    return union(*parts)


def polygon(points, rounding=0.0):
    n = len(points)

    def f(x, y):
        d = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            ex, ey = bx - ax, by - ay
            ll = ex * ex + ey * ey
            t = min(1.0, max(0.0, ((x - ax) * ex + (y - ay) * ey) / ll))
            d = min(d, math.hypot(x - ax - t * ex, y - ay - t * ey))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / (by - ay):
                inside = not inside
        return (-d if inside else d) - rounding
    return f


def union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def intersect(*fs):
    return lambda x, y: max(f(x, y) for f in fs)


def subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def grow(f, amount):
    return lambda x, y: f(x, y) - amount


def gear(cx, cy, r_body, r_tip, teeth, tooth_half_width, r_hole):
    body = circle(cx, cy, r_body)
    tips = circle(cx, cy, r_tip)

    def tooth_field(x, y):
        a = math.atan2(y - cy, x - cx)
        step = 2 * math.pi / teeth
        a = (a + step / 2) % step - step / 2  # angle relative to the nearest tooth's axis
        rr = math.hypot(x - cx, y - cy)
        # distance from the tooth's centre line, measured across it
        return abs(rr * math.sin(a)) - tooth_half_width
    teeth_f = intersect(tips, tooth_field)
    return subtract(union(body, teeth_f), circle(cx, cy, r_hole))


# ---------------------------------------------------------------------------------------------
# Canvas: premultiplied RGBA floats


class Canvas:
    def __init__(self, size):
        self.size = size
        self.unit = size / 32.0  # pixels per design unit
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def _cover(self, f, x, y):
        d = f((x + 0.5) / self.unit, (y + 0.5) / self.unit) * self.unit
        return min(1.0, max(0.0, 0.5 - d))

    def fill(self, f, colour, opacity=1.0):
        """Paints shape f; colour is (r, g, b) or a function (x, y) -> (r, g, b) in design units."""
        for y in range(self.size):
            for x in range(self.size):
                c = self._cover(f, x, y) * opacity
                if c <= 0.0:
                    continue
                rgb = colour((x + 0.5) / self.unit, (y + 0.5) / self.unit) if callable(colour) else colour
                p = self.px[y * self.size + x]
                k = 1.0 - c
                p[0] = rgb[0] / 255.0 * c + p[0] * k
                p[1] = rgb[1] / 255.0 * c + p[1] * k
                p[2] = rgb[2] / 255.0 * c + p[2] * k
                p[3] = c + p[3] * k

    def erase(self, f):
        """Cuts shape f out of everything painted so far (makes it transparent)."""
        for y in range(self.size):
            for x in range(self.size):
                c = self._cover(f, x, y)
                if c > 0.0:
                    p = self.px[y * self.size + x]
                    for i in range(4):
                        p[i] *= 1.0 - c

    def shape(self, f, colour, rim_colour, rim=1.0):
        """A filled shape with a darker rim of `rim` pixels inside its edge."""
        self.fill(f, rim_colour)
        self.fill(grow(f, -rim / self.unit), colour)

    def rgba(self):
        """Rows top-down of (r, g, b, a) byte tuples, straight (not premultiplied) colour."""
        out = []
        for y in range(self.size):
            row = []
            for x in range(self.size):
                r, g, b, a = self.px[y * self.size + x]
                if a <= 0.0:
                    row.append((0, 0, 0, 0))
                    continue
                row.append(tuple(min(255, int(round(v / a * 255))) for v in (r, g, b)) + (int(round(a * 255)),))
            out.append(row)
        return out


def vertical(top, bottom, y0=0.0, y1=32.0):
    """Colour function: a gentle top-to-bottom blend."""
    def f(x, y):
        t = min(1.0, max(0.0, (y - y0) / (y1 - y0)))
        return tuple(top[i] + (bottom[i] - top[i]) * t for i in range(3))
    return f


def lighter(c, amount):
    return tuple(v + (255 - v) * amount for v in c)


# ---------------------------------------------------------------------------------------------
# Shared motifs


def package(cv, x0, y0, x1, y1, small):
    """Flat cardboard box seen from the front: lid band on top, tape down the middle."""
    lid_h = (y1 - y0) * 0.28
    body = rbox(x0 + 0.8, y0 + lid_h - 0.5, x1 - 0.8, y1, 1.6)
    lid = rbox(x0, y0, x1, y0 + lid_h + 0.5, 1.4)
    rim = 1.0
    cv.shape(body, vertical(CARTON, lighter(CARTON_DARK, 0.25), y0, y1), CARTON_DARK, rim)
    cv.shape(lid, CARTON_LIGHT, CARTON_DARK, rim)
    tape_w = max(1.6, (x1 - x0) * 0.09) if not small else 2.2
    cx = (x0 + x1) / 2
    cv.fill(intersect(rbox(cx - tape_w, y0 + 1.0 / cv.unit, cx + tape_w, y1 - 1.0 / cv.unit), union(body, lid)), TAPE)
    # a thin shadow line where the lid overhangs the body
    cv.fill(intersect(body, rbox(x0, y0 + lid_h + 0.5, x1, y0 + lid_h + 0.5 + 1.0 / cv.unit)), CARTON_DARK, 0.55)


def badge_cut(cv, cx, cy, r, gap):
    cv.erase(circle(cx, cy, r + gap))


def badge_disc(cv, cx, cy, r, colour, rim_colour):
    cv.shape(circle(cx, cy, r), vertical(lighter(colour, 0.12), colour, cy - r, cy + r), rim_colour)


BADGE = (23.0, 23.0, 8.0)  # centre x, centre y, radius of the badge of the package icons


def package_with_badge(cv, small):
    package(cv, 2.0, 4.0, 24.0, 25.0, small)
    cx, cy, r = BADGE
    badge_cut(cv, cx, cy, r, 1.6 if not small else 2.0)


# ---------------------------------------------------------------------------------------------
# The icons


def draw_info(cv, small):
    cv.shape(circle(16, 16, 15), vertical(lighter(BLUE, 0.15), BLUE_DARK), BLUE_DARK)
    w = 2.1 if not small else 2.4
    cv.fill(circle(16, 9.0, w * 1.05 if not small else 2.5), WHITE)
    cv.fill(rbox(16 - w, 13.0, 16 + w, 24.5, 0.8), WHITE)


def draw_error(cv, small):
    cv.shape(circle(16, 16, 15), vertical(lighter(RED, 0.12), RED_DARK), RED_DARK)
    w = 1.9 if not small else 2.3
    a = 6.0
    cv.fill(union(segment(16 - a, 16 - a, 16 + a, 16 + a, w), segment(16 - a, 16 + a, 16 + a, 16 - a, w)), WHITE)


def draw_exclamation(cv, small):
    tri = polygon([(16, 3.2), (29.6, 27.6), (2.4, 27.6)], 1.6)
    cv.shape(tri, vertical(AMBER_LIGHT, AMBER, 2, 29), AMBER_DARK)
    w = 1.7 if not small else 2.2
    cv.fill(segment(16, 11.0, 16, 19.0, w), BLACK)
    cv.fill(circle(16, 23.6, w * 1.05), BLACK)


def draw_folder(cv, small):
    back = union(rbox(2, 5, 14, 12, 1.8), rbox(2, 8, 30, 27, 1.8))
    cv.shape(back, vertical((0xF2, 0xA6, 0x12), AMBER_DARK, 5, 27), AMBER_DARK)
    # a sheet of paper peeking out
    cv.fill(rbox(5, 10, 27, 20, 0.8), PAPER)
    front = rbox(2, 12.5, 30, 27.5, 1.8)
    cv.shape(front, vertical(AMBER_LIGHT, AMBER, 12, 27), AMBER_DARK)


def draw_typical(cv, small):
    package_with_badge(cv, small)
    cx, cy, r = BADGE
    badge_disc(cv, cx, cy, r, GREEN, GREEN_DARK)
    w = 1.35 if not small else 1.8
    cv.fill(polyline([(cx - 3.8, cy + 0.2), (cx - 1.1, cy + 3.0), (cx + 3.9, cy - 2.8)], w), WHITE)


def draw_uninstall(cv, small):
    package_with_badge(cv, small)
    cx, cy, r = BADGE
    badge_disc(cv, cx, cy, r, RED, RED_DARK)
    w = 1.4 if not small else 1.9
    cv.fill(segment(cx - 4.0, cy, cx + 4.0, cy, w), WHITE)


def draw_custom(cv, small):
    package_with_badge(cv, small)
    cx, cy, r = BADGE
    if small:
        g = gear(cx, cy, 5.6, 8.0, 6, 1.9, 2.2)
    else:
        g = gear(cx, cy, 5.8, 8.0, 8, 1.45, 2.4)
    cv.shape(g, vertical(lighter(SLATE, 0.2), SLATE, cy - r, cy + r), SLATE_DARK)


def wedge(cx, cy, a0, a1):
    """The sector between the directions a0 and a1 (radians, a1 - a0 below pi), as an SDF."""
    def half(a, sign):
        nx, ny = -math.sin(a), math.cos(a)
        return lambda x, y: sign * ((x - cx) * nx + (y - cy) * ny)
    return intersect(half(a0, -1.0), half(a1, 1.0))


def draw_wizard(cv, small):
    package_with_badge(cv, small)
    cx, cy, r = BADGE
    cv.shape(circle(cx, cy, r), vertical((0xF2, 0xF5, 0xF8), (0xCF, 0xDA, 0xE2), cy - r, cy + r), DISC_EDGE)
    ring = subtract(circle(cx, cy, r - (1.3 if not small else 1.6)), circle(cx, cy, 3.2))
    q = math.pi / 4
    cv.fill(intersect(ring, wedge(cx, cy, -q - 0.55, -q + 0.55)), DISC_SHINE)
    cv.fill(intersect(ring, wedge(cx, cy, 3 * q - 0.55, 3 * q + 0.55)), (0xC3, 0xB2, 0xF0))
    cv.fill(circle(cx, cy, 3.2), DISC_EDGE)
    cv.fill(circle(cx, cy, 3.2 - 1.0 / cv.unit), (0xE9, 0xEE, 0xF2))
    cv.erase(circle(cx, cy, 1.5 if not small else 1.8))


def draw_minimal(cv, small):
    # the same carton as the other package icons, only small and flat: a single light component
    package(cv, 7.0, 12.0, 25.0, 27.0, small)


def draw_license(cv, small):
    sheet = intersect(rbox(5, 2, 27, 30, 1.5), polygon([(4, 1), (20, 1), (28, 9), (28, 31), (4, 31)]))
    cv.shape(sheet, PAPER, PAPER_EDGE)
    fold = polygon([(20.0, 2.0), (20.0, 9.0), (27.0, 9.0)], 0.0)
    cv.shape(intersect(fold, grow(sheet, 0.01)), (0xE3, 0xEA, 0xEF), PAPER_EDGE)
    lw = 0.75 if not small else 1.0
    lines = [(9, 8.5, 17), (9, 12.5, 23), (9, 16.5, 23), (9, 20.5, 16)] if not small else \
            [(9, 9.5, 17), (9, 15.0, 23)]
    for x0, y, x1 in lines:
        cv.fill(segment(x0, y, x1, y, lw), INK)
    # seal with two ribbon tails
    sx, sy, sr = 21.5, 23.0, 5.0 if not small else 5.6
    tails = union(polygon([(sx - 3.2, sy + 2.0), (sx - 0.6, sy + 2.0), (sx - 1.2, sy + 8.8), (sx - 2.6, sy + 7.2),
                           (sx - 4.2, sy + 8.4)]),
                  polygon([(sx + 0.6, sy + 2.0), (sx + 3.2, sy + 2.0), (sx + 4.2, sy + 8.4), (sx + 2.6, sy + 7.2),
                           (sx + 1.2, sy + 8.8)]))
    cv.shape(tails, RED, RED_DARK, 0.7)
    cv.shape(circle(sx, sy, sr), vertical(lighter(RED, 0.15), RED, sy - sr, sy + sr), RED_DARK)
    if not small:
        cv.fill(subtract(circle(sx, sy, 3.0), circle(sx, sy, 2.2)), lighter(RED, 0.55))


ICONS = [
    ("info.ico", draw_info),
    ("typical.ico", draw_typical),
    ("minimal.ico", draw_minimal),
    ("error.ico", draw_error),
    ("folder.ico", draw_folder),
    ("wizard.ico", draw_wizard),
    ("custom.ico", draw_custom),
    ("uninstall.ico", draw_uninstall),
    ("license.ico", draw_license),
    ("exclamation.ico", draw_exclamation),
]

# ---------------------------------------------------------------------------------------------
# File formats


def render(draw, size):
    cv = Canvas(size)
    draw(cv, size < 24)
    return cv.rgba()


def ico_image(rows):
    """One icon image: BITMAPINFOHEADER, bottom-up BGRA pixels, then the 1-bit AND mask."""
    size = len(rows)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:  # transparent where the alpha channel is mostly transparent
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + bytes(mask)


def write_ico(path, images):
    count = len(images)
    data = b""
    entries = b""
    offset = 6 + 16 * count
    for rows in images:
        size = len(rows)
        blob = ico_image(rows)
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        data += blob
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, count) + entries + data)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for name, draw in ICONS:
        write_ico(os.path.join(folder, name), [render(draw, 32), render(draw, 16)])
        print("wrote", os.path.join(folder, name))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "icons"))
