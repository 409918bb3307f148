#include "model/Oscilloscope.h"

#include "base/MKError.h"
#include "model/DeviceModel.h"

#include <QLocale>
#include <cmath>

namespace {

constexpr int TimeTable[Osc::TimeDivCount] = {2000, 1000, 500, 200, 100, 50, 20, 10, 5, 2};
const char* const TimeDivLabels[Osc::TimeDivCount] = {"0.5", "  1", "  2", "  5", " 10",
                                                      " 20", " 50", "100", "200", "500"};
constexpr float VoltFactors[Osc::VoltDivCount] = {0.2f, 0.5f, 1.0f};
constexpr float InDividerFactors[Osc::InDividerCount] = {1.0f, 0.1f, 0.01f};
const char* const VoltLabels[Osc::InDividerCount][Osc::VoltDivCount] = {
    {"0.2", "0.5", "  1"}, {"  2", "  5", " 10"}, {" 20", " 50", "100"}};

// Volts per sample unit of the MK's converter.
constexpr float VoltsPerUnit = 3.0f / 2480.0f;
// Milliseconds per sample at a time scale of 1.
constexpr float SampleMilliseconds = 312.5f;
// Sample units per volt-factor unit of the trigger level.
constexpr float TriggerLevelUnits = 80.0f;

int Checked(int index, int count) {
    if (index < 0 || index >= count)
        throw TRangeError();
    return index;
}

} // namespace

namespace Osc {

float TimeScale(int timeDiv) {
    return 1.0f / float(TimeTable[Checked(timeDiv, TimeDivCount)]);
}

float VoltFactor(int voltDiv) {
    return VoltFactors[Checked(voltDiv, VoltDivCount)];
}

float InDividerFactor(int inDivider) {
    return InDividerFactors[Checked(inDivider, InDividerCount)];
}

QString TimeLabel(int timeDiv) {
    return QString::fromLatin1(TimeDivLabels[Checked(timeDiv, TimeDivCount)]);
}

QString VoltLabel(int inDivider, int voltDiv) {
    return QString::fromLatin1(
        VoltLabels[Checked(inDivider, InDividerCount)][Checked(voltDiv, VoltDivCount)]);
}

float VoltScale(int voltDiv) {
    switch (voltDiv) {
    case 0:
        return 1.0f;
    case 1:
        return 2.0f;
    default:
        return 4.0f;
    }
}

int Round(float value) {
    return int(std::nearbyint(value));
}

QString OneDecimal(float value) {
    // A float times ten is exact in a double, so the half-to-even step sees the true value.
    double tenths = std::nearbyint(double(value) * 10.0);
    if (tenths == 0.0)
        tenths = 0.0; // no "-0.0"
    return QString::number(tenths / 10.0, 'f', 1)
        .replace(QLatin1Char('.'), QLocale().decimalPoint());
}

} // namespace Osc

TOscScales::TOscScales(const TOscilloscopeRecord& capture, float openTimeScale)
    : OpenTimeScale(openTimeScale), TimeScale(Osc::TimeScale(capture.OscHeader0.TimeDiv)),
      VoltScale(Osc::VoltScale(capture.OscHeader0.VoltDiv)), XScale(OpenTimeScale / TimeScale),
      YScale(Osc::VoltFactor(capture.OscHeader0.VoltDiv) / VoltScale / VoltsPerUnit),
      Capture(capture) {
    Osc::InDividerFactor(capture.OscHeader1.InDivider);
}

int TOscScales::SampleX(int t, int offset) const {
    return Osc::Round(float(t - Osc::TriggerSample - offset) * XScale + float(Osc::TriggerX));
}

int TOscScales::SampleY(int t) const {
    return Osc::Round(float(Osc::ZeroLineY) -
                      float(Capture.OscSamples[t]) * float(Osc::ZeroLineY) / YScale);
}

int TOscScales::TriggerLevelY() const {
    const TOscHeader& h = Capture.OscHeader0;
    return Osc::Round(float(Osc::ZeroLineY) - float(h.TriggerLevel) * float(Osc::ZeroLineY) /
                                                  Osc::VoltFactor(h.VoltDiv) / TriggerLevelUnits);
}

int TOscScales::TriggerTimeX(int offset) const {
    return Osc::Round(float(Osc::TriggerX) - float(offset) * XScale);
}

QString TOscScales::VoltsPerDivText() const {
    return Osc::VoltLabel(Capture.OscHeader1.InDivider, Capture.OscHeader0.VoltDiv) +
           QStringLiteral("В/д");
}

QString TOscScales::TimePerDivText() const {
    return Osc::TimeLabel(Capture.OscHeader0.TimeDiv) + QStringLiteral("мс/д");
}

QString TOscScales::OffsetText(int offset) const {
    return Osc::OneDecimal(float(offset) * OpenTimeScale * SampleMilliseconds) +
           QStringLiteral("мс");
}

QString TOscScales::TriggerVoltsText() const {
    const float volts = float(Capture.OscHeader1.TriggerVolts) / 10.0f /
                        Osc::InDividerFactor(Capture.OscHeader1.InDivider);
    return Osc::OneDecimal(volts) + QStringLiteral("В");
}

void TMK::ViewOscilloscope(const std::function<void()>& runViewer) {
    UnpackBlock(TBlock::ProtocolSettings);
    RebuildProtocolList();
    if (!Catalog.Flags().HasOscilloscope)
        throw TMKError(QStringLiteral("В данной версии МК оцилллограф не поддерживается."));
    LoadOscilloscope();
    runViewer();
}
