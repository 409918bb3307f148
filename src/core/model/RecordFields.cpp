#include "model/RecordFields.h"

#include "base/MKError.h"

#include <QHash>
#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <type_traits>
#include <unordered_map>

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
            rank >= 1 && TypeOf<E>() != TFieldType::Chars,
            TMembers<E>::List};
}

constexpr std::size_t ListBytes(const TFieldInfo& f) {
    return std::size_t(f.Count) * std::size_t(std::max(f.Columns, 1)) * std::size_t(f.ElementSize);
}

// The list runs through the struct in layout order with neither gap nor overlap.
constexpr bool Covers(std::span<const TFieldInfo> list, std::size_t size) {
    std::size_t next = 0;
    for (const TFieldInfo& f : list) {
        if (f.Offset != next)
            return false;
        next += ListBytes(f);
    }
    return next == size;
}

#define F(S, f) MakeField<decltype(S::f)>(#f, offsetof(S, f))
#define R(S, f)                                                                                    \
    TFieldInfo {                                                                                   \
#f, offsetof(S, f), TFieldType::Reserved, int(sizeof(S::f)), 0, 1, false, {}               \
    }

constexpr TFieldInfo CounterFields[] = {
    F(TCounterGroup, Time),
    F(TCounterGroup, Path),
    F(TCounterGroup, Fuel),
};
static_assert(Covers(CounterFields, sizeof(TCounterGroup)));
template <> struct TMembers<TCounterGroup> {
    static constexpr std::span<const TFieldInfo> List{CounterFields};
};

constexpr TFieldInfo GasCounterFields[] = {
    F(TGasCounterGroup, Time),
    F(TGasCounterGroup, Path),
    F(TGasCounterGroup, GasFuel),
};
static_assert(Covers(GasCounterFields, sizeof(TGasCounterGroup)));
template <> struct TMembers<TGasCounterGroup> {
    static constexpr std::span<const TFieldInfo> List{GasCounterFields};
};

constexpr TFieldInfo JournalFields[] = {
    F(TJournalRecord, TimeOfDay), F(TJournalRecord, Day),  F(TJournalRecord, Month),
    F(TJournalRecord, TripTime),  F(TJournalRecord, Path), F(TJournalRecord, Fuel),
    F(TJournalRecord, GasFuel),
};
static_assert(Covers(JournalFields, sizeof(TJournalRecord)));
template <> struct TMembers<TJournalRecord> {
    static constexpr std::span<const TFieldInfo> List{JournalFields};
};

constexpr TFieldInfo FaultFields[] = {
    F(TFaultRecord, TimeOfDay),
    F(TFaultRecord, Day),
    F(TFaultRecord, Month),
    F(TFaultRecord, Code),
    F(TFaultRecord, FreezeCode),
    F(TFaultRecord, FuelSystemStatus),
    F(TFaultRecord, FreezeValuesLow),
    F(TFaultRecord, SecondaryAirStatus),
    F(TFaultRecord, FreezeValuesHigh),
};
static_assert(Covers(FaultFields, sizeof(TFaultRecord)));
template <> struct TMembers<TFaultRecord> {
    static constexpr std::span<const TFieldInfo> List{FaultFields};
};

constexpr TFieldInfo ColorTableFields[] = {
    F(TColorTable, Palette),
    F(TColorTable, Indices),
    R(TColorTable, Reserved),
};
static_assert(Covers(ColorTableFields, sizeof(TColorTable)));
template <> struct TMembers<TColorTable> {
    static constexpr std::span<const TFieldInfo> List{ColorTableFields};
};

constexpr TFieldInfo TripTotalsFields[] = {
    F(TTripTotals, AllSum),       F(TTripTotals, TripSum),      F(TTripTotals, ResetSum),
    F(TTripTotals, StopSum),      F(TTripTotals, NoStopSum),    F(TTripTotals, TankSum),
    R(TTripTotals, Reserved72),   F(TTripTotals, AllPathStart), F(TTripTotals, ResetPeriod0),
    F(TTripTotals, ResetPeriod1), R(TTripTotals, Reserved106),  F(TTripTotals, OilOnlySum),
    F(TTripTotals, GasOnlySum),   R(TTripTotals, Reserved132),  F(TTripTotals, ResetPeriodOnly),
    R(TTripTotals, Reserved135),  F(TTripTotals, GasFuel),      R(TTripTotals, Reserved160),
};
static_assert(Covers(TripTotalsFields, sizeof(TTripTotals)));

