#!/usr/bin/env python3
"""Draws the program's artwork: app/Logo.png and app/Ostrafel.ico.

Standard library only. Every shape is a signed distance function in a 256 x 256
design space; each image is rendered straight at its own size, so the small
icons are drawn sharp rather than shrunk from the large one. A pixel's coverage
comes from its distance to the shape's edge, which gives the anti-aliasing.

Usage: make-art.py [OUTPUT_DIR]   (default: the app folder beside this script)
"""
import math
import os
import struct
import sys
import zlib

DESIGN = 256.0
ICON_SIZES = (16, 20, 24, 32, 48, 64, 72, 96, 128, 256)
LOGO_SIZE = 256
SMALLEST_ICON_WITH_TEXT = 48


# --- shapes: signed distance in design units, negative inside ----------------

def segment(ax, ay, bx, by, width):
    """A stroke with round caps from (ax, ay) to (bx, by)."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def sdf(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - width / 2
    return sdf


def arc(cx, cy, radius, start_deg, sweep_deg, width):
    """A stroke along a circle, counter-clockwise as seen on screen, round caps."""
    start = math.radians(start_deg)
    sweep = math.radians(sweep_deg)
    ends = [(cx + radius * math.cos(a), cy - radius * math.sin(a))
            for a in (start, start + sweep)]

    def sdf(x, y):
        angle = (math.atan2(cy - y, x - cx) - start) % (2 * math.pi)
        if angle <= sweep:
            d = abs(math.hypot(x - cx, y - cy) - radius)
        else:
            d = min(math.hypot(x - ex, y - ey) for ex, ey in ends)
        return d - width / 2
    return sdf


def drop(cx, cy, radius, tip_y, tip_radius):
    """A water drop: the hull of a circle and a small tip circle straight above it."""
    h = cy - tip_y
    b = (radius - tip_radius) / h
    a = math.sqrt(1.0 - b * b)

    def sdf(x, y):
        px, py = abs(x - cx), cy - y
        k = -b * px + a * py
        if k < 0.0:
            return math.hypot(px, py) - radius
        if k > a * h:
            return math.hypot(px, py - h) - tip_radius
        return a * px + b * py - radius
    return sdf


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def offset(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)


# --- the letters G, P, M as strokes in a box of cap height 1 -----------------

STROKE = 0.21
LETTER_GAP = 0.13


def letter_g(w):
    r = 0.5 - w / 2
    c = 0.5
    return 1.0, [arc(c, c, r, 42, 318, w), segment(c + r, c, c + 0.06, c, w)]


def letter_p(w):
    top, bowl_bottom = w / 2, 0.56
    rb = (bowl_bottom - top) / 2
    xb = 0.36
    strokes = [segment(w / 2, top, w / 2, 1 - w / 2, w),
               segment(w / 2, top, xb, top, w),
               arc(xb, top + rb, rb, -90, 180, w),
               segment(xb, bowl_bottom, w / 2, bowl_bottom, w)]
    return xb + rb + w / 2, strokes


def letter_m(w):
    width = 0.98
    left, right, top, bottom = w / 2, width - w / 2, w / 2, 1 - w / 2
    middle = (width / 2, 0.74)
    return width, [segment(left, bottom, left, top, w),
                   segment(left, top, *middle, w),
                   segment(*middle, right, top, w),
                   segment(right, top, right, bottom, w)]


def text_gpm(center_x, baseline, cap_height):
    """The word GPM, centred on center_x, in design units."""
    glyphs = [letter(STROKE) for letter in (letter_g, letter_p, letter_m)]
    total = sum(width for width, _ in glyphs) + LETTER_GAP * (len(glyphs) - 1)
    x = center_x - total * cap_height / 2
    top = baseline - cap_height
    shapes = []
    for width, strokes in glyphs:
        for stroke in strokes:
            shapes.append(scaled(stroke, x, top, cap_height))
        x += (width + LETTER_GAP) * cap_height
    return union(*shapes)


def scaled(shape, x0, y0, scale):
    return lambda x, y: shape((x - x0) / scale, (y - y0) / scale) * scale


# --- paints: colour and opacity at a point -----------------------------------

def hex_rgb(text):
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def solid(rgb, alpha=1.0):
    colour = hex_rgb(rgb)
    return lambda x, y: (colour, alpha)


def vertical_gradient(y0, rgb0, y1, rgb1):
    c0, c1 = hex_rgb(rgb0), hex_rgb(rgb1)

    def paint(x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(c0, c1)), 1.0
    return paint


# --- rendering -----------------------------------------------------------------

class Canvas:
    """Premultiplied RGBA floats, composited front to back with 'over'."""

    def __init__(self, size):
        self.size = size
        self.scale = DESIGN / size  # design units per pixel
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def fill(self, shape, paint, blur=0.0):
        """Paints the shape; blur widens the soft edge (in pixels) for shadows."""
        soft = 1.0 + blur
        for row in range(self.size):
            y = (row + 0.5) * self.scale
            for col in range(self.size):
                x = (col + 0.5) * self.scale
                d = shape(x, y) / self.scale  # in pixels
                coverage = max(0.0, min(1.0, 0.5 - d / soft))
                if coverage <= 0.0:
                    continue
                rgb, alpha = paint(x, y)
                a = alpha * coverage
                px = self.pixels[row * self.size + col]
                keep = 1.0 - a
                for i in range(3):
                    px[i] = rgb[i] * a + px[i] * keep
                px[3] = a + px[3] * keep

    def rgba_rows(self):
        """Straight (not premultiplied) 8-bit RGBA, top row first."""
        rows = []
        for row in range(self.size):
            out = bytearray()
            for px in self.pixels[row * self.size:(row + 1) * self.size]:
                a = px[3]
                rgb = [c / a if a > 0 else 0.0 for c in px[:3]]
                out += bytes(to_byte(c) for c in rgb + [a])
            rows.append(bytes(out))
        return rows


def to_byte(value):
    return max(0, min(255, int(round(value * 255.0))))


# --- the artwork ---------------------------------------------------------------

DROP = drop(128.0, 158.0, 88.0, 10.0, 3.0)
DROP_INNER = drop(128.0, 158.0, 80.0, 22.0, 2.0)


def draw(size, with_text):
    canvas = Canvas(size)
    # Soft shadow under the drop so it stands off light and dark backgrounds alike.
    canvas.fill(offset(DROP, 0, 4), solid("0A2A5C", 0.35), blur=6.0 * size / DESIGN)
    canvas.fill(DROP, vertical_gradient(20, "0B3D91", 246, "062A66"))
    canvas.fill(DROP_INNER, vertical_gradient(30, "5CC8FF", 236, "1565D8"))
    # Light falling on the upper left of the drop.
    highlight_width = 14.0 if size >= 32 else 22.0
    canvas.fill(arc(128.0, 158.0, 62.0, 128, 52, highlight_width), solid("FFFFFF", 0.55))
    if with_text:
        text = text_gpm(128.0, 196.0, 54.0)
        canvas.fill(offset(text, 0, 3), solid("05214F", 0.45), blur=2.0 * size / DESIGN)
        canvas.fill(text, solid("FFFFFF"))
    else:
        # A wave in place of the word, which would not be legible this small.
        canvas.fill(wave(), solid("FFFFFF", 0.9))
    return canvas


def wave():
    """One period of a sine across the lower drop, as a chain of short strokes."""
    left, right, middle, amplitude, steps = 78.0, 178.0, 186.0, 12.0, 24
    points = [(left + (right - left) * i / steps,
               middle - amplitude * math.sin(2 * math.pi * i / steps)) for i in range(steps + 1)]
    return union(*(segment(*a, *b, 18.0) for a, b in zip(points, points[1:])))


# --- file formats --------------------------------------------------------------

def png_bytes(canvas):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    raw = b"".join(b"\x00" + row for row in canvas.rgba_rows())
    header = struct.pack(">IIBBBBB", canvas.size, canvas.size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def dib_bytes(canvas):
    """A 32 bpp icon image: header, BGRA rows bottom-up, then the 1 bpp AND mask."""
    size = canvas.size
    rows = canvas.rgba_rows()
    colour = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for col in range(size):
            r, g, b, a = row[col * 4:col * 4 + 4]
            colour += bytes((b, g, r, a))
            if a == 0:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + bytes(mask)


def ico_bytes(images):
    """images: (size, data) pairs; 256 is stored as 0 in the directory."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    data_offset = 6 + 16 * len(images)
    blobs = b""
    for size, data in images:
        side = size % 256
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data),
                                 data_offset + len(blobs))
        blobs += data
    return directory + blobs


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "app")
    with open(os.path.join(out_dir, "Logo.png"), "wb") as f:
        f.write(png_bytes(draw(LOGO_SIZE, with_text=True)))
    images = []
    for size in ICON_SIZES:
        canvas = draw(size, with_text=size >= SMALLEST_ICON_WITH_TEXT)
        # The largest image is stored PNG-compressed, as Windows expects at 256.
        images.append((size, png_bytes(canvas) if size == 256 else dib_bytes(canvas)))
    with open(os.path.join(out_dir, "Ostrafel.ico"), "wb") as f:
        f.write(ico_bytes(images))


if __name__ == "__main__":
    main()
