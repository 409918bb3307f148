#include "model/RecordFields.h"

#include "base/MKError.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <type_traits>

namespace {

template <class E> constexpr TFieldType TypeOf() {
    if constexpr (std::is_same_v<E, int8_t>)
        return TFieldType::I8;
    else if constexpr (std::is_same_v<E, uint8_t>)
        return TFieldType::U8;
    else if constexpr (std::is_same_v<E, int16_t>)
        return TFieldType::I16;
    else if constexpr (std::is_same_v<E, uint16_t>)
        return TFieldType::U16;
    else if constexpr (std::is_same_v<E, int32_t>)
        return TFieldType::I32;
    else if constexpr (std::is_same_v<E, uint32_t>)
        return TFieldType::U32;
    else if constexpr (std::is_same_v<E, uint64_t>)
        return TFieldType::U64;
    else if constexpr (std::is_same_v<E, float>)
        return TFieldType::F32;
    else if constexpr (std::is_same_v<E, char>)
        return TFieldType::Chars;
    else if constexpr (std::is_same_v<E, TBigEndianWord>)
        return TFieldType::BigEndianU16;
    else if constexpr (std::is_same_v<E, TCounterGroup>)
        return TFieldType::Counter;
    else if constexpr (std::is_same_v<E, TGasCounterGroup>)
        return TFieldType::GasCounter;
    else if constexpr (std::is_same_v<E, TJournalRecord>)
        return TFieldType::Journal;
    else if constexpr (std::is_same_v<E, TFaultRecord>)
        return TFieldType::Fault;
    else if constexpr (std::is_same_v<E, TColorTable>)
        return TFieldType::ColorTable;
    else
        static_assert(sizeof(E) == 0, "field type without a description");
}

template <class M> constexpr TFieldInfo MakeField(const char* name, std::size_t offset) {
    using E = std::remove_all_extents_t<M>;
    constexpr int rank = int(std::rank_v<M>);
    const int count = rank >= 1 ? int(std::extent_v<M, 0>) : 1;
    const int columns = rank >= 2 ? int(std::extent_v<M, 1>) : 0;
    return {name,
            offset,
            TypeOf<E>(),
            count,
            columns,
            int(sizeof(E)),
            rank >= 1 && TypeOf<E>() != TFieldType::Chars};
}

#define F(S, f) MakeField<decltype(S::f)>(#f, offsetof(S, f))

const TFieldInfo TripTotalsFields[] = {
    F(TTripTotals, AllSum),       F(TTripTotals, TripSum),      F(TTripTotals, ResetSum),
    F(TTripTotals, StopSum),      F(TTripTotals, NoStopSum),    F(TTripTotals, TankSum),
    F(TTripTotals, AllPathStart), F(TTripTotals, ResetPeriod0), F(TTripTotals, ResetPeriod1),
    F(TTripTotals, OilOnlySum),   F(TTripTotals, GasOnlySum),   F(TTripTotals, ResetPeriodOnly),
    F(TTripTotals, GasFuel),
};

const TFieldInfo ParkingFields[] = {
    F(TParkingSettings, ParkUse0),           F(TParkingSettings, ParkUse1),
    F(TParkingSettings, ParkSense0),         F(TParkingSettings, ParkSense1),
    F(TParkingSettings, ParkSpeed0),         F(TParkingSettings, ParkSpeed1),
    F(TParkingSettings, ParkMinLeng0),       F(TParkingSettings, ParkMinLeng1),
    F(TParkingSettings, ParkStopVel0),       F(TParkingSettings, ParkStopVel1),
    F(TParkingSettings, ParkStopLeng0),      F(TParkingSettings, ParkStopLeng1),
    F(TParkingSettings, ParkBeepType),       F(TParkingSettings, ParkStopLengBeep),
    F(TParkingSettings, ParkForwConstOff),   F(TParkingSettings, ParkFarkopLen),
    F(TParkingSettings, ParkType),           F(TParkingSettings, ParkProbesQntReal0),
    F(TParkingSettings, ParkProbesQntReal1),
};

const TFieldInfo TankSensorFields[] = {
    F(TTankSensorSettings, Oil6L),           F(TTankSensorSettings, Lit6L),
    F(TTankSensorSettings, Oil43L),          F(TTankSensorSettings, Lit43L),
    F(TTankSensorSettings, OilCalibrResArr), F(TTankSensorSettings, OilCalibrLitArr),
    F(TTankSensorSettings, OilCalibrQuant),  F(TTankSensorSettings, TankMode),
    F(TTankSensorSettings, TankMeth),        F(TTankSensorSettings, K100Manual),
    F(TTankSensorSettings, TankContFull),    F(TTankSensorSettings, LinkLossCount),
    F(TTankSensorSettings, GazContFull),
};

const TFieldInfo TankCalibrationFields[] = {
    F(TTankCalibration, TarirFlagFinish), F(TTankCalibration, TarirLeng),
    F(TTankCalibration, TarirStartHigh),  F(TTankCalibration, TarirIncline),
    F(TTankCalibration, TarirLitres),     F(TTankCalibration, TarirUnits),
};

const TFieldInfo ServiceFields[] = {
    F(TServiceSettings, AirFiltCntK),  F(TServiceSettings, KPPOilCntK),
    F(TServiceSettings, ForsTOCntK),   F(TServiceSettings, GRMStrapCntK),
    F(TServiceSettings, CoolLiqCntK),  F(TServiceSettings, EngOilCntK),
    F(TServiceSettings, CandleCntK),   F(TServiceSettings, UseUniMeas),
    F(TServiceSettings, TO),           F(TServiceSettings, OSAGO),
    F(TServiceSettings, Blocks),       F(TServiceSettings, UniMeasADC0),
    F(TServiceSettings, UniMeasADC1),  F(TServiceSettings, UniMeasDat0),
    F(TServiceSettings, UniMeasDat1),  F(TServiceSettings, UniMeasStr),
    F(TServiceSettings, AirWaterShow), F(TServiceSettings, ForsTOName),
    F(TServiceSettings, GRMStrapName), F(TServiceSettings, CandleName),
    F(TServiceSettings, ServiceFlags),
};

const TFieldInfo LimitsFields[] = {
    F(TLimitsSettings, VelocityLimit),
    F(TLimitsSettings, RevolutionsLimit),
    F(TLimitsSettings, TankLimit),
    F(TLimitsSettings, TimeCorr),
    F(TLimitsSettings, LiqTemperLimit),
    F(TLimitsSettings, UaccLowLimit),
    F(TLimitsSettings, StopVelocityLimit),
    F(TLimitsSettings, UaccHighLimit),
    F(TLimitsSettings, VentTempLimit),
    F(TLimitsSettings, GasMeth),
    F(TLimitsSettings, AirTemperMeth),
    F(TLimitsSettings, PrognozMeth),
    F(TLimitsSettings, VelocityMeth),
    F(TLimitsSettings, ExpenseMeth),
    F(TLimitsSettings, RevolutionsMeth),
    F(TLimitsSettings, ForsPosFlag),
    F(TLimitsSettings, ForsCoef),
    F(TLimitsSettings, InjTimeLimit),
    F(TLimitsSettings, AirTemperCorr),
    F(TLimitsSettings, Vel100),
    F(TLimitsSettings, Vel100Down),
    F(TLimitsSettings, ExpenseCorr),
    F(TLimitsSettings, VelocityCorr),
    F(TLimitsSettings, AccCorr),
    F(TLimitsSettings, LiqTemperReady),
    F(TLimitsSettings, GasOilMeth),
    F(TLimitsSettings, Exp100ArrowLim),
    F(TLimitsSettings, VAGSFilterLimit),
    F(TLimitsSettings, GazExpenseCorr),
    F(TLimitsSettings, OilAKPPTemperLimit),
    F(TLimitsSettings, OilEngTemperLimit),
    F(TLimitsSettings, CVTFDeteriorLim),
    F(TLimitsSettings, UaccMeth),
    F(TLimitsSettings, InvTemperLimit),
    F(TLimitsSettings, RetarderOilTemperLimit),
    F(TLimitsSettings, HVBTemperLimit),
};

const TFieldInfo TripFields[] = {
    F(TTripSettings, PriceExpense), F(TTripSettings, PriceTime),    F(TTripSettings, PricePath),
    F(TTripSettings, PriceGas),     F(TTripSettings, TripShowFlag), F(TTripSettings, TripJournAuto),
    F(TTripSettings, TripMinStop),  F(TTripSettings, TripJournal),  F(TTripSettings, TankJournal),
};

const TFieldInfo Block8Fields[] = {F(TBlock8, Data)};

const TFieldInfo AlarmFields[] = {
    F(TAlarmSounds, AlarmPresentation),
    F(TAlarmSounds, AlarmVelSecNoSayMax),
};

const TFieldInfo DisplayFields[] = {
    F(TDisplaySettings, DispVar4),       F(TDisplaySettings, DispVar9),
    F(TDisplaySettings, Screens4),       F(TDisplaySettings, Screens7),
    F(TDisplaySettings, GraphScreens),   F(TDisplaySettings, ArrowScreens),
    F(TDisplaySettings, Screens9),       F(TDisplaySettings, DispSpeed),
    F(TDisplaySettings, HotMenus),       F(TDisplaySettings, ColorTable0),
    F(TDisplaySettings, ColorTable1),    F(TDisplaySettings, ColorScheme),
    F(TDisplaySettings, SayHelloMode),   F(TDisplaySettings, SoundVolume),
    F(TDisplaySettings, FlagSound),      F(TDisplaySettings, Intense0),
    F(TDisplaySettings, Intense1),       F(TDisplaySettings, SayEconomPeriod),
    F(TDisplaySettings, SayParamPeriod), F(TDisplaySettings, DispShowTitle),
    F(TDisplaySettings, IntenseMeth),    F(TDisplaySettings, SoundKeys),
    F(TDisplaySettings, SoundLock),      F(TDisplaySettings, ShowDispName),
    F(TDisplaySettings, IntenseDayTime), F(TDisplaySettings, IntenseNightTime),
    F(TDisplaySettings, ShowDisp4),      F(TDisplaySettings, ShowDisp9),
    F(TDisplaySettings, ShowDisp7),      F(TDisplaySettings, ShowDispG),
    F(TDisplaySettings, ShowDispA),      F(TDisplaySettings, ShowDispS),
    F(TDisplaySettings, ShowDisp1),      F(TDisplaySettings, Screen6),
    F(TDisplaySettings, ShowDisp6),
};

const TFieldInfo ProtocolFields[] = {
    F(TProtocolSettings, ProtocolFlags), F(TProtocolSettings, Protocol),
    F(TProtocolSettings, PrevProtocol),  F(TProtocolSettings, ProtocolSelectMeth),
    F(TProtocolSettings, EcuAddress),    F(TProtocolSettings, VirtualExpenseType),
    F(TProtocolSettings, LockTypeLevel), F(TProtocolSettings, ProtTypeMain),
    F(TProtocolSettings, ProtTypeAdd1),  F(TProtocolSettings, ProtTypeAdd2),
    F(TProtocolSettings, ProtTypeAdd3),  F(TProtocolSettings, ConsultPids),
    F(TProtocolSettings, StartThrottle), F(TProtocolSettings, EcuPids),
    F(TProtocolSettings, ProtTypeAdd4),  F(TProtocolSettings, ProtTypeAdd5),
    F(TProtocolSettings, ProtTypeAdd6),  F(TProtocolSettings, ProtTypeAdd7),
};

const TFieldInfo ErrorJournalFields[] = {
    F(TErrorJournal, SupportedPids),
    F(TErrorJournal, Faults),
};

#undef F

const std::span<const TFieldInfo> FieldLists[BlockCount] = {
    TripTotalsFields, ParkingFields, TankSensorFields, TankCalibrationFields,
    ServiceFields,    LimitsFields,  TripFields,       Block8Fields,
    AlarmFields,      DisplayFields, ProtocolFields,   ErrorJournalFields,
};

template <class T> T Load(const uint8_t* p) {
    T v;
    std::memcpy(&v, p, sizeof(T));
    return v;
}

} // namespace

