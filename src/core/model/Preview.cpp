#include "model/Preview.h"

#include "base/Cp1251.h"
#include "catalog/DialPictures.h"
#include "catalog/MeasuredParams.h"
#include "model/DeviceModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr int W = TMKPreview::ScreenWidth;
constexpr int H = TMKPreview::ScreenHeight;

QRgb PcColor(uint16_t word) {
    return TMK::ColorToRgb(word).rgb();
}

// Direct access to the surface's pixels, taken once per primitive (each access to the
// image checks whether it must be copied first).
struct TPixels {
    QRgb* First;
    qsizetype Stride;
    QRgb* Row(int y) const { return First + y * Stride; }
};

TPixels PixelsOf(QImage& image) {
    return {reinterpret_cast<QRgb*>(image.bits()), image.bytesPerLine() / qsizetype(sizeof(QRgb))};
}

// Label points of the dial scales, relative to the dial centre (y up): the left dial uses
// the first five, the right dial all nine.
struct TLabelPoint {
    int Px, Py;
};
constexpr TLabelPoint DialLabelPoints[9] = {{-51, -70}, {-83, -27}, {-83, 27}, {-51, 70}, {0, 87},
                                            {51, 70},   {83, 27},   {83, -27}, {51, -70}};
constexpr int DialCentreY = 99;
constexpr int LeftDialCentreX = 99;
constexpr int RightDialCentreX = 220;
constexpr int RightDialOriginX = 121;
constexpr int TextBandTop = 200; // dial and graph screens keep two text rows below

const QString MenuItems[7] = {
    QStringLiteral("Заправлено л      0"), QStringLiteral("Теперь в баке л  50"),
    QStringLiteral("Заправка до полн.  "), QStringLiteral("Вентилятор     Откл"),
    QStringLiteral("% на впрыск     Вкл"), QStringLiteral("Сушка свечей       "),
    QStringLiteral("Сброс ЭБУ          "),
};

// Cells 2, 5, 6, 7 and 8 of the nine-value grid hold the small values of the six-value
// screen.
constexpr int SixValueCells[5] = {2, 5, 6, 7, 8};

// Graph plot: frame, the split between two zones, the time marks below.
constexpr int PlotLeft = 2;
constexpr int PlotRight = 262;
constexpr int PlotTop = 1;
constexpr int PlotBottom = H - 4 * 16; // 176, four text rows above the bottom
constexpr int PlotSplit = (PlotBottom + 1) / 2 + 16 / 4;
constexpr int FirstZoneBottomWhenSplit = PlotSplit - 16 / 2;
constexpr int TimeLabelY = 180;
const QString ChartTimeLabels[3] = {QStringLiteral("15:25:00"), QStringLiteral("15:25:30"),
                                    QStringLiteral("15:26:00")};
const QString SampleInterval = QStringLiteral("  1c");

int TimeMarkX(int k) {
    return PlotLeft + (PlotRight - PlotLeft) * (k + 1) / 3;
}

// A believable recent history of a parameter that ends at its sample value: a slow drift,
// a livelier swing and a ripple whose rhythm depends on the parameter, about an eighth of
// its range high.
int TrendValue(const TMeasParBase& param, double t) {
    const double slow = 0.9 + (param.Id % 5) * 0.3;
    const double lively = 3.2 + (param.Id % 3) * 0.8;
    const double ripple = 11.0 + (param.Id % 4) * 2.5;
    const double phase = param.Id * 0.7;
    const auto wave = [&](double s) {
        constexpr double Turn = 2 * std::numbers::pi;
        return 0.55 * std::sin(Turn * slow * s + phase) +
               0.33 * std::sin(Turn * lively * s + 2 * phase) +
               0.12 * std::sin(Turn * ripple * s + 3 * phase);
    };
    const double height = 0.12 * (double(param.MaxValue) - param.MinValue);
    return param.SampleValue + int(std::nearbyint(height * (wave(t) - wave(1.0))));
}

} // namespace

