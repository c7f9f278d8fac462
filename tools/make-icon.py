#!/usr/bin/env python3
"""Draws the program's icon: a grey drive unit with a small green light,
beneath the letters RAM in red italic capitals. Writes window/korvex.ico
with a 32x32 and a 16x16 image, both in the 16 standard colours.

Run it again after changing the drawing: python3 tools/make-icon.py
"""
import os
import struct

# The 16 standard colours, in their usual order.
PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
           (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
           (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, DARK_RED, DARK_GREEN, SILVER, GREY, RED, LIME, WHITE = 0, 1, 2, 7, 8, 9, 10, 15

# Upright capitals, 7 wide and 9 high; sheared to the right below for italics.
LETTERS = {
    "R": ["XXXXXX.", "XX...XX", "XX...XX", "XX...XX", "XXXXXX.", "XX.XX..", "XX..XX.", "XX...XX", "XX...XX"],
    "A": ["..XXX..", ".XX.XX.", "XX...XX", "XX...XX", "XXXXXXX", "XX...XX", "XX...XX", "XX...XX", "XX...XX"],
    "M": ["XX...XX", "XXX.XXX", "XXXXXXX", "XX.X.XX", "XX...XX", "XX...XX", "XX...XX", "XX...XX", "XX...XX"],
}
SMALL_LETTERS = {  # 3 wide, 5 high, for the 16x16 image
    "R": ["XX.", "X.X", "XX.", "X.X", "X.X"],
    "A": [".X.", "X.X", "XXX", "X.X", "X.X"],
    "M": ["X.X", "XXX", "XXX", "X.X", "X.X"],
}


def blank(size):
    return [[None] * size for _ in range(size)]


def put(image, x, y, colour):
    if 0 <= y < len(image) and 0 <= x < len(image):
        image[y][x] = colour


def draw_word(image, letters, left, top, advance, shear_every):
    height = len(next(iter(letters.values())))
    for index, letter in enumerate("RAM"):
        for row, line in enumerate(letters[letter]):
            slant = (height - 1 - row) // shear_every  # upper rows lean right
            for column, mark in enumerate(line):
                if mark == "X":
                    put(image, left + index * advance + column + slant, top + row, RED)


def draw_drive(image, left, top, right, bottom, light):
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            edge = x in (left, right) or y in (top, bottom)
            put(image, x, y, BLACK if edge else SILVER)
    for x in range(left + 1, right):  # light from above, shadow below
        put(image, x, top + 1, WHITE)
        put(image, x, bottom - 1, GREY)
    for y in range(top + 1, bottom):
        put(image, left + 1, y, WHITE)
        put(image, right - 1, y, GREY)
    slot_y = (top + bottom) // 2
    for x in range(left + 3, right - 3):  # the slot
        put(image, x, slot_y, BLACK)
        put(image, x, slot_y + 1, WHITE)
    lx, ly, size = light
    for y in range(ly, ly + size):
        for x in range(lx, lx + size):
            put(image, x, y, LIME)
    put(image, lx + size - 1, ly + size - 1, DARK_GREEN)


def icon_32():
    image = blank(32)
    draw_word(image, LETTERS, 2, 2, 9, 3)
    draw_drive(image, 1, 15, 30, 28, (25, 24, 2))
    return image


def icon_16():
    image = blank(16)
    draw_word(image, SMALL_LETTERS, 1, 0, 5, 3)
    draw_drive(image, 0, 7, 15, 14, (12, 12, 1))
    return image


def encode(image):
    size = len(image)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    colour_rows, mask_rows = [], []
    for row in reversed(image):  # bitmaps run bottom-up
        nibbles = [c if c is not None else 0 for c in row]
        data = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        colour_rows.append(data + b"\0" * (-len(data) % 4))
        bits = 0
        mask = bytearray()
        for i, c in enumerate(row):
            bits = (bits << 1) | (1 if c is None else 0)
            if i % 8 == 7:
                mask.append(bits)
                bits = 0
        mask_rows.append(bytes(mask) + b"\0" * (-len(mask) % 4))
    return header + palette + b"".join(colour_rows) + b"".join(mask_rows)


def main():
    images = [(32, encode(icon_32())), (16, encode(icon_16()))]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for size, blob in images:
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
        blobs += blob
    target = os.path.join(os.path.dirname(__file__), "..", "window", "korvex.ico")
    with open(target, "wb") as out:
        out.write(directory + entries + blobs)


if __name__ == "__main__":
    main()
