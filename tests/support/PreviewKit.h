#pragma once

// Probes for the preview tests: distinct colours per element and checks of painted cells.

#include "base/Cp1251.h"
#include "model/MKFont.h"
#include "model/DeviceModel.h"
#include "model/Preview.h"

#include <QImage>
#include <QRect>
#include <QString>

inline QRgb PcColor(uint16_t word) {
    return TMK::ColorToRgb(word).rgb();
}

// Gives both colour tables sixteen different non-black palette colours and element k
// the palette index (k - 32) mod 16, so the roles a screen uses can be told apart.
inline void UseDistinctColours(TMK& mk) {
    for (TColorTable* table :
         {&mk.Record.DisplaySettings.ColorTable0, &mk.Record.DisplaySettings.ColorTable1}) {
        for (int i = 0; i < 16; ++i)
            table->Palette[i] = TMK::PackColor(i + 1, 31 - i, (i * 7) % 32);
        for (int k = 0; k < 23; ++k)
            table->Indices[k] = uint8_t(k % 16);
    }
}

inline QRgb RoleRgb(const TMK& mk, int role) {
    return PcColor(mk.Preview->RoleColor(role));
}

inline int CountColour(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

inline bool AreaIs(const QImage& image, const QRect& area, QRgb colour) {
    return CountColour(image, area, colour) ==
           area.intersected(image.rect()).width() * area.intersected(image.rect()).height();
}

// Whether the cells from (x, y) on show `text` in the font: set glyph bits in `fore`,
// clear ones in `back`. Only pixels inside `within` (when given) are compared, where later
// drawing does not cover the text; with `foreOnClearAllowed` a clear bit may also show
// `fore` (where a picture of the same colour was stamped over the text).
inline bool ShowsText(const QImage& image, int x, int y, const TMKFont& font, const QString& text,
                      QRgb fore, QRgb back, QRect within = QRect(),
                      bool foreOnClearAllowed = false) {
    int cellX = x;
    within = within.isNull() ? image.rect() : within.intersected(image.rect());
    for (const char ch : Cp1251::Encode(text)) {
        const int glyph = MKGlyphIndex(font, static_cast<unsigned char>(ch));
        if (glyph < 0)
            continue;
        const uint8_t* bits = font.Glyphs + glyph * font.GlyphBytes();
        for (int row = 0; row < font.Height; ++row)
            for (int col = 0; col < font.Width; ++col) {
                const int px = cellX + col, py = y + row;
                if (!within.contains(px, py))
                    continue;
                const bool set = bits[row * (font.Width / 8) + col / 8] >> (7 - col % 8) & 1;
                const QRgb seen = image.pixel(px, py);
                if (set ? seen != fore : seen != back && !(foreOnClearAllowed && seen == fore))
                    return false;
            }
        cellX += font.Width;
    }
    return true;
}
