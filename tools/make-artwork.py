#!/usr/bin/python3
"""Generates every picture of TarvoDJ from code: no piece of artwork is drawn by hand.

    /usr/bin/python3 tools/make-artwork.py            # write all pictures into the tree
    /usr/bin/python3 tools/make-artwork.py --check    # regenerate into a temp dir, compare byte for byte
    /usr/bin/python3 tools/make-artwork.py --preview out/artwork   # enlarged previews for review

Needs Debian's python3-pil (tools/install-deps installs it). The output is deterministic: the
same bytes on every run with the same Pillow, zlib and libjpeg (all noise comes from a seeded
generator, nothing reads the clock).

Outputs (paths relative to the repository root):

framework/art/caption_strip.png     925 x 20, RGBA. Caption buttons: 30 tiles (26 of 28 px, 4 of 42 px)
                                    between 29 separator columns of (127, 0, 127), opaque, full height.
                                    Groups of tiles: 1-5 skin button, 6-10 pin button (normal, hover,
                                    pressed, disabled, outline), 11-14 menu, 15-18 minimise,
                                    19-22 maximise, 23-26 restore, 27-30 close (normal, hover, pressed,
                                    disabled). White glyphs on transparency; hover lies on a light
                                    translucent highlight, pressed on a dark translucent ground; the
                                    close button turns red on hover and dark red when pressed.
framework/art/close_box_strip.png   44 x 14, RGBA. Tab close box: 1 white cross with a light-blue
                                    translucent outline, 2 white cross on a red disc, 3 pale pink
                                    cross on the red disc; separators (127, 0, 127).
framework/art/check_box_strip.png   131 x 16, RGBA. Check box: tiles 1-4 unchecked normal, hover,
                                    pressed, disabled (15 px wide); 5-8 checked in the same order
                                    (16 px wide: the tick reaches out of the box); separators
                                    0xFF00FF.
framework/art/radio_strip.png       74 x 14, RGBA. Radio button, five 14 x 14 tiles: normal, hover,
                                    selected, selected hover, disabled; separators (127, 0, 127).
app/art/skin_background.jpg         852 x 848 JPEG: the main window's skin, a dark night-blue design
                                    with light ribbons, a faint record and a speaker-mesh grain.
app/art/app_icon_129.ico            icon resource 129: a vinyl record with a cyan-to-magenta label,
                                    16, 24, 32, 48 px (32-bit) and 256 px (PNG).
app/art/default_icon.ico            icon resource "DEFAULT_ICON": the same record in silver, 16, 32 px.
app/art/window_icon.ico             the start window's icon in the form data: exactly one 32 x 32
                                    32-bit image, 4286 bytes (6 + 16 + 40 + 4096 + 128).
app/res/00069[36x32x8BPP].png       caption icon read at run time: 36 x 32, 8-bit palette PNG with
                                    transparency (record with a music note).
"""

import argparse
import io
import math
import os
import random
import struct
import sys
import tempfile

from PIL import Image, ImageChops, ImageDraw, ImageFilter

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

SS = 8  # supersampling factor for anti-aliased shapes

CAPTION_KEY = (127, 0, 127, 255)
CHECK_KEY = (255, 0, 255, 255)

CYAN = (34, 211, 238)
VIOLET = (139, 92, 246)
MAGENTA = (217, 70, 239)
RED = (214, 38, 44)
DARK_RED = (138, 14, 22)


# ---------------------------------------------------------------------------------------------
# Drawing helpers

def mask_from(w, h, paint):
    """Draws paint(draw, s) on a supersampled 8-bit mask and returns it at w x h, anti-aliased."""
    big = Image.new("L", (w * SS, h * SS), 0)
    paint(ImageDraw.Draw(big), SS)
    return big.resize((w, h), Image.Resampling.BOX)


def solid(w, h, rgb, mask, opacity=1.0):
    layer = Image.new("RGBA", (w, h), tuple(rgb) + (0,))
    if opacity != 1.0:
        mask = mask.point(lambda v: int(v * opacity + 0.5))
    layer.putalpha(mask)
    return layer


def over(base, layer):
    return Image.alpha_composite(base, layer)