TMKPreview::TMKPreview(TMK& mk) : PreviewSurface(W, H, QImage::Format_RGB32), MK(mk) {
    SelectFont(Font8x16);
    ClearBlack();
}

void TMKPreview::FillRect(int x, int y, int width, int height, uint16_t color) {
    const int left = std::max(x, 0), right = std::min(x + width, W);
    const int top = std::max(y, 0), bottom = std::min(y + height, H);
    if (left >= right || top >= bottom)
        return;
    const QRgb rgb = PcColor(color);
    const TPixels pixels = PixelsOf(PreviewSurface);
    for (int row = top; row < bottom; ++row)
        std::fill(pixels.Row(row) + left, pixels.Row(row) + right, rgb);
}

void TMKPreview::ClearScreen(uint16_t color) {
    FillRect(0, 0, W, H, color);
}

void TMKPreview::SetOrigin(int x, int y) {
    OriginX = x;
    OriginY = y;
}

void TMKPreview::FillBack(int width, int height) {
    FillRect(OriginX, OriginY, width, height, BackColor);
}

void TMKPreview::HLine(int x1, int x2, int y) {
    const int left = std::min(x1, x2);
    FillRect(OriginX + left, OriginY + y, std::max(x1, x2) - left + 1, 1, ForeColor);
}

void TMKPreview::ThickHLine(int x1, int x2, int y) {
    for (int i = 0; i < PenWidth; ++i)
        HLine(x1, x2, y - PenWidth / 2 + i);
}

void TMKPreview::VLine(int x, int y1, int y2) {
    const int top = std::min(y1, y2);
    FillRect(OriginX + x, OriginY + top, 1, std::max(y1, y2) - top + 1, ForeColor);
}

void TMKPreview::ThickVLine(int x, int y1, int y2) {
    for (int i = 0; i < PenWidth; ++i)
        VLine(x - PenWidth / 2 + i, y1, y2);
}

void TMKPreview::StampPicture(int x, int y, const QImage& picture) {
    const QImage mono = picture.format() == QImage::Format_Mono
                            ? picture
                            : picture.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    // Which of the two palette entries paints: every one that is not black.
    bool paints[2] = {false, false};
    for (int i = 0; i < std::min<int>(2, int(mono.colorCount())); ++i)
        paints[i] = (mono.color(i) & 0xFFFFFF) != 0;
    const QRgb rgb = PcColor(ForeColor);
    const int left = OriginX + x, top = OriginY + y;
    const int firstCol = std::max(0, -left), lastCol = std::min(mono.width(), W - left);
    const int firstRow = std::max(0, -top), lastRow = std::min(mono.height(), H - top);
    const TPixels pixels = PixelsOf(PreviewSurface);
    for (int row = firstRow; row < lastRow; ++row) {
        const uchar* bits = mono.constScanLine(row);
        QRgb* line = pixels.Row(top + row);
        for (int col = firstCol; col < lastCol; ++col)
            if (paints[bits[col >> 3] >> (7 - (col & 7)) & 1])
                line[left + col] = rgb;
    }
}

void TMKPreview::SelectFont(const TMKFont& font) {
    Font = &font;
    FontWidth = font.Width;
    FontHeight = font.Height;
    FontGlyphs = font.Glyphs;
    FontIsText = font.IsText;
}

void TMKPreview::SetCursor(int row, int col) {
    TextRow = row;
    TextCol = col;
}