constexpr TFieldInfo ParkingFields[] = {
    F(TParkingSettings, ParkUse0),           F(TParkingSettings, ParkUse1),
    F(TParkingSettings, ParkSense0),         F(TParkingSettings, ParkSense1),
    F(TParkingSettings, ParkSpeed0),         F(TParkingSettings, ParkSpeed1),
    F(TParkingSettings, ParkMinLeng0),       F(TParkingSettings, ParkMinLeng1),
    F(TParkingSettings, ParkStopVel0),       F(TParkingSettings, ParkStopVel1),
    F(TParkingSettings, ParkStopLeng0),      F(TParkingSettings, ParkStopLeng1),
    R(TParkingSettings, Reserved12),         F(TParkingSettings, ParkBeepType),
    F(TParkingSettings, ParkStopLengBeep),   F(TParkingSettings, ParkForwConstOff),
    F(TParkingSettings, ParkFarkopLen),      F(TParkingSettings, ParkType),
    R(TParkingSettings, Reserved19),         F(TParkingSettings, ParkProbesQntReal0),
    F(TParkingSettings, ParkProbesQntReal1), R(TParkingSettings, Reserved23),
};
static_assert(Covers(ParkingFields, sizeof(TParkingSettings)));

constexpr TFieldInfo TankSensorFields[] = {
    F(TTankSensorSettings, Oil6L),           F(TTankSensorSettings, Lit6L),
    F(TTankSensorSettings, Oil43L),          F(TTankSensorSettings, Lit43L),
    F(TTankSensorSettings, OilCalibrResArr), F(TTankSensorSettings, OilCalibrLitArr),
    F(TTankSensorSettings, OilCalibrQuant),  F(TTankSensorSettings, TankMode),
    F(TTankSensorSettings, TankMeth),        R(TTankSensorSettings, Reserved39),
    F(TTankSensorSettings, K100Manual),      F(TTankSensorSettings, TankContFull),
    F(TTankSensorSettings, LinkLossCount),   R(TTankSensorSettings, Reserved48),
    F(TTankSensorSettings, GazContFull),     R(TTankSensorSettings, Reserved58),
};
static_assert(Covers(TankSensorFields, sizeof(TTankSensorSettings)));

// TarirReserved only travels with the tank calibration file.
constexpr TFieldInfo TankCalibrationFields[] = {
    R(TTankCalibration, TarirReserved),  F(TTankCalibration, TarirFlagFinish),
    F(TTankCalibration, TarirLeng),      R(TTankCalibration, Reserved3),
    F(TTankCalibration, TarirStartHigh), F(TTankCalibration, TarirIncline),
    F(TTankCalibration, TarirLitres),    R(TTankCalibration, Reserved76),
    F(TTankCalibration, TarirUnits),     R(TTankCalibration, Reserved280),
};
static_assert(Covers(TankCalibrationFields, sizeof(TTankCalibration)));

constexpr TFieldInfo ServiceFields[] = {
    F(TServiceSettings, AirFiltCntK), F(TServiceSettings, KPPOilCntK),
    F(TServiceSettings, ForsTOCntK),  F(TServiceSettings, GRMStrapCntK),
    F(TServiceSettings, CoolLiqCntK), F(TServiceSettings, EngOilCntK),
    F(TServiceSettings, CandleCntK),  F(TServiceSettings, UseUniMeas),
    F(TServiceSettings, TO),          F(TServiceSettings, OSAGO),
    R(TServiceSettings, Reserved16),  F(TServiceSettings, Blocks),
    F(TServiceSettings, UniMeasADC0), F(TServiceSettings, UniMeasADC1),
    F(TServiceSettings, UniMeasDat0), F(TServiceSettings, UniMeasDat1),
    F(TServiceSettings, UniMeasStr),  F(TServiceSettings, AirWaterShow),
    F(TServiceSettings, ForsTOName),  F(TServiceSettings, GRMStrapName),
    F(TServiceSettings, CandleName),  F(TServiceSettings, ServiceFlags),
    R(TServiceSettings, Reserved118),
};
static_assert(Covers(ServiceFields, sizeof(TServiceSettings)));

