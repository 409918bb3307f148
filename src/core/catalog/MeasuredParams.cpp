#include "catalog/MeasuredParams.h"

#include "catalog/MeasuredParamTable.h"

#include <QLocale>
#include <algorithm>

namespace {

// Which device flags a descriptor needs to be built.
enum class TBuiltWhen { Always, AirTemperature, LightsInsteadOfAir, LightsBesideAir };

struct TBuildStep {
    TMeasParKind Kind;
    TBuiltWhen When = TBuiltWhen::Always;
};

using K = TMeasParKind;

// The catalogue's fixed order, which is not the identifier order.
constexpr TBuildStep BuildOrder[] = {
    {K::TVelocity},
    {K::TRevolutions},
    {K::TInjectionTime},
    {K::TMomentaryExpenseK},
    {K::TMomentaryExpenseH},
    {K::TAccVoltage},
    {K::TOil},
    {K::TPrognoz},
    {K::TTime},
    {K::TTemperAir, TBuiltWhen::AirTemperature},
    {K::TLightsFlag, TBuiltWhen::LightsInsteadOfAir},
    {K::TTemperLiq},
    {K::TMAF},
    {K::TMAP},
    {K::TThrottle},
    {K::TThrottle2},
    {K::TStepMotor},
    {K::TUOZ},
    {K::TCorrUOZ},
    {K::TEngCalcLoad},
    {K::TVAF},
    {K::TEMV},
    {K::TTemperIntakeAir},
    {K::TCorrLeft},
    {K::TCorrRight},
    {K::TO2Probe1},
    {K::TO2Probe2},
    {K::TTripTime},
    {K::TTripMomentaryExpenseK},
    {K::TTripVelocity},
    {K::TTripPath},
    {K::TTripExpense},
    {K::TTripPrice},
    {K::TDDK},
    {K::TLightsFlag1, TBuiltWhen::LightsBesideAir},
    {K::TFuelPressFact},
    {K::TTemperOilAKPP},
    {K::TAKPPMode},
    {K::TTemperOilEng},
    {K::TTurboPress},
    {K::TPressOilEngine},
    {K::TWorkTimeEngine},
    {K::TRetarderOilTemper},
    {K::THVBChargeLevel},
    {K::THVBChargeLimit},
    {K::THVBDischargeLimit},
    {K::THVBTemper},
    {K::THVBFanSpeed},
    {K::THVBAirIntakeTemper},
    {K::THVBFrontBrakeTorq},
    {K::THVBRearBrakeTorq},
    {K::THVBBrakeTorq},
    {K::THVBCurrent},
    {K::TInvTemper},
};
static_assert(std::size(BuildOrder) == std::size_t(TMeasParKind::Count));

bool IsBuilt(TBuiltWhen when, const TDeviceFlags& flags) {
    switch (when) {
    case TBuiltWhen::Always:
        return true;
    case TBuiltWhen::AirTemperature:
        return !flags.NoAirTemperature;
    case TBuiltWhen::LightsInsteadOfAir:
        return flags.NoAirTemperature && flags.HasLightsControl;
    case TBuiltWhen::LightsBesideAir:
        return !flags.NoAirTemperature && flags.HasLightsControl;
    }
    return false;
}

// A raw value in display units with exactly `decimals` digits after the separator.
QString FixedPointText(int raw, int decimals) {
    double divisor = 1.0;
    for (int i = 0; i < decimals; ++i)
        divisor *= 10.0;
    QString text = QString::number(raw / divisor, 'f', decimals);
    return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

#define MK_CLASS_NAME(name) #name,
constexpr const char* ClassNames[] = {MK_MEAS_PAR_CLASSES(MK_CLASS_NAME, MK_CLASS_NAME)};
#undef MK_CLASS_NAME

} // namespace

TMeasParBase::TMeasParBase(TMeasParKind kind) : ParKind(kind) {
    const TMeasParRow& row = MeasParRow(kind);
    Id = row.Id;
    HasBar = row.HasBar;
    DialKind = row.DialKind;
    HasChart = row.HasChart;
    SampleValue = row.SampleValue;
    MinValue = row.MinValue;
    MaxValue = row.MaxValue;
    DialMin = row.DialMin;
    DialMax = row.DialMax;
    Width = row.Width;
    Decimals = row.Decimals;
    Name = QString::fromUtf8(row.Name);
    SampleText = QString::fromUtf8(row.SampleText);
    Caption1 = QString::fromUtf8(row.Caption1);
    Name4 = QString::fromUtf8(row.Name4);
    Unit4 = QString::fromUtf8(row.Unit4);
    Name9 = QString::fromUtf8(row.Name9);
    Unit9 = QString::fromUtf8(row.Unit9);
    Label7 = QString::fromUtf8(row.Label7);
    DialName = QString::fromUtf8(row.DialName);
    DialUnit = QString::fromUtf8(row.DialUnit);
    ChartLabel = QString::fromUtf8(row.ChartLabel);
    HasDialMarker = row.HasDialMarker;
}

const char* TMeasParBase::ClassName() const {
    return ClassNames[std::size_t(ParKind)];
}

std::unique_ptr<TMeasParBase> TMeasParBase::Prepared() const {
    std::unique_ptr<TMeasParBase> copy = CreateMeasPar(ParKind);
    *copy = *this; // every descriptor class holds the base's data only
    copy->PrepareData();
    return copy;
}

void TMeasParBase::PrepareData() {
    if (Decimals == 0) {
        MinText = QString::number(MinValue);
        MaxText = QString::number(MaxValue);
    } else {
        MinText = FixedPointText(MinValue, Decimals);
        MaxText = FixedPointText(MaxValue, Decimals);
    }
}

int TMeasParBase::ScaleToSpan(int value, int span) const {
    const int64_t range = int64_t(MaxValue) - MinValue;
    if (range <= 0)
        return 0;
    const int64_t scaled = (int64_t(value) - MinValue) * span / range;
    return int(std::clamp<int64_t>(scaled, 0, span));
}

std::vector<int> TMeasParBase::DialLabels(int divisions) const {
    std::vector<int> labels;
    for (int i = 0; i <= divisions; ++i)
        labels.push_back(int(DialMin + (int64_t(DialMax) - DialMin) * i / divisions));
    return labels;
}

#define MK_DEFINE_MEAS_PAR(name)                                                                   \
    name::name() : TMeasParBase(TMeasParKind::name) {}
MK_MEAS_PAR_CLASSES(MK_DEFINE_MEAS_PAR, MK_DEFINE_MEAS_PAR)
#undef MK_DEFINE_MEAS_PAR

void TMomentaryExpenseK::PrepareData() {
    RangeExtended = 1;
    MaxValue = ExtendedMaxValue;
    DialMin = 0;
    DialMax = ExtendedDialMax;
    TMeasParBase::PrepareData();
}

std::unique_ptr<TMeasParBase> CreateMeasPar(TMeasParKind kind) {
    switch (kind) {
#define MK_CREATE_CASE(name)                                                                       \
    case TMeasParKind::name:                                                                       \
        return std::make_unique<name>();
        MK_MEAS_PAR_CLASSES(MK_CREATE_CASE, MK_CREATE_CASE)
#undef MK_CREATE_CASE
    case TMeasParKind::Count:
        break;
    }
    return nullptr;
}

TMeasParList BuildMeasParList(const TDeviceFlags& flags) {
    TMeasParList list;
    for (const TBuildStep& step : BuildOrder)
        if (IsBuilt(step.When, flags))
            list.push_back(CreateMeasPar(step.Kind));
    return list;
}

TMeasParBase* FindMeasPar(const TMeasParList& list, int id) {
    for (const auto& p : list)
        if (p->Id == id)
            return p.get();
    return nullptr;
}
