#!/usr/bin/env python3
"""Draws the icon of Pressel2: a printed page with a folded corner and a round orange stamp with
a white "P" on it. Writes pressel2.ico (16, 32 and 48 pixels as bitmaps, 256 as PNG) for the
program and pressel2-SIZE.png for the Linux desktop, into the directory given (default: here).
Run it again after changing the picture; the build uses the committed files."""
import os
import struct
import sys
import zlib

SIZES = [16, 32, 48, 256]
SAMPLES = 4  # per pixel and axis, for smooth edges

PAGE = (0.16, 0.06, 0.76, 0.90)  # left, top, right, bottom
CORNER = 0.18
BORDER = 0.025
LINES = [(0.24, 0.54), (0.34, 0.62), (0.44, 0.58), (0.54, 0.46)]  # centre height, right end
STAMP = (0.70, 0.72, 0.25)  # centre x, centre y, radius
STAMP_EDGE = 0.03

WHITE = (255, 255, 255, 255)
INK = (46, 62, 110, 255)
OUTLINE = (70, 70, 78, 255)
FOLD = (205, 208, 216, 255)
ORANGE = (222, 78, 30, 255)


def in_rect(x, y, left, top, right, bottom):
    return left <= x <= right and top <= y <= bottom


def in_page(x, y):
    left, top, right, bottom = PAGE
    cut = (x - (right - CORNER)) > (y - top)
    return in_rect(x, y, left, top, right, bottom) and not cut


def in_fold(x, y):
    _, top, right, _ = PAGE
    return right - CORNER <= x and y <= top + CORNER and (x - (right - CORNER)) <= (y - top)


def in_letter_p(x, y):
    cx, cy, _ = STAMP
    stem = in_rect(x, y, cx - 0.085, cy - 0.135, cx - 0.035, cy + 0.13)
    bowl_x, bowl_y = cx, cy - 0.045
    distance = ((x - bowl_x) ** 2 + (y - bowl_y) ** 2) ** 0.5
    ring = 0.04 <= distance <= 0.09 and x >= bowl_x
    bars = (in_rect(x, y, cx - 0.06, cy - 0.135, bowl_x, cy - 0.085) or
            in_rect(x, y, cx - 0.06, cy - 0.005, bowl_x, cy + 0.045))
    return stem or ring or bars


def colour_at(x, y):
    """The picture, painted back to front; None where it is transparent."""
    colour = None
    if in_page(x, y):
        left, top, right, bottom = PAGE
        inner = (left + BORDER, top + BORDER, right - BORDER, bottom - BORDER)
        colour = WHITE if in_rect(x, y, *inner) and in_page(x + BORDER, y - BORDER) else OUTLINE
        for centre, end in LINES:
            if in_rect(x, y, left + 0.09, centre - 0.025, end, centre + 0.025):
                colour = INK
    if in_fold(x, y):
        colour = FOLD
    cx, cy, radius = STAMP
    distance = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
    if distance <= radius:
        colour = WHITE if distance > radius - STAMP_EDGE else ORANGE
        if in_letter_p(x, y):
            colour = WHITE
    return colour


def render(size):
    """Rows of (r, g, b, a), each pixel the mean of its samples (alpha-weighted colour)."""
    rows = []
    step = 1.0 / (size * SAMPLES)
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    colour = colour_at((px * SAMPLES + sx + 0.5) * step,
                                       (py * SAMPLES + sy + 0.5) * step)
                    if colour:
                        r, g, b, a = r + colour[0], g + colour[1], b + colour[2], a + 1
            if a == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((r // a, g // a, b // a, 255 * a // (SAMPLES * SAMPLES)))
        rows.append(row)
    return rows


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def icon_bitmap(rows):
    """A 32-bit icon image: header, colours bottom-up as BGRA, and the transparency mask."""
    size = len(rows)
    colours = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask_row_bytes = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_row_bytes)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(colours) + len(mask),
                         0, 0, 0, 0)
    return header + colours + bytes(mask)


def icon_file(images):
    directory = b""
    data = b""
    offset = 6 + 16 * len(images)
    for size, image in images:
        dimension = 0 if size == 256 else size
        directory += struct.pack("<BBBBHHII", dimension, dimension, 0, 0, 1, 32, len(image),
                                 offset + len(data))
        data += image
    return struct.pack("<HHH", 0, 1, len(images)) + directory + data


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    images = []
    for size in SIZES:
        rows = render(size)
        with open(os.path.join(out, "pressel2-%d.png" % size), "wb") as f:
            f.write(png(rows))
        images.append((size, png(rows) if size == 256 else icon_bitmap(rows)))
    with open(os.path.join(out, "pressel2.ico"), "wb") as f:
        f.write(icon_file(images))


if __name__ == "__main__":
    main()
