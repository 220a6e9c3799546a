#!/usr/bin/env python3
"""Draws compplace.ico: a 32x32, 16-colour chip outline under a placement
crosshair. Run once by hand; the .ico it writes is what the build uses.

    python3 src/win32/make_icon.py src/win32/compplace.ico
"""

import struct
import sys

SIZE = 32

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, SILVER, GREY, RED, YELLOW, WHITE = 0, 7, 8, 9, 11, 15
CLEAR = None


def draw():
    pixels = [[CLEAR] * SIZE for _ in range(SIZE)]

    def put(x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            pixels[y][x] = colour

    def box(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                put(x, y, colour)

    # Pins: four a side, tinned.
    for row in (9, 13, 17, 21):
        box(3, row, 7, row + 1, SILVER)
        box(24, row, 28, row + 1, SILVER)
    # Body with an outline, the pin-1 notch and dot.
    box(8, 6, 23, 25, BLACK)
    box(9, 7, 22, 24, GREY)
    box(14, 6, 17, 7, BLACK)
    box(15, 8, 16, 8, BLACK)
    box(11, 9, 12, 10, WHITE)
    # Crosshair: a ring and four ticks with the centre left open.
    centre = 15.5
    for y in range(SIZE):
        for x in range(SIZE):
            d = ((x - centre) ** 2 + (y - centre) ** 2) ** 0.5
            if 5.6 <= d <= 6.6:
                put(x, y, RED)
    for t in list(range(0, 11)) + list(range(21, 32)):
        put(t, 15, RED)
        put(t, 16, RED)
        put(15, t, RED)
        put(16, t, RED)
    box(15, 15, 16, 16, YELLOW)
    return pixels


def ico(pixels):
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(SIZE)):  # bitmaps run bottom-up
        row = pixels[y]
        for x in range(0, SIZE, 2):
            hi = row[x] if row[x] is not None else 0
            lo = row[x + 1] if row[x + 1] is not None else 0
            xor.append((hi << 4) | lo)
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + image


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(ico(draw()))
