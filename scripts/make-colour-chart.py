#!/usr/bin/env python3
"""Writes resources/kv_bmp_psp.bmp, the 45 x 96 colour chart of the colour tool window.

Hue runs from top to bottom (red, yellow, green, cyan, blue, magenta and back towards red);
each row runs from black in the left column through the fully saturated hue in the middle
column to white in the right column. A 24-bit bottom-up BMP."""
import colorsys
import struct
import sys

W, H = 45, 96
MID = W // 2


def pixel(x, y):
    r, g, b = colorsys.hsv_to_rgb(y / H, 1.0, 1.0)
    if x <= MID:
        t = x / MID
        r, g, b = r * t, g * t, b * t
    else:
        t = (x - MID) / (W - 1 - MID)
        r, g, b = r + (1 - r) * t, g + (1 - g) * t, b + (1 - b) * t
    return tuple(int(round(c * 255)) for c in (r, g, b))


def main(path):
    stride = (W * 3 + 3) & ~3
    rows = []
    for y in reversed(range(H)):
        row = bytearray()
        for x in range(W):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "resources/kv_bmp_psp.bmp")