constexpr TFieldInfo LimitsFields[] = {
    F(TLimitsSettings, VelocityLimit),      F(TLimitsSettings, RevolutionsLimit),
    F(TLimitsSettings, TankLimit),          F(TLimitsSettings, TimeCorr),
    F(TLimitsSettings, LiqTemperLimit),     F(TLimitsSettings, UaccLowLimit),
    F(TLimitsSettings, StopVelocityLimit),  F(TLimitsSettings, UaccHighLimit),
    F(TLimitsSettings, VentTempLimit),      F(TLimitsSettings, GasMeth),
    F(TLimitsSettings, AirTemperMeth),      F(TLimitsSettings, PrognozMeth),
    F(TLimitsSettings, VelocityMeth),       F(TLimitsSettings, ExpenseMeth),
    F(TLimitsSettings, RevolutionsMeth),    F(TLimitsSettings, ForsPosFlag),
    F(TLimitsSettings, ForsCoef),           F(TLimitsSettings, InjTimeLimit),
    F(TLimitsSettings, AirTemperCorr),      R(TLimitsSettings, Reserved24),
    R(TLimitsSettings, Reserved26),         F(TLimitsSettings, Vel100),
    F(TLimitsSettings, Vel100Down),         F(TLimitsSettings, ExpenseCorr),
    F(TLimitsSettings, VelocityCorr),       F(TLimitsSettings, AccCorr),
    F(TLimitsSettings, LiqTemperReady),     R(TLimitsSettings, Reserved42),
    F(TLimitsSettings, GasOilMeth),         F(TLimitsSettings, Exp100ArrowLim),
    F(TLimitsSettings, VAGSFilterLimit),    F(TLimitsSettings, GazExpenseCorr),
    F(TLimitsSettings, OilAKPPTemperLimit), F(TLimitsSettings, OilEngTemperLimit),
    F(TLimitsSettings, CVTFDeteriorLim),    F(TLimitsSettings, UaccMeth),
    F(TLimitsSettings, InvTemperLimit),     F(TLimitsSettings, RetarderOilTemperLimit),
    F(TLimitsSettings, HVBTemperLimit),     R(TLimitsSettings, Reserved63),
};
static_assert(Covers(LimitsFields, sizeof(TLimitsSettings)));

constexpr TFieldInfo TripFields[] = {
    F(TTripSettings, PriceExpense), F(TTripSettings, PriceTime),    F(TTripSettings, PricePath),
    F(TTripSettings, PriceGas),     F(TTripSettings, TripShowFlag), F(TTripSettings, TripJournAuto),
    F(TTripSettings, TripMinStop),  R(TTripSettings, Reserved12),   F(TTripSettings, TripJournal),
    F(TTripSettings, TankJournal),  R(TTripSettings, Reserved856),
};
static_assert(Covers(TripFields, sizeof(TTripSettings)));

constexpr TFieldInfo Block8Fields[] = {F(TBlock8, Data)};
static_assert(Covers(Block8Fields, sizeof(TBlock8)));

constexpr TFieldInfo AlarmFields[] = {
    F(TAlarmSounds, AlarmPresentation),
    R(TAlarmSounds, Reserved24),
    F(TAlarmSounds, AlarmVelSecNoSayMax),
    R(TAlarmSounds, Reserved28),
};
static_assert(Covers(AlarmFields, sizeof(TAlarmSounds)));

constexpr TFieldInfo DisplayFields[] = {
    R(TDisplaySettings, Reserved0),        F(TDisplaySettings, DispVar4),
    F(TDisplaySettings, DispVar9),         R(TDisplaySettings, Reserved11),
    F(TDisplaySettings, Screens4),         F(TDisplaySettings, Screens7),
    F(TDisplaySettings, GraphScreens),     F(TDisplaySettings, ArrowScreens),
    F(TDisplaySettings, Screens9),         F(TDisplaySettings, DispSpeed),
    F(TDisplaySettings, HotMenus),         R(TDisplaySettings, Reserved204),
    F(TDisplaySettings, ColorTable0),      F(TDisplaySettings, ColorTable1),
    F(TDisplaySettings, ColorScheme),      F(TDisplaySettings, SayHelloMode),
    F(TDisplaySettings, SoundVolume),      F(TDisplaySettings, FlagSound),
    F(TDisplaySettings, Intense0),         F(TDisplaySettings, Intense1),
    F(TDisplaySettings, SayEconomPeriod),  F(TDisplaySettings, SayParamPeriod),
    R(TDisplaySettings, Reserved368),      F(TDisplaySettings, DispShowTitle),
    R(TDisplaySettings, Reserved371),      F(TDisplaySettings, IntenseMeth),
    F(TDisplaySettings, SoundKeys),        F(TDisplaySettings, SoundLock),
    F(TDisplaySettings, ShowDispName),     F(TDisplaySettings, IntenseDayTime),
    F(TDisplaySettings, IntenseNightTime), F(TDisplaySettings, ShowDisp4),
    F(TDisplaySettings, ShowDisp9),        F(TDisplaySettings, ShowDisp7),
    F(TDisplaySettings, ShowDispG),        F(TDisplaySettings, ShowDispA),
    F(TDisplaySettings, ShowDispS),        F(TDisplaySettings, ShowDisp1),
    F(TDisplaySettings, Screen6),          F(TDisplaySettings, ShowDisp6),
    R(TDisplaySettings, Reserved408),
};
static_assert(Covers(DisplayFields, sizeof(TDisplaySettings)));

