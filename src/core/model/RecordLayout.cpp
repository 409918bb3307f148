// The byte layout of the settings record, written once: every member of every record struct
// with the byte it starts at inside its struct, and each struct's size. The compiler checks
// each offset against the struct (Record.h), and the same entries make the field lists that
// mktool, the editor's binder and the tests share (RecordFields.h).
#include "model/RecordFields.h"

#include <cstddef>
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

// The member list of a nested struct; specialised below once the list exists.
template <class E> struct TMembers { static constexpr std::span<const TFieldInfo> List{}; };

// A member with a meaning: its name, where it starts, its element kind and count. `Offset` is
// where the struct puts it, `At` where the MK keeps it.
template <class M, std::size_t Offset, std::size_t At>
constexpr TFieldInfo Field(const char* name) {
    static_assert(Offset == At, "the record struct puts this member elsewhere than the MK");
    using E = std::remove_all_extents_t<M>;
    constexpr int rank = int(std::rank_v<M>);
    const int count = rank >= 1 ? int(std::extent_v<M, 0>) : 1;
    const int columns = rank >= 2 ? int(std::extent_v<M, 1>) : 0;
    return {name,
            At,
            TypeOf<E>(),
            count,
            columns,
            int(sizeof(E)),
            rank >= 1 && TypeOf<E>() != TFieldType::Chars,
            TMembers<E>::List};
}

// Bytes without a meaning.
template <std::size_t Bytes, std::size_t Offset, std::size_t At>
constexpr TFieldInfo Reserved(const char* name) {
    static_assert(Offset == At, "the record struct puts these bytes elsewhere than the MK");
    return {name, At, TFieldType::Reserved, int(Bytes), 0, 1, false, {}};
}

// The list runs through `size` bytes in layout order with neither gap nor overlap.
constexpr bool Covers(std::span<const TFieldInfo> list, std::size_t size) {
    std::size_t next = 0;
    for (const TFieldInfo& f : list) {
        if (f.Offset != next)
            return false;
        next += FieldBytes(f);
    }
    return next == size;
}

// F(Struct, member, byte): a member with a meaning; R(Struct, member, byte): reserved bytes.
#define F(S, f, at) Field<decltype(S::f), offsetof(S, f), at>(#f)
#define R(S, f, at) Reserved<sizeof(S::f), offsetof(S, f), at>(#f)

constexpr TFieldInfo CounterFields[] = {
    F(TCounterGroup, Time, 0),
    F(TCounterGroup, Path, 4),
    F(TCounterGroup, Fuel, 8),
};
static_assert(sizeof(TCounterGroup) == 12 && Covers(CounterFields, 12));
template <> struct TMembers<TCounterGroup> {
    static constexpr std::span<const TFieldInfo> List{CounterFields};
};

constexpr TFieldInfo GasCounterFields[] = {
    F(TGasCounterGroup, Time, 0),
    F(TGasCounterGroup, Path, 4),
    F(TGasCounterGroup, GasFuel, 8),
};
static_assert(sizeof(TGasCounterGroup) == 12 && Covers(GasCounterFields, 12));
template <> struct TMembers<TGasCounterGroup> {
    static constexpr std::span<const TFieldInfo> List{GasCounterFields};
};

constexpr TFieldInfo JournalFields[] = {
    F(TJournalRecord, TimeOfDay, 0), F(TJournalRecord, Day, 2),  F(TJournalRecord, Month, 3),
    F(TJournalRecord, TripTime, 4),  F(TJournalRecord, Path, 8), F(TJournalRecord, Fuel, 12),
    F(TJournalRecord, GasFuel, 16),
};
static_assert(sizeof(TJournalRecord) == 20 && Covers(JournalFields, 20));
template <> struct TMembers<TJournalRecord> {
    static constexpr std::span<const TFieldInfo> List{JournalFields};
};

