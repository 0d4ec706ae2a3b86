#!/usr/bin/env python3
"""Draws every picture of the skin: flat shapes on dark, calm surfaces with one blue accent.

Python 3 standard library only. Shapes are signed-distance functions rendered with a one-pixel
soft edge, so curves stay smooth without supersampling. Every picture is drawn at twice its
96-DPI size (SCALE) so it stays crisp when the window is scaled up; the renderer scales each
picture into its control's rectangle.

Run from anywhere:  python3 scripts/generate-skin-images.py  [skin folder]
"""

import math
import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import keyboard_layout  # noqa: E402

SCALE = 2

# Palette (0xRRGGBB, alpha 0-1).
WINDOW = 0x16181D
BAR = 0x1A1D23
SURFACE = 0x1E2229
SURFACE_2 = 0x2A2F38
LINE = 0x3A404B
TEXT = 0xE6E9EF
TEXT_2 = 0x9AA3B2
ACCENT = 0x0099FF
ACCENT_2 = 0x0078C8
WHITE = 0xFFFFFF
DANGER = 0xC42B1C
GOOD = 0x3CC47C


def rgba(color, alpha=1.0):
    return ((color >> 16) & 255, (color >> 8) & 255, color & 255, alpha)


# ---------------------------------------------------------------------------------------------
# Canvas: premultiplied RGBA floats, coordinates in 96-DPI units (scaled on drawing).


class Canvas:
    def __init__(self, width, height, scale=SCALE):
        self.w = int(round(width * scale))
        self.h = int(round(height * scale))
        self.s = scale
        n = self.w * self.h
        self.r = [0.0] * n
        self.g = [0.0] * n
        self.b = [0.0] * n
        self.a = [0.0] * n

    def _blend(self, i, color, coverage):
        cr, cg, cb, ca = color
        k = ca * coverage
        if k <= 0.0:
            return
        inv = 1.0 - k
        self.r[i] = cr / 255.0 * k + self.r[i] * inv
        self.g[i] = cg / 255.0 * k + self.g[i] * inv
        self.b[i] = cb / 255.0 * k + self.b[i] * inv
        self.a[i] = k + self.a[i] * inv

    def _bounds(self, box, pad=2.0):
        x0, y0, x1, y1 = box
        px0 = max(0, int(math.floor((x0 - pad) * self.s)))
        py0 = max(0, int(math.floor((y0 - pad) * self.s)))
        px1 = min(self.w, int(math.ceil((x1 + pad) * self.s)))
        py1 = min(self.h, int(math.ceil((y1 + pad) * self.s)))
        return px0, py0, px1, py1

    def shade(self, box, sdf, color, mode="fill", width=1.0, soft=0.0):
        """Paints where sdf (in units) is inside (fill), along its edge (stroke) or as a glow.

        color is an (r, g, b, a) tuple or a function of (x, y) in units giving one.
        """
        px0, py0, px1, py1 = self._bounds(box, pad=2.0 + soft)
        s = self.s
        half = width / 2.0
        for py in range(py0, py1):
            y = (py + 0.5) / s
            row = py * self.w
            for px in range(px0, px1):
                x = (px + 0.5) / s
                d = sdf(x, y)
                if mode == "stroke":
                    d = abs(d) - half
                if mode == "glow":
                    # Full inside, fading out over `soft` units outside the edge.
                    if d >= soft:
                        continue
                    cov = 1.0 if d <= 0 else (1.0 - d / soft) ** 2
                else:
                    cov = 0.5 - d * s
                    if cov <= 0.0:
                        continue
                    if cov > 1.0:
                        cov = 1.0
                c = color(x, y) if callable(color) else color
                self._blend(row + px, c, cov)

    def png(self):
        raw = bytearray()
        for py in range(self.h):
            raw.append(0)
            row = py * self.w
            for px in range(self.w):
                i = row + px
                a = self.a[i]
                if a <= 0.0:
                    raw += b"\0\0\0\0"
                    continue
                raw += bytes((min(255, int(self.r[i] / a * 255 + 0.5)),
                              min(255, int(self.g[i] / a * 255 + 0.5)),
                              min(255, int(self.b[i] / a * 255 + 0.5)),
                              min(255, int(a * 255 + 0.5))))

        def chunk(tag, data):
            body = tag + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.w, self.h, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------------------------------------
# Signed distances (negative inside), in units.


