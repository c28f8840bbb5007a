#!/usr/bin/env python3
"""Writes the small seed inputs of every harness into fuzz/corpus/<harness>/.

The pictures are made here from first principles (tiny encoders for each
format), so that no picture comes from anywhere else. Run again after a
change; the files are committed.
"""
import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


def put(harness, name, data):
    folder = os.path.join(ROOT, harness)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("utf-8")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def pixels(w, h):
    return [[((x * 255) // max(w - 1, 1), (y * 255) // max(h - 1, 1), 96) for x in range(w)] for y in range(h)]


# ---- BMP ----

def bmp(w, h, bpp, compression=0, top_down=False, palette=None, body=None, masks=None, header=40):
    rows = pixels(w, h)
    if body is None:
        stride = ((w * bpp + 31) // 32) * 4
        body = b""
        order = range(h) if top_down else range(h - 1, -1, -1)
        for y in order:
            row = bytearray()
            if bpp == 24:
                for r, g, b in rows[y]:
                    row += bytes((b, g, r))
            elif bpp == 32:
                for r, g, b in rows[y]:
                    row += bytes((b, g, r, 0))
            elif bpp == 16:
                for r, g, b in rows[y]:
                    row += struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3))
            elif bpp == 8:
                row += bytes((x * 7 + y) & 0xFF for x in range(w))
            elif bpp == 4:
                for x in range(0, w, 2):
                    row.append(((x + y) & 15) << 4 | ((x + y + 1) & 15))
            elif bpp == 1:
                for x in range(0, w, 8):
                    row.append(0xAA if y & 1 else 0x55)
            body += bytes(row) + b"\0" * (stride - len(row))
    if palette is None and bpp <= 8:
        palette = b"".join(bytes((i * 3 & 255, i * 5 & 255, i * 7 & 255, 0)) for i in range(1 << bpp))
    palette = palette or b""
    extra = struct.pack("<3I", *masks) if masks else b""
    if header == 12:
        info = struct.pack("<IHHHH", 12, w, h, 1, bpp)
        palette = b"".join(palette[i:i + 3] for i in range(0, len(palette), 4))
    else:
        info = struct.pack("<IiiHHIIiiII", 40, w, -h if top_down else h, 1, bpp, compression, len(body),
                           3780, 3780, 0, 0)
    offset = 14 + len(info) + len(extra) + len(palette)
    return b"BM" + struct.pack("<IHHI", offset + len(body), 0, 0, offset) + info + extra + palette + body


def write_bmps():
    put("bmp_picture", "rgb24.bmp", bmp(5, 3, 24))
    put("bmp_picture", "top_down32.bmp", bmp(4, 2, 32, top_down=True))
    put("bmp_picture", "rgb16.bmp", bmp(3, 3, 16))
    put("bmp_picture", "bitfields16.bmp", bmp(3, 2, 16, compression=3, masks=(0xF800, 0x07E0, 0x001F)))
    put("bmp_picture", "palette8.bmp", bmp(6, 4, 8))
    put("bmp_picture", "palette4.bmp", bmp(5, 2, 4))
    put("bmp_picture", "mono1.bmp", bmp(9, 2, 1))
    put("bmp_picture", "core12.bmp", bmp(4, 2, 8, header=12))
    # Runs, literals, end of line, a move and the end of the picture.
    rle8 = bytes((3, 1, 0, 3, 2, 4, 5, 0, 0, 0, 2, 1, 0, 2, 7, 0, 1))
    put("bmp_picture", "rle8.bmp", bmp(6, 3, 8, compression=1, body=rle8))
    rle4 = bytes((4, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 0, 2, 0x66, 0, 1))
    put("bmp_picture", "rle4.bmp", bmp(5, 2, 4, compression=2, body=rle4))


# ---- PNG ----

def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def png(w, h, color_type, depth=8, interlace=0, plte=None, trns=None):
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[color_type]
    # Adam7 passes for interlaced pictures, one pass for the others.
    passes = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]
    raw = b""
    for x0, y0, dx, dy in (passes if interlace else [(0, 0, 1, 1)]):
        for y in range(y0, h, dy):
            row = bytearray()
            for x in range(x0, w, dx):
                for c in range(channels):
                    v = (x * 40 + y * 70 + c * 90) & 0xFF
                    if color_type == 3:
                        v = (x + y) % 4
                    row += bytes((v, v)) if depth == 16 else bytes((v,))
            if row:
                raw += b"\0" + bytes(row)
    out = b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, depth, color_type, 0, 0, interlace))
    if plte:
        out += png_chunk(b"PLTE", plte)
    if trns:
        out += png_chunk(b"tRNS", trns)
    return out + png_chunk(b"IDAT", zlib.compress(raw)) + png_chunk(b"IEND", b"")