def shifted(mask, dx, dy):
    out = Image.new("L", mask.size, 0)
    out.paste(mask, (dx, dy))
    return out


def outline_of(mask):
    """The one-pixel ring just outside a glyph mask."""
    return ImageChops.subtract(mask.filter(ImageFilter.MaxFilter(3)), mask)


def vertical_gradient(w, h, top, bottom):
    """RGBA gradient from top to bottom colour (4-tuples)."""
    col = Image.new("RGBA", (1, h))
    for y in range(h):
        t = y / max(1, h - 1)
        col.putpixel((0, y), tuple(int(a + (b - a) * t + 0.5) for a, b in zip(top, bottom)))
    return col.resize((w, h), Image.Resampling.NEAREST)


def rounded(w, h, box, radius, fill_rgba_top, fill_rgba_bottom=None):
    """A rounded rectangle (box in pixels, floats allowed) filled with a vertical gradient."""
    m = mask_from(w, h, lambda d, s: d.rounded_rectangle(
        [box[0] * s, box[1] * s, box[2] * s - 1, box[3] * s - 1], radius=radius * s, fill=255))
    grad = vertical_gradient(w, h, fill_rgba_top, fill_rgba_bottom or fill_rgba_top)
    alpha = ImageChops.multiply(grad.getchannel("A"), m)
    grad.putalpha(alpha)
    return grad


def separated_strip(tiles, key, height):
    """Joins tiles left to right with one separator column of the key colour between them."""
    width = sum(t.width for t in tiles) + len(tiles) - 1
    strip = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    x = 0
    for i, tile in enumerate(tiles):
        strip.paste(tile, (x, 0))
        x += tile.width
        if i + 1 < len(tiles):
            for y in range(height):
                strip.putpixel((x, y), key)
            x += 1
    return strip


def png_bytes(image, **options):
    buf = io.BytesIO()
    image.save(buf, "PNG", optimize=True, **options)
    return buf.getvalue()


def line_poly(x0, y0, x1, y1, width):
    """The polygon of a straight stroke of the given width (pixel units)."""
    dx, dy = x1 - x0, y1 - y0
    n = math.hypot(dx, dy)
    ox, oy = -dy / n * width / 2, dx / n * width / 2
    return [(x0 + ox, y0 + oy), (x1 + ox, y1 + oy), (x1 - ox, y1 - oy), (x0 - ox, y0 - oy)]


def scaled(points, s):
    return [(x * s, y * s) for x, y in points]


# ---------------------------------------------------------------------------------------------
# Caption strip

def glyph_skin(d, s, w):  # a T-shirt: the usual sign of "change skin"
    cx = w / 2
    pts = [(cx - 2, 5), (cx - 6, 7), (cx - 7.5, 10), (cx - 5, 11), (cx - 5, 15.5), (cx + 5, 15.5),
           (cx + 5, 11), (cx + 7.5, 10), (cx + 6, 7), (cx + 2, 5), (cx, 7)]
    d.polygon(scaled(pts, s), fill=255)


def glyph_pin(d, s, w):  # a push pin, slightly tilted
    cx = w / 2
    pts = [(cx - 3, 4), (cx + 3, 4), (cx + 2, 5), (cx + 2, 9), (cx + 4.5, 11.5), (cx - 4.5, 11.5),
           (cx - 2, 9), (cx - 2, 5)]
    d.polygon(scaled(pts, s), fill=255)
    d.rectangle([(cx - 0.5) * s, 11.5 * s, (cx + 0.5) * s - 1, 16 * s - 1], fill=255)


def glyph_menu(d, s, w):  # a small downward triangle over a bar
    cx = w / 2
    d.polygon(scaled([(cx - 4, 7), (cx + 4, 7), (cx, 11)], s), fill=255)
    d.rectangle([(cx - 4) * s, 13 * s, (cx + 4) * s - 1, 14 * s - 1], fill=255)


def glyph_minimise(d, s, w):  # a short bar near the bottom
    cx = int(w / 2)
    d.rectangle([(cx - 5) * s, 13 * s, (cx + 5) * s - 1, 15 * s - 1], fill=255)


