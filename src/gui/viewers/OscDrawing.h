#pragma once

// The oscilloscope picture: grid, scale labels, trace and trigger markers drawn on an
// opaque bitmap the size of the viewer's paint box.

#include <QImage>

class TOscScales;

namespace OscDrawing {

constexpr int BitmapWidth = 1002;
constexpr int BitmapHeight = 278;
constexpr int LabelRowY = 258;

constexpr QRgb GridColour = 0xFF808080;
constexpr QRgb LabelColour = 0xFFFFFFFF;
constexpr QRgb TraceColour = 0xFFFFFF00;
constexpr QRgb TriggerLevelColour = 0xFF00FFFF; // also the trigger volts label
constexpr QRgb TriggerTimeColour = 0xFFFF00FF;  // also the offset label

QImage CreateBitmap();

// Draws a line from one point towards another like a pen moved to the first point and
// drawn to the second: the end point itself is not painted. Pixels outside are dropped.
void DrawLine(QImage& bitmap, QPoint from, QPoint to, QRgb colour);

// Fills the bitmap black and draws the grid; needs no capture.
void DrawBackground(QImage& bitmap);

// Labels, trace and trigger markers of the capture, scrolled by offset samples.
void DrawCapture(QImage& bitmap, const TOscScales& scales, int offset);

} // namespace OscDrawing