void TMKPreview::PutChar(unsigned char ch) {
    if (TextCol >= W / FontWidth || TextRow >= H / FontHeight)
        return;
    const int glyph = MKGlyphIndex(*Font, ch);
    if (glyph < 0)
        return;
    const int rowBytes = FontWidth / 8;
    const uint8_t* bits = FontGlyphs + glyph * Font->GlyphBytes();
    const QRgb fore = PcColor(ForeColor), back = PcColor(BackColor);
    const int left = OriginX + TextCol * FontWidth, top = OriginY + TextRow * FontHeight;
    const int firstCol = std::max(0, -left), lastCol = std::min(FontWidth, W - left);
    const int firstRow = std::max(0, -top), lastRow = std::min(FontHeight, H - top);
    const TPixels pixels = PixelsOf(PreviewSurface);
    for (int row = firstRow; row < lastRow; ++row) {
        const uint8_t* glyphRow = bits + row * rowBytes;
        QRgb* line = pixels.Row(top + row);
        for (int col = firstCol; col < lastCol; ++col)
            line[left + col] = (glyphRow[col >> 3] >> (7 - (col & 7)) & 1) ? fore : back;
    }
    ++TextCol;
}

void TMKPreview::PutString(const QString& text) {
    for (const char ch : Cp1251::Encode(text))
        PutChar(static_cast<unsigned char>(ch));
}

void TMKPreview::PutStringAt(int row, int col, const QString& text) {
    SetCursor(row, col);
    PutString(text);
}

uint16_t TMKPreview::RoleColor(int role) const {
    const TDisplaySettings& display = MK.Record.DisplaySettings;
    const TColorTable& table = SchemeIsUser ? display.ColorTable1 : display.ColorTable0;
    // The MK's palette has 16 entries; an index byte above 15 uses its low four bits rather
    // than reading past the palette.
    const uint8_t index = reinterpret_cast<const uint8_t*>(&table)[role] & 15;
    return table.Palette[index];
}

void TMKPreview::SetColors(int foreRole, int backRole) {
    ForeColor = RoleColor(foreRole);
    BackColor = RoleColor(backRole);
}

void TMKPreview::SetDividerPen() {
    PenWidth = 1;
    ForeColor = RoleColor(RoleDivider);
}

std::unique_ptr<TMeasParBase> TMKPreview::PreparedParam(int id) {
    const TMeasParBase* param = MK.Catalog.FindMeasParam(id);
    return param ? param->Prepared() : nullptr;
}

void TMKPreview::PreviewOneValue(int id) {
    ClearBlack();
    const auto param = PreparedParam(id);
    if (!param)
        return;
    SetValueColors();
    SetOrigin(0, 0);
    FillBack(W, 120);
    SelectFont(Font40x80);
    SetOrigin((W - int(param->SampleText.size()) * 40) / 2, (120 - 80) / 2);
    PutStringAt(0, 0, param->SampleText);

    SetCaptionColors();
    SetOrigin(0, 120);
    FillBack(W, 120);
    SelectFont(Font16x32);
    SetOrigin(8, 128);
    PutStringAt(0, 0, param->Caption1);
    if (param->HasBar)
        DrawBar(*param);
}

// Minimum and maximum labels under the caption and a frame with a bar proportional to the
// sample value.
void TMKPreview::DrawBar(const TMeasParBase& param) {
    PutStringAt(1, 0, param.MinText);
    OriginX = W - 8 - int(param.MaxText.size()) * 16;
    PutStringAt(1, 0, param.MaxText);
    SetOrigin(8, 192);
    PenWidth = 1;
    constexpr int B = W - 16;
    ThickHLine(0, B, 0);
    ThickHLine(0, B, 31);
    ThickVLine(B, 0, 31);
    // A sample outside the range (or an empty range) must not paint outside the frame.
    const long long range = (long long)param.MaxValue - param.MinValue;
    const long long v = range > 0 ? ((long long)param.SampleValue - param.MinValue) * B / range : 0;
    const int length = int(std::clamp<long long>(v, 0, B));
    for (int y = 1; y <= 30; ++y)
        ThickHLine(0, length, y);
}

