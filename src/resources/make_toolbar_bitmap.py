#!/usr/bin/env python3
"""Draws toolbar.bmp: the seven 16 by 15 toolbar images of Pressel2, side by side, as a 4-bit
bitmap with the standard 16 colours (light grey, the background, is mapped to the button face by
the toolbar). Run it again after changing a picture; the build uses the committed bitmap."""
import struct
import sys

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BACKGROUND, BLACK, WHITE, GREY = 7, 0, 15, 8
BLUE, GREEN, RED, MAROON = 12, 2, 9, 1

# Letters three pixels wide and five high.
FONT = {
    'D': ["XX.", "X.X", "X.X", "X.X", "XX."],
    'V': ["X.X", "X.X", "X.X", "X.X", ".X."],
    'I': ["XXX", ".X.", ".X.", ".X.", "XXX"],
    'P': ["XX.", "X.X", "XX.", "X..", "X.."],
    'S': [".XX", "X..", ".X.", "..X", "XX."],
    'F': ["XXX", "X..", "XX.", "X..", "X.."],
    'T': ["XXX", ".X.", ".X.", ".X.", ".X."],
    'E': ["XXX", "X..", "XX.", "X..", "XXX"],
    'X': ["X.X", "X.X", ".X.", "X.X", "X.X"],
}


def blank():
    return [[BACKGROUND] * 16 for _ in range(15)]


def text(image, word, top, colour):
    width = 4 * len(word) - 1
    left = (16 - width) // 2
    for n, letter in enumerate(word):
        for y, row in enumerate(FONT[letter]):
            for x, cell in enumerate(row):
                if cell == 'X':
                    image[top + y][left + 4 * n + x] = colour


def page(word, colour):
    """A sheet of paper with a folded corner and the format's name on it."""
    image = blank()
    for y in range(15):
        for x in range(1, 15):
            edge = x in (1, 14) or y in (0, 14)
            image[y][x] = BLACK if edge else WHITE
    for row in range(4):  # the corner is cut off
        image[row][11 + row] = BLACK
        for x in range(12 + row, 16):
            image[row][x] = BACKGROUND
    text(image, word, 5, colour)
    return image


def conversion(source, target, colour):
    """The source's name, an arrow down, the target's name."""
    image = blank()
    text(image, source, 0, BLACK)
    for y in range(5, 8):  # the shaft
        image[y][7] = image[y][8] = colour
    for x in range(5, 11):  # the head
        image[8][x] = colour
    for x in range(6, 10):
        image[9][x] = colour
    text(image, target, 10, colour)
    return image


IMAGES = [page("DVI", BLUE), page("PS", GREEN), page("PDF", RED),
          conversion("TEX", "DVI", BLUE), conversion("DVI", "PS", GREEN),
          conversion("DVI", "PDF", RED), conversion("PS", "PDF", MAROON)]


def write_bitmap(path):
    width, height = 16 * len(IMAGES), 15
    row_bytes = (width // 2 + 3) // 4 * 4
    pixels = bytearray()
    for y in reversed(range(height)):  # bottom-up
        row = []
        for image in IMAGES:
            row.extend(image[y])
        packed = bytes((row[i] << 4) | row[i + 1] for i in range(0, width, 2))
        pixels += packed + b"\0" * (row_bytes - len(packed))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    offset = 14 + len(header) + len(palette)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as out:
        out.write(file_header + header + palette + pixels)


if __name__ == "__main__":
    write_bitmap(sys.argv[1] if len(sys.argv) > 1 else "toolbar.bmp")
