#!/usr/bin/env python3
"""Writes the skin's regular pictures as SVG: the key caps and LEDs in every size, the LED
pictures of the other pages, the device-bar icons and the title-bar and profile buttons in every
state. One glyph or shape each, repeated over sizes and states; the one-off pictures (device
bodies, power, chrome) are hand-written SVG files beside them.

Flat shapes on dark, calm surfaces with one blue accent. Coordinates are 96-DPI units; the
renderer draws each picture at the size of its control times the display scale.

Python 3 standard library only.  Run from anywhere:  python3 scripts/generate-skin-svg.py [skin]
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import keyboard_layout  # noqa: E402

# Palette.
LED_DARK = "#101216"
SURFACE = "#1E2229"
SURFACE_2 = "#2A2F38"
LINE = "#3A404B"
TEXT = "#E6E9EF"
TEXT_2 = "#9AA3B2"
ACCENT = "#0099FF"
ACCENT_2 = "#0078C8"
WHITE = "#FFFFFF"
DANGER = "#C42B1C"


def num(value):
    """A coordinate without trailing zeros, so the files stay short and stable."""
    text = ("%.2f" % value).rstrip("0").rstrip(".")
    return "0" if text == "-0" else text


def document(width, height, body, defs=""):
    head = ('<svg xmlns="http://www.w3.org/2000/svg" width="%s" height="%s" viewBox="0 0 %s %s">\n'
            % (num(width), num(height), num(width), num(height)))
    if defs:
        head += "  <defs>\n%s  </defs>\n" % defs
    return head + "".join("  %s\n" % element for element in body) + "</svg>\n"


def paint(fill=None, stroke=None, width=None, opacity=None, fill_opacity=None):
    parts = ['fill="%s"' % (fill or "none")]
    if fill_opacity is not None:
        parts.append('fill-opacity="%s"' % num(fill_opacity))
    if stroke:
        parts.append('stroke="%s" stroke-width="%s"' % (stroke, num(width or 1)))
        parts.append('stroke-linecap="round" stroke-linejoin="round"')
    if opacity is not None:
        parts.append('opacity="%s"' % num(opacity))
    return " ".join(parts)


def rect(x0, y0, x1, y1, r, **style):
    """A rounded rectangle; a stroke is kept inside the box so nothing is clipped."""
    inset = (style.get("width") or 1) / 2.0 if style.get("stroke") else 0.0
    return '<rect x="%s" y="%s" width="%s" height="%s" rx="%s" %s/>' % (
        num(x0 + inset), num(y0 + inset), num(x1 - x0 - 2 * inset), num(y1 - y0 - 2 * inset),
        num(max(0.0, r - inset)), paint(**style))


def circle(cx, cy, r, **style):
    return '<circle cx="%s" cy="%s" r="%s" %s/>' % (num(cx), num(cy), num(r), paint(**style))


def polyline(points, colour, width):
    coords = " ".join("%s,%s" % (num(x), num(y)) for x, y in points)
    return '<polyline points="%s" %s/>' % (coords, paint(stroke=colour, width=width))


def polygon(points, colour):
    coords = " ".join("%s,%s" % (num(x), num(y)) for x, y in points)
    return '<polygon points="%s" fill="%s"/>' % (coords, colour)


def arc(cx, cy, r, a0, a1, colour, width):
    """An arc from angle a0 to a1 (degrees, counter-clockwise from +x, y down as on screen)."""
    def at(a):
        return cx + r * math.cos(math.radians(a)), cy - r * math.sin(math.radians(a))
    (x0, y0), (x1, y1) = at(a0), at(a1)
    span = (a1 - a0) % 360
    return '<path d="M%s,%s A%s,%s 0 %d 0 %s,%s" %s/>' % (
        num(x0), num(y0), num(r), num(r), 1 if span > 180 else 0, num(x1), num(y1),
        paint(stroke=colour, width=width))


# ---------------------------------------------------------------------------------------------
# Glyphs of the device-bar icons: each in a square of `s` units at the origin.


def glyph_keyboard(s, col, lw):
    out = [rect(s * 0.12, s * 0.28, s * 0.88, s * 0.74, s * 0.06, stroke=col, width=lw)]
    for row, y in enumerate((0.40, 0.51)):
        for i in range(6):
            x = 0.22 + i * 0.112 + (0.05 if row else 0)
            out.append(circle(s * x, s * y, s * 0.025, fill=col))
    out.append(polyline([(s * 0.32, s * 0.63), (s * 0.68, s * 0.63)], col, lw))
    return out


def glyph_mouse(s, col, lw):
    return [rect(s * 0.32, s * 0.16, s * 0.68, s * 0.84, s * 0.18, stroke=col, width=lw),
            polyline([(s * 0.32, s * 0.42), (s * 0.68, s * 0.42)], col, lw),
            polyline([(s * 0.5, s * 0.16), (s * 0.5, s * 0.42)], col, lw),
            rect(s * 0.47, s * 0.24, s * 0.53, s * 0.34, s * 0.03, fill=col)]


def glyph_pad(s, col, lw, hard):
    out = [rect(s * 0.10, s * 0.30, s * 0.90, s * 0.72, s * (0.03 if hard else 0.09),
                stroke=col, width=lw * (1.6 if hard else 1.0))]
    if hard:
        out.append(circle(s * 0.70, s * 0.51, s * 0.10, stroke=col, width=lw * 0.8))
        out.append(circle(s * 0.70, s * 0.51, s * 0.04, stroke=col, width=lw * 0.8))
    else:
        for i in range(3):
            y = s * (0.42 + i * 0.08)
            out.append(polyline([(s * 0.22, y), (s * 0.58, y)], col, lw * 0.7))
    return out


def glyph_headset(s, col, lw):
    return [arc(s * 0.5, s * 0.52, s * 0.30, 0, 180, col, lw),
            rect(s * 0.14, s * 0.50, s * 0.30, s * 0.80, s * 0.06, fill=col),
            rect(s * 0.70, s * 0.50, s * 0.86, s * 0.80, s * 0.06, fill=col)]


def glyph_hub(s, col, lw):
    out = [rect(s * 0.18, s * 0.34, s * 0.82, s * 0.70, s * 0.06, stroke=col, width=lw)]
    for i in range(3):
        x = s * (0.32 + i * 0.18)
        out.append(rect(x - s * 0.05, s * 0.47, x + s * 0.05, s * 0.57, s * 0.01, fill=col))
    out.append(polyline([(s * 0.5, s * 0.34), (s * 0.5, s * 0.18)], col, lw))
    return out


def glyph_unknown(s, col, lw):
    return [rect(s * 0.2, s * 0.2, s * 0.8, s * 0.8, s * 0.12, stroke=col, width=lw),
            arc(s * 0.5, s * 0.42, s * 0.10, -60, 180, col, lw),
            polyline([(s * 0.55, s * 0.51), (s * 0.5, s * 0.56), (s * 0.5, s * 0.60)], col, lw),
            circle(s * 0.5, s * 0.69, lw * 0.7, fill=col)]


def sync_badge(cx, cy, r, line_width):
    """Two turning arrows on an accent disc: the device follows the synchronised lighting."""
    return [circle(cx, cy, r, fill=ACCENT),
            arc(cx, cy, r * 0.55, 20, 160, WHITE, line_width),
            arc(cx, cy, r * 0.55, 200, 340, WHITE, line_width)]


DEVICE_GLYPHS = {
    "kb": glyph_keyboard,
    "ms": glyph_mouse,
    "hard_mp": lambda s, col, lw: glyph_pad(s, col, lw, True),
    "soft_mp": lambda s, col, lw: glyph_pad(s, col, lw, False),
    "hd": glyph_headset,
    "hub": glyph_hub,
    "unknow": glyph_unknown,
}


def device_icons(out):
    size = 48
    for stem, glyph in DEVICE_GLYPHS.items():
        for variant in ("normal", "selected", "synchro_normal", "synchro_selected"):
            selected = variant.endswith("selected")
            body = []
            if selected:
                body.append(rect(1, 1, size - 1, size - 1, 8, fill=SURFACE_2))
                body.append(rect(1, 1, size - 1, size - 1, 8, stroke=ACCENT, width=1.5))
            body += glyph(size, ACCENT if selected else TEXT_2, 2.0)
            if variant.startswith("synchro"):
                body += sync_badge(size * 0.80, size * 0.80, size * 0.17, size * 0.04)
            out("common/device_ico/%s_device_%s.svg" % (stem, variant), document(size, size, body))
    # The synchronisation mark of a tab: empty while clear, the badge while set.
    out("common/device_ico/synchro_mark_off.svg", document(14, 14, []))
    out("common/device_ico/synchro_mark_on.svg", document(14, 14, sync_badge(7, 7, 6, 1.2)))


# ---------------------------------------------------------------------------------------------
# Buttons with a glyph: normal (the glyph alone) and hot (on a surface).


def title_glyphs():
    def skin(col):
        # A half-filled circle: the look can change.
        return [circle(14, 14, 7.5, stroke=col, width=1.6),
                '<path d="M14,6.5 A7.5,7.5 0 0 0 14,21.5 Z" fill="%s"/>' % col]

    def gear(col):
        teeth = []
        for i in range(8):
            a = math.radians(i * 45)
            teeth.append(polyline([(14 + 6 * math.cos(a), 14 + 6 * math.sin(a)),
                                   (14 + 9 * math.cos(a), 14 + 9 * math.sin(a))], col, 2.6))
        return teeth + [circle(14, 14, 6, stroke=col, width=2.0),
                        circle(14, 14, 2.2, stroke=col, width=1.6)]

    def minimise(col):
        return [polyline([(8, 15), (20, 15)], col, 1.8)]

    def close(col):
        return [polyline([(9, 9), (19, 19)], col, 1.8), polyline([(19, 9), (9, 19)], col, 1.8)]

    return {"skin": skin, "set": gear, "min": minimise, "close": close}


def title_buttons(out):
    for name, glyph in title_glyphs().items():
        out("common/title/%s_normal.svg" % name, document(28, 28, glyph(TEXT_2)))
        hot = [rect(0, 0, 28, 28, 6, fill=DANGER if name == "close" else SURFACE_2)]
        hot += glyph(WHITE if name == "close" else TEXT)
        out("common/title/%s_hot.svg" % name, document(28, 28, hot))


def profile_glyphs():
    def tray(col):
        return polyline([(5, 14), (5, 19), (19, 19), (19, 14)], col, 1.6)

    return {
        "add": lambda col: [polyline([(12, 6), (12, 18)], col, 1.8),
                            polyline([(6, 12), (18, 12)], col, 1.8)],
        "sub": lambda col: [polyline([(6, 12), (18, 12)], col, 1.8)],
        "copy": lambda col: [rect(5, 8, 15, 19, 2, stroke=col, width=1.5),
                             polyline([(9, 5), (19, 5), (19, 15)], col, 1.5)],
        "import": lambda col: [tray(col), polyline([(12, 4), (12, 14)], col, 1.6),
                               polyline([(8, 10), (12, 14), (16, 10)], col, 1.6)],
        "export": lambda col: [tray(col), polyline([(12, 14), (12, 4)], col, 1.6),
                               polyline([(8, 8), (12, 4), (16, 8)], col, 1.6)],
        "reset": lambda col: [arc(12, 12, 6.5, 120, 380, col, 1.6),
                              polyline([(5, 5), (5.5, 9.5), (10, 9)], col, 1.6)],
        "save": lambda col: [polyline([(6, 12.5), (10.5, 17), (18, 7)], col, 1.9)],
        "spread": lambda col: [circle(x, 12, 1.6, fill=col) for x in (7, 12, 17)],
    }


def profile_buttons(out):
    for name, glyph in profile_glyphs().items():
        out("profile/%s_normal.svg" % name, document(24, 24, glyph(TEXT_2)))
        hot = [rect(0, 0, 24, 24, 5, fill=SURFACE_2)] + glyph(ACCENT)
        out("profile/%s_hot.svg" % name, document(24, 24, hot))


# ---------------------------------------------------------------------------------------------
# LEDs and key caps. A glow is white: the renderer keeps its shape and paints it in the LED's
# colour and intensity.


def glow(w, h, r, strength):
    """A soft white shape: full in the middle, fading towards the edge (no filters, so every
    SVG viewer and the renderer show the same)."""
    defs = ('    <radialGradient id="glow" cx="0.5" cy="0.5" r="0.5">\n'
            '      <stop offset="0" stop-color="#FFFFFF" stop-opacity="%s"/>\n'
            '      <stop offset="0.7" stop-color="#FFFFFF" stop-opacity="%s"/>\n'
            '      <stop offset="1" stop-color="#FFFFFF" stop-opacity="%s"/>\n'
            '    </radialGradient>\n' % (num(strength), num(strength * 0.8), num(strength * 0.3)))
    inset = min(w, h) * 0.12
    return document(w, h, [rect(inset, inset, w - inset, h - inset, r, fill="url(#glow)")], defs)


def led_pictures(out, w, h):
    r = min(w, h) / 2.0
    out("common/led/led_%dx%d_base.svg" % (w, h),
        document(w, h, [rect(0, 0, w, h, r, fill=LED_DARK),
                        rect(0, 0, w, h, r, stroke=LINE, width=1)]))
    out("common/led/led_%dx%d_glow.svg" % (w, h), glow(w, h, r * 0.8, 1.0))


def key_sizes():
    sizes = {}
    for key in keyboard_layout.KEYS:
        left, top, right, bottom = key.rect()
        sizes[key.size_name()] = (right - left, bottom - top)
    return sorted(sizes.items())


def cap(w, h, fill, fill_opacity, border, border_width):
    return document(w, h, [rect(0, 0, w, h, 4, fill=fill, fill_opacity=fill_opacity),
                           rect(0, 0, w, h, 4, stroke=border, width=border_width)])


def key_pictures(out):
    for name, (w, h) in key_sizes():
        def save(state, text):
            out("keyboard/keys/%s_%s.svg" % (state, name), text)

        # The LED under the key: dark when unlit; the glow fills the cap in the LED colour.
        save("led_base", document(w, h, [rect(0, 0, w, h, 4, fill=LED_DARK)]))
        save("led_glow", glow(w, h, 4, 0.85))
        # The cap above it: smoked glass, so the LED shows through.
        save("cap_normal", cap(w, h, SURFACE, 0.55, LINE, 1))
        save("cap_hot", cap(w, h, SURFACE_2, 0.45, ACCENT, 1))
        save("cap_pushed", cap(w, h, ACCENT_2, 0.35, ACCENT_2, 2))
        save("cap_selected", cap(w, h, ACCENT, 0.25, ACCENT, 2))
        # Key-set mark: a small accent corner, the rest transparent.
        save("keyset", document(w, h, [polygon([(w - 9, 1), (w - 1, 1), (w - 1, 9)], ACCENT)]))


# LED picture sizes of the mouse, pad and headset pages (see their page descriptions).
LED_SIZES = [(12, 12), (40, 8), (8, 40), (16, 16), (14, 14)]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    skin = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "skin")
    written = []

    def out(relative, text):
        path = os.path.join(skin, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write(text)
        written.append(relative)

    device_icons(out)
    title_buttons(out)
    profile_buttons(out)
    key_pictures(out)
    for w, h in LED_SIZES:
        led_pictures(out, w, h)
    print("%d pictures written to %s" % (len(written), os.path.normpath(skin)))


if __name__ == "__main__":
    main()