void TMKPreview::PreviewFourValues(std::span<const uint8_t, 4> ids) {
    ClearBlack();
    const bool chequered = MK.Record.DisplaySettings.DispVar4 != 0;
    for (int q = 0; q < 4; ++q) {
        const auto param = PreparedParam(ids[q]);
        if (!param)
            continue;
        const int x0 = (q % 2) * 160, y0 = (q / 2) * 120;
        const bool onDiagonal = q == 0 || q == 3;
        if (chequered && !onDiagonal)
            SetCaptionColors();
        else
            SetValueColors();
        SelectFont(Font32x64);
        SetOrigin(x0, y0);
        FillBack(161, 64);
        OriginX = x0 + (160 - int(param->SampleText.size()) * 32) / 2;
        PutStringAt(0, 0, param->SampleText);

        if (chequered && onDiagonal)
            SetValueColors();
        else
            SetCaptionColors();
        SetOrigin(x0, y0 + 64);
        FillBack(161, 56);
        SelectFont(Font16x32);
        SetOrigin(x0 + 8, y0 + 64);
        PutStringAt(0, 0, param->Name4);
        OriginY = y0 + 88;
        PutStringAt(0, 0, param->Unit4);
    }
    SetDividerPen();
    SetOrigin(0, 0);
    ThickVLine(159, 0, H - 1);
    ThickHLine(0, W - 1, 119);
}

void TMKPreview::DrawNineCell(int cell, const TMeasParBase& param) {
    const bool chequered = MK.Record.DisplaySettings.DispVar9 != 0;
    const bool odd = cell % 2 != 0;
    const int x0 = (cell % 3) * 106, y0 = (cell / 3) * 80;
    if (chequered && odd)
        SetCaptionColors();
    else
        SetValueColors();
    SelectFont(Font16x32);
    SetOrigin(x0, y0);
    FillBack(107, 49);
    SetOrigin(x0 + (106 - int(param.SampleText.size()) * 16) / 2, y0 + 8);
    PutStringAt(0, 0, param.SampleText);

    if (chequered && !odd)
        SetValueColors();
    else
        SetCaptionColors();
    SelectFont(Font8x16);
    SetOrigin(x0, y0 + 48);
    FillBack(106, 32);
    OriginX = x0 + 4;
    PutStringAt(0, 0, param.Name9);
    PutStringAt(1, 0, param.Unit9);
}

void TMKPreview::PreviewNineValues(std::span<const uint8_t, 9> ids) {
    ClearBlack();
    for (int cell = 0; cell < 9; ++cell)
        if (const auto param = PreparedParam(ids[cell]))
            DrawNineCell(cell, *param);
    SetDividerPen();
    SetOrigin(0, 0);
    for (int i = 1; i <= 3; ++i) {
        ThickVLine((W - 1) * i / 3, 0, H - 1);
        ThickHLine(0, W - 1, (H - 1) * i / 3);
    }
}

void TMKPreview::PreviewSixValues(std::span<const uint8_t, 6> ids) {
    ClearBlack();
    if (const auto param = PreparedParam(ids[0])) {
        SetValueColors();
        SetOrigin(0, 0);
        FillBack(213, 90);
        SelectFont(Font40x80);
        SetOrigin((213 - int(param->SampleText.size()) * 40) / 2, 5);
        PutStringAt(0, 0, param->SampleText);

        if (MK.Record.DisplaySettings.DispVar9 != 0)
            SetValueColors();
        else
            SetCaptionColors();
        SetOrigin(0, 90);
        FillBack(213, 170);
        SelectFont(Font16x32);
        SetOrigin(8, 96);
        PutStringAt(0, 0, param->Name9);
        PutStringAt(1, 0, param->Unit9);
    }
    for (int i = 0; i < 5; ++i)
        if (const auto param = PreparedParam(ids[i + 1]))
            DrawNineCell(SixValueCells[i], *param);
    SetDividerPen();
    SetOrigin(0, 0);
    ThickVLine(106, 160, H - 1);
    ThickVLine(212, 0, H - 1);
    ThickHLine(213, W - 1, 79);
    ThickHLine(0, W - 1, 159);
}