constexpr TFieldInfo ProtocolFields[] = {
    F(TProtocolSettings, ProtocolFlags), F(TProtocolSettings, Protocol),
    F(TProtocolSettings, PrevProtocol),  F(TProtocolSettings, ProtocolSelectMeth),
    F(TProtocolSettings, EcuAddress),    F(TProtocolSettings, VirtualExpenseType),
    F(TProtocolSettings, LockTypeLevel), F(TProtocolSettings, ProtTypeMain),
    F(TProtocolSettings, ProtTypeAdd1),  F(TProtocolSettings, ProtTypeAdd2),
    F(TProtocolSettings, ProtTypeAdd3),  F(TProtocolSettings, ConsultPids),
    F(TProtocolSettings, StartThrottle), F(TProtocolSettings, EcuPids),
    F(TProtocolSettings, ProtTypeAdd4),  F(TProtocolSettings, ProtTypeAdd5),
    F(TProtocolSettings, ProtTypeAdd6),  F(TProtocolSettings, ProtTypeAdd7),
    R(TProtocolSettings, Reserved56),
};
static_assert(Covers(ProtocolFields, sizeof(TProtocolSettings)));

constexpr TFieldInfo ErrorJournalFields[] = {
    R(TErrorJournal, Reserved0),
    F(TErrorJournal, SupportedPids),
    F(TErrorJournal, Faults),
    R(TErrorJournal, Reserved660),
};
static_assert(Covers(ErrorJournalFields, sizeof(TErrorJournal)));

#undef F
#undef R

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

const TFieldInfo* FindIn(std::span<const TFieldInfo> list, QStringView name) {
    for (const TFieldInfo& f : list)
        if (f.Type != TFieldType::Reserved && name == QLatin1String(f.Name))
            return &f;
    return nullptr;
}

// The leading name of a path component: up to the first '[' or '.'.
QStringView LeadingName(QStringView path) {
    qsizetype end = 0;
    while (end < path.size() && path[end] != u'[' && path[end] != u'.')
        ++end;
    return path.first(end);
}

// Reads "[digits]" at `pos`; advances past it.
std::optional<int> TakeIndex(QStringView path, qsizetype& pos) {
    if (pos >= path.size() || path[pos] != u'[')
        return std::nullopt;
    qsizetype i = pos + 1;
    int64_t value = 0;
    while (i < path.size() && path[i] >= u'0' && path[i] <= u'9' && value <= INT32_MAX)
        value = value * 10 + (path[i++].unicode() - u'0');
    if (i == pos + 1 || i >= path.size() || path[i] != u']' || value > INT32_MAX)
        return std::nullopt;
    pos = i + 1;
    return int(value);
}

std::optional<TFieldPath> ResolveIn(std::span<const TFieldInfo> list, TBlock block,
                                    std::size_t base, QStringView path) {
    const QStringView name = LeadingName(path);
    const TFieldInfo* f = name.isEmpty() ? nullptr : FindIn(list, name);
    if (!f)
        return std::nullopt;
    qsizetype pos = name.size();
    int indices[2];
    int given = 0;
    while (given < 2)
        if (const auto i = TakeIndex(path, pos))
            indices[given++] = *i;
        else
            break;
    if (pos < path.size() && path[pos] == u'[')
        return std::nullopt; // malformed or a third index

    int index = f->Array ? -1 : 0;
    if (given > 0) {
        if (!f->Array || (given == 2 && f->Columns == 0))
            return std::nullopt;
        index = given == 2 ? (indices[0] < f->Count && indices[1] < f->Columns
                                  ? indices[0] * f->Columns + indices[1]
                                  : -1)
                           : (indices[0] < FieldElements(*f) ? indices[0] : -1);
        if (index < 0)
            return std::nullopt;
    }

    const std::size_t at =
        base + f->Offset + (index > 0 ? std::size_t(index) * std::size_t(f->ElementSize) : 0);
    if (pos == path.size())
        return TFieldPath{
            block, f,  base,
            index, at, index < 0 || !f->Array ? FieldBytes(*f) : std::size_t(f->ElementSize)};
    if (path[pos] != u'.' || f->Members.empty() || index < 0)
        return std::nullopt;
    return ResolveIn(f->Members, block, at, path.sliced(pos + 1));
}

