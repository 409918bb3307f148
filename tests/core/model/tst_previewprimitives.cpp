// The drawing primitives of the MK preview surface and its four fonts.
#include "PreviewKit.h"

#include <QtTest>

namespace {

const TMKFont* FontNamed(const QString& name) {
    if (name == QLatin1String("8x16"))
        return &Font8x16;
    if (name == QLatin1String("16x32"))
        return &Font16x32;
    if (name == QLatin1String("32x64"))
        return &Font32x64;
    return &Font40x80;
}

bool GlyphIsBlank(const TMKFont& font, int glyph) {
    const uint8_t* bits = font.Glyphs + glyph * font.GlyphBytes();
    return std::all_of(bits, bits + font.GlyphBytes(), [](uint8_t b) { return b == 0; });
}

constexpr uint16_t White = 0xFFFF;
constexpr uint16_t Red = 0xF800;
constexpr uint16_t Blue = 0x001F;

} // namespace

class TestPreviewPrimitives : public QObject {
    Q_OBJECT
private slots:
    void init();
    void glyphMapping_data();
    void glyphMapping();
    void unmappedTextCharacterKeepsCursorAndSurface();
    void putCharPaintsTheGlyphCellAndAdvances();
    void digitFontPaintsUnknownCharactersBlankAndAdvances();
    void cursorOutsideTheScreenDrawsNothing_data();
    void cursorOutsideTheScreenDrawsNothing();
    void ninthLargeDigitIsIgnored();
    void fillBackIsCutToTheSurface_data();
    void fillBackIsCutToTheSurface();
    void lines_data();
    void lines();
    void stampPaintsOnlyShapePixels();
    void coloursConvertToPcColours_data();
    void coloursConvertToPcColours();
    void roleColourComesFromTheSelectedTable();
    void paletteIndexAboveFifteenStaysInThePalette();
    void fontTables_data();
    void fontTables();
    void largeTextKeepsItsStrokesInTheTopRows();

private:
    std::unique_ptr<TMK> MK;
    TMKPreview* P = nullptr;
};

void TestPreviewPrimitives::init() {
    MK = std::make_unique<TMK>();
    P = MK->Preview.get();
    P->ClearBlack();
    P->ForeColor = White;
    P->BackColor = Blue;
    P->SetOrigin(0, 0);
}

void TestPreviewPrimitives::glyphMapping_data() {
    QTest::addColumn<QString>("font");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("glyph");
    QTest::newRow("space") << "8x16" << 32 << 0;
    QTest::newRow("A") << "8x16" << int('A') << 33;
    QTest::newRow("127") << "16x32" << 127 << 95;
    QTest::newRow("below 32") << "8x16" << 31 << -1;
    QTest::newRow("128") << "8x16" << 128 << -1;
    QTest::newRow("150") << "16x32" << 150 << -1;
    QTest::newRow("191") << "8x16" << 191 << -1;
    QTest::newRow("Cyrillic A") << "8x16" << 192 << 96;
    QTest::newRow("ya") << "16x32" << 255 << 159;
    QTest::newRow("digit blank") << "32x64" << int(' ') << 0;
    QTest::newRow("digit A") << "40x80" << int('A') << 0;
    QTest::newRow("digit Cyrillic") << "40x80" << 192 << 0;
    QTest::newRow("plus") << "32x64" << int('+') << 1;
    QTest::newRow("minus") << "32x64" << int('-') << 2;
    QTest::newRow("point") << "40x80" << int('.') << 3;
    QTest::newRow("colon") << "40x80" << int(':') << 4;
    QTest::newRow("0") << "32x64" << int('0') << 5;
    QTest::newRow("9") << "32x64" << int('9') << 14;
    QTest::newRow("T") << "40x80" << int('T') << 15;
    QTest::newRow("D") << "40x80" << int('D') << 16;
    QTest::newRow("N") << "40x80" << int('N') << 17;
    QTest::newRow("P") << "40x80" << int('P') << 18;
    QTest::newRow("R") << "40x80" << int('R') << 19;
    QTest::newRow("lower r") << "40x80" << int('r') << 0;
}

void TestPreviewPrimitives::glyphMapping() {
    QFETCH(QString, font);
    QFETCH(int, code);
    QFETCH(int, glyph);
    QCOMPARE(MKGlyphIndex(*FontNamed(font), uint8_t(code)), glyph);
}

void TestPreviewPrimitives::unmappedTextCharacterKeepsCursorAndSurface() {
    P->SelectFont(Font16x32);
    P->SetCursor(1, 3);
    const QImage before = P->PreviewSurface.copy();
    for (const int code : {150, 31, 0, 128, 191})
        P->PutChar(uint8_t(code));
    QCOMPARE(P->TextCol, 3);
    QCOMPARE(P->TextRow, 1);
    QCOMPARE(P->PreviewSurface, before);
}

