#!/usr/bin/env python3
"""Converts uncompressed 24- or 32-bit BMP files to PNG files beside them
(the Wine screenshots come as BMP). Usage: bmp-to-png.py FILE.bmp..."""
import struct
import sys
import zlib


def convert(path):
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        raise SystemExit(f"{path}: not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits not in (24, 32) or compression not in (0, 3):
        raise SystemExit(f"{path}: {bits}-bit BMP with compression {compression} is not supported")
    step = bits // 8
    stride = (width * step + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        source = y if height < 0 else abs(height) - 1 - y  # bottom-up unless the height is negative
        row = data[offset + source * stride: offset + source * stride + width * step]
        pixels = bytearray(width * 3)
        pixels[0::3] = row[2::step]
        pixels[1::3] = row[1::step]
        pixels[2::3] = row[0::step]
        rows.append(b"\x00" + bytes(pixels))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, abs(height), 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b"")
    target = path[:-4] + ".png"
    open(target, "wb").write(png)
    return target


for name in sys.argv[1:]:
    print(convert(name))