def sd_round_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0, (y1 - y0) / 2.0
    r = min(r, hx, hy)

    def f(x, y):
        qx = abs(x - cx) - hx + r
        qy = abs(y - cy) - hy + r
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return f


def sd_circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def sd_ellipse(cx, cy, rx, ry):
    m = min(rx, ry)
    return lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1.0) * m


def sd_segment(ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy or 1e-9

    def f(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
        return math.hypot(x - ax - t * dx, y - ay - t * dy)
    return f


def sd_polyline(points):
    segs = [sd_segment(*points[i], *points[i + 1]) for i in range(len(points) - 1)]
    return lambda x, y: min(s(x, y) for s in segs)


def sd_arc(cx, cy, r, a0, a1):
    """Distance to the arc of radius r from angle a0 to a1 (degrees, counter-clockwise from +x,
    y pointing down as on screen)."""
    p0 = (cx + r * math.cos(math.radians(a0)), cy - r * math.sin(math.radians(a0)))
    p1 = (cx + r * math.cos(math.radians(a1)), cy - r * math.sin(math.radians(a1)))
    span = (a1 - a0) % 360 or 360

    def f(x, y):
        ang = math.degrees(math.atan2(-(y - cy), x - cx))
        if (ang - a0) % 360 <= span:
            return abs(math.hypot(x - cx, y - cy) - r)
        return min(math.hypot(x - p0[0], y - p0[1]), math.hypot(x - p1[0], y - p1[1]))
    return f


def sd_polygon(points):
    """Exact signed distance to a closed polygon."""
    n = len(points)

    def f(x, y):
        d = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            ll = ex * ex + ey * ey or 1e-9
            t = max(0.0, min(1.0, (wx * ex + wy * ey) / ll))
            d = min(d, math.hypot(wx - ex * t, wy - ey * t))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / (ey or 1e-9):
                inside = not inside
        return -d if inside else d
    return f


def union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


# ---------------------------------------------------------------------------------------------
# Drawing helpers in units.


def fill(c, box, sdf, color):
    c.shade(box, sdf, color)


def stroke(c, box, sdf, color, width):
    c.shade(box, sdf, color, mode="stroke", width=width)


def full(c):
    return (0, 0, c.w / c.s, c.h / c.s)


def line(c, points, color, width=2.0):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    box = (min(xs) - width, min(ys) - width, max(xs) + width, max(ys) + width)
    c.shade(box, sd_polyline(points), color, mode="stroke", width=width)


def round_rect(c, x0, y0, x1, y1, r, color, border=None, border_width=1.0):
    sdf = sd_round_rect(x0, y0, x1, y1, r)
    fill(c, (x0, y0, x1, y1), sdf, color)
    if border is not None:
        inner = sd_round_rect(x0 + border_width / 2, y0 + border_width / 2,
                              x1 - border_width / 2, y1 - border_width / 2, r - border_width / 2)
        stroke(c, (x0, y0, x1, y1), inner, border, border_width)


def circle(c, cx, cy, r, color):
    fill(c, (cx - r, cy - r, cx + r, cy + r), sd_circle(cx, cy, r), color)


def ring(c, cx, cy, r, color, width=2.0):
    stroke(c, (cx - r - width, cy - r - width, cx + r + width, cy + r + width),
           sd_circle(cx, cy, r), color, width)


def arc(c, cx, cy, r, a0, a1, color, width=2.0):
    stroke(c, (cx - r - width, cy - r - width, cx + r + width, cy + r + width),
           lambda x, y: sd_arc(cx, cy, r, a0, a1)(x, y), color, width)


def vertical_gradient(top, bottom, y0, y1, alpha=1.0):
    t0 = rgba(top)
    t1 = rgba(bottom)

    def f(x, y):
        t = max(0.0, min(1.0, (y - y0) / ((y1 - y0) or 1)))
        return (t0[0] + (t1[0] - t0[0]) * t, t0[1] + (t1[1] - t0[1]) * t,
                t0[2] + (t1[2] - t0[2]) * t, alpha)
    return f


# ---------------------------------------------------------------------------------------------
# Glyphs: each draws into a square of `size` units at the origin, with line width lw.


def glyph_keyboard(c, s, col, lw):
    round_rect(c, s * 0.12, s * 0.28, s * 0.88, s * 0.74, s * 0.06, rgba(0, 0), col, lw)
    for row, y in enumerate((0.40, 0.51)):
        for i in range(6):
            x = 0.22 + i * 0.112 + (0.05 if row else 0)
            circle(c, s * x, s * y, s * 0.025, col)
    line(c, [(s * 0.32, s * 0.63), (s * 0.68, s * 0.63)], col, lw)


def glyph_mouse(c, s, col, lw):
    body = sd_round_rect(s * 0.32, s * 0.16, s * 0.68, s * 0.84, s * 0.18)
    stroke(c, (0, 0, s, s), body, col, lw)
    line(c, [(s * 0.32, s * 0.42), (s * 0.68, s * 0.42)], col, lw)
    line(c, [(s * 0.5, s * 0.16), (s * 0.5, s * 0.42)], col, lw)
    round_rect(c, s * 0.47, s * 0.24, s * 0.53, s * 0.34, s * 0.03, col)


def glyph_pad(c, s, col, lw, hard):
    round_rect(c, s * 0.10, s * 0.30, s * 0.90, s * 0.72, s * (0.03 if hard else 0.09),
               rgba(0, 0), col, lw * (1.6 if hard else 1.0))
    if hard:
        ring(c, s * 0.70, s * 0.51, s * 0.10, col, lw * 0.8)
        ring(c, s * 0.70, s * 0.51, s * 0.04, col, lw * 0.8)
    else:
        for i in range(3):
            y = s * (0.42 + i * 0.08)
            line(c, [(s * 0.22, y), (s * 0.58, y)], col, lw * 0.7)


def glyph_headset(c, s, col, lw):
    arc(c, s * 0.5, s * 0.52, s * 0.30, 0, 180, col, lw)
    round_rect(c, s * 0.14, s * 0.50, s * 0.30, s * 0.80, s * 0.06, col)
    round_rect(c, s * 0.70, s * 0.50, s * 0.86, s * 0.80, s * 0.06, col)


def glyph_hub(c, s, col, lw):
    round_rect(c, s * 0.18, s * 0.34, s * 0.82, s * 0.70, s * 0.06, rgba(0, 0), col, lw)
    for i in range(3):
        x = s * (0.32 + i * 0.18)
        round_rect(c, x - s * 0.05, s * 0.47, x + s * 0.05, s * 0.57, s * 0.01, col)
    line(c, [(s * 0.5, s * 0.34), (s * 0.5, s * 0.18)], col, lw)


def glyph_unknown(c, s, col, lw):
    round_rect(c, s * 0.2, s * 0.2, s * 0.8, s * 0.8, s * 0.12, rgba(0, 0), col, lw)
    arc(c, s * 0.5, s * 0.42, s * 0.10, -60, 180, col, lw)
    line(c, [(s * 0.5 + s * 0.05, s * 0.51), (s * 0.5, s * 0.56), (s * 0.5, s * 0.60)], col, lw)
    circle(c, s * 0.5, s * 0.69, lw * 0.7, col)


def glyph_sync_badge(c, s, col):
    """A small round badge of two turning arrows at the lower right corner."""
    cx, cy, r = s * 0.80, s * 0.80, s * 0.17
    circle(c, cx, cy, r, rgba(ACCENT))
    arc(c, cx, cy, r * 0.55, 20, 160, rgba(WHITE), s * 0.04)
    arc(c, cx, cy, r * 0.55, 200, 340, rgba(WHITE), s * 0.04)


DEVICE_GLYPHS = {
    "kb": glyph_keyboard,
    "ms": glyph_mouse,
    "hard_mp": lambda c, s, col, lw: glyph_pad(c, s, col, lw, True),
    "soft_mp": lambda c, s, col, lw: glyph_pad(c, s, col, lw, False),
    "hd": glyph_headset,
    "hub": glyph_hub,
    "unknow": glyph_unknown,
}


# ---------------------------------------------------------------------------------------------
# The pictures.


def device_icons(out):
    size = 48
    for stem, glyph in DEVICE_GLYPHS.items():
        for variant in ("normal", "selected", "synchro_normal", "synchro_selected"):
            c = Canvas(size, size)
            selected = variant.endswith("selected") and not variant.endswith("_normal")
            if selected:
                round_rect(c, 1, 1, size - 1, size - 1, 8, rgba(SURFACE_2), rgba(ACCENT), 1.5)
            col = rgba(ACCENT) if selected else rgba(TEXT_2)
            glyph(c, size, col, 2.0)
            if variant.startswith("synchro"):
                glyph_sync_badge(c, size, col)
            out("common/device_ico/%s_device_%s.png" % (stem, variant), c)
    # The synchronisation mark of a tab: empty while clear, the badge while set.
    c = Canvas(14, 14)
    out("common/device_ico/synchro_mark_off.png", c)
    c = Canvas(14, 14)
    circle(c, 7, 7, 6, rgba(ACCENT))
    arc(c, 7, 7, 3.3, 20, 160, rgba(WHITE), 1.2)
    arc(c, 7, 7, 3.3, 200, 340, rgba(WHITE), 1.2)
    out("common/device_ico/synchro_mark_on.png", c)


def title_buttons(out):
    def skin(c, col):
        circle(c, 14, 14, 8, rgba(0, 0))
        ring(c, 14, 14, 7.5, col, 1.6)
        fill(c, (6, 6, 22, 22), subtract(sd_circle(14, 14, 7.5), sd_round_rect(14, 0, 28, 28, 0)), col)

    def gear(c, col):
        for i in range(8):
            a = math.radians(i * 45)
            line(c, [(14 + 6 * math.cos(a), 14 + 6 * math.sin(a)),
                     (14 + 9 * math.cos(a), 14 + 9 * math.sin(a))], col, 2.6)
        ring(c, 14, 14, 6, col, 2.0)
        ring(c, 14, 14, 2.2, col, 1.6)

    def minimise(c, col):
        line(c, [(8, 15), (20, 15)], col, 1.8)

    def close(c, col):
        line(c, [(9, 9), (19, 19)], col, 1.8)
        line(c, [(19, 9), (9, 19)], col, 1.8)

    for name, glyph in (("skin", skin), ("set", gear), ("min", minimise), ("close", close)):
        c = Canvas(28, 28)
        glyph(c, rgba(TEXT_2))
        out("common/title/%s_normal.png" % name, c)
        c = Canvas(28, 28)
        round_rect(c, 0, 0, 28, 28, 6, rgba(DANGER if name == "close" else SURFACE_2))
        glyph(c, rgba(WHITE if name == "close" else TEXT))
        out("common/title/%s_hot.png" % name, c)


def chrome(out):
    c = Canvas(1000, 640, scale=1)
    fill(c, full(c), lambda x, y: -1.0, vertical_gradient(0x181B21, 0x121418, 0, 640))
    # A faint accent glow behind the device page, the only ornament.
    c.shade((0, 0, 1000, 640), sd_ellipse(500, 330, 420, 170), rgba(ACCENT, 0.05),
            mode="glow", soft=160)
    out("common/background.png", c)

    c = Canvas(28, 28)
    round_rect(c, 0, 0, 28, 28, 7, rgba(SURFACE_2))
    line(c, [(7, 20), (7, 8), (14, 15), (21, 8), (21, 20)], rgba(ACCENT), 2.6)
    out("common/logo.png", c)

    c = Canvas(120, 28)
    round_rect(c, 0, 0, 120, 28, 6, rgba(SURFACE_2), rgba(LINE), 1)
    out("common/btn_hot.png", c)
    c = Canvas(120, 28)
    round_rect(c, 0, 0, 120, 28, 6, rgba(ACCENT_2))
    out("common/btn_pushed.png", c)

    for side, pts in (("left", [(15, 16), (9, 24), (15, 32)]), ("right", [(9, 16), (15, 24), (9, 32)])):
        c = Canvas(24, 48)
        line(c, pts, rgba(TEXT), 2.2)
        out("common/arrow_%s.png" % side, c)
        c = Canvas(24, 48)
        line(c, pts, rgba(LINE), 2.2)
        out("common/arrow_%s_disabled.png" % side, c)

    # No device: a plug and a socket apart, with the gap marked in the accent colour.
    c = Canvas(1000, 160)
    cx, cy = 500, 80
    line(c, [(300, cy), (430, cy)], rgba(LINE), 4)
    round_rect(c, 430, cy - 22, 478, cy + 22, 8, rgba(SURFACE_2), rgba(TEXT_2), 2)
    round_rect(c, 478, cy - 12, 500, cy - 6, 1.5, rgba(TEXT_2))
    round_rect(c, 478, cy + 6, 500, cy + 12, 1.5, rgba(TEXT_2))
    for i in range(3):
        circle(c, 514 + i * 10, cy, 2.4, rgba(ACCENT))
    round_rect(c, 546, cy - 28, 600, cy + 28, 10, rgba(SURFACE), rgba(TEXT_2), 2)
    round_rect(c, 556, cy - 14, 566, cy - 4, 2, rgba(WINDOW))
    round_rect(c, 556, cy + 4, 566, cy + 14, 2, rgba(WINDOW))
    line(c, [(600, cy), (700, cy)], rgba(LINE), 4)
    out("common/no_device.png", c)


def led_pictures(out, w, h, folder="common/led"):
    """Base (dark, unlit) and glow (white, tinted by the renderer in the LED colour)."""
    r = min(w, h) / 2.0
    c = Canvas(w, h)
    round_rect(c, 0, 0, w, h, r, rgba(0x101216), rgba(LINE), 1)
    out("%s/led_%dx%d_base.png" % (folder, w, h), c)
    c = Canvas(w, h)
    c.shade((0, 0, w, h), sd_round_rect(r * 0.6, r * 0.6, w - r * 0.6, h - r * 0.6, r * 0.4),
            rgba(WHITE), mode="glow", soft=r * 0.6)
    out("%s/led_%dx%d_glow.png" % (folder, w, h), c)


def key_pictures(out):
    sizes = {}
    for key in keyboard_layout.KEYS:
        left, top, right, bottom = key.rect()
        sizes[key.size_name()] = (right - left, bottom - top)
    for name, (w, h) in sorted(sizes.items()):
        folder = "keyboard/keys"
        rad = 4

        def save(state, draw):
            c = Canvas(w, h)
            draw(c)
            out("%s/%s_%s.png" % (folder, state, name), c)

        # The LED under the key: dark when unlit; the glow fills the cap in the LED colour.
        save("led_base", lambda c: round_rect(c, 0, 0, w, h, rad, rgba(0x101216)))
        save("led_glow", lambda c: c.shade((0, 0, w, h), sd_round_rect(3, 3, w - 3, h - 3, rad),
                                           rgba(WHITE, 0.85), mode="glow", soft=3))
        # The cap above it: smoked glass, so the LED shows through.
        save("cap_normal", lambda c: round_rect(c, 0, 0, w, h, rad, rgba(SURFACE, 0.55),
                                                rgba(LINE), 1))
        save("cap_hot", lambda c: round_rect(c, 0, 0, w, h, rad, rgba(SURFACE_2, 0.45),
                                             rgba(ACCENT), 1))
        save("cap_pushed", lambda c: round_rect(c, 0, 0, w, h, rad, rgba(ACCENT_2, 0.35),
                                                rgba(ACCENT_2), 2))
        save("cap_selected", lambda c: round_rect(c, 0, 0, w, h, rad, rgba(ACCENT, 0.25),
                                                  rgba(ACCENT), 2))
        # Key-set mark: a small accent corner, the rest transparent.
        save("keyset", lambda c: fill(c, (w - 9, 0, w, 9), sd_polygon([(w - 9, 1), (w - 1, 1),
                                                                       (w - 1, 9)]), rgba(ACCENT)))


def keyboard_body(out, name, trim):
    w, h = keyboard_layout.panel_size()
    c = Canvas(w, h)
    round_rect(c, 0, 0, w, h, 12, rgba(SURFACE), rgba(LINE), 1.5)
    m = keyboard_layout.MARGIN - 4
    round_rect(c, m, m, w - m, h - m, 6, rgba(0x14161A))
    if trim == "bar":
        # A thin accent bar along the front edge.
        round_rect(c, w * 0.3, h - 5, w * 0.7, h - 3, 1, rgba(ACCENT, 0.8))
    else:
        # Two accent notches at the top corners.
        round_rect(c, 24, 3, 84, 5, 1, rgba(ACCENT, 0.8))
        round_rect(c, w - 84, 3, w - 24, 5, 1, rgba(ACCENT, 0.8))
    out(name, c)


# Mouse page geometry, shared with the page description (mousedevice.xml).
MOUSE_W, MOUSE_H = 800, 236
MOUSE_BODY = (338, 12, 462, 224)
MOUSE_CALLOUTS = [
    # key position, pill rectangle, point on the mouse the line leads to
    (0, (110, 24, 260, 50), (370, 50)),     # left button
    (3, (110, 66, 260, 92), (340, 112)),    # forward (side)
    (4, (110, 108, 260, 134), (340, 148)),  # back (side)
    (8, (110, 150, 260, 176), (352, 180)),  # GM (side, below)
    (1, (540, 24, 690, 50), (430, 50)),     # right button
    (2, (540, 58, 690, 84), (400, 62)),     # middle (wheel)
    (5, (540, 92, 690, 118), (400, 92)),    # DPI up
    (6, (540, 126, 690, 152), (400, 104)),  # DPI down
    (7, (540, 160, 690, 186), (400, 116)),  # DPI cycle
    (9, (540, 194, 690, 220), (448, 150)),  # sniper (side, right)
]


def mouse_body(out):
    c = Canvas(MOUSE_W, MOUSE_H)
    x0, y0, x1, y1 = MOUSE_BODY
    cx = (x0 + x1) / 2
    body = union(sd_ellipse(cx, y0 + 70, (x1 - x0) / 2, 70),
                 sd_round_rect(x0 + 4, y0 + 60, x1 - 4, y1, 46))
    fill(c, (x0 - 4, y0 - 4, x1 + 4, y1 + 4), body, vertical_gradient(SURFACE_2, SURFACE, y0, y1))
    stroke(c, (x0 - 4, y0 - 4, x1 + 4, y1 + 4), body, rgba(LINE), 1.5)
    line(c, [(cx, y0 + 2), (cx, y0 + 84)], rgba(LINE), 1.5)
    line(c, [(x0 + 8, y0 + 84), (x1 - 8, y0 + 84)], rgba(LINE), 1.5)
    round_rect(c, cx - 6, y0 + 34, cx + 6, y0 + 60, 6, rgba(0x101216), rgba(TEXT_2), 1.2)
    for _, (px0, py0, px1, py1), (tx, ty) in MOUSE_CALLOUTS:
        sx = px1 if px1 < cx else px0
        sy = (py0 + py1) / 2
        line(c, [(sx, sy), (sx + (12 if sx < cx else -12), sy), (tx, ty)], rgba(LINE), 1.2)
        circle(c, tx, ty, 2.5, rgba(ACCENT))
    out("mouse/mouse_body.png", c)
    for state, fill_col, border in (("normal", rgba(SURFACE, 0.9), rgba(LINE)),
                                    ("hot", rgba(SURFACE_2), rgba(ACCENT)),
                                    ("pushed", rgba(ACCENT_2, 0.4), rgba(ACCENT_2)),
                                    ("selected", rgba(ACCENT, 0.25), rgba(ACCENT))):
        c = Canvas(150, 26)
        round_rect(c, 0, 0, 150, 26, 13, fill_col, border, 1)
        out("mouse/callout_%s.png" % state, c)
    c = Canvas(150, 26)
    circle(c, 140, 13, 4, rgba(ACCENT))
    out("mouse/callout_keyset.png", c)


PAD_W, PAD_H = 800, 236
PAD_BODY = (150, 22, 650, 214)


def mousepad_body(out):
    c = Canvas(PAD_W, PAD_H)
    x0, y0, x1, y1 = PAD_BODY
    round_rect(c, x0, y0, x1, y1, 16, rgba(SURFACE), rgba(LINE), 1.5)
    round_rect(c, x0 + 14, y0 + 14, x1 - 14, y1 - 14, 10, rgba(0x15171C))
    # The phone-charging area.
    ring(c, x1 - 110, (y0 + y1) / 2, 44, rgba(LINE), 1.5)
    ring(c, x1 - 110, (y0 + y1) / 2, 30, rgba(LINE), 1.0)
    line(c, [(x1 - 114, (y0 + y1) / 2 - 10), (x1 - 106, (y0 + y1) / 2), (x1 - 114, (y0 + y1) / 2),
             (x1 - 106, (y0 + y1) / 2 + 10)], rgba(ACCENT, 0.8), 1.6)
    out("mousepad/mousepad_body.png", c)


HEADSET_W, HEADSET_H = 800, 236


def headset_body(out):
    c = Canvas(HEADSET_W, HEADSET_H)
    cx = HEADSET_W / 2
    arc(c, cx, 150, 130, 8, 172, rgba(SURFACE_2), 14)
    arc(c, cx, 150, 130, 8, 172, rgba(LINE), 1.2)
    for sx in (cx - 140, cx + 140):
        fill(c, (sx - 64, 86, sx + 64, 226), sd_ellipse(sx, 156, 56, 66),
             vertical_gradient(SURFACE_2, SURFACE, 90, 222))
        stroke(c, (sx - 64, 86, sx + 64, 226), sd_ellipse(sx, 156, 56, 66), rgba(LINE), 1.5)
        ring(c, sx, 156, 30, rgba(LINE), 1.2)
    line(c, [(cx - 180, 200), (cx - 236, 222), (cx - 262, 222)], rgba(LINE), 4)
    out("headset/headset_body.png", c)


def power_pictures(out):
    def battery(c, col, level=None):
        round_rect(c, 1, 5, 17, 15, 2, rgba(0, 0), col, 1.4)
        round_rect(c, 17, 8, 19, 12, 1, col)
        if level is not None:
            round_rect(c, 3, 7, 3 + 12 * level, 13, 1, col)

    def bolt(c, col):
        fill(c, (4, 2, 16, 18), sd_polygon([(11, 3), (5, 11), (9, 11), (8, 17), (14, 9), (10, 9)]), col)

    c = Canvas(20, 20)
    battery(c, rgba(TEXT_2), 1.0)
    out("power/powered.png", c)
    c = Canvas(20, 20)
    battery(c, rgba(GOOD), 0.5)
    bolt(c, rgba(WHITE))
    out("power/powering.png", c)
    c = Canvas(20, 20)
    for r in (4, 7):
        arc(c, 10, 14, r, 30, 150, rgba(ACCENT), 1.4)
    bolt(c, rgba(GOOD))
    out("power/wuxian_powering.png", c)
    c = Canvas(20, 20)
    battery(c, rgba(TEXT_2))
    out("power/power.png", c)
    c = Canvas(20, 20)
    for r in (3, 6, 9):
        arc(c, 10, 15, r, 45, 135, rgba(ACCENT), 1.6)
    circle(c, 10, 15, 1.4, rgba(ACCENT))
    out("power/wuxian_logo.png", c)

    def phone(c, col):
        round_rect(c, 4, 1, 16, 31, 3, rgba(0, 0), col, 1.4)

    c = Canvas(20, 32)
    phone(c, rgba(TEXT))
    round_rect(c, 8, 2.5, 12, 4.5, 1, rgba(TEXT))
    out("power/Phone_type_iphone.png", c)
    c = Canvas(20, 32)
    phone(c, rgba(TEXT))
    circle(c, 10, 4.5, 1.2, rgba(TEXT))
    out("power/Phone_type_samsung.png", c)
    c = Canvas(20, 32)
    phone(c, rgba(TEXT))
    line(c, [(8, 28), (12, 28)], rgba(TEXT), 1.2)
    out("power/Phone_type_other.png", c)
    c = Canvas(20, 32)
    phone(c, rgba(LINE))
    line(c, [(3, 29), (17, 3)], rgba(TEXT_2), 1.4)
    out("power/Phone_type_no_device.png", c)


def slider_pictures(out):
    c = Canvas(200, 6)
    round_rect(c, 0, 0, 200, 6, 3, rgba(SURFACE_2))
    out("Control/SliderBar_BK1.png", c)
    c = Canvas(200, 6)
    round_rect(c, 0, 0, 200, 6, 3, rgba(ACCENT_2))
    out("Control/SliderBar_BK3.png", c)
    c = Canvas(14, 14)
    circle(c, 7, 7, 6, rgba(TEXT))
    out("Control/SliderBar1_Thumb.png", c)
    c = Canvas(14, 14)
    circle(c, 7, 7, 6, rgba(ACCENT))
    circle(c, 7, 7, 2.5, rgba(WHITE))
    out("Control/SliderBar2_Thumb.png", c)


def profile_buttons(out):
    def plus(c, col):
        line(c, [(12, 6), (12, 18)], col, 1.8)
        line(c, [(6, 12), (18, 12)], col, 1.8)

    def minus(c, col):
        line(c, [(6, 12), (18, 12)], col, 1.8)

    def copy(c, col):
        round_rect(c, 5, 8, 15, 19, 2, rgba(0, 0), col, 1.5)
        line(c, [(9, 5), (19, 5), (19, 15)], col, 1.5)

    def tray(c, col):
        line(c, [(5, 14), (5, 19), (19, 19), (19, 14)], col, 1.6)

    def import_(c, col):
        tray(c, col)
        line(c, [(12, 4), (12, 14)], col, 1.6)
        line(c, [(8, 10), (12, 14), (16, 10)], col, 1.6)

    def export(c, col):
        tray(c, col)
        line(c, [(12, 14), (12, 4)], col, 1.6)
        line(c, [(8, 8), (12, 4), (16, 8)], col, 1.6)

    def reset(c, col):
        arc(c, 12, 12, 6.5, 120, 420 - 40, col, 1.6)
        line(c, [(5, 5), (5.5, 9.5), (10, 9)], col, 1.6)

    def save(c, col):
        line(c, [(6, 12.5), (10.5, 17), (18, 7)], col, 1.9)

    def spread(c, col):
        for x in (7, 12, 17):
            circle(c, x, 12, 1.6, col)

    glyphs = {"add": plus, "sub": minus, "copy": copy, "import": import_, "export": export,
              "reset": reset, "save": save, "spread": spread}
    for name, glyph in glyphs.items():
        c = Canvas(24, 24)
        glyph(c, rgba(TEXT_2))
        out("profile/%s_normal.png" % name, c)
        c = Canvas(24, 24)
        round_rect(c, 0, 0, 24, 24, 5, rgba(SURFACE_2))
        glyph(c, rgba(ACCENT))
        out("profile/%s_hot.png" % name, c)


# The gun-key panel's picture of each gun: flat silhouettes, one per gun, in a 200 × 64 box.
GUN_W, GUN_H = 200, 64
GUN_SHAPES = [
    # 1: a rifle with a curved magazine.
    [[(4, 20), (38, 20), (44, 16), (150, 16), (150, 12), (156, 12), (156, 16), (194, 16),
      (194, 22), (150, 22), (150, 26), (112, 26), (104, 30), (100, 46), (92, 46), (94, 30),
      (80, 30), (76, 54), (66, 52), (68, 30), (50, 30), (40, 40), (6, 42)]],
    # 2: a short gun with a straight magazine.
    [[(24, 22), (50, 22), (54, 18), (142, 18), (142, 15), (162, 15), (162, 22), (142, 22),
      (142, 28), (106, 28), (102, 48), (94, 48), (96, 28), (86, 28), (86, 58), (76, 58),
      (76, 28), (58, 28), (50, 36), (24, 36)]],
    # 3: a long rifle with a scope.
    [[(4, 28), (40, 24), (48, 22), (196, 22), (196, 27), (136, 27), (128, 32), (104, 32),
      (98, 48), (90, 48), (92, 32), (58, 32), (44, 42), (6, 46)],
     [(72, 8), (120, 8), (120, 16), (110, 16), (110, 22), (104, 22), (104, 16), (88, 16),
      (88, 22), (82, 22), (82, 16), (72, 16)]],
    # 4: a pistol.
    [[(64, 16), (138, 16), (138, 30), (104, 30), (100, 34), (96, 56), (78, 56), (82, 34),
      (78, 30), (64, 30)]],
]


def gun_pictures(out):
    for number, parts in enumerate(GUN_SHAPES, 1):
        c = Canvas(GUN_W, GUN_H)
        for points in parts:
            shape = sd_polygon(points)
            fill(c, full(c), shape, vertical_gradient(SURFACE_2, SURFACE, 0, GUN_H))
            stroke(c, full(c), shape, rgba(ACCENT), 1.5)
        out("shoot/gun_%d.png" % number, c)


# LED picture sizes of the mouse, pad and headset pages (see their page descriptions).
LED_SIZES = [(12, 12), (40, 8), (8, 40), (16, 16), (14, 14)]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    skin = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "skin")
    written = []

    def out(relative, canvas):
        path = os.path.join(skin, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(canvas.png())
        written.append(relative)

    device_icons(out)
    title_buttons(out)
    chrome(out)
    key_pictures(out)
    keyboard_body(out, "keyboard/keyboard_body.png", "bar")
    keyboard_body(out, "keyboard/keyboard_q7t_body.png", "notches")
    mouse_body(out)
    mousepad_body(out)
    headset_body(out)
    for w, h in LED_SIZES:
        led_pictures(out, w, h)
    power_pictures(out)
    slider_pictures(out)
    profile_buttons(out)
    gun_pictures(out)
    print("%d pictures written to %s" % (len(written), os.path.normpath(skin)))


if __name__ == "__main__":
    main()