constexpr TFieldInfo FaultFields[] = {
    F(TFaultRecord, TimeOfDay, 0),
    F(TFaultRecord, Day, 2),
    F(TFaultRecord, Month, 3),
    F(TFaultRecord, Code, 4),
    F(TFaultRecord, FreezeCode, 8),
    F(TFaultRecord, FuelSystemStatus, 12),
    F(TFaultRecord, FreezeValuesLow, 14),
    F(TFaultRecord, SecondaryAirStatus, 42),
    F(TFaultRecord, FreezeValuesHigh, 44),
};
static_assert(sizeof(TFaultRecord) == 92 && Covers(FaultFields, 92));
template <> struct TMembers<TFaultRecord> {
    static constexpr std::span<const TFieldInfo> List{FaultFields};
};

constexpr TFieldInfo ColorTableFields[] = {
    F(TColorTable, Palette, 0),
    F(TColorTable, Indices, 32),
    R(TColorTable, Reserved, 55),
};
static_assert(sizeof(TColorTable) == 56 && Covers(ColorTableFields, 56));
template <> struct TMembers<TColorTable> {
    static constexpr std::span<const TFieldInfo> List{ColorTableFields};
};

constexpr TFieldInfo TripTotalsFields[] = {
    F(TTripTotals, AllSum, 0),
    F(TTripTotals, TripSum, 12),
    F(TTripTotals, ResetSum, 24),
    F(TTripTotals, StopSum, 36),
    F(TTripTotals, NoStopSum, 48),
    F(TTripTotals, TankSum, 60),
    R(TTripTotals, Reserved72, 72),
    F(TTripTotals, AllPathStart, 100),
    F(TTripTotals, ResetPeriod0, 104),
    F(TTripTotals, ResetPeriod1, 105),
    R(TTripTotals, Reserved106, 106),
    F(TTripTotals, OilOnlySum, 108),
    F(TTripTotals, GasOnlySum, 120),
    R(TTripTotals, Reserved132, 132),
    F(TTripTotals, ResetPeriodOnly, 134),
    R(TTripTotals, Reserved135, 135),
    F(TTripTotals, GasFuel, 136),
    R(TTripTotals, Reserved160, 160),
};
static_assert(sizeof(TTripTotals) == 164 && Covers(TripTotalsFields, 164));

constexpr TFieldInfo ParkingFields[] = {
    F(TParkingSettings, ParkUse0, 0),
    F(TParkingSettings, ParkUse1, 1),
    F(TParkingSettings, ParkSense0, 2),
    F(TParkingSettings, ParkSense1, 3),
    F(TParkingSettings, ParkSpeed0, 4),
    F(TParkingSettings, ParkSpeed1, 5),
    F(TParkingSettings, ParkMinLeng0, 6),
    F(TParkingSettings, ParkMinLeng1, 7),
    F(TParkingSettings, ParkStopVel0, 8),
    F(TParkingSettings, ParkStopVel1, 9),
    F(TParkingSettings, ParkStopLeng0, 10),
    F(TParkingSettings, ParkStopLeng1, 11),
    R(TParkingSettings, Reserved12, 12),
    F(TParkingSettings, ParkBeepType, 14),
    F(TParkingSettings, ParkStopLengBeep, 15),
    F(TParkingSettings, ParkForwConstOff, 16),
    F(TParkingSettings, ParkFarkopLen, 17),
    F(TParkingSettings, ParkType, 18),
    R(TParkingSettings, Reserved19, 19),
    F(TParkingSettings, ParkProbesQntReal0, 21),
    F(TParkingSettings, ParkProbesQntReal1, 22),
    R(TParkingSettings, Reserved23, 23),
};
static_assert(sizeof(TParkingSettings) == 28 && Covers(ParkingFields, 28));