void TestPreviewPrimitives::putCharPaintsTheGlyphCellAndAdvances() {
    P->SelectFont(Font8x16);
    P->SetOrigin(3, 5);
    P->SetCursor(1, 2);
    P->PutChar(192);
    QCOMPARE(P->TextCol, 3);
    QVERIFY(ShowsText(P->PreviewSurface, 3 + 16, 5 + 16, Font8x16, QStringLiteral("А"),
                      PcColor(White), PcColor(Blue)));
    // Glyph 96 is the Cyrillic letter, not blank, and nothing outside its cell changed.
    QVERIFY(CountColour(P->PreviewSurface, QRect(19, 21, 8, 16), PcColor(White)) > 10);
    QCOMPARE(CountColour(P->PreviewSurface, P->PreviewSurface.rect(), PcColor(Blue)) +
                 CountColour(P->PreviewSurface, P->PreviewSurface.rect(), PcColor(White)),
             8 * 16);
}

void TestPreviewPrimitives::digitFontPaintsUnknownCharactersBlankAndAdvances() {
    for (const TMKFont* font : {&Font32x64, &Font40x80}) {
        P->ClearBlack();
        P->SelectFont(*font);
        P->SetCursor(0, 1);
        P->PutChar('A');
        QCOMPARE(P->TextCol, 2);
        QVERIFY(AreaIs(P->PreviewSurface, QRect(font->Width, 0, font->Width, font->Height),
                       PcColor(Blue)));
    }
}

void TestPreviewPrimitives::cursorOutsideTheScreenDrawsNothing_data() {
    QTest::addColumn<QString>("font");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("col");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("40x80 last column") << "40x80" << 0 << 7 << true;
    QTest::newRow("40x80 column 8") << "40x80" << 0 << 8 << false;
    QTest::newRow("40x80 last row") << "40x80" << 2 << 0 << true;
    QTest::newRow("40x80 row 3") << "40x80" << 3 << 0 << false;
    QTest::newRow("16x32 column 19") << "16x32" << 0 << 19 << true;
    QTest::newRow("16x32 column 20") << "16x32" << 0 << 20 << false;
    QTest::newRow("16x32 row 7") << "16x32" << 7 << 0 << false;
    QTest::newRow("8x16 column 39") << "8x16" << 14 << 39 << true;
    QTest::newRow("8x16 row 15") << "8x16" << 15 << 39 << false;
    QTest::newRow("32x64 column 10") << "32x64" << 0 << 10 << false;
}

void TestPreviewPrimitives::cursorOutsideTheScreenDrawsNothing() {
    QFETCH(QString, font);
    QFETCH(int, row);
    QFETCH(int, col);
    QFETCH(bool, drawn);
    P->SelectFont(*FontNamed(font));
    P->SetCursor(row, col);
    P->PutChar('8');
    QCOMPARE(P->TextCol, drawn ? col + 1 : col);
    QCOMPARE(CountColour(P->PreviewSurface, P->PreviewSurface.rect(), PcColor(0)) < 320 * 240,
             drawn);
}

void TestPreviewPrimitives::ninthLargeDigitIsIgnored() {
    P->SelectFont(Font40x80);
    P->PutStringAt(0, 0, QStringLiteral("12345678"));
    const QImage eight = P->PreviewSurface.copy();
    P->ClearBlack();
    P->PutStringAt(0, 0, QStringLiteral("123456789"));
    QCOMPARE(P->TextCol, 8);
    QCOMPARE(P->PreviewSurface, eight);
}

void TestPreviewPrimitives::fillBackIsCutToTheSurface_data() {
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("painted");
    QTest::newRow("six-value caption")
        << QPoint(0, 90) << QSize(213, 170) << QRect(0, 90, 213, 150);
    QTest::newRow("above and left") << QPoint(-10, -10) << QSize(20, 20) << QRect(0, 0, 10, 10);
    QTest::newRow("bottom right") << QPoint(300, 230) << QSize(50, 50) << QRect(300, 230, 20, 10);
    QTest::newRow("whole screen") << QPoint(0, 0) << QSize(320, 240) << QRect(0, 0, 320, 240);
    QTest::newRow("negative width") << QPoint(5, 5) << QSize(-5, 10) << QRect();
    QTest::newRow("beyond the screen") << QPoint(320, 0) << QSize(10, 10) << QRect();
}

