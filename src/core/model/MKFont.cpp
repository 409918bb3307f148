#include "model/MKFont.h"

namespace {

// Glyph 0 of a digit font is blank; every character without a glyph of its own shows it.
int DigitGlyph(unsigned char ch) {
    if (ch >= '0' && ch <= '9')
        return 5 + (ch - '0');
    switch (ch) {
    case '+':
        return 1;
    case '-':
        return 2;
    case '.':
        return 3;
    case ':':
        return 4;
    case 'T':
        return 15;
    case 'D':
        return 16;
    case 'N':
        return 17;
    case 'P':
        return 18;
    case 'R':
        return 19;
    default:
        return 0;
    }
}

// Text fonts hold codes 32..127 and the Cyrillic letters 192..255.
int TextGlyph(unsigned char ch) {
    if (ch >= 32 && ch < 128)
        return ch - 32;
    if (ch >= 192)
        return ch - 96;
    return -1;
}

} // namespace

int MKGlyphIndex(const TMKFont& font, unsigned char ch) {
    const int glyph = font.IsText ? TextGlyph(ch) : DigitGlyph(ch);
    return glyph < font.GlyphCount ? glyph : -1;
}