void TMKPreview::PreviewSevenRows(std::span<const uint8_t, 7> ids) {
    ClearBlack();
    SelectFont(Font16x32);
    for (int row = 0; row < 7; ++row) {
        const auto param = PreparedParam(ids[row]);
        if (!param)
            continue;
        SetOrigin(0, (H - 7 * 32) / 2 + 32 * row);
        if (row % 2 != 0)
            SetCaptionColors();
        else
            SetValueColors();
        FillBack(W, 32);
        PutStringAt(0, 0, param->Label7);
        PutStringAt(0, 20 - int(param->SampleText.size()), param->SampleText);
    }
}

void TMKPreview::PreviewMenu() {
    ClearBlack();
    SelectFont(Font16x32);
    for (int item = 0; item < 7; ++item) {
        SetOrigin(0, (H - 7 * 32) / 2 + 32 * item);
        if (item == 0)
            SetColors(RoleMenuActiveText, RoleMenuActiveBack);
        else if (item % 2 != 0)
            SetCaptionColors();
        else
            SetValueColors();
        PutStringAt(0, 1, MenuItems[item]);
        ForeColor = RoleColor(RoleMenuNumber);
        PutStringAt(0, 0, QString::number(item));
    }
}

// A dial's disc, its scale numbers centred on the label points, and its scale.
void TMKPreview::DrawDial(bool left, const TMeasParBase& param) {
    const TPicturesForm& pictures = TPicturesForm::Instance();
    const int originX = left ? 0 : RightDialOriginX;
    const int centreX = left ? LeftDialCentreX : RightDialCentreX;
    const int discRole = left ? RoleLeftDisc : RoleRightDisc;
    const int scaleRole = !left                 ? RoleRightScale
                          : param.RangeExtended ? RoleLeftScaleExtended
                                                : RoleLeftScale;
    SetOrigin(originX, 0);
    ForeColor = RoleColor(discRole);
    StampPicture(0, 0, pictures.Picture(TPicture::Circle99));

    SetColors(scaleRole, discRole);
    const std::vector<int> labels = param.DialLabels(left ? 4 : 8);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const QString text = QString::number(labels[i]);
        const TLabelPoint& point = DialLabelPoints[i];
        SetOrigin(centreX + point.Px - int(text.size()) * FontWidth / 2,
                  DialCentreY - point.Py - FontHeight / 2);
        PutStringAt(0, 0, text);
    }
    SetOrigin(originX, 0);
    StampPicture(25, 25, pictures.Picture(left ? TPicture::ScaleL : TPicture::ScaleR));
}

void TMKPreview::PreviewDials(int left, int right) {
    const TPicturesForm& pictures = TPicturesForm::Instance();
    const auto leftParam = PreparedParam(left);
    const auto rightParam = PreparedParam(right);
    SelectFont(Font8x16);
    SetOrigin(0, 0);
    BackColor = RoleColor(RoleDialAreaBack);
    FillBack(W, TextBandTop);
    if (leftParam)
        DrawDial(true, *leftParam);
    if (rightParam)
        DrawDial(false, *rightParam);

    if (leftParam) {
        SetOrigin(35, 35);
        ForeColor = RoleColor(RoleLeftPointer);
        StampPicture(0, 0, pictures.Picture(TPicture::Arrow));
        if (leftParam->HasDialMarker) {
            SetOrigin(37, 76);
            ForeColor = RoleColor(leftParam->RangeExtended ? RoleLeftScaleExtended : RoleLeftScale);
            StampPicture(0, 0, pictures.Picture(TPicture::Circle9));
        }
    }
    if (rightParam) {
        SetOrigin(156, 35);
        ForeColor = RoleColor(RoleRightPointer);
        StampPicture(0, 0, pictures.Picture(TPicture::Arrow));
    }

    SetColors(RoleDialBandText, RoleDialBandBack);
    SetOrigin(0, TextBandTop);
    FillBack(W, H - TextBandTop);
    if (leftParam) {
        PutStringAt(0, 4, leftParam->DialName);
        PutStringAt(1, 4, leftParam->DialUnit);
    }
    if (rightParam) {
        PutStringAt(0, 24, rightParam->DialName);
        PutStringAt(1, 24, rightParam->DialUnit);
    }
}