def write_pngs():
    put("png_picture", "rgb.png", png(4, 3, 2))
    put("png_picture", "rgba.png", png(3, 2, 6))
    put("png_picture", "grey_alpha.png", png(2, 2, 4))
    put("png_picture", "grey16.png", png(3, 2, 0, depth=16))
    put("png_picture", "palette.png", png(4, 4, 3, plte=bytes(range(12)), trns=b"\x00\x80"))
    put("png_picture", "interlaced.png", png(5, 5, 2, interlace=1))


# ---- GIF ----

def lzw_codes(indices, min_size):
    """Codes that never grow the table: a clear code before the width would change."""
    clear, end = 1 << min_size, (1 << min_size) + 1
    codes, since_clear = [clear], 0
    for i in indices:
        if since_clear == (1 << min_size) - 2:
            codes.append(clear)
            since_clear = 0
        codes.append(i)
        since_clear += 1
    codes.append(end)
    width, acc, bits, out = min_size + 1, 0, 0, bytearray()
    for c in codes:
        acc |= c << bits
        bits += width
        while bits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            bits -= 8
    if bits:
        out.append(acc & 0xFF)
    blocks = b""
    for i in range(0, len(out), 255):
        part = bytes(out[i:i + 255])
        blocks += bytes((len(part),)) + part
    return bytes((min_size,)) + blocks + b"\0"


def gif(w, h, frame=None, local_map=False, transparent=None, version=b"89a", frames=1):
    colors = b"".join(bytes((i * 60 & 255, i * 100 & 255, 255 - i * 30 & 255)) for i in range(4))
    out = b"GIF" + version + struct.pack("<HHBBB", w, h, 0x80 if not local_map else 0x00 | 0x01, 0, 0)
    if not local_map:
        out = out[:-3] + bytes((0x81, 0, 0))
        out += colors
    left, top, fw, fh = frame or (0, 0, w, h)
    for n in range(frames):
        if transparent is not None:
            out += b"\x21\xF9\x04\x01\x00\x00" + bytes((transparent,)) + b"\x00"
        out += b"," + struct.pack("<HHHHB", left, top, fw, fh, 0x81 if local_map else 0)
        if local_map:
            out += colors
        out += lzw_codes([(x + y + n) % 4 for y in range(fh) for x in range(fw)], 2)
    return out + b";"


def write_gifs():
    put("gif_picture", "plain.gif", gif(4, 3))
    put("gif_picture", "gif87a.gif", gif(3, 3, version=b"87a"))
    put("gif_picture", "local_map.gif", gif(3, 2, local_map=True))
    put("gif_picture", "offset_frame.gif", gif(6, 5, frame=(2, 1, 3, 2)))
    put("gif_picture", "transparent.gif", gif(4, 4, transparent=1))
    put("gif_picture", "two_frames.gif", gif(3, 3, frames=2))


# ---- JPEG (baseline, Huffman tables of the standard's annex) ----

ZIGZAG = [0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5, 12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6, 7,
          14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46,
          53, 60, 61, 54, 47, 55, 62, 63]
DC_BITS = [0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0]
DC_VALS = list(range(12))
AC_BITS = [0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D]
AC_VALS = bytes.fromhex(
    "01020300041105122131410613516107227114328191a1082342b1c11552d1f02433627282090a161718191a25262728292a3435363738"
    "393a434445464748494a535455565758595a636465666768696a737475767778797a838485868788898a92939495969798999aa2a3a4a5"
    "a6a7a8a9aab2b3b4b5b6b7b8b9bac2c3c4c5c6c7c8c9cad2d3d4d5d6d7d8d9dae1e2e3e4e5e6e7e8e9eaf1f2f3f4f5f6f7f8f9fa")


