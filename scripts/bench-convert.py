#!/usr/bin/env python3
"""Times `kalvo-cli convert` of a 24-megapixel 24-bit BMP to BMP against cp and ImageMagick,
and reports kalvo-cli's peak memory against the image's pixel memory.

usage: scripts/bench-convert.py [--cli build/bin/kalvo-cli] [--runs 5]
"""
import argparse
import os
import resource
import shutil
import struct
import subprocess
import sys
import tempfile
import time


def make_bmp(path, width, height):
    stride = (width * 3 + 3) // 4 * 4
    size = stride * height
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", 54 + size, 0, 0, 54))
        f.write(struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, size, 3780, 3780, 0, 0))
        chunk = os.urandom(stride * 64)
        for _ in range(height // 64):
            f.write(chunk)
        f.write(chunk[: stride * (height % 64)])
    return size


def timed(cmd, runs):
    """Best wall time of several runs and the peak resident set of the largest child."""
    best = float("inf")
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL)
        best = min(best, time.perf_counter() - start)
    peak_kib = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    return best, peak_kib


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", default="build/bin/kalvo-cli")
    ap.add_argument("--runs", type=int, default=5)
    args = ap.parse_args()
    work = tempfile.mkdtemp(prefix="kalvo-bench-")
    try:
        src = os.path.join(work, "in.bmp")
        pixel_bytes = make_bmp(src, 6000, 4000)
        out = os.path.join(work, "out.bmp")
        t_cp, _ = timed(["cp", src, out], args.runs)
        # Peak memory of kalvo-cli alone: measured in a fresh child process.
        probe = subprocess.run(
            [sys.executable, "-c",
             "import resource,subprocess,sys;subprocess.run(sys.argv[1:],check=True);"
             "print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)",
             args.cli, "convert", src, out],
            check=True, capture_output=True, text=True)
        peak = int(probe.stdout.strip()) * 1024
        t_cli, _ = timed([args.cli, "convert", src, out], args.runs)
        print(f"image: 6000 x 4000 x 24 bit, pixel memory {pixel_bytes / 1e6:.1f} MB")
        print(f"cp:                  {t_cp * 1000:8.1f} ms")
        print(f"kalvo-cli convert:   {t_cli * 1000:8.1f} ms  ({t_cli / t_cp:.2f} x cp)")
        # The real ImageMagick (a stand-in may shadow it earlier on PATH).
        magick = "/usr/bin/convert" if os.path.exists("/usr/bin/convert") else shutil.which("convert")
        if magick:
            t_im, _ = timed([magick, src, "BMP3:" + out], args.runs)
            print(f"ImageMagick convert: {t_im * 1000:8.1f} ms  (kalvo-cli is {t_im / t_cli:.2f} x faster)")
        else:
            print("ImageMagick convert: not installed (scripts/install-bench-deps.sh)")
        print(f"kalvo-cli peak RSS:  {peak / 1e6:8.1f} MB  ({peak / pixel_bytes:.2f} x pixel memory)")
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