def frame_rect(d, s, x0, y0, x1, y1, top=2):
    d.rectangle([x0 * s, y0 * s, x1 * s - 1, y1 * s - 1], fill=255)
    d.rectangle([(x0 + 1) * s, (y0 + top) * s, (x1 - 1) * s - 1, (y1 - 1) * s - 1], fill=0)


def glyph_maximise(d, s, w):  # a square with a heavier top edge
    cx = int(w / 2)
    frame_rect(d, s, cx - 5, 5, cx + 5, 15)


def glyph_restore(d, s, w):  # two overlapping squares
    cx = int(w / 2)
    frame_rect(d, s, cx - 2, 4, cx + 6, 12)
    d.rectangle([(cx - 6) * s, 7 * s, (cx + 3) * s - 1, 16 * s - 1], fill=0)
    frame_rect(d, s, cx - 5, 8, cx + 3, 16)


def glyph_close(d, s, w):  # a cross
    cx, cy, r = w / 2, 10.5, 4.6
    d.polygon(scaled(line_poly(cx - r, cy - r, cx + r, cy + r, 1.8), s), fill=255)
    d.polygon(scaled(line_poly(cx + r, cy - r, cx - r, cy + r, 1.8), s), fill=255)


HOVER_GROUND = ((255, 255, 255, 70), (255, 255, 255, 34))
PRESSED_GROUND = ((0, 0, 0, 120), (0, 0, 0, 80))


def caption_tile(width, glyph, state, close=False):
    h = 20
    tile = Image.new("RGBA", (width, h), (0, 0, 0, 0))
    box = (1, 1, width - 1, h)
    if state == "hover":
        top, bottom = ((232, 60, 62, 255), (196, 28, 36, 255)) if close else HOVER_GROUND
        tile = over(tile, rounded(width, h, box, 3, top, bottom))
        # a thin light rim on the upper edge gives the ground some glass
        tile = over(tile, rounded(width, h, (1, 1, width - 1, 2), 1,
                                  (255, 255, 255, 60 if close else 40)))
    elif state == "pressed":
        top, bottom = (DARK_RED + (255,), (112, 10, 18, 255)) if close else PRESSED_GROUND
        tile = over(tile, rounded(width, h, box, 3, top, bottom))
    mask = mask_from(width, h, lambda d, s: glyph(d, s, width))
    if state == "outline":
        mask = outline_of(mask)
    if state in ("normal", "hover", "pressed", "outline"):
        tile = over(tile, solid(width, h, (0, 0, 0), shifted(mask, 0, 1), 0.30))
    opacity = {"disabled": 0.38, "pressed": 0.88}.get(state, 1.0)
    return over(tile, solid(width, h, (255, 255, 255), mask, opacity))


def caption_strip():
    five = ("normal", "hover", "pressed", "disabled", "outline")
    four = five[:4]
    tiles = []
    for glyph in (glyph_skin, glyph_pin):
        tiles += [caption_tile(28, glyph, st) for st in five]
    for glyph in (glyph_menu, glyph_minimise, glyph_maximise, glyph_restore):
        tiles += [caption_tile(28, glyph, st) for st in four]
    tiles += [caption_tile(42, glyph_close, st, close=True) for st in four]
    strip = separated_strip(tiles, CAPTION_KEY, 20)
    assert strip.size == (925, 20) and len(tiles) == 30
    return png_bytes(strip)


# ---------------------------------------------------------------------------------------------
# Close box of the tab strip

def close_box_tile(state):
    n = 14

    def cross(d, s):
        c, r = 7, 3.2
        d.polygon(scaled(line_poly(c - r, c - r, c + r, c + r, 1.7), s), fill=255)
        d.polygon(scaled(line_poly(c + r, c - r, c - r, c + r, 1.7), s), fill=255)

    mask = mask_from(n, n, cross)
    tile = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    if state == "normal":
        ring = mask.filter(ImageFilter.MaxFilter(3))
        tile = over(tile, solid(n, n, (150, 205, 255), ring, 0.55))
        return over(tile, solid(n, n, (255, 255, 255), mask))
    disc = mask_from(n, n, lambda d, s: d.ellipse([0.5 * s, 0.5 * s, 13.5 * s - 1, 13.5 * s - 1], fill=255))
    grad = vertical_gradient(n, n, (236, 72, 72, 255), (190, 26, 34, 255))
    grad.putalpha(disc)
    tile = over(tile, grad)
    colour = (255, 255, 255) if state == "hover" else (255, 196, 204)
    return over(tile, solid(n, n, colour, mask))


