#!/usr/bin/env python3
"""Draws Tarvello's icons (.ico) and the tip light bulb (.bmp).

Pure Python (no imaging library): every picture is a list of vector shapes
rendered with 4 x 4 supersampling into 32-bit ARGB, then written as classic
BMP-style ICO entries (32-bit colour with alpha plus a 1-bit AND mask), or,
for the bulb, quantised to a 16-entry palette as a 4-bit BMP.

Run from anywhere:  python3 res/art/make_art.py   (writes next to itself)
The generated files are committed, so the build needs no image tools.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
SS = 4  # samples per pixel along each axis


# ---------------------------------------------------------------- shapes
# A shape is (inside(x, y) -> bool, paint(x, y) -> (r, g, b, a)); x and y are
# in pixels of the target size.

def solid(c):
    c = c if len(c) == 4 else (c[0], c[1], c[2], 255)
    return lambda x, y: c


def vgrad(y0, y1, c0, c1):
    def paint(x, y):
        t = min(1.0, max(0.0, (y - y0) / float(y1 - y0)))
        return tuple(int(round(a + (b - a) * t)) for a, b in zip(c0, c1)) + (255,)
    return paint


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r0, r1, a0=None, a1=None):
    """Annulus, optionally limited to angles a0..a1 (degrees, y down, clockwise)."""
    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if d2 < r0 * r0 or d2 > r1 * r1:
            return False
        if a0 is None:
            return True
        a = math.degrees(math.atan2(y - cy, x - cx)) % 360
        lo, hi = a0 % 360, a1 % 360
        return lo <= a <= hi if lo <= hi else (a >= lo or a <= hi)
    return inside


def rrect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def poly(pts):
    def inside(x, y):
        n, c = len(pts), False
        j = n - 1
        for i in range(n):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                c = not c
            j = i
        return c
    return inside


def capsule(x0, y0, x1, y1, w):
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        l2 = dx * dx + dy * dy
        t = 0 if l2 == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / l2))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (w / 2.0) ** 2
    return inside


def gear(cx, cy, r_out, r_in, teeth, hole):
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if d < hole or d > r_out:
            return False
        if d <= r_in:
            return True
        a = (math.atan2(y - cy, x - cx) / (2 * math.pi) * teeth) % 1.0
        return 0.25 <= a <= 0.75
    return inside


def union(*fs):
    return lambda x, y: any(f(x, y) for f in fs)


def minus(f, g):
    return lambda x, y: f(x, y) and not g(x, y)


def dilate(f, w):
    """The shape grown by w pixels (approximately): used for outlines."""
    offs = [(0, 0)] + [(w * math.cos(k * math.pi / 8), w * math.sin(k * math.pi / 8))
                       for k in range(16)]
    return lambda x, y: any(f(x + dx, y + dy) for dx, dy in offs)


# ---------------------------------------------------------------- render

def render(size_w, size_h, shapes):
    """Returns rows (top first) of (r, g, b, a) pixels."""
    rows = []
    for py in range(size_h):
        row = []
        for px in range(size_w):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SS):
                for sx in range(SS):
                    x = px + (sx + 0.5) / SS
                    y = py + (sy + 0.5) / SS
                    r = g = b = a = 0.0
                    for inside, paint in shapes:
                        if inside(x, y):
                            cr, cg, cb, ca = paint(x, y)
                            ca /= 255.0
                            r = cr * ca + r * (1 - ca)
                            g = cg * ca + g * (1 - ca)
                            b = cb * ca + b * (1 - ca)
                            a = ca + a * (1 - ca)
                    acc[0] += r
                    acc[1] += g
                    acc[2] += b
                    acc[3] += a
            n = SS * SS
            a = acc[3] / n
            if a <= 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((int(round(acc[0] / n / a)), int(round(acc[1] / n / a)),
                            int(round(acc[2] / n / a)), int(round(a * 255))))
        rows.append(row)
    return rows


def outlined(shape, width, fill, edge):
    """Shape with a dark edge around it: edge colour first, fill on top."""
    return [(dilate(shape, width), solid(edge)), (shape, fill)]


# ---------------------------------------------------------------- writers

def ico_entry(rows):
    h, w = len(rows), len(rows[0])
    bmp = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pix = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pix += bytes((b, g, r, a))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return bmp + bytes(pix) + bytes(mask)


def write_ico(path, images):
    entries = [ico_entry(r) for r in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for rows, data in zip(images, entries):
        w, h = len(rows[0]), len(rows)
        out += struct.pack('<BBBBHHII', w % 256, h % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(entries))


def write_bmp4(path, rows, palette):
    h, w = len(rows), len(rows[0])
    stride = ((w * 4 + 31) // 32) * 4
    pix = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, (r, g, b, _) in enumerate(row):
            i = min(range(len(palette)), key=lambda k: (palette[k][0] - r) ** 2 * 3 +
                    (palette[k][1] - g) ** 2 * 4 + (palette[k][2] - b) ** 2 * 2)
            line[x // 2] |= i << (4 if x % 2 == 0 else 0)
        pix += line
    pal = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    head = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 4, 0, len(pix), 2835, 2835, 16, 0)
    off = 14 + len(head) + len(pal)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', off + len(pix), 0, 0, off) + head + pal + pix)


# ---------------------------------------------------------------- pictures
# Each function draws at size s (square icons) in pixel units.

GREEN = ((120, 210, 90), (40, 150, 40), (20, 90, 20))
RED = ((245, 110, 100), (200, 40, 30), (120, 20, 15))
BLUE = ((110, 170, 240), (30, 100, 200), (15, 55, 125))
ORANGE = ((255, 200, 90), (240, 130, 20), (150, 70, 10))


def ow(s):  # outline width
    return max(1.0, s / 24.0)


def plus_badge(s, cx, cy, r):
    t = r * 0.36
    bar = union(rrect(cx - r * 0.62, cy - t / 2, cx + r * 0.62, cy + t / 2, t * 0.2),
                rrect(cx - t / 2, cy - r * 0.62, cx + t / 2, cy + r * 0.62, t * 0.2))
    return (outlined(circle(cx, cy, r), ow(s), vgrad(cy - r, cy + r, GREEN[0], GREEN[1]), GREEN[2]) +
            [(bar, solid((255, 255, 255)))])


def film_tile(x0, y0, x1, y1, s):
    """A frame of film: dark strip with sprocket holes and a picture."""
    w = x1 - x0
    shapes = outlined(rrect(x0, y0, x1, y1, w * 0.08), ow(s),
                      vgrad(y0, y1, (90, 95, 110), (45, 48, 58)), (25, 25, 30))
    side = w * 0.17
    n = 4
    hh = (y1 - y0) / (n * 2.0)
    for k in range(n):
        yy = y0 + hh * (2 * k + 0.5)
        for xx in (x0 + side * 0.25, x1 - side * 0.75):
            shapes.append((rrect(xx, yy, xx + side * 0.5, yy + hh, hh * 0.25), solid((235, 235, 240))))
    shapes.append((rrect(x0 + side, y0 + hh * 0.5, x1 - side, y1 - hh * 0.5, w * 0.03),
                   vgrad(y0, y1, (150, 205, 255), (60, 130, 210))))
    # A hill in the picture, so it reads as an image.
    shapes.append((minus(circle(x0 + w * 0.62, y1 + w * 0.1, w * 0.42),
                         union(rrect(-99, -99, x0 + side, 999, 0), rrect(x1 - side, -99, 999, 999, 0),
                               rrect(-99, y1 - hh * 0.5, 999, 999, 0))),
                   solid((70, 160, 70))))
    return shapes


def pic_add(s):
    return film_tile(s * 0.06, s * 0.08, s * 0.72, s * 0.74, s) + plus_badge(s, s * 0.70, s * 0.70, s * 0.25)


def arrow_arc(cx, cy, r, t, a0, a1, head):
    """Arc from a0 to a1 (degrees, clockwise) with an arrowhead at a1."""
    arc = ring(cx, cy, r - t / 2, r + t / 2, a0, a1)
    a = math.radians(a1)
    ex, ey = cx + r * math.cos(a), cy + r * math.sin(a)
    tx, ty = -math.sin(a), math.cos(a)  # clockwise tangent
    nx, ny = math.cos(a), math.sin(a)
    tip = (ex + tx * head * 1.1, ey + ty * head * 1.1)
    b1 = (ex + nx * head, ey + ny * head)
    b2 = (ex - nx * head, ey - ny * head)
    return union(arc, poly([tip, b1, b2]))


def pic_convert(s):
    cx = cy = s / 2.0
    r, t, head = s * 0.34, s * 0.14, s * 0.17
    top = arrow_arc(cx, cy, r, t, 190, 320, head)
    bottom = arrow_arc(cx, cy, r, t, 10, 140, head)
    shapes = outlined(top, ow(s), vgrad(0, s, ORANGE[0], ORANGE[1]), ORANGE[2])
    shapes += outlined(bottom, ow(s), vgrad(0, s, GREEN[0], GREEN[1]), GREEN[2])
    tri = poly([(cx - s * 0.09, cy - s * 0.13), (cx + s * 0.14, cy), (cx - s * 0.09, cy + s * 0.13)])
    shapes += outlined(tri, ow(s), vgrad(cy - s * 0.13, cy + s * 0.13, BLUE[0], BLUE[1]), BLUE[2])
    return shapes


def pic_settings(s):
    cx = cy = s / 2.0
    g = gear(cx, cy, s * 0.44, s * 0.33, 9, s * 0.13)
    return outlined(g, ow(s), vgrad(s * 0.06, s * 0.94, (200, 210, 225), (105, 120, 145)), (50, 60, 80)) + \
        [(ring(cx, cy, s * 0.13, s * 0.19), solid((80, 92, 115)))]


def pic_help(s):
    cx = cy = s / 2.0
    r = s * 0.46 if s > 16 else 7.5
    shapes = outlined(circle(cx, cy, r - ow(s)), ow(s), vgrad(cy - r, cy + r, BLUE[0], BLUE[1]), BLUE[2])
    t = r * 0.24
    qr = r * 0.30
    qy = cy - r * 0.22
    white = solid((255, 255, 255))
    shapes.append((ring(cx, qy, qr - t / 2, qr + t / 2, 160, 80), white))
    shapes.append((capsule(cx + qr * math.cos(math.radians(80)), qy + qr * math.sin(math.radians(80)),
                           cx, cy + r * 0.20, t), white))
    shapes.append((circle(cx, cy + r * 0.52, t * 0.62), white))
    return shapes


def pic_plus(s):
    c = s / 2.0
    t = s * 0.30
    shape = union(rrect(s * 0.10, c - t / 2, s * 0.90, c + t / 2, t * 0.15),
                  rrect(c - t / 2, s * 0.10, c + t / 2, s * 0.90, t * 0.15))
    return outlined(shape, ow(s), vgrad(s * 0.1, s * 0.9, GREEN[0], GREEN[1]), GREEN[2])


def pic_minus(s):
    c = s / 2.0
    t = s * 0.30
    shape = rrect(s * 0.10, c - t / 2, s * 0.90, c + t / 2, t * 0.15)
    return outlined(shape, ow(s), vgrad(c - t / 2, c + t / 2, RED[0], RED[1]), RED[2])


def pic_arrow(s, up):
    c = s / 2.0
    head = [(c, s * 0.08), (s * 0.93, s * 0.52), (s * 0.07, s * 0.52)]
    shaft = rrect(c - s * 0.17, s * 0.45, c + s * 0.17, s * 0.92, s * 0.03)
    if not up:
        head = [(x, s - y) for x, y in head]
        shaft = rrect(c - s * 0.17, s * 0.08, c + s * 0.17, s * 0.55, s * 0.03)
    shape = union(poly(head), shaft)
    return outlined(shape, ow(s), vgrad(0, s, BLUE[0], BLUE[1]), BLUE[2])


def pic_app(s):
    shapes = outlined(rrect(s * 0.04, s * 0.04, s * 0.96, s * 0.96, s * 0.18), ow(s),
                      vgrad(0, s, (80, 150, 235), (20, 70, 160)), (10, 40, 100))
    shapes += film_tile(s * 0.14, s * 0.16, s * 0.70, s * 0.72, s)
    tri_c = (s * 0.67, s * 0.67)
    shapes += outlined(circle(tri_c[0], tri_c[1], s * 0.24), ow(s),
                       vgrad(s * 0.43, s * 0.91, ORANGE[0], ORANGE[1]), ORANGE[2])
    shapes.append((poly([(tri_c[0] - s * 0.08, tri_c[1] - s * 0.12), (tri_c[0] + s * 0.13, tri_c[1]),
                         (tri_c[0] - s * 0.08, tri_c[1] + s * 0.12)]), solid((255, 255, 255))))
    return shapes


# The tip bulb: 40 x 53 on the white panel, 16 colours of its own.
BULB_PALETTE = [
    (255, 255, 255), (255, 250, 205), (255, 238, 120), (250, 215, 50),
    (230, 175, 20), (185, 130, 10), (120, 85, 15), (255, 248, 230),
    (235, 235, 235), (200, 200, 200), (160, 160, 160), (115, 115, 115),
    (70, 70, 70), (30, 30, 30), (250, 185, 60), (245, 225, 170),
]


def pic_bulb(w, h):
    cx = w / 2.0
    gy, gr = 19.0, 13.0
    glass = union(circle(cx, gy, gr),
                  poly([(cx - gr * 0.86, gy + gr * 0.5), (cx + gr * 0.86, gy + gr * 0.5),
                        (cx + 6.5, 37.0), (cx - 6.5, 37.0)]))
    white = (255, 255, 255, 255)
    shapes = [(rrect(0, 0, w, h, 0), solid(white))]
    # Rays around the glass.
    for ang in (-160, -125, -90, -55, -20, 200, 20):
        a = math.radians(ang)
        shapes.append((capsule(cx + (gr + 3.5) * math.cos(a), gy + (gr + 3.5) * math.sin(a),
                               cx + (gr + 6.5) * math.cos(a), gy + (gr + 6.5) * math.sin(a), 1.8),
                       solid((250, 185, 60))))
    shapes += outlined(glass, 1.1, vgrad(6, 37, (255, 246, 170), (245, 200, 40)), (185, 130, 10))
    shapes.append((circle(cx - 4.5, gy - 4.5, 3.6), solid((255, 252, 225))))
    # Filament.
    shapes.append((ring(cx, 27.5, 2.2, 3.2, 180, 360), solid((200, 140, 10))))
    shapes.append((capsule(cx - 2.7, 27.5, cx - 2.5, 36.5, 1.0), solid((160, 160, 160))))
    shapes.append((capsule(cx + 2.7, 27.5, cx + 2.5, 36.5, 1.0), solid((160, 160, 160))))
    # Screw base.
    base = rrect(cx - 7, 37, cx + 7, 47, 1.5)
    shapes += outlined(base, 1.0, vgrad(37, 47, (225, 225, 225), (140, 140, 140)), (70, 70, 70))
    for yy in (39.8, 42.8):
        shapes.append((capsule(cx - 6.2, yy, cx + 6.2, yy + 1.2, 1.0), solid((115, 115, 115))))
    shapes += outlined(poly([(cx - 5, 47), (cx + 5, 47), (cx + 2.5, 50.5), (cx - 2.5, 50.5)]), 0.8,
                       solid((70, 70, 70)), (30, 30, 30))
    return shapes


def scaled(shapes, f):
    """The same shapes drawn f times larger."""
    return [(lambda x, y, i=i: i(x / f, y / f), lambda x, y, p=p: p(x / f, y / f)) for i, p in shapes]


def padded(draw, glyph):
    """Draws `draw` at `glyph` pixels in the middle of a larger icon."""
    def at(s):
        off = (s - glyph) / 2.0
        return [(lambda x, y, f=f: f(x - off, y - off), lambda x, y, p=p: p(x - off, y - off))
                for f, p in draw(glyph)]
    return at


def side(draw):
    """The side buttons draw their icon at 32 pixels at 96 DPI (scaled with
    the display) on a button of about 27 x 26 pixels: an image of 32 pixels or
    more keeps its glyph inside the middle 20/32 of it so that none of it is
    cut off. The 16-pixel image is drawn full size."""
    return lambda s: padded(draw, s * 20.0 / 32.0)(s) if s >= 32 else draw(s)


# Every toolbar icon is shipped at these sizes (besides its small ones), so
# that the button finds an exact image at 100, 150 and 200 % display scale:
# 48-pixel icons need 72 and 96, 32-pixel ones 48 and 64.
SCALED = [32, 48, 64, 72, 96]


def main():
    def icon(name, sizes, draw):
        write_ico(os.path.join(HERE, name), [render(s, s, draw(s)) for s in sizes])
        print('wrote', name, sizes)

    icon('app.ico', [48, 32, 24, 16], pic_app)
    # A plain load (the resource's own size) finds the first image under Wine:
    # the size the button is laid out for at 96 DPI comes first.
    icon('add.ico', [48, 32, 64, 72, 96], pic_add)
    icon('convert.ico', [48, 32, 64, 72, 96], pic_convert)
    icon('settings.ico', [48, 32, 64, 72, 96], pic_settings)
    icon('help.ico', SCALED + [24, 16], pic_help)
    icon('list_add.ico', SCALED + [16], side(pic_plus))
    icon('list_remove.ico', SCALED + [16], side(pic_minus))
    icon('list_up.ico', SCALED + [16], side(lambda s: pic_arrow(s, True)))
    icon('list_down.ico', SCALED + [16], side(lambda s: pic_arrow(s, False)))
    write_bulbs()


def write_bulbs():
    # The tip panel's bulb for 100, 150 and 200 % display scale.
    for name, f in (('lightbulb.bmp', 1), ('lightbulb_150.bmp', 1.5), ('lightbulb_200.bmp', 2)):
        w, h = int(round(40 * f)), int(round(53 * f))
        write_bmp4(os.path.join(HERE, name), render(w, h, scaled(pic_bulb(40, 53), f)), BULB_PALETTE)
        print('wrote', name, w, h)


if __name__ == '__main__':
    main()
