#!/usr/bin/env python3
"""Writes tests/data/malformed (and the EXIF blocks of tests/data/exif): small damaged image and palette files, one kind of damage per
file (truncated, bit-flipped, lying headers), and the list of what opening each must give.

The damaged JPEG, JPEG 2000, PNG, GIF, WebP, HEIF and palette files start from intact files of the fuzz
corpus; the BMP, RLE and TIFF files are built here (but for the JPEG-compressed TIFF), with their expected pictures as plain BMP files.
The output is the same on every run. The list, EXPECTED, has one line per file:
    NAME fail          opening fails cleanly (no picture, result -1, or an exception)
    NAME same OTHER    opening gives exactly the picture (or palette) of OTHER
"""
import os
import struct
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORPUS = os.path.join(ROOT, "fuzz", "corpus")
OUT = os.path.join(ROOT, "tests", "data", "malformed")

expected = []


def write(name, data, outcome):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)
    if outcome is not None:
        expected.append(f"{name} {outcome}")


def corpus(path):
    with open(os.path.join(CORPUS, path), "rb") as f:
        return f.read()


def flip(data, offset, bit):
    b = bytearray(data)
    b[offset] ^= 1 << bit
    return bytes(b)


def patch(data, offset, fmt, value):
    b = bytearray(data)
    struct.pack_into(fmt, b, offset, value)
    return bytes(b)


# --- BMP and RLE ---------------------------------------------------------------------------

def palette(count):
    return b"".join(bytes([(i * 37) & 255, (i * 91) & 255, 255 - i, 0]) for i in range(count))


def bmp(width, height, bits, compression, table, data, off_bits=None, size=None):
    off = 14 + 40 + len(table)
    header = b"BM" + struct.pack("<IHHI", size if size is not None else off + len(data), 0, 0,
                                 off if off_bits is None else off_bits)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(data), 3780, 3780,
                       len(table) // 4, 0)
    return header + info + table + data


def noise(width, height, colours, seed):
    rows = []
    for _ in range(height):
        row = []
        for _ in range(width):
            seed = (seed * 1103515245 + 12345) & 0xFFFFFFFF
            row.append((seed >> 16) % colours)
        rows.append(row)
    return rows  # in file order: the bottom row first


def pack_row(row, bits):
    """The bytes of one row of indices, 8 bits or two 4-bit pixels a byte (high nibble first)."""
    if bits == 8:
        return bytes(row)
    padded = row + [0] * (len(row) % 2)
    return bytes((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2))