std::span<const TFieldInfo> BlockFields(TBlock block) {
    return FieldLists[int(block)];
}

const TFieldInfo* FindField(TBlock block, QStringView name) {
    for (const TFieldInfo& f : BlockFields(block))
        if (name == QLatin1String(f.Name))
            return &f;
    return nullptr;
}

std::optional<TRecordField> FindRecordField(QStringView name) {
    for (const TBlockInfo& info : BlockTable())
        if (const TFieldInfo* f = FindField(info.Block, name))
            return TRecordField{info.Block, f};
    return std::nullopt;
}

double ReadNumber(const uint8_t* block, const TFieldInfo& field, int index) {
    const uint8_t* p = block + field.Offset + std::size_t(index) * std::size_t(field.ElementSize);
    switch (field.Type) {
    case TFieldType::I8:
        return Load<int8_t>(p);
    case TFieldType::U8:
        return Load<uint8_t>(p);
    case TFieldType::I16:
        return Load<int16_t>(p);
    case TFieldType::U16:
        return Load<uint16_t>(p);
    case TFieldType::I32:
        return Load<int32_t>(p);
    case TFieldType::U32:
        return Load<uint32_t>(p);
    case TFieldType::U64:
        return double(Load<uint64_t>(p));
    case TFieldType::F32:
        return Load<float>(p);
    case TFieldType::BigEndianU16:
        return p[0] << 8 | p[1];
    default:
        return 0;
    }
}