constexpr TFieldInfo TankSensorFields[] = {
    F(TTankSensorSettings, Oil6L, 0),           F(TTankSensorSettings, Lit6L, 2),
    F(TTankSensorSettings, Oil43L, 4),          F(TTankSensorSettings, Lit43L, 6),
    F(TTankSensorSettings, OilCalibrResArr, 8), F(TTankSensorSettings, OilCalibrLitArr, 22),
    F(TTankSensorSettings, OilCalibrQuant, 36), F(TTankSensorSettings, TankMode, 37),
    F(TTankSensorSettings, TankMeth, 38),       R(TTankSensorSettings, Reserved39, 39),
    F(TTankSensorSettings, K100Manual, 42),     F(TTankSensorSettings, TankContFull, 44),
    F(TTankSensorSettings, LinkLossCount, 46),  R(TTankSensorSettings, Reserved48, 48),
    F(TTankSensorSettings, GazContFull, 56),    R(TTankSensorSettings, Reserved58, 58),
};
static_assert(sizeof(TTankSensorSettings) == 64 && Covers(TankSensorFields, 64));

// TarirReserved only travels with the tank calibration file.
constexpr TFieldInfo TankCalibrationFields[] = {
    R(TTankCalibration, TarirReserved, 0),  F(TTankCalibration, TarirFlagFinish, 1),
    F(TTankCalibration, TarirLeng, 2),      R(TTankCalibration, Reserved3, 3),
    F(TTankCalibration, TarirStartHigh, 6), F(TTankCalibration, TarirIncline, 7),
    F(TTankCalibration, TarirLitres, 8),    R(TTankCalibration, Reserved76, 76),
    F(TTankCalibration, TarirUnits, 144),   R(TTankCalibration, Reserved280, 280),
};
static_assert(sizeof(TTankCalibration) == 420 && Covers(TankCalibrationFields, 420));

constexpr TFieldInfo ServiceFields[] = {
    F(TServiceSettings, AirFiltCntK, 0),
    F(TServiceSettings, KPPOilCntK, 1),
    F(TServiceSettings, ForsTOCntK, 2),
    F(TServiceSettings, GRMStrapCntK, 3),
    F(TServiceSettings, CoolLiqCntK, 4),
    F(TServiceSettings, EngOilCntK, 5),
    F(TServiceSettings, CandleCntK, 6),
    F(TServiceSettings, UseUniMeas, 7),
    F(TServiceSettings, TO, 8),
    F(TServiceSettings, OSAGO, 12),
    R(TServiceSettings, Reserved16, 16),
    F(TServiceSettings, Blocks, 20),
    F(TServiceSettings, UniMeasADC0, 52),
    F(TServiceSettings, UniMeasADC1, 54),
    F(TServiceSettings, UniMeasDat0, 56),
    F(TServiceSettings, UniMeasDat1, 58),
    F(TServiceSettings, UniMeasStr, 60),
    F(TServiceSettings, AirWaterShow, 67),
    F(TServiceSettings, ForsTOName, 68),
    F(TServiceSettings, GRMStrapName, 84),
    F(TServiceSettings, CandleName, 100),
    F(TServiceSettings, ServiceFlags, 116),
    R(TServiceSettings, Reserved118, 118),
};
static_assert(sizeof(TServiceSettings) == 124 && Covers(ServiceFields, 124));