void TestPreviewPrimitives::fillBackIsCutToTheSurface() {
    QFETCH(QPoint, origin);
    QFETCH(QSize, size);
    QFETCH(QRect, painted);
    P->SetOrigin(origin.x(), origin.y());
    P->FillBack(size.width(), size.height());
    const int area = painted.isNull() ? 0 : painted.width() * painted.height();
    QCOMPARE(CountColour(P->PreviewSurface, P->PreviewSurface.rect(), PcColor(Blue)), area);
    if (area)
        QVERIFY(AreaIs(P->PreviewSurface, painted, PcColor(Blue)));
}

void TestPreviewPrimitives::lines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("pen");
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<QList<int>>("args");
    QTest::addColumn<QRect>("painted");
    QTest::newRow("h reversed") << "h" << 1 << QPoint(0, 0) << QList<int>{10, 5, 7}
                                << QRect(5, 7, 6, 1);
    QTest::newRow("h from origin")
        << "h" << 1 << QPoint(8, 192) << QList<int>{0, 304, 31} << QRect(8, 223, 305, 1);
    QTest::newRow("h clipped") << "h" << 1 << QPoint(0, 0) << QList<int>{-20, 400, 239}
                               << QRect(0, 239, 320, 1);
    QTest::newRow("thick h pen 1")
        << "th" << 1 << QPoint(0, 0) << QList<int>{0, 9, 10} << QRect(0, 10, 10, 1);
    QTest::newRow("thick h pen 2")
        << "th" << 2 << QPoint(0, 0) << QList<int>{0, 9, 10} << QRect(0, 9, 10, 2);
    QTest::newRow("thick h pen 3")
        << "th" << 3 << QPoint(0, 0) << QList<int>{0, 9, 10} << QRect(0, 9, 10, 3);
    QTest::newRow("v reversed") << "v" << 1 << QPoint(0, 0) << QList<int>{4, 9, 2}
                                << QRect(4, 2, 1, 8);
    QTest::newRow("thick v pen 2 at origin")
        << "tv" << 2 << QPoint(10, 20) << QList<int>{5, 0, 3} << QRect(14, 20, 2, 4);
    QTest::newRow("thick v pen 3")
        << "tv" << 3 << QPoint(0, 0) << QList<int>{10, 0, 239} << QRect(9, 0, 3, 240);
    QTest::newRow("v outside") << "v" << 1 << QPoint(0, 0) << QList<int>{320, 0, 239} << QRect();
}

void TestPreviewPrimitives::lines() {
    QFETCH(QString, line);
    QFETCH(int, pen);
    QFETCH(QPoint, origin);
    QFETCH(QList<int>, args);
    QFETCH(QRect, painted);
    P->PenWidth = pen;
    P->SetOrigin(origin.x(), origin.y());
    if (line == QLatin1String("h"))
        P->HLine(args[0], args[1], args[2]);
    else if (line == QLatin1String("th"))
        P->ThickHLine(args[0], args[1], args[2]);
    else if (line == QLatin1String("v"))
        P->VLine(args[0], args[1], args[2]);
    else
        P->ThickVLine(args[0], args[1], args[2]);
    const int area = painted.isNull() ? 0 : painted.width() * painted.height();
    QCOMPARE(CountColour(P->PreviewSurface, P->PreviewSurface.rect(), PcColor(White)), area);
    if (area)
        QVERIFY(AreaIs(P->PreviewSurface, painted, PcColor(White)));
}

void TestPreviewPrimitives::stampPaintsOnlyShapePixels() {
    QImage picture(3, 2, QImage::Format_Mono);
    picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    picture.fill(0);
    picture.setPixel(0, 0, 1);
    picture.setPixel(2, 1, 1);
    P->ClearScreen(Red);
    P->SetOrigin(10, 20);
    P->StampPicture(5, 6, picture);
    const QImage& s = P->PreviewSurface;
    QCOMPARE(s.pixel(15, 26), PcColor(White));
    QCOMPARE(s.pixel(17, 27), PcColor(White));
    QCOMPARE(CountColour(s, s.rect(), PcColor(White)), 2);
    // A picture reaching past the corner paints what falls on the surface only.
    P->SetOrigin(0, 0);
    P->StampPicture(318, 239, picture);
    QCOMPARE(s.pixel(318, 239), PcColor(White));
    QCOMPARE(CountColour(s, s.rect(), PcColor(White)), 3);
}

void TestPreviewPrimitives::coloursConvertToPcColours_data() {
    QTest::addColumn<int>("word");
    QTest::addColumn<QRgb>("pc");
    QTest::newRow("white") << 0xFFFF << qRgb(255, 255, 255);
    QTest::newRow("red") << 0xF800 << qRgb(255, 0, 0);
    QTest::newRow("green") << 0x07E0 << qRgb(0, 255, 0);
    QTest::newRow("blue") << 0x001F << qRgb(0, 0, 255);
    QTest::newRow("lowest green bit") << 0x0020 << qRgb(0, 4, 0);
    QTest::newRow("ones") << 0x0841 << qRgb(8, 8, 8);
}

