#!/usr/bin/env python3
"""The end-to-end runs' test picture: a bottom-up 24-bit BMP with the marker pixel FE01FD at (0, 0),
by which a run finds the picture on the screen, on a solid ground (14283C) or a one-pixel
checkerboard (14283C / C89664); and the check of a saved copy in which one rectangle was cleared
to white.

    marker_picture.py write FILE W H solid|checker
    marker_picture.py check-cleared FILE W H solid|checker LEFT TOP RIGHT BOTTOM
"""
import struct
import sys

MARKER = 0xFE01FD


def colour(kind, x, y):
    """The picture's pixel (x, y) as 0xRRGGBB."""
    if (x, y) == (0, 0):
        return MARKER
    if kind == 'checker' and (x + y) % 2 == 0:
        return 0xC89664
    return 0x14283C


def bgr(rgb):
    return bytes([rgb & 0xFF, (rgb >> 8) & 0xFF, rgb >> 16])


def write(path, w, h, kind):
    stride = (w * 3 + 3) // 4 * 4
    rows = b''.join(b''.join(bgr(colour(kind, x, y)) for x in range(w)) + b'\0' * (stride - 3 * w)
                    for y in reversed(range(h)))
    hdr = struct.pack('<2sIHHI', b'BM', 54 + len(rows), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(rows), 0, 0, 0, 0)
    open(path, 'wb').write(hdr + info + rows)


def check_cleared(path, w, h, kind, left, top, right, bottom):
    data = open(path, 'rb').read()
    offset, = struct.unpack_from('<I', data, 10)
    fw, fh, _, bits = struct.unpack_from('<iiHH', data, 18)
    if (fw, fh, bits) != (w, h, 24):
        sys.exit('%s: %d x %d at %d bits, not %d x %d at 24' % (path, fw, fh, bits, w, h))
    stride = (w * 3 + 3) // 4 * 4
    bad = []
    for y in range(h):
        row = offset + (h - 1 - y) * stride
        for x in range(w):
            got = data[row + 3 * x:row + 3 * x + 3]
            cleared = left <= x < right and top <= y < bottom
            if got != bgr(0xFFFFFF if cleared else colour(kind, x, y)):
                bad.append((x, y, got.hex()))
    if bad:
        sys.exit('pixels differ from the dragged rectangle cleared: %d, first %s' % (len(bad), bad[:5]))


if __name__ == '__main__':
    command, path, w, h, kind = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), sys.argv[5]
    if command == 'write':
        write(path, w, h, kind)
    elif command == 'check-cleared':
        check_cleared(path, w, h, kind, *map(int, sys.argv[6:10]))
    else:
        sys.exit('unknown command ' + command)