def plain_rows(rows, width, bits):
    stride = ((width * bits + 31) // 32) * 4
    return b"".join(pack_row(row, bits).ljust(stride, b"\0") for row in rows)


def absolute_rows(rows, width, bits):
    """Every row one absolute run, as a plain encoder writes noise."""
    out = b""
    for row in rows:
        packed = pack_row(row, bits)
        out += bytes([0, width]) + packed + b"\0" * (len(packed) % 2) + b"\0\0"
    return out + b"\0\1"


def make_bmp():
    table = palette(16)
    rows = noise(5, 3, 16, 7)
    good = bmp(5, 3, 8, 0, table, plain_rows(rows, 5, 8))
    write("bmp-reference.bmp", good, None)
    write("bmp-truncated-header.bmp", good[:30], "fail")
    write("bmp-truncated-rows.bmp", good[:-6], "fail")
    write("bmp-truncated-palette.bmp", good[:54 + 20], "fail")
    write("bmp-lying-bfsize.bmp", patch(good, 2, "<I", 1), "same bmp-reference.bmp")
    write("bmp-lying-offbits-past-end.bmp", patch(good, 10, "<I", 100000), "same bmp-reference.bmp")
    write("bmp-lying-dimensions.bmp", patch(patch(good, 18, "<i", 30000), 22, "<i", 30000), "fail")
    write("bmp-lying-negative-width.bmp", patch(good, 18, "<i", -5), "fail")
    write("bmp-bitflip-signature.bmp", flip(good, 0, 1), "fail")
    write("bmp-bitflip-bitcount.bmp", flip(good, 28, 0), "fail")          # 8 -> 9 bits
    write("bmp-bitflip-compression.bmp", flip(good, 30, 2), "fail")       # BI_RGB -> 4 (JPEG)
    write("bmp-bitflip-header-size.bmp", flip(good, 14, 0), "fail")       # 40 -> 41

    # Compressed data longer than the plain rows: the noisy pictures other programs write.
    for bits, compression in ((8, 1), (4, 2)):
        rows = noise(17, 13, 1 << bits if bits == 4 else 256, 99 + bits)
        table = palette(1 << bits)
        name = f"rle{bits}-longer-than-plain"
        write(f"{name}.expected.bmp", bmp(17, 13, bits, 0, table, plain_rows(rows, 17, bits)), None)
        write(f"{name}.bmp", bmp(17, 13, bits, compression, table, absolute_rows(rows, 17, bits)),
              f"same {name}.expected.bmp")

    # Data cut before the end of bitmap: what was decoded stays, the rest is index 0.
    table = palette(256)
    rows = noise(6, 4, 256, 3)
    data = absolute_rows(rows, 6, 8)
    cut = 2 * (2 + 6 + 2) + 5  # two whole rows and three pixels of the third
    seen = rows[:2] + [rows[2][:3] + [0] * 3] + [[0] * 6]
    write("rle8-truncated.expected.bmp", bmp(6, 4, 8, 0, table, plain_rows(seen, 6, 8)), None)
    write("rle8-truncated.bmp", bmp(6, 4, 8, 1, table, data[:cut]), "same rle8-truncated.expected.bmp")

    # Codes that leave the picture.
    write("rle8-end-of-line-past-last-row.bmp",
          bmp(4, 2, 8, 1, table, bytes([0, 4, 1, 2, 3, 4, 0, 0, 0, 4, 5, 6, 7, 8, 0, 0, 0, 0, 0, 1])), "fail")
    write("rle8-run-past-padded-row.bmp", bmp(37, 1, 8, 1, table, bytes([41, 7, 0, 0, 0, 1])), "fail")
    write("rle8-delta-outside.bmp", bmp(4, 2, 8, 1, table, bytes([0, 2, 9, 0, 0, 1])), "fail")
    write("rle4-absolute-past-padded-row.bmp",
          bmp(7, 1, 4, 2, palette(16), bytes([0, 9]) + b"\x11" * 5 + b"\0" + bytes([0, 1])), "fail")
    write("rle8-lying-dimensions.bmp", bmp(60000, 17000, 8, 1, table, bytes([0, 1])), "fail")
    write("rle8-offbits-past-end.bmp", bmp(4, 1, 8, 1, table, bytes([4, 1, 0, 1]), off_bits=5000), "fail")


# --- PNG -----------------------------------------------------------------------------------

def png_chunks(data):
    pos = 8
    while pos + 8 <= len(data):
        length, kind = struct.unpack_from(">I4s", data, pos)
        yield pos, length, kind
        pos += 12 + length


def rechunk(data, pos, length, body):
    """Replaces a chunk's data keeping its length, with a correct CRC (a lie, not a flip)."""
    kind = data[pos + 4:pos + 8]
    return data[:pos + 8] + body + struct.pack(">I", zlib.crc32(kind + body)) + data[pos + 12 + length:]


def make_png():
    good = corpus("png/pal.png")
    write("png-intact.png", good, None)
    chunks = list(png_chunks(good))
    idat = next(c for c in chunks if c[2] == b"IDAT")
    ihdr = chunks[0]
    write("png-truncated-signature.png", good[:6], "fail")
    write("png-truncated-idat.png", good[:idat[0] + 8 + idat[1] // 2], "fail")
    write("png-bitflip-idat.png", flip(good, idat[0] + 8 + idat[1] // 2, 3), "fail")  # CRC mismatch
    write("png-bitflip-signature.png", flip(good, 1, 0), "fail")
    body = bytearray(good[ihdr[0] + 8:ihdr[0] + 8 + ihdr[1]])
    struct.pack_into(">II", body, 0, 40000, 40000)
    write("png-lying-ihdr-size.png", rechunk(good, ihdr[0], ihdr[1], bytes(body)), "fail")
    body = bytearray(good[ihdr[0] + 8:ihdr[0] + 8 + ihdr[1]])
    body[8] = 3  # bit depth 3 does not exist
    write("png-lying-ihdr-depth.png", rechunk(good, ihdr[0], ihdr[1], bytes(body)), "fail")
    write("png-trailing-garbage.png", good + b"\x00garbage after the end\xff" * 3, "same png-intact.png")


# --- GIF -----------------------------------------------------------------------------------

def make_gif():
    good = corpus("gif/kalvo.gif")
    write("gif-intact.gif", good, None)
    write("gif-truncated-header.gif", good[:9], "fail")
    write("gif-truncated-image.gif", good[:len(good) * 2 // 3], "fail")
    write("gif-bitflip-signature.gif", flip(good, 0, 0), "fail")
    write("gif-lying-screen-size.gif", patch(patch(good, 6, "<H", 65535), 8, "<H", 65535), "fail")
    write("gif-trailing-garbage.gif", good + b"trailing bytes after the trailer", "same gif-intact.gif")


# --- JPEG ----------------------------------------------------------------------------------

def jpeg_marker(data, code):
    pos = 2
    while pos + 4 <= len(data):
        if data[pos] != 0xFF:
            raise ValueError("not a marker")
        marker = data[pos + 1]
        if marker == code:
            return pos
        pos += 2 + struct.unpack_from(">H", data, pos + 2)[0]
    raise ValueError("marker not found")


def make_jpeg():
    good = corpus("jpeg/base.bin")[1:]  # the corpus file starts with the fuzz target's mode byte
    write("jpeg-intact.jpg", good, None)
    sof = jpeg_marker(good, 0xC0)
    sos = jpeg_marker(good, 0xDA)
    write("jpeg-truncated-before-scan.jpg", good[:sos], "fail")
    write("jpeg-truncated-in-header.jpg", good[:sof + 6], "fail")
    write("jpeg-bitflip-soi.jpg", flip(good, 1, 0), "fail")  # FF D8 -> FF D9
    write("jpeg-lying-sof-height.jpg", patch(good, sof + 5, ">H", 0), "fail")
    write("jpeg-lying-sof-components.jpg", patch(good, sof + 9, ">B", 5), "fail")
    # Sampling factor 0 for the first component.
    write("jpeg-lying-sof-sampling.jpg", patch(good, sof + 11, ">B", 0x00), "fail")


# --- EXIF in JPEG ---------------------------------------------------------------------------

def exif_block(order="<", orientation=6, thumbnail=b"\xff\xd8thumbnail\xff\xd9"):
    """A TIFF structure as cameras write it: IFD0 (orientation, make, model, date, a pointer to
    the Exif IFD), the Exif IFD (pixel sizes), IFD1 pointing to a thumbnail. Returns the block and
    the offsets of IFD0's count, the make entry and the Exif pointer entry."""
    def entry(tag, typ, count, value, data_at):
        if len(value) <= 4:
            return struct.pack(order + "HHI", tag, typ, count) + value.ljust(4, b"\0"), b""
        return struct.pack(order + "HHII", tag, typ, count, data_at), value

    def directory(entries, at, next_at):
        data_at = at + 2 + 12 * len(entries) + 4
        head, data = struct.pack(order + "H", len(entries)), b""
        for tag, typ, count, value in entries:
            e, d = entry(tag, typ, count, value, data_at + len(data))
            head += e
            data += d + (b"\0" if len(d) % 2 else b"")
        return head + struct.pack(order + "I", next_at) + data

    def size(entries):
        return 2 + 12 * len(entries) + 4 + sum((len(v) + 1) // 2 * 2 for *_, v in entries if len(v) > 4)

    short = lambda v: struct.pack(order + "H", v)
    long_ = lambda v: struct.pack(order + "I", v)
    exif_entries = [(0xA002, 4, 1, long_(16)), (0xA003, 4, 1, long_(24))]
    ifd0 = [(0x0112, 3, 1, short(orientation)), (0x010F, 2, 6, b"Kalvo\0"), (0x0110, 2, 8, b"Model-1\0"),
            (0x0132, 2, 20, b"2024:05:06 07:08:09\0"), (0x8769, 4, 1, long_(0))]
    exif_at = 8 + size(ifd0)
    ifd0[-1] = (0x8769, 4, 1, long_(exif_at))
    ifd1_at = exif_at + size(exif_entries)
    thumb_at = ifd1_at + 2 + 12 * 2 + 4
    ifd1 = [(0x0201, 4, 1, long_(thumb_at)), (0x0202, 4, 1, long_(len(thumbnail)))]
    block = (b"II" if order == "<" else b"MM") + struct.pack(order + "HI", 42, 8)
    block += directory(ifd0, 8, ifd1_at) + directory(exif_entries, exif_at, 0)
    block += directory(ifd1, ifd1_at, 0) + thumbnail
    return block, {"ifd0": 8, "make": 8 + 2 + 12, "exif_pointer": 8 + 2 + 12 * 4, "ifd1_link": 8 + 2 + 12 * 5}


def with_exif(jpeg, block):
    payload = b"Exif\0\0" + block
    return jpeg[:2] + b"\xff\xe1" + struct.pack(">H", len(payload) + 2) + payload + jpeg[2:]


def make_exif():
    """JPEG files whose EXIF block says orientation 6 but does not hold together: the block is
    dropped, so each opens exactly as the file without it. Also the fuzz target's seeds."""
    good = corpus("jpeg/base.bin")[1:]
    block, at = exif_block()
    damaged = {
        "ifd-offset-past-end": patch(block, 4, "<I", len(block) + 10),
        "directory-loop": patch(block, at["ifd1_link"], "<I", 8),
        "entry-count-huge": patch(block, at["ifd0"], "<H", 0xFFFF),
        "value-past-end": patch(block, at["make"] + 8, "<I", 0xFFFFFFF0),
        "subdirectory-loop": patch(block, at["exif_pointer"] + 8, "<I", 8),
        "truncated": block[:len(block) // 2],
        "unknown-type": patch(block, at["make"] + 2, "<H", 0x55),
        "byte-order": b"XX" + block[2:],
    }
    for name, bad in damaged.items():
        write("jpeg-exif-" + name + ".jpg", with_exif(good, bad), "same jpeg-intact.jpg")
    # Intact blocks: the fuzz target's seeds and the EXIF tests' inputs.
    for folder in (os.path.join(CORPUS, "exif"), os.path.join(ROOT, "tests", "data", "exif")):
        os.makedirs(folder, exist_ok=True)
        for name, data in [("intel.bin", block), ("motorola.bin", exif_block(">")[0]),
                           ("no-thumbnail.bin", exif_block(thumbnail=b"")[0])]:
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


# --- JPEG 2000 -----------------------------------------------------------------------------

def make_jpeg2k():
    good = corpus("jpeg2k/rgb.jp2")
    write("jp2-intact.jp2", good, None)
    write("jp2-truncated-boxes.jp2", good[:40], "fail")
    write("jp2-bitflip-signature.jp2", flip(good, 4, 0), "fail")
    stream = corpus("jpeg2k/grey_offset.j2k")
    siz = stream.index(b"\xff\x51")
    write("j2k-truncated-main-header.j2k", stream[:siz + 20], "fail")
    write("j2k-bitflip-soc.j2k", flip(stream, 1, 0), "fail")
    # Image offsets beyond the image's right edge: an empty image area.
    write("j2k-lying-siz-offset.j2k", patch(stream, siz + 14, ">I", 0x7FFFFFF0), "fail")
    write("j2k-lying-siz-components.j2k", patch(stream, siz + 38, ">H", 0), "fail")


# --- WebP ----------------------------------------------------------------------------------

def riff(chunks):
    body = b"WEBP" + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def make_webp():
    good = corpus("webp/lossy.webp")
    write("webp-intact.webp", good, None)
    write("webp-truncated-header.webp", good[:14], "fail")
    write("webp-truncated-data.webp", good[:len(good) * 2 // 3], "fail")
    write("webp-bitflip-signature.webp", flip(good, 8, 0), "fail")  # WEBP -> VEBP
    write("webp-lying-riff-size.webp", patch(good, 4, "<I", 0x7FFFFFF0), "fail")
    # An extended header announcing a 65500 x 65500 canvas over a small lossless picture.
    lossless = corpus("webp/lossless.webp")[12:]
    vp8x = b"VP8X" + struct.pack("<I", 10) + bytes(4) + (65499).to_bytes(3, "little") * 2
    write("webp-lying-canvas-size.webp", riff([vp8x, lossless]), "fail")
    write("webp-trailing-garbage.webp", good + b"trailing bytes after the RIFF chunk", "same webp-intact.webp")


# --- TIFF ----------------------------------------------------------------------------------

def tiff(width, height, bits, samples, photometric, strips, rows_per_strip, colormap=None, offsets=None,
         counts=None):
    """A little-endian TIFF with its directory first and the given strips after it."""
    entries = [(256, 4, width), (257, 4, height), (258, 3, bits), (259, 3, 1), (262, 3, photometric),
               (273, 4, None), (277, 3, samples), (278, 4, rows_per_strip), (279, 4, None),
               (284, 3, 1)]
    if colormap is not None:
        entries.append((320, 3, None))
    ifd_size = 2 + 12 * len(entries) + 4
    extra = 8 + ifd_size
    arrays = {}
    if len(strips) > 1:
        arrays[273] = extra
        extra += 4 * len(strips)
        arrays[279] = extra
        extra += 4 * len(strips)
    if colormap is not None:
        arrays[320] = extra
        extra += 2 * len(colormap)
    data_offsets, pos = [], extra
    for s in strips:
        data_offsets.append(pos)
        pos += len(s)
    offsets = offsets or data_offsets
    counts = counts or [len(s) for s in strips]
    out = b"II*\x00" + struct.pack("<I", 8) + struct.pack("<H", len(entries))
    for tag, kind, value in entries:
        count = 1
        if tag in (273, 279):
            count = len(strips)
            value = arrays.get(tag, offsets[0] if tag == 273 else counts[0])
        elif tag == 320:
            count, value = len(colormap), arrays[320]
        fmt = "<HHII" if kind == 4 or count > 1 or tag == 320 else "<HHIHH"
        out += struct.pack(fmt, tag, kind if tag not in (273, 279) else 4, count, *(
            (value,) if fmt == "<HHII" else (value, 0)))
    out += struct.pack("<I", 0)
    if len(strips) > 1:
        out += struct.pack(f"<{len(strips)}I", *offsets) + struct.pack(f"<{len(strips)}I", *counts)
    if colormap is not None:
        out += struct.pack(f"<{len(colormap)}H", *colormap)
    return out + b"".join(strips)


def make_tiff():
    rows = [bytes((x * 40 + y * 9) & 255 for x in range(8 * 3)) for y in range(4)]
    strips = [rows[0] + rows[1], rows[2] + rows[3]]
    good = tiff(8, 4, 8, 3, 2, strips, 2)
    write("tiff-intact.tif", good, None)
    write("tiff-truncated-header.tif", good[:6], "fail")
    write("tiff-truncated-strip.tif", good[:-20], "fail")
    write("tiff-bitflip-signature.tif", flip(good, 0, 1), "fail")  # II -> KI
    write("tiff-lying-strip-offset.tif", tiff(8, 4, 8, 3, 2, strips, 2, offsets=[len(good) + 4096, 0]), "fail")
    write("tiff-lying-bits-per-sample.tif", tiff(8, 4, 3, 3, 2, strips, 2), "fail")
    # A 1-bit palette picture of 65500 x 65500 (512 MiB of pixels) in a 100-byte strip.
    colormap = [0, 65535] * 3
    write("tiff-lying-size.tif", tiff(65500, 65500, 1, 1, 3, [bytes(100)], 65500, colormap=colormap), "fail")
    write("tiff-trailing-garbage.tif", good + b"trailing bytes after the last strip", "same tiff-intact.tif")
    # A JPEG-compressed page (16 x 400, strips of 16 rows) whose first strip claims 60000 rows: the
    # preview decodes its strips itself, and neither it nor libtiff may take the claim.
    tall = bytearray(corpus("tiff/ycbcr-jpeg-tall.tif"))
    sof = tall.index(b"\xff\xc0")
    tall[sof + 5:sof + 7] = struct.pack(">H", 60000)
    write("tiff-jpeg-lying-strip-height.tif", bytes(tall), "fail")


# --- HEIC and AVIF -------------------------------------------------------------------------

def lying_ispe(data, width, height):
    """Every spatial-extent property (of the image and of its tiles) claiming another size."""
    at = data.find(b"ispe")
    while at >= 0:
        at += 8  # after the type, version and flags
        data = data[:at] + struct.pack(">II", width, height) + data[at + 8:]
        at = data.find(b"ispe", at)
    return data


def make_heif():
    for ext, name in (("heic", "heif/rgb.heic"), ("avif", "heif/rgb.avif")):
        good = corpus(name)
        write(f"{ext}-intact.{ext}", good, None)
        write(f"{ext}-truncated-header.{ext}", good[:20], "fail")
        write(f"{ext}-truncated-data.{ext}", good[:len(good) - 200], "fail")
        write(f"{ext}-bitflip-ftyp.{ext}", flip(good, 4, 0), "fail")  # ftyp -> gtyp
        write(f"{ext}-lying-ispe-size.{ext}", lying_ispe(good, 65500, 65500), "fail")
    # The primary image of rgb.heic is a grid of one tile: its data (in idat: version, flags, rows
    # and columns minus one, 16-bit output width and height) claims 64766 x 6673 while its ispe
    # says 29 x 17. libheif allocates the grid's output before the decoded size is checked.
    good = bytearray(corpus("heif/rgb.heic"))
    grid = good.index(b"idat") + 4
    good[grid + 4:grid + 8] = struct.pack(">HH", 64766, 6673)
    write("heic-lying-grid-size.heic", bytes(good), "fail")


# --- Palette files -------------------------------------------------------------------------

def make_palette():
    good = corpus("palette_file/std16.pal")
    write("pal-intact.pal", good, None)
    lines = good.split(b"\r\n") if b"\r\n" in good else good.split(b"\n")
    write("pal-truncated.pal", good[:len(good) // 2], "fail")
    # The first two lines are not checked: a damaged signature still reads.
    write("pal-bitflip-signature.pal", flip(good, 0, 1), "same pal-intact.pal")  # JASC -> HASC
    write("pal-lying-count.pal", good.replace(b"\n16", b"\n17", 1), "fail")
    write("pal-lying-huge-count.pal", good.replace(b"\n16", b"\n99999999", 1), "fail")
    write("pal-lying-zero-count.pal", good.replace(b"\n16", b"\n0", 1), "fail")
    write("pal-non-numeric.pal", good.replace(lines[4], b"128 zero 0", 1), "fail")
    # Values keep their low eight bits.
    write("pal-value-beyond-255.expected.pal", good.replace(lines[4], b"128 0 231", 1), None)
    write("pal-value-beyond-255.pal", good.replace(lines[4], b"128 0 999", 1), "same pal-value-beyond-255.expected.pal")


def main():
    os.makedirs(OUT, exist_ok=True)
    for name in os.listdir(OUT):
        os.remove(os.path.join(OUT, name))
    make_bmp()
    make_png()
    make_gif()
    make_jpeg()
    make_exif()
    make_jpeg2k()
    make_webp()
    make_tiff()
    make_heif()
    make_palette()
    with open(os.path.join(OUT, "EXPECTED"), "w") as f:
        f.write("\n".join(expected) + "\n")
    print(f"{len(expected)} files in {os.path.relpath(OUT)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
