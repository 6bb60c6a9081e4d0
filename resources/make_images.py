#!/usr/bin/env python3
"""Draws the program's default background (fondo.bmp, 8-bit RLE) and its
icon (presupuestos.ico: 16, 32, 48 and 256 pixels) into this folder. Run
once; both are kept."""
import os
import struct
import zlib

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


# The sheet at each size drawn pixel by pixel (inclusive bounds): its frame,
# the blue band, the ruled lines and the short line where one signs. The
# 256-pixel image is the 32-pixel one, each pixel eight wide.
SHEETS = {
    16: dict(box=(3, 1, 12, 14), band=(3, 4), rules=(6, 8, 10), rule_x=(5, 10), sign=(12, 8, 10)),
    32: dict(box=(6, 3, 25, 28), band=(5, 8), rules=(12, 15, 18, 21), rule_x=(9, 22),
             sign=(25, 15, 22)),
    48: dict(box=(9, 4, 38, 43), band=(7, 12), rules=(18, 23, 28, 33), rule_x=(14, 33),
             sign=(38, 23, 33)),
}
ICON_SIZES = (16, 32, 48, 256)


def icon_pixel(x, y, size):
    """A sheet of paper with ruled lines and a blue band, on transparency."""
    if size == 256:
        return icon_pixel(x // 8, y // 8, 32)
    sheet = SHEETS[size]
    left, top, right, bottom = sheet["box"]
    sign_y, sign_left, sign_right = sheet["sign"]
    if not (left <= x <= right and top <= y <= bottom):
        return None
    if x in (left, right) or y in (top, bottom):
        return (70, 80, 95)
    if sheet["band"][0] <= y <= sheet["band"][1]:
        return (52, 101, 164)
    if y in sheet["rules"] and sheet["rule_x"][0] <= x <= sheet["rule_x"][1]:
        return (150, 160, 175)
    if y == sign_y and sign_left <= x <= sign_right:
        return (52, 101, 164)
    return (255, 255, 255)


def icon_bitmap(size):
    """The image as an icon file holds it: a bottom-up 32-bit DIB of twice the
    height, the colours with their alpha, then the 1-bit transparency mask."""
    xor = bytearray()
    mask = bytearray()
    mask_row_bytes = (size + 31) // 32 * 4
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            colour = icon_pixel(x, y, size)
            if colour is None:
                xor += b"\x00\x00\x00\x00"
                bits = (bits << 1) | 1
            else:
                r, g, b = colour
                xor += bytes([b, g, r, 255])
                bits <<= 1
        mask += (bits << (mask_row_bytes * 8 - size)).to_bytes(mask_row_bytes, "big")
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0,
                       0, 0)
    return info + xor + mask


def icon_png(size):
    """The image as a PNG (RGBA), the usual form of the 256-pixel one."""
    rows = bytearray()
    for y in range(size):
        rows += b"\x00"  # no filter
        for x in range(size):
            colour = icon_pixel(x, y, size)
            rows += bytes(colour) + b"\xff" if colour else b"\x00\x00\x00\x00"

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


def write_icon():
    images = [icon_png(size) if size == 256 else icon_bitmap(size) for size in ICON_SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(ICON_SIZES, images):
        # A size of 256 is written as 0 in the directory's one byte.
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image),
                                 offset)
        offset += len(image)
    with open(os.path.join(HERE, "presupuestos.ico"), "wb") as f:
        f.write(directory + b"".join(images))


if __name__ == "__main__":
    write_background()
    write_icon()
