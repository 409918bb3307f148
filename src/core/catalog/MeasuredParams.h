#pragma once

#include "catalog/DeviceFlags.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

// Measured-parameter descriptors: what the MK's screens print for each measured value and how
// its raw integer is scaled.

// Every descriptor class, in identifier order (11 has two). OWN marks the one class with its
// own behaviour.
#define MK_MEAS_PAR_CLASSES(PLAIN, OWN)                                                            \
    PLAIN(TTripTime)                                                                               \
    PLAIN(TTripPath)                                                                               \
    PLAIN(TTripExpense)                                                                            \
    PLAIN(TTripVelocity)                                                                           \
    PLAIN(TTripMomentaryExpenseK)                                                                  \
    PLAIN(TTripPrice)                                                                              \
    PLAIN(TTime)                                                                                   \
    PLAIN(TOil)                                                                                    \
    PLAIN(TPrognoz)                                                                                \
    PLAIN(TAccVoltage)                                                                             \
    PLAIN(TLightsFlag)                                                                             \
    PLAIN(TTemperAir)                                                                              \
    PLAIN(TVelocity)                                                                               \
    PLAIN(TRevolutions)                                                                            \
    OWN(TMomentaryExpenseK)                                                                        \
    PLAIN(TMomentaryExpenseH)                                                                      \
    PLAIN(TInjectionTime)                                                                          \
    PLAIN(TTemperLiq)                                                                              \
    PLAIN(TMAF)                                                                                    \
    PLAIN(TMAP)                                                                                    \
    PLAIN(TThrottle)                                                                               \
    PLAIN(TStepMotor)                                                                              \
    PLAIN(TO2Probe1)                                                                               \
    PLAIN(TO2Probe2)                                                                               \
    PLAIN(TTemperIntakeAir)                                                                        \
    PLAIN(TUOZ)                                                                                    \
    PLAIN(TCorrUOZ)                                                                                \
    PLAIN(TEngCalcLoad)                                                                            \
    PLAIN(TVAF)                                                                                    \
    PLAIN(TEMV)                                                                                    \
    PLAIN(TCorrRight)                                                                              \
    PLAIN(TCorrLeft)                                                                               \
    PLAIN(TDDK)                                                                                    \
    PLAIN(TThrottle2)                                                                              \
    PLAIN(TLightsFlag1)                                                                            \
    PLAIN(TFuelPressFact)                                                                          \
    PLAIN(TTemperOilAKPP)                                                                          \
    PLAIN(TAKPPMode)                                                                               \
    PLAIN(TTemperOilEng)                                                                           \
    PLAIN(TTurboPress)                                                                             \
    PLAIN(TPressOilEngine)                                                                         \
    PLAIN(TWorkTimeEngine)                                                                         \
    PLAIN(TRetarderOilTemper)                                                                      \
    PLAIN(THVBChargeLevel)                                                                         \
    PLAIN(THVBChargeLimit)                                                                         \
    PLAIN(THVBDischargeLimit)                                                                      \
    PLAIN(THVBTemper)                                                                              \
    PLAIN(THVBFanSpeed)                                                                            \
    PLAIN(THVBAirIntakeTemper)                                                                     \
    PLAIN(THVBFrontBrakeTorq)                                                                      \
    PLAIN(THVBRearBrakeTorq)                                                                       \
    PLAIN(THVBBrakeTorq)                                                                           \
    PLAIN(THVBCurrent)                                                                             \
    PLAIN(TInvTemper)

#define MK_MEAS_PAR_KIND(name) name,
enum class TMeasParKind : int { MK_MEAS_PAR_CLASSES(MK_MEAS_PAR_KIND, MK_MEAS_PAR_KIND) Count };
#undef MK_MEAS_PAR_KIND

class TMeasParBase {
public:
    virtual ~TMeasParBase() = default;

    // Fills MinText and MaxText; the previews call it right before drawing.
    virtual void PrepareData();
    // A copy with PrepareData done: what a preview draws, leaving the catalogue's own
    // descriptor (shared by every model of the device) as built.
    std::unique_ptr<TMeasParBase> Prepared() const;
    // (value - MinValue) * span / (MaxValue - MinValue), truncated, limited to 0..span.
    int ScaleToSpan(int value, int span) const;
    // DialMin + (DialMax - DialMin) * i / divisions for i = 0..divisions (4 on the left dial,
    // 8 on the right one).
    std::vector<int> DialLabels(int divisions) const;

    TMeasParKind Kind() const { return ParKind; }
    const char* ClassName() const;

    uint8_t Id = 0;
    int HasBar = 0;
    int DialKind = 0; // 0 none, 1 left dial, 2 right dial
    int HasChart = 0;
    int SampleValue = 0;
    int MinValue = 0;
    int MaxValue = 100;
    int DialMin = 0;
    int DialMax = 100;
    int Width = 3;
    int Decimals = 0;
    QString Name;
    QString SampleText;
    QString Caption1;
    QString MinText;
    QString MaxText;
    QString Name4, Unit4;
    QString Name9, Unit9;
    QString Label7;
    QString DialName, DialUnit;
    QString ChartLabel;
    uint8_t HasDialMarker = 0;
    uint8_t RangeExtended = 0;

protected:
    explicit TMeasParBase(TMeasParKind kind);
    TMeasParBase(const TMeasParBase&) = default;
    TMeasParBase& operator=(const TMeasParBase&) = default;

private:
    TMeasParKind ParKind;
};

#define MK_DECLARE_MEAS_PAR(name)                                                                  \
    class name : public TMeasParBase {                                                             \
    public:                                                                                        \
        name();                                                                                    \
    };
#define MK_NOTHING(name)
MK_MEAS_PAR_CLASSES(MK_DECLARE_MEAS_PAR, MK_NOTHING)
#undef MK_DECLARE_MEAS_PAR
#undef MK_NOTHING

// Instantaneous consumption per 100 km: once drawn, its scale widens to the high-consumption
// range, which the left dial shows in its own colour.
class TMomentaryExpenseK : public TMeasParBase {
public:
    static constexpr int ExtendedMaxValue = 800;
    static constexpr int ExtendedDialMax = 80;

    TMomentaryExpenseK();
    void PrepareData() override;
};

using TMeasParList = std::vector<std::unique_ptr<TMeasParBase>>;

std::unique_ptr<TMeasParBase> CreateMeasPar(TMeasParKind kind);
// The catalogue in its fixed order; which optional descriptors exist depends on the flags.
TMeasParList BuildMeasParList(const TDeviceFlags& flags);
// The first descriptor with the identifier, or null.
TMeasParBase* FindMeasPar(const TMeasParList& list, int id);