void TestPreviewPrimitives::coloursConvertToPcColours() {
    QFETCH(int, word);
    QFETCH(QRgb, pc);
    P->ClearScreen(uint16_t(word));
    QCOMPARE(P->PreviewSurface.pixel(0, 0), pc);
    QCOMPARE(P->PreviewSurface.pixel(319, 239), pc);
}

void TestPreviewPrimitives::roleColourComesFromTheSelectedTable() {
    TDisplaySettings& d = MK->Record.DisplaySettings;
    d.ColorTable0.Palette[3] = 0x1234;
    d.ColorTable0.Indices[TMKPreview::RoleValueBack - 32] = 3;
    d.ColorTable1.Palette[5] = 0x4321;
    d.ColorTable1.Indices[TMKPreview::RoleValueBack - 32] = 5;
    P->SchemeIsUser = 0;
    QCOMPARE(P->RoleColor(TMKPreview::RoleValueBack), uint16_t(0x1234));
    P->SchemeIsUser = 1;
    QCOMPARE(P->RoleColor(TMKPreview::RoleValueBack), uint16_t(0x4321));
}

void TestPreviewPrimitives::paletteIndexAboveFifteenStaysInThePalette() {
    TColorTable& table = MK->Record.DisplaySettings.ColorTable0;
    table.Palette[3] = 0x1234;
    table.Indices[TMKPreview::RoleLeftScaleExtended - 32] = 0x13;
    P->SchemeIsUser = 0;
    QCOMPARE(P->RoleColor(TMKPreview::RoleLeftScaleExtended), uint16_t(0x1234));
    table.Palette[15] = 0x5678;
    table.Indices[TMKPreview::RoleLeftScaleExtended - 32] = 0xFF;
    QCOMPARE(P->RoleColor(TMKPreview::RoleLeftScaleExtended), uint16_t(0x5678));
}

void TestPreviewPrimitives::fontTables_data() {
    QTest::addColumn<QString>("font");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("glyphs");
    QTest::addColumn<bool>("text");
    QTest::addColumn<int>("tableBytes");
    QTest::newRow("8x16") << "8x16" << 8 << 16 << 160 << true << 2560;
    QTest::newRow("16x32") << "16x32" << 16 << 32 << 160 << true << 10240;
    QTest::newRow("32x64") << "32x64" << 32 << 64 << 20 << false << 5120;
    QTest::newRow("40x80") << "40x80" << 40 << 80 << 20 << false << 8000;
}

void TestPreviewPrimitives::fontTables() {
    QFETCH(QString, font);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, glyphs);
    QFETCH(bool, text);
    QFETCH(int, tableBytes);
    const TMKFont& f = *FontNamed(font);
    QCOMPARE(f.Width, width);
    QCOMPARE(f.Height, height);
    QCOMPARE(f.GlyphCount, glyphs);
    QCOMPARE(f.IsText, text);
    QCOMPARE(f.GlyphBytes() * f.GlyphCount, tableBytes);
    P->SelectFont(f);
    QCOMPARE(P->FontWidth, width);
    QCOMPARE(P->FontHeight, height);
    QCOMPARE(P->FontIsText, text);
    QCOMPARE(P->FontGlyphs, f.Glyphs);
    // Blank where nothing is to be seen, ink in every glyph that means something.
    QVERIFY(GlyphIsBlank(f, 0));
    if (text) {
        for (const char* letters : {"09AZaz", "\xC0\xDF\xE0\xFF"})
            for (const char* c = letters; *c; ++c)
                QVERIFY2(!GlyphIsBlank(f, MKGlyphIndex(f, uint8_t(*c))), c);
    } else {
        for (int g = 1; g < f.GlyphCount; ++g)
            QVERIFY2(!GlyphIsBlank(f, g), qPrintable(QString::number(g)));
    }
}

void TestPreviewPrimitives::largeTextKeepsItsStrokesInTheTopRows() {
    // A four-value cell writes its unit 24 rows below its name.
    for (int g = 0; g < Font16x32.GlyphCount; ++g) {
        const uint8_t* bits = Font16x32.Glyphs + g * Font16x32.GlyphBytes();
        const uint8_t* lowRows = bits + 24 * 2;
        QVERIFY2(
            std::all_of(lowRows, bits + Font16x32.GlyphBytes(), [](uint8_t b) { return b == 0; }),
            qPrintable(QString::number(g)));
    }
}

QTEST_GUILESS_MAIN(TestPreviewPrimitives)
#include "tst_previewprimitives.moc"