def close_box_strip():
    strip = separated_strip([close_box_tile(s) for s in ("normal", "hover", "pressed")], CAPTION_KEY, 14)
    assert strip.size == (44, 14)
    return png_bytes(strip)


# ---------------------------------------------------------------------------------------------
# Check box and radio button

BOX_STATES = {
    # border, fill top, fill bottom
    "normal": ((128, 138, 156, 255), (255, 255, 255, 255), (226, 231, 239, 255)),
    "hover": ((46, 140, 255, 255), (255, 255, 255, 255), (220, 234, 255, 255)),
    "pressed": ((26, 104, 214, 255), (200, 220, 250, 255), (178, 204, 244, 255)),
    "disabled": ((182, 186, 194, 255), (240, 241, 243, 255), (232, 233, 236, 255)),
}
CHECKED_STATES = {
    "normal": ((24, 110, 230, 255), (70, 160, 255, 255), (30, 118, 236, 255)),
    "hover": ((30, 126, 250, 255), (104, 182, 255, 255), (48, 140, 252, 255)),
    "pressed": ((14, 80, 180, 255), (30, 110, 220, 255), (18, 88, 196, 255)),
    "disabled": ((170, 178, 192, 255), (196, 202, 212, 255), (180, 186, 198, 255)),
}


def check_box_tile(state, checked):
    w, h = (16 if checked else 15), 16
    border, top, bottom = (CHECKED_STATES if checked else BOX_STATES)[state]
    tile = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    tile = over(tile, rounded(w, h, (0, 1, 14, 15), 3, border))
    tile = over(tile, rounded(w, h, (1, 2, 13, 14), 2, top, bottom))
    if not checked:
        return tile

    def tick(d, s):
        d.line(scaled([(3.2, 8.2), (6.2, 11.2), (14.6, 1.8)], s), fill=255, width=int(2.1 * s), joint="curve")
    mask = mask_from(w, h, tick)
    tile = over(tile, solid(w, h, (0, 40, 110), shifted(mask, 0, 1), 0.25 if state != "disabled" else 0))
    return over(tile, solid(w, h, (255, 255, 255), mask, 0.85 if state == "disabled" else 1.0))


def check_box_strip():
    tiles = [check_box_tile(s, False) for s in BOX_STATES] + [check_box_tile(s, True) for s in BOX_STATES]
    strip = separated_strip(tiles, CHECK_KEY, 16)
    assert strip.size == (131, 16)
    return png_bytes(strip)


def radio_tile(state, selected):
    n = 14
    look = {"selected": "normal", "selected hover": "hover"}.get(state, state)
    border, top, bottom = BOX_STATES[look]
    if selected:
        border = CHECKED_STATES[look][0]
    tile = Image.new("RGBA", (n, n), (0, 0, 0, 0))

    def disc(inset):
        return mask_from(n, n, lambda d, s: d.ellipse(
            [(0.5 + inset) * s, (0.5 + inset) * s, (13.5 - inset) * s - 1, (13.5 - inset) * s - 1], fill=255))

    ring = vertical_gradient(n, n, border, border)
    ring.putalpha(disc(0))
    tile = over(tile, ring)
    face = vertical_gradient(n, n, top, bottom)
    face.putalpha(disc(1))
    tile = over(tile, face)
    if selected:
        dot = vertical_gradient(n, n, (80, 168, 255, 255), (20, 108, 228, 255))
        if state == "disabled":
            dot = vertical_gradient(n, n, (170, 176, 188, 255), (150, 156, 170, 255))
        dot.putalpha(disc(3.6))
        tile = over(tile, dot)
        tile = over(tile, solid(n, n, (255, 255, 255), mask_from(n, n, lambda d, s: d.ellipse(
            [5.3 * s, 4.6 * s, 7.6 * s, 6.4 * s], fill=255)), 0.55))
    return tile


