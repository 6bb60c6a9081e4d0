#!/usr/bin/env python3
"""Draws the program's default background (fondo.bmp, 8-bit RLE) and its
icon (presupuestos.ico, 32 x 32) into this folder. Run once; both are kept."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
WIDTH, HEIGHT = 640, 480


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def background_rows():
    """Rows top to bottom; each row a list of palette indexes."""
    top, bottom = (236, 241, 246), (214, 223, 233)
    panel, frame, band = (247, 249, 251), (176, 190, 206), (120, 144, 170)
    palette = [mix(top, bottom, i / 63) for i in range(64)] + [panel, frame, band]
    PANEL, FRAME, BAND = 64, 65, 66
    rows = []
    for y in range(HEIGHT):
        shade = round(63 * y / (HEIGHT - 1))
        row = [shade] * WIDTH
        if 8 <= y < 11 or 440 <= y < 443:
            row = [BAND] * WIDTH
        if 25 <= y < 390:
            left, right = 220, 421
            edge = y in (25, 389)
            for x in range(left, right):
                row[x] = FRAME if edge or x in (left, right - 1) else PANEL
        rows.append(row)
    return palette, rows


def rle8(row):
    out = bytearray()
    x = 0
    while x < len(row):
        run = 1
        while x + run < len(row) and row[x + run] == row[x] and run < 255:
            run += 1
        out += bytes([run, row[x]])
        x += run
    return out + b"\x00\x00"


def write_background():
    palette, rows = background_rows()
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        pixels += rle8(row)
    pixels += b"\x00\x01"
    colours = bytearray()
    for r, g, b in palette + [(0, 0, 0)] * (256 - len(palette)):
        colours += bytes([b, g, r, 0])
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 1, len(pixels), 2835, 2835,
                       len(palette), 0)
    with open(os.path.join(HERE, "fondo.bmp"), "wb") as f:
        f.write(header + info + colours + pixels)


def icon_pixel(x, y):
    """A sheet of paper with ruled lines and a blue band, on transparency."""
    if not (6 <= x <= 25 and 3 <= y <= 28):
        return None
    if x in (6, 25) or y in (3, 28):
        return (70, 80, 95)
    if 5 <= y <= 8:
        return (52, 101, 164)
    if y in (12, 15, 18, 21) and 9 <= x <= 22:
        return (150, 160, 175)
    if y == 25 and 15 <= x <= 22:
        return (52, 101, 164)
    return (255, 255, 255)


def write_icon():
    size = 32
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            colour = icon_pixel(x, y)
            if colour is None:
                xor += b"\x00\x00\x00\x00"
                bits = (bits << 1) | 1
            else:
                r, g, b = colour
                xor += bytes([b, g, r, 255])
                bits <<= 1
        mask += bits.to_bytes(4, "big")
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0,
                       0, 0)
    image = info + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    with open(os.path.join(HERE, "presupuestos.ico"), "wb") as f:
        f.write(directory + entry + image)


if __name__ == "__main__":
    write_background()
    write_icon()