namespace {

const uint8_t* ElementAt(const uint8_t* block, const TFieldInfo& field, int index) {
    const int elements = field.Count * std::max(field.Columns, 1);
    if (index < 0 || index >= (field.Array ? elements : 1))
        throw TRangeError();
    return block + field.Offset + std::size_t(index) * std::size_t(field.ElementSize);
}

template <class T> void StoreChecked(uint8_t* p, int64_t value) {
    if (value < int64_t(std::numeric_limits<T>::min()) ||
        (std::is_unsigned_v<T> ? uint64_t(value) > uint64_t(std::numeric_limits<T>::max())
                               : value > int64_t(std::numeric_limits<T>::max())))
        throw TRangeError();
    const T v = T(value);
    std::memcpy(p, &v, sizeof(T));
}

QString NotAnInteger(const TFieldInfo& field) {
    return QStringLiteral("Поле %1 не является целым числом").arg(QLatin1String(field.Name));
}

} // namespace

int64_t ReadInteger(const uint8_t* block, const TFieldInfo& field, int index) {
    const uint8_t* p = ElementAt(block, field, index);
    switch (field.Type) {
    case TFieldType::I8:
        return Load<int8_t>(p);
    case TFieldType::U8:
        return Load<uint8_t>(p);
    case TFieldType::I16:
        return Load<int16_t>(p);
    case TFieldType::U16:
        return Load<uint16_t>(p);
    case TFieldType::I32:
        return Load<int32_t>(p);
    case TFieldType::U32:
        return Load<uint32_t>(p);
    case TFieldType::U64:
        return int64_t(Load<uint64_t>(p));
    case TFieldType::BigEndianU16:
        return p[0] << 8 | p[1];
    default:
        throw TMKError(NotAnInteger(field));
    }
}