def radio_strip():
    tiles = [radio_tile("normal", False), radio_tile("hover", False), radio_tile("selected", True),
             radio_tile("selected hover", True), radio_tile("disabled", False)]
    strip = separated_strip(tiles, CAPTION_KEY, 14)
    assert strip.size == (74, 14)
    return png_bytes(strip)


# ---------------------------------------------------------------------------------------------
# Skin background

SKIN_W, SKIN_H = 852, 848


def radial_glow(w, h, cx, cy, radius, rgb, strength):
    """A soft round light: alpha falls off smoothly from the centre."""
    small = 4
    sw, sh = w // small, h // small
    m = Image.new("L", (sw, sh), 0)
    px = m.load()
    for y in range(sh):
        for x in range(sw):
            d = math.hypot(x * small - cx, y * small - cy) / radius
            if d < 1:
                px[x, y] = int(255 * strength * (1 - d) ** 2.2)
    m = m.resize((w, h), Image.Resampling.BICUBIC)
    return solid(w, h, rgb, m)


def ribbon_layer(w, h, rnd, y_centre, amplitude, count, colours, spread, width_px):
    layer = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    for i in range(count):
        t = i / max(1, count - 1)
        colour = tuple(int(a + (b - a) * t) for a, b in zip(colours[0], colours[1]))
        phase = rnd.uniform(0, math.tau)
        f1, f2 = rnd.uniform(0.006, 0.009), rnd.uniform(0.013, 0.02)
        offset = (t - 0.5) * spread
        pts = []
        for x in range(-20, w + 21, 3):
            y = (y_centre + offset + amplitude * math.sin(x * f1 + phase + t * 1.3)
                 + amplitude * 0.35 * math.sin(x * f2 + phase * 2))
            pts.append((x * 2, y * 2))
        big = Image.new("L", (w * 2, h * 2), 0)
        ImageDraw.Draw(big).line(pts, fill=255, width=width_px * 2)
        m = big.resize((w, h), Image.Resampling.BOX)
        glow = m.filter(ImageFilter.GaussianBlur(6))
        layer = over(layer, solid(w, h, colour, glow, 0.55))
        layer = over(layer, solid(w, h, colour, m, 0.32 + 0.25 * (1 - abs(t - 0.5) * 2)))
    return layer


