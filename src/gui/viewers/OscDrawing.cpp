#include "viewers/OscDrawing.h"

#include "model/Oscilloscope.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <cstdlib>

namespace OscDrawing {
namespace {

constexpr int GridStep = 32;
constexpr int GridLines = 8;
constexpr int LabelPointSize = 10;
constexpr int DotsPerMeter = 3780; // 96 dpi, so the label points have the intended size
constexpr int MarkerSize = 4;

void Plot(QImage& bitmap, int x, int y, QRgb colour) {
    if (x >= 0 && y >= 0 && x < bitmap.width() && y < bitmap.height())
        reinterpret_cast<QRgb*>(bitmap.scanLine(y))[x] = colour;
}

void DrawLabel(QPainter& painter, int x, const QString& text, QRgb colour) {
    painter.setPen(QColor::fromRgb(colour));
    painter.drawText(x, LabelRowY + painter.fontMetrics().ascent(), text);
}

void DrawLabels(QImage& bitmap, const TOscScales& scales, int offset) {
    QPainter painter(&bitmap);
    QFont font = painter.font();
    font.setPointSize(LabelPointSize);
    font.setStyleStrategy(QFont::NoAntialias); // crisp on the dark grid
    painter.setFont(font);
    DrawLabel(painter, 10, scales.VoltsPerDivText(), LabelColour);
    DrawLabel(painter, 100, scales.TimePerDivText(), LabelColour);
    DrawLabel(painter, 200, scales.OffsetText(offset), TriggerTimeColour);
    DrawLabel(painter, 300, scales.TriggerVoltsText(), TriggerLevelColour);
}

void DrawTrace(QImage& bitmap, const TOscScales& scales, int offset) {
    const int w = bitmap.width();
    for (int t = 0; t + 1 < Osc::SampleCount; ++t) {
        const int x1 = scales.SampleX(t, offset);
        const int x2 = scales.SampleX(t + 1, offset);
        if (x2 >= 0 && x1 < w)
            DrawLine(bitmap, {x1, scales.SampleY(t)}, {x2, scales.SampleY(t + 1)}, TraceColour);
    }
}

// Two arrowheads at the window's edges pointing in at the trigger level.
void DrawTriggerLevel(QImage& bitmap, int level) {
    const int right = bitmap.width() - 1;
    for (int d = 0; d < MarkerSize; ++d) {
        const int length = MarkerSize - d;
        for (int y : {level - d, level + d}) {
            DrawLine(bitmap, {0, y}, {length, y}, TriggerLevelColour);
            DrawLine(bitmap, {right, y}, {right - length, y}, TriggerLevelColour);
        }
    }
}

// An arrowhead on the zero line pointing up at the trigger time.
void DrawTriggerTime(QImage& bitmap, int x) {
    for (int d = 0; d < MarkerSize; ++d) {
        const int top = Osc::ZeroLineY - (MarkerSize - d);
        for (int column : {x - d, x + d})
            DrawLine(bitmap, {column, Osc::ZeroLineY}, {column, top}, TriggerTimeColour);
    }
}

} // namespace

QImage CreateBitmap() {
    QImage bitmap(BitmapWidth, BitmapHeight, QImage::Format_RGB32);
    bitmap.setDotsPerMeterX(DotsPerMeter);
    bitmap.setDotsPerMeterY(DotsPerMeter);
    bitmap.fill(Qt::black);
    return bitmap;
}

void DrawLine(QImage& bitmap, QPoint from, QPoint to, QRgb colour) {
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    int x = from.x();
    int y = from.y();
    while (x != to.x() || y != to.y()) {
        Plot(bitmap, x, y, colour);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void DrawBackground(QImage& bitmap) {
    bitmap.fill(Qt::black);
    const int w = bitmap.width();
    for (int k = 0; k <= GridLines; ++k) {
        const int y = Osc::ZeroLineY - GridStep * k;
        DrawLine(bitmap, {0, y}, {w - 1, y}, GridColour);
    }
    DrawLine(bitmap, {0, Osc::ZeroLineY + 1}, {w - 1, Osc::ZeroLineY + 1}, GridColour);
    DrawLine(bitmap, {0, -1}, {w - 1, -1}, GridColour);
    for (int k = 0; k <= w / GridStep; ++k)
        DrawLine(bitmap, {GridStep * k, 0}, {GridStep * k, Osc::ZeroLineY}, GridColour);
}

void DrawCapture(QImage& bitmap, const TOscScales& scales, int offset) {
    DrawLabels(bitmap, scales, offset);
    DrawTrace(bitmap, scales, offset);
    DrawTriggerLevel(bitmap, scales.TriggerLevelY());
    DrawTriggerTime(bitmap, scales.TriggerTimeX(offset));
}

} // namespace OscDrawing
