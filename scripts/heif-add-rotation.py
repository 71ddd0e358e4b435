#!/usr/bin/env python3
"""Adds a rotation property (irot, in quarter turns anticlockwise) to the primary image of a HEIF
file written by heif-enc, which has no option for it: tests/data/heif/rot90.heic is
`heif-add-rotation.py rgb.heic rot90.heic 1`. Usage: heif-add-rotation.py IN OUT QUARTER_TURNS"""
import struct, sys
d = bytearray(open(sys.argv[1], 'rb').read())
angle = int(sys.argv[3])  # irot units of 90 degrees anticlockwise

def boxes(start, end):
    pos = start
    while pos + 8 <= end:
        size, kind = struct.unpack_from('>I4s', d, pos)
        yield pos, size, kind.decode('latin1')
        pos += size

top = {k: (p, s) for p, s, k in boxes(0, len(d))}
meta_pos, meta_size = top['meta']
inner = {k: (p, s) for p, s, k in boxes(meta_pos + 12, meta_pos + meta_size)}
iprp_pos, iprp_size = inner['iprp']
sub = {k: (p, s) for p, s, k in boxes(iprp_pos + 8, iprp_pos + iprp_size)}
ipco_pos, ipco_size = sub['ipco']
ipma_pos, ipma_size = sub['ipma']
props = list(boxes(ipco_pos + 8, ipco_pos + ipco_size))
irot_index = len(props) + 1
primary = struct.unpack_from('>H', d, inner['pitm'][0] + 12)[0]
# ipma version 0, flags 0: item IDs of 16 bits, one-byte associations
assert d[ipma_pos + 8] == 0 and d[ipma_pos + 11] & 1 == 0
pos = ipma_pos + 16
count = struct.unpack_from('>I', d, ipma_pos + 12)[0]
insert_at = None
for _ in range(count):
    item, n = struct.unpack_from('>HB', d, pos)
    if item == primary:
        d[pos + 2] = n + 1
        insert_at = pos + 3 + n
    pos += 3 + n
assert insert_at is not None
irot = struct.pack('>I4sB', 9, b'irot', angle)
# the association first (it lies after ipco), then the property at ipco's end
d[insert_at:insert_at] = bytes([0x80 | irot_index])
d[ipco_pos + ipco_size:ipco_pos + ipco_size] = irot
added = 10
for pos_, delta in ((ipco_pos, 9), (ipma_pos + 9, 1), (iprp_pos, added), (meta_pos, added)):
    struct.pack_into('>I', d, pos_, struct.unpack_from('>I', d, pos_)[0] + delta)
# iloc offsets into the file move with the mdat behind meta
iloc = inner['iloc'][0]
version = d[iloc + 8]
off_size, len_size = d[iloc + 12] >> 4, d[iloc + 12] & 15
base_size, idx_size = d[iloc + 13] >> 4, d[iloc + 13] & 15
pos = iloc + 14
items = struct.unpack_from('>H', d, pos)[0]; pos += 2
def read(n, at):
    return int.from_bytes(d[at:at + n], 'big') if n else 0
def write(n, at, v):
    d[at:at + n] = v.to_bytes(n, 'big')
for _ in range(items):
    pos += 2
    method = 0
    if version in (1, 2):
        method = struct.unpack_from('>H', d, pos)[0] & 15; pos += 2
    pos += 2
    base = read(base_size, pos)
    if method == 0 and base_size:
        write(base_size, pos, base + added)
    pos += base_size
    extents = struct.unpack_from('>H', d, pos)[0]; pos += 2
    for _ in range(extents):
        pos += idx_size if version in (1, 2) else 0
        if method == 0 and not base_size:
            write(off_size, pos, read(off_size, pos) + added)
        pos += off_size + len_size
open(sys.argv[2], 'wb').write(d)
