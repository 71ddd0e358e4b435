#!/usr/bin/env python3
"""Opens a 24-megapixel RLE8 BMP with kalvo-cli (writing an uncompressed BMP) and with
ImageMagick's convert (the same), and prints both times.

usage: scripts/bench-bmp.py [--cli build/bin/kalvo-cli] [--runs 3]
"""
import argparse
import os
import random
import shutil
import struct
import subprocess
import tempfile
import time


def rle8_row(width, rng):
    """One row of runs of random length and index, then end of line."""
    out = bytearray()
    x = 0
    while x < width:
        n = min(width - x, rng.randint(1, 255))
        out += bytes([n, rng.randint(0, 255)])
        x += n
    return out + b"\0\0"


def make_rle8(path, width, height):
    rng = random.Random(7)
    rows = [rle8_row(width, rng) for _ in range(64)]
    data = bytearray()
    for y in range(height):
        data += rows[y % 64]
    data += b"\0\1"
    table = b"".join(bytes([i, 255 - i, (i * 7) % 256, 0]) for i in range(256))
    off = 54 + len(table)
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", off + len(data), 0, 0, off))
        f.write(struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(data), 3780, 3780, 256, 0))
        f.write(table)
        f.write(data)


def best(cmd, runs):
    t = float("inf")
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL)
        t = min(t, time.perf_counter() - start)
    return t


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", default="build/bin/kalvo-cli")
    ap.add_argument("--runs", type=int, default=3)
    args = ap.parse_args()
    work = tempfile.mkdtemp(prefix="kalvo-bench-")
    try:
        src = os.path.join(work, "in.bmp")
        make_rle8(src, 6000, 4000)
        out = os.path.join(work, "out.bmp")
        t_cli = best([args.cli, "convert", src, out], args.runs)
        print(f"RLE8 6000 x 4000 ({os.path.getsize(src) / 1e6:.1f} MB)")
        print(f"kalvo-cli convert:   {t_cli * 1000:8.1f} ms")
        magick = "/usr/bin/convert" if os.path.exists("/usr/bin/convert") else shutil.which("convert")
        if magick:
            t_im = best([magick, src, "BMP3:" + out], args.runs)
            print(f"ImageMagick convert: {t_im * 1000:8.1f} ms  (kalvo-cli is {t_im / t_cli:.2f} x faster)")
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