def huffman_codes(bits, vals):
    codes, code, k = {}, 0, 0
    for length in range(1, 17):
        for _ in range(bits[length - 1]):
            codes[vals[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return codes


class BitWriter:
    def __init__(self):
        self.acc, self.n, self.out = 0, 0, bytearray()

    def put(self, value, length):
        for i in range(length - 1, -1, -1):
            self.acc = self.acc << 1 | (value >> i) & 1
            self.n += 1
            if self.n == 8:
                self.out.append(self.acc)
                if self.acc == 0xFF:
                    self.out.append(0)
                self.acc, self.n = 0, 0

    def flush(self):
        while self.n:
            self.put(1, 1)
        return bytes(self.out)


def category(v):
    return 0 if v == 0 else abs(v).bit_length()


def amplitude(v, size):
    return v if v >= 0 else v + (1 << size) - 1


def jpeg(w, h, grey=False, quality_table=None):
    q = quality_table or [max(1, min(255, 8 + (i // 8 + i % 8) * 3)) for i in range(64)]
    dc, ac = huffman_codes(DC_BITS, DC_VALS), huffman_codes(AC_BITS, AC_VALS)
    rows = pixels(w, h)
    comps = 1 if grey else 3

    def sample(x, y, c):
        r, g, b = rows[min(y, h - 1)][min(x, w - 1)]
        if grey or c == 0:
            return 0.299 * r + 0.587 * g + 0.114 * b
        if c == 1:
            return -0.1687 * r - 0.3313 * g + 0.5 * b + 128
        return 0.5 * r - 0.4187 * g - 0.0813 * b + 128

    bw, pred = BitWriter(), [0] * comps
    for by in range(0, h, 8):
        for bx in range(0, w, 8):
            for c in range(comps):
                block = [sample(bx + i % 8, by + i // 8, c) - 128 for i in range(64)]
                coef = []
                for v in range(8):
                    for u in range(8):
                        s = sum(block[y * 8 + x] * math.cos((2 * x + 1) * u * math.pi / 16) *
                                math.cos((2 * y + 1) * v * math.pi / 16) for y in range(8) for x in range(8))
                        cu = 1 / math.sqrt(2) if u == 0 else 1
                        cv = 1 / math.sqrt(2) if v == 0 else 1
                        coef.append(s * cu * cv / 4)
                zz = [int(round(coef[ZIGZAG[i]] / q[i])) for i in range(64)]
                diff = zz[0] - pred[c]
                pred[c] = zz[0]
                size = category(diff)
                bw.put(*dc[size])
                if size:
                    bw.put(amplitude(diff, size), size)
                run = 0
                for i in range(1, 64):
                    if zz[i] == 0:
                        run += 1
                        continue
                    while run > 15:
                        bw.put(*ac[0xF0])
                        run -= 16
                    size = category(zz[i])
                    bw.put(*ac[run << 4 | size])
                    bw.put(amplitude(zz[i], size), size)
                    run = 0
                if run:
                    bw.put(*ac[0x00])
    scan = bw.flush()

    def segment(marker, data):
        return b"\xFF" + bytes((marker,)) + struct.pack(">H", len(data) + 2) + data

    out = b"\xFF\xD8" + segment(0xE0, b"JFIF\0\x01\x01\0\0\x01\0\x01\0\0")
    out += segment(0xDB, b"\0" + bytes(q))
    sof = struct.pack(">BHHB", 8, h, w, comps) + b"".join(bytes((c + 1, 0x11, 0)) for c in range(comps))
    out += segment(0xC0, sof)
    out += segment(0xC4, b"\x00" + bytes(DC_BITS) + bytes(DC_VALS))
    out += segment(0xC4, b"\x10" + bytes(AC_BITS) + AC_VALS)
    sos = bytes((comps,)) + b"".join(bytes((c + 1, 0)) for c in range(comps)) + b"\x00\x3F\x00"
    return out + segment(0xDA, sos) + scan + b"\xFF\xD9"


def write_jpegs():
    put("jpeg_picture", "colour.jpg", jpeg(8, 8))
    put("jpeg_picture", "grey.jpg", jpeg(16, 8, grey=True))
    put("jpeg_picture", "odd_size.jpg", jpeg(10, 5))


# ---- Text inputs ----

def cp932(text):
    return text.encode("cp932")


def write_texts():
    put("settings_file", "defaults.pkc", "")
    put("settings_file", "gradient.pkc", cp932(
        "[Size]\r\nindex=2\r\nWidth=\r\nHeight=\r\n[BackGround]\r\nPattern=2\r\nColor1=FF0000\r\nColor2=00FF00\r\n"
        "Color3=FFFFFF\r\nDirection=1\r\nImageFile=\r\nClipX=0\r\nClipy=0\r\nButtonize=True\r\n[Title]\r\n"
        "String=バナー\r\nFontName=IPAGothic\r\nFontBold=True\r\nFontItalic=False\r\nLocation=4\r\nPattern=1\r\n"
        "Color1=000000\r\nColor2=FFFFFF\r\nColor3=FFFFFF\r\nDirection=2\r\nShadow=True\r\nOffset=2\r\n"
        "ShadowColor=808080\r\n"))
    put("settings_file", "picture.pkc", cp932(
        "[Size]\r\nindex=6\r\nWidth=60\r\nHeight=30\r\n[BackGround]\r\nPattern=3\r\nImageFile=a.bmp\r\nClipX=4\r\n"
        "Clipy=2\r\n[Title]\r\nString=見出し\r\nLocation=0\r\nPattern=0\r\n"))
    put("settings_file", "png_picture.pkc", cp932(
        "[Size]\r\nindex=0\r\n[BackGround]\r\nPattern=3\r\nImageFile=b.png\r\nClipX=-3\r\nClipy=9\r\n"
        "Buttonize=False\r\n[Title]\r\nString=Plakato\r\nShadow=True\r\nOffset=10\r\n"))
    put("settings_file", "utf8_mark.pkc", b"\xef\xbb\xbf" + (
        "[Size]\r\nindex=1\r\n[BackGround]\r\nPattern=3\r\nImageFile=café.png\r\n[Title]\r\n"
        "String=Café ü\r\nShadow=True\r\nShadowDirection=6\r\n").encode("utf-8"))
    put("settings_file", "utf8_plain.pkc", (
        "[Size]\r\nindex=3\r\n[Title]\r\nString=ようこそ\r\nShadow=1\r\nShadowDirection=3\r\n").encode("utf-8"))
    put("settings_file", "no_sections.pkc", b"\x89PNG\r\n\x1a\nnot a settings file\x00\xff")
    put("font_face_names", "aliases.conf", (
        "<fontconfig><match target=\"pattern\"><test name=\"family\" qual=\"any\"><string>ＭＳ 明朝</string>"
        "</test><edit name=\"family\" mode=\"assign\"><string>IPAMincho</string></edit></match>"
        "<match><test name=\"family\"><string>x</string></match></fontconfig>").encode("utf-8"))

    put("private_profile", "plain.ini", "[Section]\r\nKey=Value\r\nOther = \"quoted\" \r\n\r\n[Second]\r\nA=1\r\n")
    put("private_profile", "odd.ini", "; comment\n=orphan\n[ Spaced ]\nkey\n[Unclosed\nx='y'\n[Spaced]\nKEY=again")
    put("private_profile", "japanese.ini", cp932("[設定]\r\n名前=値\r\n[Fuzz]\r\nFuzzKey=old\r\n"))

    put("setup_script", "setup.dat", cp932(
        "[Define]\r\nApplication=kestro Setup 1.00\r\nName=メーカー\r\nVersion=1.0\r\n"
        "[Install]\r\nSize=123456\r\n[Outline]\r\nCount=2\r\nText1=はじめに\r\nText2=\"quoted\"\r\n"
        "[File]\r\nCount=2\r\nNewFile1=a.exe\r\nNewFile2=b.dll\r\nColor1=$FF00\r\n"
        "[Uninstall]\r\nKeyName=Maker\r\n"))
    put("setup_script", "cleanup.dat", "[Define]\r\nApplication=kestro Setup 0.9\r\n[Licence]\r\nCount=-3\r\n"
                                       "Text1=x\r\n[UnOutline]\r\nCount=$7FFFFFFF\r\nText2=y\r\n")

    head = "Windows Registry Editor Version 5.00\r\n\r\n"
    put("registry_text", "values.reg", head +
        "[HKEY_CURRENT_USER\\Software\\Maker]\r\n@=\"C:\\\\Program Files\\\\\\\"Maker\\\"\"\r\n"
        "\"Count\"=dword:0000002a\r\n\"Bin\"=hex:01,ab\r\n\"E\"=hex(2):41,00,00,00\r\n"
        "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,\\\r\n  00,00\r\n\r\n[HKLM\\Software\\Classes\\.pkc]\r\n@=\"x\"\r\n")
    put("registry_text", "deletes.reg", head +
        "; removal\r\n[-HKEY_CURRENT_USER\\Software\\Old]\r\n[HKCU\\Software\\Keep]\r\n\"gone\"=-\r\n"
        "\"q\"=hex(b):01,00,00,00,00,00,00,00\r\n")
    put("registry_text", "regedit4.reg", b"REGEDIT4\r\n\r\n[HKEY_USERS\\.DEFAULT\\X]\r\n\"n\"=\"" +
        cp932("日本語") + b"\"\r\n")
    put("registry_text", "utf16.reg", b"\xff\xfe" + (head + "[HKEY_CURRENT_CONFIG\\A\\B]\r\n\"t\"=\"u\"\r\n")
        .encode("utf-16-le"))

    for name, text in [("plain", "\0C:\\Program Files\\Maker\\app.exe"), ("wild", "\x01c:/windows/*.ini"),
                       ("dots", "\0C:\\a\\..\\..\\b. .\\.\\c"), ("macro", "\0<Program>\\Maker\\<Setup>x"),
                       ("shortcut", "\x01<SSetup>\\Maker.lnk"), ("text", "\0\"<Windows>\\notepad.exe\" <Setup>readme"),
                       ("drive_d", "\0D:\\data\\ファイル.txt"), ("unc", "\0\\\\server\\share\\x")]:
        put("windows_path", name, text)

    put("cp932", "japanese", cp932("日本語のテキスト、ｶﾀｶﾅ①ⅰ"))
    put("cp932", "mixed", b"abc\x82\xa0\x81\x5c\xfc\xfc\x80\xa0\xfd\x82")
    put("cp932", "utf8", "漢字 ∑ é\U0001F600")


if __name__ == "__main__":
    write_bmps()
    write_pngs()
    write_gifs()
    write_jpegs()
    write_texts()