// One parameter's curve with its maximum and minimum written beside the plot.
void TMKPreview::DrawGraphZone(const TMeasParBase& param, int top, int bottom, int role) {
    SetOrigin(0, 0);
    ForeColor = RoleColor(role);
    PenWidth = 2;
    // Two pixels clear of the zone's edges; the curve's columns start right of the frame.
    const int low = bottom - 2, span = bottom - top - 4;
    constexpr int First = PlotLeft + 2, Last = PlotRight - 1;
    int previous = 0;
    for (int x = First; x <= Last; ++x) {
        const double t = double(x - First) / (Last - First);
        const int y = low - param.ScaleToSpan(TrendValue(param, t), span);
        ThickVLine(x, x == First ? y : previous, y);
        previous = y;
    }

    BackColor = RoleColor(RoleGraphBack);
    SetOrigin(W - param.Width * 8 - 2, top);
    PutStringAt(0, 0, param.MaxText);
    OriginY = bottom - 16;
    PutStringAt(0, 0, param.MinText);
}

void TMKPreview::DrawGraphBand(const TMeasParBase* first, const TMeasParBase* second) {
    SetOrigin(0, TextBandTop);
    BackColor = RoleColor(RoleGraphBandBack);
    FillBack(W, H - TextBandTop);
    const int lastCol = W / 8 - 1;
    if (first) {
        ForeColor = RoleColor(RoleGraphFirst);
        PutStringAt(0, 0, first->SampleText);
        PutStringAt(0, 15, SampleInterval);
        PutStringAt(1, 0, first->ChartLabel);
    }
    if (second) {
        ForeColor = RoleColor(RoleGraphSecond);
        PutStringAt(0, lastCol + 1 - int(second->SampleText.size()), second->SampleText);
        PutStringAt(1, lastCol + 1 - int(second->ChartLabel.size()), second->ChartLabel);
        PutStringAt(0, 21, SampleInterval);
    }
}

void TMKPreview::PreviewGraph(int first, int second) {
    const auto firstParam = PreparedParam(first);
    const auto secondParam = PreparedParam(second);
    SelectFont(Font8x16);
    SetOrigin(0, 0);
    BackColor = RoleColor(RoleGraphBack);
    FillBack(W, TextBandTop);

    // Frame, the split between the zones, time marks with a dotted grid.
    ForeColor = RoleColor(RoleGraphAxes);
    PenWidth = 1;
    ThickHLine(PlotLeft, PlotRight, PlotTop);
    ThickHLine(PlotLeft, PlotRight, PlotBottom);
    ThickVLine(PlotLeft, PlotTop, PlotBottom);
    ThickVLine(PlotRight, PlotTop, PlotBottom);
    if (secondParam)
        ThickHLine(PlotLeft, PlotRight, PlotSplit);
    for (int k = 0; k < 3; ++k) {
        const int x = TimeMarkX(k);
        ThickVLine(x, PlotBottom + 1, PlotBottom + 3);
        if (x < PlotRight)
            for (int y = PlotTop + 4; y < PlotBottom; y += 4)
                HLine(x, x, y);
    }
    BackColor = RoleColor(RoleGraphBack);
    for (int k = 0; k < 3; ++k) {
        SetOrigin(TimeMarkX(k) - int(ChartTimeLabels[k].size()) * 8 / 2, TimeLabelY);
        PutStringAt(0, 0, ChartTimeLabels[k]);
    }

    if (firstParam)
        DrawGraphZone(*firstParam, PlotTop, secondParam ? FirstZoneBottomWhenSplit : PlotBottom,
                      RoleGraphFirst);
    if (secondParam)
        DrawGraphZone(*secondParam, PlotSplit, PlotBottom, RoleGraphSecond);
    DrawGraphBand(firstParam.get(), secondParam.get());
}