constexpr TFieldInfo LimitsFields[] = {
    F(TLimitsSettings, VelocityLimit, 0),       F(TLimitsSettings, RevolutionsLimit, 1),
    F(TLimitsSettings, TankLimit, 2),           F(TLimitsSettings, TimeCorr, 3),
    F(TLimitsSettings, LiqTemperLimit, 4),      F(TLimitsSettings, UaccLowLimit, 6),
    F(TLimitsSettings, StopVelocityLimit, 8),   F(TLimitsSettings, UaccHighLimit, 10),
    F(TLimitsSettings, VentTempLimit, 12),      F(TLimitsSettings, GasMeth, 14),
    F(TLimitsSettings, AirTemperMeth, 15),      F(TLimitsSettings, PrognozMeth, 16),
    F(TLimitsSettings, VelocityMeth, 17),       F(TLimitsSettings, ExpenseMeth, 18),
    F(TLimitsSettings, RevolutionsMeth, 19),    F(TLimitsSettings, ForsPosFlag, 20),
    F(TLimitsSettings, ForsCoef, 21),           F(TLimitsSettings, InjTimeLimit, 22),
    F(TLimitsSettings, AirTemperCorr, 23),      R(TLimitsSettings, Reserved24, 24),
    R(TLimitsSettings, Reserved26, 26),         F(TLimitsSettings, Vel100, 28),
    F(TLimitsSettings, Vel100Down, 30),         F(TLimitsSettings, ExpenseCorr, 32),
    F(TLimitsSettings, VelocityCorr, 36),       F(TLimitsSettings, AccCorr, 40),
    F(TLimitsSettings, LiqTemperReady, 41),     R(TLimitsSettings, Reserved42, 42),
    F(TLimitsSettings, GasOilMeth, 45),         F(TLimitsSettings, Exp100ArrowLim, 46),
    F(TLimitsSettings, VAGSFilterLimit, 47),    F(TLimitsSettings, GazExpenseCorr, 48),
    F(TLimitsSettings, OilAKPPTemperLimit, 52), F(TLimitsSettings, OilEngTemperLimit, 54),
    F(TLimitsSettings, CVTFDeteriorLim, 56),    F(TLimitsSettings, UaccMeth, 58),
    F(TLimitsSettings, InvTemperLimit, 59),     F(TLimitsSettings, RetarderOilTemperLimit, 60),
    F(TLimitsSettings, HVBTemperLimit, 62),     R(TLimitsSettings, Reserved63, 63),
};
static_assert(sizeof(TLimitsSettings) == 69 && Covers(LimitsFields, 69));

constexpr TFieldInfo TripFields[] = {
    F(TTripSettings, PriceExpense, 0),  F(TTripSettings, PriceTime, 2),
    F(TTripSettings, PricePath, 4),     F(TTripSettings, PriceGas, 6),
    F(TTripSettings, TripShowFlag, 8),  F(TTripSettings, TripJournAuto, 9),
    F(TTripSettings, TripMinStop, 10),  R(TTripSettings, Reserved12, 12),
    F(TTripSettings, TripJournal, 16),  F(TTripSettings, TankJournal, 436),
    R(TTripSettings, Reserved856, 856),
};
static_assert(sizeof(TTripSettings) == 860 && Covers(TripFields, 860));

constexpr TFieldInfo Block8Fields[] = {F(TBlock8, Data, 0)};
static_assert(sizeof(TBlock8) == 80 && Covers(Block8Fields, 80));

constexpr TFieldInfo AlarmFields[] = {
    F(TAlarmSounds, AlarmPresentation, 0),
    R(TAlarmSounds, Reserved24, 24),
    F(TAlarmSounds, AlarmVelSecNoSayMax, 27),
    R(TAlarmSounds, Reserved28, 28),
};
static_assert(sizeof(TAlarmSounds) == 32 && Covers(AlarmFields, 32));

constexpr TFieldInfo DisplayFields[] = {
    R(TDisplaySettings, Reserved0, 0),          F(TDisplaySettings, DispVar4, 9),
    F(TDisplaySettings, DispVar9, 10),          R(TDisplaySettings, Reserved11, 11),
    F(TDisplaySettings, Screens4, 12),          F(TDisplaySettings, Screens7, 36),
    F(TDisplaySettings, GraphScreens, 64),      F(TDisplaySettings, ArrowScreens, 80),
    F(TDisplaySettings, Screens9, 96),          F(TDisplaySettings, DispSpeed, 123),
    F(TDisplaySettings, HotMenus, 124),         R(TDisplaySettings, Reserved204, 204),
    F(TDisplaySettings, ColorTable0, 248),      F(TDisplaySettings, ColorTable1, 304),
    F(TDisplaySettings, ColorScheme, 360),      F(TDisplaySettings, SayHelloMode, 361),
    F(TDisplaySettings, SoundVolume, 362),      F(TDisplaySettings, FlagSound, 363),
    F(TDisplaySettings, Intense0, 364),         F(TDisplaySettings, Intense1, 365),
    F(TDisplaySettings, SayEconomPeriod, 366),  F(TDisplaySettings, SayParamPeriod, 367),
    R(TDisplaySettings, Reserved368, 368),      F(TDisplaySettings, DispShowTitle, 370),
    R(TDisplaySettings, Reserved371, 371),      F(TDisplaySettings, IntenseMeth, 372),
    F(TDisplaySettings, SoundKeys, 373),        F(TDisplaySettings, SoundLock, 374),
    F(TDisplaySettings, ShowDispName, 375),     F(TDisplaySettings, IntenseDayTime, 376),
    F(TDisplaySettings, IntenseNightTime, 378), F(TDisplaySettings, ShowDisp4, 380),
    F(TDisplaySettings, ShowDisp9, 382),        F(TDisplaySettings, ShowDisp7, 384),
    F(TDisplaySettings, ShowDispG, 386),        F(TDisplaySettings, ShowDispA, 388),
    F(TDisplaySettings, ShowDispS, 390),        F(TDisplaySettings, ShowDisp1, 392),
    F(TDisplaySettings, Screen6, 400),          F(TDisplaySettings, ShowDisp6, 406),
    R(TDisplaySettings, Reserved408, 408),
};
static_assert(sizeof(TDisplaySettings) == 412 && Covers(DisplayFields, 412));

