#pragma once

// The oscilloscope capture on screen: the scale tables its header indexes and the
// conversion of samples and header values to trace coordinates and labels.

#include "model/Record.h"

#include <QString>

namespace Osc {

constexpr int TimeDivCount = 10;
constexpr int VoltDivCount = 3;
constexpr int InDividerCount = 3;
constexpr int SampleCount = 2 * OscAreaSamples;
// The trace area spans y = 0..256 with the zero line at the bottom.
constexpr int ZeroLineY = 256;
// The sample taken at the trigger and where the trigger time is drawn at offset 0.
constexpr int TriggerSample = 32;
constexpr int TriggerX = 64;

// Table look-ups; an index outside its table throws TRangeError.
float TimeScale(int timeDiv); // 1 / time table value
float VoltFactor(int voltDiv);
float InDividerFactor(int inDivider);
QString TimeLabel(int timeDiv);
QString VoltLabel(int inDivider, int voltDiv);

// The vertical stretch of a volt division; values outside the table count as the last.
float VoltScale(int voltDiv);

// Nearest integer, halves to even.
int Round(float value);

// A value with one decimal in the user's decimal notation, halves to even.
QString OneDecimal(float value);

} // namespace Osc

// The scales of one drawing of a capture: its header read against the tables and the
// time base the viewer opened with. Construction fails with TRangeError when a header
// field does not index its table, before anything is drawn.
class TOscScales {
public:
    TOscScales(const TOscilloscopeRecord& capture, float openTimeScale);

    const float OpenTimeScale;
    const float TimeScale;
    const float VoltScale;
    const float XScale;
    const float YScale;

    int SampleX(int t, int offset) const;
    int SampleY(int t) const;
    int TriggerLevelY() const;
    int TriggerTimeX(int offset) const;

    QString VoltsPerDivText() const;
    QString TimePerDivText() const;
    QString OffsetText(int offset) const;
    QString TriggerVoltsText() const;

private:
    const TOscilloscopeRecord& Capture;
};