def skin_background():
    w, h = SKIN_W, SKIN_H
    rnd = random.Random(20260101)

    # night-blue ground, lighter at the top left, almost black at the bottom right
    ground = Image.new("RGB", (w, h))
    gp = ground.load()
    for y in range(h):
        for x in range(w):
            t = min(1.0, (x * 0.35 + y) / (w * 0.35 + h))
            gp[x, y] = (int(22 - 14 * t), int(26 - 17 * t), int(44 - 30 * t))
    img = ground.convert("RGBA")

    img = over(img, radial_glow(w, h, 140, -60, 460, CYAN, 0.30))
    img = over(img, radial_glow(w, h, 700, 330, 430, VIOLET, 0.26))
    img = over(img, radial_glow(w, h, 210, 690, 360, MAGENTA, 0.16))

    # a large record in the lower right: a dark disc with fine grooves and a soft sheen
    cx, cy, rr = 640, 560, 330
    disc = Image.new("L", (w, h), 0)
    ImageDraw.Draw(disc).ellipse([cx - rr, cy - rr, cx + rr, cy + rr], fill=255)
    disc = disc.filter(ImageFilter.GaussianBlur(1))
    img = over(img, solid(w, h, (6, 7, 12), disc, 0.72))
    grooves = Image.new("L", (w, h), 0)
    gd = ImageDraw.Draw(grooves)
    for r in range(rr - 8, 96, -3):
        gd.ellipse([cx - r, cy - r, cx + r, cy + r], outline=26 + (r * 7 % 11) * 3)
    gd.ellipse([cx - rr, cy - rr, cx + rr, cy + rr], outline=90)
    img = over(img, solid(w, h, (150, 165, 220), grooves))
    sheen = Image.new("L", (w, h), 0)
    sd = ImageDraw.Draw(sheen)
    box = [cx - rr, cy - rr, cx + rr, cy + rr]
    sd.pieslice(box, 205, 235, fill=26)
    sd.pieslice(box, 25, 55, fill=26)
    sheen = ImageChops.multiply(sheen.filter(ImageFilter.GaussianBlur(10)), disc)
    img = over(img, solid(w, h, (210, 220, 255), sheen))
    label = Image.new("RGBA", (w, h))
    label_mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(label_mask).ellipse([cx - 92, cy - 92, cx + 92, cy + 92], fill=255)
    label_mask = label_mask.filter(ImageFilter.GaussianBlur(1))
    lp = label.load()
    for y in range(cy - 93, cy + 94):
        for x in range(cx - 93, cx + 94):
            t = max(0.0, min(1.0, ((x - cx) + (y - cy)) / 370 + 0.5))
            lp[x, y] = tuple(int(a + (b - a) * t) for a, b in zip(VIOLET, MAGENTA)) + (255,)
    label.putalpha(label_mask.point(lambda v: v * 40 // 100))
    img = over(img, label)
    hole = Image.new("L", (w, h), 0)
    ImageDraw.Draw(hole).ellipse([cx - 9, cy - 9, cx + 9, cy + 9], fill=200)
    img = over(img, solid(w, h, (4, 4, 8), hole.filter(ImageFilter.GaussianBlur(1))))
    img = over(img, radial_glow(w, h, cx, cy, 200, MAGENTA, 0.22))

    # bokeh lights
    bokeh = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    for _ in range(46):
        r = rnd.uniform(4, 26)
        x, y = rnd.uniform(0, w), rnd.uniform(0, h)
        colour = rnd.choice((CYAN, VIOLET, MAGENTA, (120, 170, 255)))
        m = Image.new("L", (w, h), 0)
        ImageDraw.Draw(m).ellipse([x - r, y - r, x + r, y + r], fill=int(rnd.uniform(14, 40)))
        bokeh = over(bokeh, solid(w, h, colour, m.filter(ImageFilter.GaussianBlur(r / 5 + 1))))
    img = over(img, bokeh)

    # light ribbons: one bundle through the caption band, one across the middle
    img = over(img, ribbon_layer(w, h, rnd, 50, 26, 6, (CYAN, VIOLET), 34, 1))
    img = over(img, ribbon_layer(w, h, rnd, 380, 70, 8, (VIOLET, MAGENTA), 90, 2))

    # speaker-mesh dots
    mesh = Image.new("L", (w, h), 0)
    md = ImageDraw.Draw(mesh)
    for y in range(1, h, 4):
        for x in range(1 + (y // 4 % 2) * 2, w, 4):
            md.point((x, y), fill=22)
    img = over(img, solid(w, h, (150, 170, 220), mesh))

    # glass sheen over the caption band, with a faint edge under it
    sheen_band = vertical_gradient(w, 25, (255, 255, 255, 26), (255, 255, 255, 6))
    band = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    band.paste(sheen_band, (0, 0))
    img = over(img, band)

    # fine grain so the gradients never band
    noise = Image.frombytes("L", (w, h), rnd.randbytes(w * h)).point(lambda v: 128 + (v - 128) * 4 // 128)
    rgb = img.convert("RGB")
    rgb = ImageChops.add(rgb, Image.merge("RGB", (noise, noise, noise)), 1.0, -128)

    buf = io.BytesIO()
    rgb.save(buf, "JPEG", quality=80, subsampling=0, optimize=True)
    return buf.getvalue()


# ---------------------------------------------------------------------------------------------
# Icons

def record_icon(n, label_colours=(CYAN, MAGENTA), disc=(24, 26, 34), grooves=True, note=False, width=None):
    """A vinyl record seen from above, drawn at n x n (or width x n, the record at the left)."""
    w = width or n
    img = Image.new("RGBA", (w, n), (0, 0, 0, 0))
    m = 0.5 if n <= 16 else n / 32
    r_out = n / 2 - m
    c = n / 2

    def circle(r, cx=c, cy=c):
        return lambda d, s: d.ellipse([(cx - r) * s, (cy - r) * s, (cx + r) * s - 1, (cy + r) * s - 1], fill=255)

    body = mask_from(w, n, circle(r_out))
    face = vertical_gradient(w, n, tuple(min(255, v + 22) for v in disc) + (255,), disc + (255,))
    face.putalpha(body)
    img = over(img, face)
    # rim
    img = over(img, solid(w, n, (120, 130, 160), ImageChops.subtract(body, mask_from(w, n, circle(r_out - 1))), 0.8))
    if grooves and n >= 24:
        def groove_rings(d, s):
            r = r_out - 2.2
            while r > r_out * 0.45:
                d.ellipse([(c - r) * s, (c - r) * s, (c + r) * s - 1, (c + r) * s - 1], outline=255, width=int(s * 0.5))
                r -= max(1.4, n / 22)
        img = over(img, solid(w, n, (150, 160, 200), ImageChops.multiply(mask_from(w, n, groove_rings), body), 0.22))
    # sheen wedges
    def wedges(d, s):
        box = [(c - r_out) * s, (c - r_out) * s, (c + r_out) * s - 1, (c + r_out) * s - 1]
        d.pieslice(box, 200, 245, fill=255)
        d.pieslice(box, 20, 65, fill=255)
    sheen = mask_from(w, n, wedges)
    if n > 48:
        sheen = ImageChops.multiply(sheen.filter(ImageFilter.GaussianBlur(n / 80)), body)
    img = over(img, solid(w, n, (255, 255, 255), sheen, 0.16 if n > 16 else 0.2))
    # label
    r_label = r_out * (0.42 if n > 16 else 0.5)
    label = Image.new("RGBA", (w, n))
    lp = label.load()
    for y in range(n):
        for x in range(w):
            t = max(0.0, min(1.0, ((x - c) + (y - c)) / (4 * r_label) + 0.5))
            lp[x, y] = tuple(int(a + (b - a) * t) for a, b in zip(*label_colours)) + (255,)
    label.putalpha(mask_from(w, n, circle(r_label)))
    img = over(img, label)
    hole = mask_from(w, n, circle(max(0.9, n / 22 if n <= 48 else n / 40)))
    img.putalpha(ImageChops.subtract(img.getchannel("A"), hole))
    if note:
        # a music note standing at the record's right edge
        def quaver(d, s):
            hx, hy = w - 8.5, n - 7.5
            d.ellipse([(hx - 3.6) * s, (hy - 2.6) * s, (hx + 3.6) * s, (hy + 2.6) * s], fill=255)
            d.rectangle([(hx + 2.2) * s, 5 * s, (hx + 3.6) * s, hy * s], fill=255)
            d.polygon(scaled([(hx + 2.2, 4), (hx + 6.2, 8), (hx + 6.2, 11), (hx + 3.6, 8.6)], s), fill=255)
        qm = mask_from(w, n, quaver)
        img = over(img, solid(w, n, (0, 0, 0), qm.filter(ImageFilter.MaxFilter(3)), 0.55))
        qg = vertical_gradient(w, n, (255, 255, 255, 255), (200, 236, 255, 255))
        qg.putalpha(qm)
        img = over(img, qg)
    return img


def bmp_icon_image(img):
    """One icon image in the classic layout: BITMAPINFOHEADER, BGRA rows bottom up, AND mask."""
    w, h = img.size
    mask_row = ((w + 31) // 32) * 4
    xor = bytearray()
    andmask = bytearray()
    px = img.load()
    for y in range(h - 1, -1, -1):
        bits = bytearray(mask_row)
        for x in range(w):
            r, g, b, a = px[x, y]
            xor += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        andmask += bits
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(andmask)


def ico_bytes(images):
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for img in images:
        w, h = img.size
        blob = png_bytes(img) if w >= 256 else bmp_icon_image(img)
        entries.append(struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def app_icon():
    return ico_bytes([record_icon(n) for n in (16, 24, 32, 48, 256)])


SILVER = ((214, 220, 232), (132, 142, 162))


def default_icon():
    return ico_bytes([record_icon(n, SILVER, disc=(52, 56, 66)) for n in (16, 32)])


def window_icon():
    data = ico_bytes([record_icon(32)])
    assert len(data) == 4286, len(data)
    return data


def caption_icon():
    img = record_icon(32, note=True, width=36)
    pal = img.quantize(colors=255, method=Image.Quantize.FASTOCTREE, dither=Image.Dither.NONE)
    return png_bytes(pal)


# ---------------------------------------------------------------------------------------------

OUTPUTS = [
    ("framework/art/caption_strip.png", caption_strip),
    ("framework/art/close_box_strip.png", close_box_strip),
    ("framework/art/check_box_strip.png", check_box_strip),
    ("framework/art/radio_strip.png", radio_strip),
    ("app/art/skin_background.jpg", skin_background),
    ("app/art/app_icon_129.ico", app_icon),
    ("app/art/default_icon.ico", default_icon),
    ("app/art/window_icon.ico", window_icon),
    ("app/res/00069[36x32x8BPP].png", caption_icon),
]


def write_all(root):
    for rel, build in OUTPUTS:
        path = os.path.join(root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(build())


def check():
    stale = []
    with tempfile.TemporaryDirectory() as tmp:
        write_all(tmp)
        for rel, _ in OUTPUTS:
            with open(os.path.join(tmp, rel), "rb") as f:
                fresh = f.read()
            try:
                with open(os.path.join(ROOT, rel), "rb") as f:
                    committed = f.read()
            except FileNotFoundError:
                committed = None
            if fresh != committed:
                stale.append(rel)
    for rel in stale:
        print(f"out of date: {rel} (run /usr/bin/python3 tools/make-artwork.py)", file=sys.stderr)
    if not stale:
        print(f"artwork up to date ({len(OUTPUTS)} files)")
    return 1 if stale else 0


def preview(dest, root=ROOT):
    """Enlarged views for review: strips at 8x on a checkerboard and on the dark skin colour."""
    os.makedirs(dest, exist_ok=True)
    for rel, _ in OUTPUTS:
        src = os.path.join(root, rel)
        name = os.path.splitext(os.path.basename(src))[0].replace("[", "_").replace("]", "_")
        if rel.endswith(".ico"):
            continue
        img = Image.open(src).convert("RGBA")
        if rel.endswith(".jpg"):
            img.save(os.path.join(dest, name + ".png"))
            continue
        zoom = max(2, min(8, 1200 // img.width))
        big = img.resize((img.width * zoom, img.height * zoom), Image.Resampling.NEAREST)
        for ground_name, ground in (("dark", None), ("light", (236, 236, 236, 255))):
            if ground is None:
                board = Image.new("RGBA", big.size, (20, 24, 40, 255))
            else:
                board = Image.new("RGBA", big.size, ground)
            board.alpha_composite(big)
            board.save(os.path.join(dest, f"{name}_{ground_name}.png"))
    for rel in ("app/art/app_icon_129.ico", "app/art/default_icon.ico", "app/art/window_icon.ico"):
        ico = Image.open(os.path.join(root, rel))
        sizes = sorted(ico.info.get("sizes", {ico.size}))
        sheet = Image.new("RGBA", (sum(s[0] + 8 for s in sizes) + 8, max(s[1] for s in sizes) + 16), (20, 24, 40, 255))
        x = 8
        for size in sizes:
            ico.size = size
            sheet.alpha_composite(ico.convert("RGBA"), (x, 8))
            x += size[0] + 8
        sheet.save(os.path.join(dest, os.path.splitext(os.path.basename(rel))[0] + ".png"))
    print(dest)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--check", action="store_true", help="compare the committed files with fresh output")
    parser.add_argument("--preview", metavar="DIR", help="write enlarged previews of the files in --out (default: the tree)")
    parser.add_argument("--out", metavar="DIR", default=ROOT, help="write into DIR instead of the tree")
    args = parser.parse_args()
    if args.check:
        return check()
    if args.preview:
        preview(args.preview, args.out)
        return 0
    write_all(args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