constexpr TFieldInfo ProtocolFields[] = {
    F(TProtocolSettings, ProtocolFlags, 0),  F(TProtocolSettings, Protocol, 4),
    F(TProtocolSettings, PrevProtocol, 6),   F(TProtocolSettings, ProtocolSelectMeth, 8),
    F(TProtocolSettings, EcuAddress, 9),     F(TProtocolSettings, VirtualExpenseType, 10),
    F(TProtocolSettings, LockTypeLevel, 11), F(TProtocolSettings, ProtTypeMain, 12),
    F(TProtocolSettings, ProtTypeAdd1, 13),  F(TProtocolSettings, ProtTypeAdd2, 14),
    F(TProtocolSettings, ProtTypeAdd3, 15),  F(TProtocolSettings, ConsultPids, 16),
    F(TProtocolSettings, StartThrottle, 18), F(TProtocolSettings, EcuPids, 20),
    F(TProtocolSettings, ProtTypeAdd4, 52),  F(TProtocolSettings, ProtTypeAdd5, 53),
    F(TProtocolSettings, ProtTypeAdd6, 54),  F(TProtocolSettings, ProtTypeAdd7, 55),
    R(TProtocolSettings, Reserved56, 56),
};
static_assert(sizeof(TProtocolSettings) == 60 && Covers(ProtocolFields, 60));

constexpr TFieldInfo ErrorJournalFields[] = {
    R(TErrorJournal, Reserved0, 0),
    F(TErrorJournal, SupportedPids, 4),
    F(TErrorJournal, Faults, 16),
    R(TErrorJournal, Reserved660, 660),
};
static_assert(sizeof(TErrorJournal) == 664 && Covers(ErrorJournalFields, 664));

#undef F
#undef R

const std::span<const TFieldInfo> FieldLists[BlockCount] = {
    TripTotalsFields, ParkingFields, TankSensorFields, TankCalibrationFields,
    ServiceFields,    LimitsFields,  TripFields,       Block8Fields,
    AlarmFields,      DisplayFields, ProtocolFields,   ErrorJournalFields,
};

// The oscilloscope capture and the image directory are no record blocks and have no field
// lists: their layout is checked alone.
#define MK_AT(Type, field, offset)                                                                 \
    static_assert(offsetof(Type, field) == (offset), #Type "::" #field " misplaced")

static_assert(sizeof(TOscHeader) == 8);
MK_AT(TOscHeader, TriggerLevel, 4);
MK_AT(TOscHeader, VoltDiv, 6);
MK_AT(TOscHeader, InDivider, 7);
static_assert(sizeof(TOscilloscopeRecord) == 8 + 8 + 1024);

static_assert(sizeof(TDirectoryEntry) == 4);
static_assert(sizeof(TImageDirectory) == 64);
MK_AT(TImageDirectory, Entries, 4);
MK_AT(TImageDirectory, FirmwareVersion, 56);

#undef MK_AT

} // namespace

std::span<const TFieldInfo> BlockFields(TBlock block) {
    return FieldLists[int(block)];
}