void StoreInteger(uint8_t* block, const TFieldInfo& field, int index, int64_t value) {
    uint8_t* p = const_cast<uint8_t*>(ElementAt(block, field, index));
    switch (field.Type) {
    case TFieldType::I8:
        return StoreChecked<int8_t>(p, value);
    case TFieldType::U8:
        return StoreChecked<uint8_t>(p, value);
    case TFieldType::I16:
        return StoreChecked<int16_t>(p, value);
    case TFieldType::U16:
        return StoreChecked<uint16_t>(p, value);
    case TFieldType::I32:
        return StoreChecked<int32_t>(p, value);
    case TFieldType::U32:
        return StoreChecked<uint32_t>(p, value);
    case TFieldType::U64:
        if (value < 0)
            throw TRangeError();
        return StoreUnsigned64(block, field, index, uint64_t(value));
    case TFieldType::BigEndianU16:
        if (value < 0 || value > 0xFFFF)
            throw TRangeError();
        p[0] = uint8_t(value >> 8);
        p[1] = uint8_t(value);
        return;
    default:
        throw TMKError(NotAnInteger(field));
    }
}

uint64_t ReadUnsigned64(const uint8_t* block, const TFieldInfo& field, int index) {
    if (field.Type != TFieldType::U64)
        return uint64_t(ReadInteger(block, field, index));
    return Load<uint64_t>(ElementAt(block, field, index));
}

void StoreUnsigned64(uint8_t* block, const TFieldInfo& field, int index, uint64_t value) {
    if (field.Type != TFieldType::U64)
        return StoreInteger(block, field, index, value > uint64_t(INT64_MAX) ? -1 : int64_t(value));
    std::memcpy(const_cast<uint8_t*>(ElementAt(block, field, index)), &value, sizeof value);
}