const uint8_t* ElementAt(const uint8_t* block, const TFieldInfo& field, int index) {
    if (index < 0 || index >= FieldElements(field))
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

TFieldPath ResolveOrThrow(QStringView path) {
    const auto found = ResolveRecordField(path);
    if (!found)
        throw TMKError(QStringLiteral("Нет поля записи %1").arg(path));
    return *found;
}

} // namespace

int FieldElements(const TFieldInfo& field) {
    return field.Array ? field.Count * std::max(field.Columns, 1) : 1;
}

std::size_t FieldBytes(const TFieldInfo& field) {
    return ListBytes(field);
}

bool IsIntegerField(const TFieldInfo& field) {
    switch (field.Type) {
    case TFieldType::I8:
    case TFieldType::U8:
    case TFieldType::I16:
    case TFieldType::U16:
    case TFieldType::I32:
    case TFieldType::U32:
    case TFieldType::U64:
    case TFieldType::BigEndianU16:
        return true;
    default:
        return false;
    }
}

std::span<const TFieldInfo> BlockFields(TBlock block) {
    return FieldLists[int(block)];
}

const TFieldInfo* FindField(TBlock block, QStringView name) {
    return FindIn(BlockFields(block), name);
}

std::optional<TRecordField> FindRecordField(QStringView name) {
    // The editor's rows look their fields up by name on every load and store: every
    // top-level name is indexed once, the first block's field winning as a search through
    // the twelve lists would, and found without copying the name.
    struct THashView {
        using is_transparent = void;
        std::size_t operator()(QStringView s) const noexcept { return qHash(s); }
    };
    using TIndex = std::unordered_map<QString, TRecordField, THashView, std::equal_to<>>;
    static const TIndex known = [] {
        TIndex index;
        for (const TBlockInfo& info : BlockTable())
            for (const TFieldInfo& f : BlockFields(info.Block))
                if (f.Type != TFieldType::Reserved)
                    index.emplace(QString::fromLatin1(f.Name), TRecordField{info.Block, &f});
        return index;
    }();
    if (const auto it = known.find(name); it != known.end())
        return it->second;
    return std::nullopt;
}

std::optional<TFieldPath> ResolveField(TBlock block, QStringView path) {
    return ResolveIn(BlockFields(block), block, 0, path);
}

std::optional<TFieldPath> ResolveRecordField(QStringView path) {
    const auto top = FindRecordField(LeadingName(path));
    return top ? ResolveField(top->Block, path) : std::nullopt;
}

double ReadNumber(const uint8_t* block, const TFieldInfo& field, int index) {
    if (field.Type == TFieldType::F32)
        return Load<float>(ElementAt(block, field, index));
    if (field.Type == TFieldType::U64)
        return double(ReadUnsigned64(block, field, index));
    if (!IsIntegerField(field))
        throw TMKError(QStringLiteral("Поле %1 не является числом").arg(QLatin1String(field.Name)));
    return double(ReadInteger(block, field, index));
}

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
    if (field.Type != TFieldType::U64) {
        if (value > uint64_t(INT64_MAX) && IsIntegerField(field))
            throw TRangeError();
        return StoreInteger(block, field, index, int64_t(value));
    }
    std::memcpy(const_cast<uint8_t*>(ElementAt(block, field, index)), &value, sizeof value);
}

int64_t ReadInteger(const uint8_t* block, const TFieldPath& path) {
    return ReadInteger(block + path.Base, *path.Field, path.Index);
}

void StoreInteger(uint8_t* block, const TFieldPath& path, int64_t value) {
    StoreInteger(block + path.Base, *path.Field, path.Index, value);
}

int64_t ReadRecordInteger(const TMK& mk, QStringView path) {
    const TFieldPath p = ResolveOrThrow(path);
    return ReadInteger(mk.BlockBytes(p.Block), p);
}

void StoreRecordInteger(TMK& mk, QStringView path, int64_t value) {
    const TFieldPath p = ResolveOrThrow(path);
    StoreInteger(mk.BlockBytes(p.Block), p, value);
}
