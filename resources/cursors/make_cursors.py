#!/usr/bin/env python3
"""Draws the canvas cursors (32 x 32, black, white and transparent) as XPM files.

Run from this directory after changing a picture; the XPM files are the resources."""
import math

N = 32


class Pic:
    def __init__(self):
        self.p = [[' '] * N for _ in range(N)]

    def set(self, x, y, c):
        if 0 <= x < N and 0 <= y < N:
            self.p[y][x] = c

    def line(self, x0, y0, x1, y1, c='#'):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.set(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), c)

    def rect(self, x0, y0, x1, y1, c='#', fill=None):
        if fill:
            for y in range(y0, y1 + 1):
                for x in range(x0, x1 + 1):
                    self.set(x, y, fill)
        self.line(x0, y0, x1, y0, c)
        self.line(x1, y0, x1, y1, c)
        self.line(x0, y1, x1, y1, c)
        self.line(x0, y0, x0, y1, c)

    def circle(self, cx, cy, r, c='#', fill=None):
        for y in range(N):
            for x in range(N):
                d = math.hypot(x - cx, y - cy)
                if fill and d < r - 0.5:
                    self.set(x, y, fill)
                if abs(d - r) < 0.5:
                    self.set(x, y, c)

    def polygon(self, pts, c='#', fill=None):
        if fill:
            for y in range(N):
                xs = []
                for (x0, y0), (x1, y1) in zip(pts, pts[1:] + pts[:1]):
                    if (y0 <= y < y1) or (y1 <= y < y0):
                        xs.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
                xs.sort()
                for a, b in zip(xs[::2], xs[1::2]):
                    for x in range(math.ceil(a), math.floor(b) + 1):
                        self.set(x, y, fill)
        for a, b in zip(pts, pts[1:] + pts[:1]):
            self.line(*a, *b, c)

    def halo(self):
        """A white rim around every black pixel, so the cursor shows on dark pictures."""
        q = [row[:] for row in self.p]
        for y in range(N):
            for x in range(N):
                if self.p[y][x] == ' ' and any(
                        0 <= x + dx < N and 0 <= y + dy < N and self.p[y + dy][x + dx] == '#'
                        for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                    q[y][x] = '.'
        self.p = q

    def xpm(self, name):
        rows = ['"%s",' % ''.join(r) for r in self.p]
        rows[-1] = rows[-1][:-1]
        return ('/* XPM */\nstatic const char* %s[] = {\n"32 32 3 1",\n"  c None",\n". c #FFFFFF",\n'
                '"# c #000000",\n%s\n};\n') % (name.lower(), '\n'.join(rows))


def cross(p, cx=15, cy=15, arm=7):
    p.line(cx - arm, cy, cx - 2, cy)
    p.line(cx + 2, cy, cx + arm, cy)
    p.line(cx, cy - arm, cx, cy - 2)
    p.line(cx, cy + 2, cx, cy + arm)
    p.set(cx, cy, '#')


def sign(p, x, y, plus):
    p.rect(x - 3, y - 3, x + 3, y + 3, '.', '.')
    p.line(x - 2, y, x + 2, y)
    if plus:
        p.line(x, y - 2, x, y + 2)


def hand(closed):
    p = Pic()
    if closed:
        p.polygon([(4, 8), (20, 8), (22, 10), (22, 20), (18, 25), (8, 25), (4, 20)], fill='.')
        for x in (6, 10, 14, 18):
            p.line(x, 8, x, 12)
        p.line(2, 1, 4, 3)
    else:
        fingers = [(4, 2), (9, 1), (14, 2), (19, 4)]
        for fx, fy in fingers:
            p.rect(fx - 1, fy, fx + 2, 14, '#', '.')
        p.polygon([(3, 12), (22, 12), (22, 22), (18, 27), (8, 27), (3, 20)], fill='.')
        p.polygon([(22, 12), (27, 10), (28, 12), (22, 20)], fill='.')
        for fx, fy in fingers:
            p.line(fx, 12, fx + 1, 12, '.')
    p.halo()
    return p


def arrow():
    p = Pic()
    p.polygon([(0, 0), (0, 16), (4, 12), (7, 19), (9, 18), (6, 11), (11, 11)], fill='.')
    p.halo()
    return p


def crosshair(plus):
    p = Pic()
    cross(p)
    p.halo()
    sign(p, 24, 6, plus)
    return p


def wand(mark):
    p = Pic()
    for t in range(3):
        p.line(8 + t, 10 - t + 2, 26 + t, 28 - t + 2 - 2)
    p.line(8, 10, 26, 28)
    p.line(10, 9, 28, 27)
    p.line(9, 10, 27, 28, '.')
    for a in range(8):
        ang = a * math.pi / 4
        r = 4 if a % 2 == 0 else 2
        p.line(5, 5, round(5 + r * math.cos(ang)), round(5 - r * math.sin(ang)))
    p.halo()
    if mark is not None:
        sign(p, 24, 6, mark)
    return p


def zoom():
    p = Pic()
    p.circle(6, 6, 5.5, '#', '.')
    p.line(10, 10, 17, 17)
    p.line(11, 10, 18, 17)
    p.line(10, 11, 17, 18)
    p.line(4, 6, 8, 6)
    p.line(6, 4, 6, 8)
    p.halo()
    return p


def four_way(cx, cy):
    p = Pic()
    p.line(cx - 7, cy, cx + 7, cy)
    p.line(cx, cy - 7, cx, cy + 7)
    for d in range(1, 3):
        p.line(cx - 7 + d, cy - d, cx - 7 + d, cy + d)
        p.line(cx + 7 - d, cy - d, cx + 7 - d, cy + d)
        p.line(cx - d, cy - 7 + d, cx + d, cy - 7 + d)
        p.line(cx - d, cy + 7 - d, cx + d, cy + 7 - d)
    return p


def move_region():
    p = four_way(7, 7)
    for x in range(12, 30, 2):
        p.set(x, 14, '#')
        p.set(x, 28, '#')
    for y in range(14, 29, 2):
        p.set(12, y, '#')
        p.set(29, y, '#')
    p.halo()
    return p


def move_area():
    p = arrow()
    p.rect(14, 14, 29, 27, '#', '#')
    p.rect(17, 17, 26, 24, '.', '.')
    q = four_way(21, 20)
    for y in range(N):
        for x in range(N):
            if q.p[y][x] == '#':
                p.set(x, y, '#')
    return p


def paint():
    p = Pic()
    p.polygon([(8, 4), (20, 10), (14, 22), (2, 16)], fill='.')
    p.line(8, 4, 3, 2)
    p.line(20, 10, 24, 14)
    p.line(24, 14, 24, 20)
    p.halo()
    cross(p, 17, 17, 5)
    return p


def spoit():
    p = Pic()
    p.line(0, 15, 10, 5)
    p.polygon([(7, 4), (12, 9), (4, 17), (1, 14)], fill='.')
    p.polygon([(11, 2), (16, 7), (13, 10), (8, 5)], fill='#')
    p.circle(16, 2, 2.5, '#', '#')
    p.halo()
    return p


def pen():
    p = Pic()
    p.polygon([(13, 18), (14, 13), (26, 1), (30, 5), (18, 17)], fill='.')
    p.line(14, 13, 18, 17)
    p.halo()
    cross(p, 13, 18, 4)
    return p


def brush():
    p = Pic()
    p.polygon([(20, 6), (29, 0), (31, 2), (25, 11)], fill='#')
    p.polygon([(11, 18), (13, 12), (19, 8), (23, 12), (19, 18)], fill='.')
    p.halo()
    cross(p, 11, 18, 4)
    return p


def shape():
    p = Pic()
    p.rect(13, 13, 24, 21, '#', '.')
    p.circle(24, 24, 5, '#', '.')
    p.halo()
    cross(p, 7, 7, 6)
    return p


def text():
    p = Pic()
    p.rect(12, 12, 27, 28, '.', '.')
    p.line(14, 27, 19, 14)
    p.line(19, 14, 21, 14)
    p.line(21, 14, 26, 27)
    p.line(16, 23, 24, 23)
    p.halo()
    cross(p, 7, 7, 6)
    return p


PICTURES = {
    'PXR_HANDOPEN': lambda: hand(False),
    'PXR_HANDCLOS': lambda: hand(True),
    'PXR_CROSS': arrow,
    'PXR_CROSS_A': lambda: crosshair(True),
    'PXR_CROSS_D': lambda: crosshair(False),
    'PXR_MAGICWAND': lambda: wand(None),
    'PXR_MAGIC_A': lambda: wand(True),
    'PXR_MAGIC_D': lambda: wand(False),
    'PXR_ZOOM': zoom,
    'PXR_MOVERGN': move_region,
    'PXR_MOVEAREA': move_area,
    'PXR_PAINT': paint,
    'PXR_SPOIT': spoit,
    'PXR_PEN': pen,
    'PXR_BRUSH': brush,
    'PXR_SHAPE': shape,
    'PXR_TEXT': text,
}

if __name__ == '__main__':
    for name, draw in PICTURES.items():
        with open(name + '.xpm', 'w') as f:
            f.write(draw().xpm(name))
    with open('cursors.qrc', 'w') as f:
        f.write('<!DOCTYPE RCC>\n<RCC version="1.0">\n  <qresource prefix="/kalvo/cursors">\n')
        for name in PICTURES:
            f.write('    <file>%s.xpm</file>\n' % name)
        f.write('  </qresource>\n</RCC>\n')
