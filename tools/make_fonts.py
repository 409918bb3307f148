#!/usr/bin/env python3
"""Builds the four MK preview fonts from a PSF console font and writes them as C++ data.

The text fonts (8x16 and 16x32, 160 glyphs) hold code page 1251 characters 32..127 and
192..255; the digit fonts (32x64 and 40x80, 20 glyphs) hold a blank, "+-.:", the digits and
"TDNPR". Everything is made from one 8x16 face: the 16x32 face doubles it (keeping the
top 24 rows for the strokes), the digit faces stretch its digits, smoothed, to fill their
taller cells.

Usage: make_fonts.py [--source FONT.psf.gz] [--output src/core/model/MKFontData.cpp]
"""

import argparse
import gzip
import os
import struct
import sys

# Debian's console-setup-linux package installs it.
DEFAULT_SOURCE = "/usr/share/consolefonts/Uni2-VGA16.psf.gz"
DEFAULT_OUTPUT = os.path.join(os.path.dirname(__file__), "..", "src", "core", "model",
                              "MKFontData.cpp")

# Glyph order of the digit fonts; glyph 0 is the blank every other character maps to.
DIGIT_CHARS = " +-.:0123456789TDNPR"


def load_psf(path):
    """Returns (width, height, glyph bit rows, unicode -> glyph index)."""
    data = gzip.open(path).read()
    if data[:2] == b"\x36\x04":
        mode, height = data[2], data[3]
        count, width, offset, size = (512 if mode & 1 else 256), 8, 4, data[3]
        table = data[offset + count * size:]
        mapping = {}
        if mode & 2:
            glyph, i, in_sequence = 0, 0, False
            while i + 1 < len(table) and glyph < count:
                value = table[i] | table[i + 1] << 8
                i += 2
                if value == 0xFFFF:
                    glyph, in_sequence = glyph + 1, False
                elif value == 0xFFFE:
                    in_sequence = True
                elif not in_sequence:
                    mapping.setdefault(value, glyph)
    elif data[:4] == b"\x72\xb5\x4a\x86":
        _, _, offset, flags, count, size, height, width = struct.unpack("<8I", data[:32])
        table = data[offset + count * size:]
        mapping = {}
        if flags & 1:
            glyph = 0
            for entry in table.split(b"\xff")[:count]:
                for ch in entry.split(b"\xfe")[0].decode("utf-8"):
                    mapping.setdefault(ord(ch), glyph)
                glyph += 1
    else:
        sys.exit("%s: not a PSF font" % path)
    row_bytes = (width + 7) // 8
    glyphs = []
    for g in range(count):
        raw = data[offset + g * size:offset + (g + 1) * size]
        glyphs.append([[raw[r * row_bytes + c // 8] >> (7 - c % 8) & 1 for c in range(width)]
                       for r in range(height)])
    return width, height, glyphs, mapping


def blank(width, height):
    return [[0] * width for _ in range(height)]


def large_text(bitmap):
    """Doubles an 8x16 glyph into 16x32 with every stroke in the top 24 rows: the MK writes
    a second text line 24 rows below the first on its four-value screens, so the rows
    below would be painted over. The accent rows 0 and 1 merge, the letter rows 2..11 are
    doubled, the descender rows 12..14 stay single."""
    accent = [a | b for a, b in zip(bitmap[0], bitmap[1])]
    rows = [accent] + [line for line in bitmap[2:12] for _ in range(2)] + bitmap[12:15]
    rows += [[0] * 8 for _ in range(32 - len(rows))]
    return [[bit for bit in line for _ in range(2)] for line in rows]


def scale2x(bitmap):
    """Doubles a bitmap, rounding off the staircase of diagonal strokes (EPX)."""
    height, width = len(bitmap), len(bitmap[0])

    def at(r, c):
        return bitmap[r][c] if 0 <= r < height and 0 <= c < width else 0

    out = blank(width * 2, height * 2)
    for r in range(height):
        for c in range(width):
            p, a, b, cc, d = at(r, c), at(r - 1, c), at(r, c + 1), at(r, c - 1), at(r + 1, c)
            e1 = a if cc == a and cc != d and a != b else p
            e2 = b if a == b and a != cc and b != d else p
            e3 = cc if d == cc and d != b and cc != a else p
            e4 = d if b == d and b != a and d != cc else p
            out[2 * r][2 * c], out[2 * r][2 * c + 1] = e1, e2
            out[2 * r + 1][2 * c], out[2 * r + 1][2 * c + 1] = e3, e4
    return out


def resample(bitmap, box, width, height, target):
    """Stretches the part `box` (left, top, right, bottom; exclusive) of a bitmap onto the
    rectangle `target` of a width x height cell: bilinear weights, cut at one half."""
    left, top, right, bottom = box
    t_left, t_top, t_right, t_bottom = target
    src_h, src_w = len(bitmap), len(bitmap[0])

    def at(r, c):
        return bitmap[r][c] if 0 <= r < src_h and 0 <= c < src_w else 0

    out = blank(width, height)
    for y in range(t_top, t_bottom):
        sy = top + (y - t_top + 0.5) * (bottom - top) / (t_bottom - t_top) - 0.5
        r0 = int(sy // 1)
        fy = sy - r0
        for x in range(t_left, t_right):
            sx = left + (x - t_left + 0.5) * (right - left) / (t_right - t_left) - 0.5
            c0 = int(sx // 1)
            fx = sx - c0
            value = (at(r0, c0) * (1 - fx) * (1 - fy) + at(r0, c0 + 1) * fx * (1 - fy) +
                     at(r0 + 1, c0) * (1 - fx) * fy + at(r0 + 1, c0 + 1) * fx * fy)
            out[y][x] = 1 if value >= 0.5 else 0
    return out


def text_characters():
    """The character of each text-font glyph: codes 32..127, then 192..255."""
    codes = list(range(32, 128)) + list(range(192, 256))
    return [bytes([code]).decode("cp1251") for code in codes]


def source_glyph(font, ch):
    width, height, glyphs, mapping = font
    if ch == "\x7f" or ord(ch) not in mapping:
        return blank(width, height)
    return glyphs[mapping[ord(ch)]]


def ink_box(bitmaps):
    """The smallest (left, top, right, bottom) holding every set pixel of the bitmaps."""
    rows = [r for b in bitmaps for r, line in enumerate(b) if any(line)]
    cols = [c for b in bitmaps for line in b for c, bit in enumerate(line) if bit]
    return min(cols), min(rows), max(cols) + 1, max(rows) + 1


def build_fonts(font):
    width, height = font[0], font[1]
    if (width, height) != (8, 16):
        sys.exit("the source face must be 8x16, not %dx%d" % (width, height))
    texts = [source_glyph(font, ch) for ch in text_characters()]
    digits = [source_glyph(font, ch) for ch in DIGIT_CHARS]
    # Digits stretched from their common ink box, so "." and ":" keep their places.
    box = ink_box(digits[1:])
    smoothed = [scale2x(scale2x(g)) for g in digits]
    box4 = tuple(4 * v for v in box)
    return [
        ("Font8x16", 8, 16, True, texts),
        ("Font16x32", 16, 32, True, [large_text(g) for g in texts]),
        ("Font32x64", 32, 64, False,
         [resample(g, box4, 32, 64, (2, 4, 30, 60)) for g in smoothed]),
        ("Font40x80", 40, 80, False,
         [resample(g, box4, 40, 80, (2, 5, 38, 75)) for g in smoothed]),
    ]


def glyph_bytes(bitmap):
    out = []
    for line in bitmap:
        for start in range(0, len(line), 8):
            byte = 0
            for bit in line[start:start + 8]:
                byte = byte << 1 | bit
            out.append(byte)
    return out


def describe(ch):
    if ch == " ":
        return "space"
    if ch == "\x7f":
        return "127"
    return ch.replace("\\", "backslash")


def write_source(fonts, source_name, path):
    lines = [
        "// Generated by tools/make_fonts.py from the console font %s" % source_name,
        "// (licence: data/fonts/LICENSE-VGA.txt). Do not edit; run the script again.",
        "",
        '#include "model/MKFont.h"',
        "",
        "#include <cstdint>",
        "",
        "namespace {",
        "",
        "// clang-format off",
    ]
    for name, width, height, is_text, glyphs in fonts:
        chars = text_characters() if is_text else list(DIGIT_CHARS)
        size = width // 8 * height * len(glyphs)
        lines.append("constexpr uint8_t %sGlyphs[] = {" % name)
        for ch, glyph in zip(chars, glyphs):
            data = glyph_bytes(glyph)
            lines.append("    // " + describe(ch) if is_text or ch != " " else "    // blank")
            for start in range(0, len(data), 16):
                lines.append("    " + " ".join("0x%02X," % b for b in data[start:start + 16]))
        lines.append("};")
        lines.append("static_assert(sizeof(%sGlyphs) == %d);" % (name, size))
        lines.append("")
    lines.append("// clang-format on")
    lines.append("")
    lines.append("} // namespace")
    lines.append("")
    for name, width, height, is_text, glyphs in fonts:
        lines.append("const TMKFont %s{%d, %d, %d, %s, %sGlyphs};" %
                     (name, width, height, len(glyphs), "true" if is_text else "false", name))
    with open(path, "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", default=DEFAULT_SOURCE)
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    args = parser.parse_args()
    fonts = build_fonts(load_psf(args.source))
    write_source(fonts, os.path.basename(args.source), args.output)


if __name__ == "__main__":
    main()
