#!/usr/bin/env python3
"""Prints the pixels of an uncompressed 24- or 32-bit BMP file as rows of RRGGBB, top row first,
so that end-to-end tests can compare pictures written by different programs."""
import struct
import sys

data = open(sys.argv[1], 'rb').read()
offset = struct.unpack_from('<I', data, 10)[0]
size, w, h, _, bits, comp = struct.unpack_from('<IiiHHI', data, 14)
if bits not in (24, 32) or comp not in (0, 3):
    sys.exit(f'{sys.argv[1]}: {bits}-bit compression {comp} is not handled')
bpp = bits // 8
stride = (w * bpp + 3) // 4 * 4
rows = []
for y in range(abs(h)):
    src = y if h < 0 else abs(h) - 1 - y
    base = offset + src * stride
    rows.append(' '.join('%02x%02x%02x' % (data[base + x * bpp + 2], data[base + x * bpp + 1], data[base + x * bpp])
                         for x in range(w)))
print('\n'.join(rows))
