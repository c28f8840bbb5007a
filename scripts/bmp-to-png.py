#!/usr/bin/env python3
"""Converts a 24- or 32-bit uncompressed Windows bitmap to PNG with the
standard library only: bmp-to-png.py IN.bmp OUT.png [LEFT TOP WIDTH HEIGHT]
(the optional rectangle crops)."""
import struct
import sys
import zlib


def read_bmp(path):
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        raise SystemExit(path + ": not a bitmap")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits not in (24, 32) or compression not in (0, 3):
        raise SystemExit(path + ": only uncompressed 24- and 32-bit bitmaps")
    step = bits // 8
    stride = (width * step + 3) & ~3
    rows = []
    for y in range(abs(height)):
        source = y if height < 0 else abs(height) - 1 - y
        start = offset + source * stride
        row = data[start:start + width * step]
        rgb = bytearray()
        for x in range(width):
            b, g, r = row[x * step:x * step + 3]
            rgb += bytes((r, g, b))
        rows.append(bytes(rgb))
    return width, abs(height), rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    raw = b"".join(b"\x00" + row for row in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    width, height, rows = read_bmp(sys.argv[1])
    if len(sys.argv) == 7:
        left, top, w, h = (int(v) for v in sys.argv[3:7])
        rows = [row[left * 3:(left + w) * 3] for row in rows[top:top + h]]
        width, height = w, h
    write_png(sys.argv[2], width, height, rows)


if __name__ == "__main__":
    main()
