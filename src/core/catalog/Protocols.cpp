#include "catalog/Protocols.h"

#include "base/MKError.h"
#include "catalog/ProtocolTable.h"

namespace {

// Identifiers every protocol delivers, before its own.
constexpr int CommonParamCount = 16;
// The low-beam control state, offered with every protocol where it is built beside the
// outside-air temperature.
constexpr uint8_t LightsFlagBesideAirId = 34;

QStringList BuildOptionValues(int option) {
    QStringList names;
    if (option == 0) {
        names << QStringLiteral("Авто");
        for (int i = 1; i <= 9; ++i)
            names << QString::number(i);
    } else {
        const int last = option == 4 ? 13 : 10;
        for (int i = 1; i <= last; ++i)
            names << QString::number(i);
    }
    while (names.size() < TProtBase::OptionCapacity[std::size_t(option)])
        names << QString();
    return names;
}

// Alike for every entry: built once and shared until an entry names its own values.
const QStringList& DefaultOptionValues(int option) {
    static const std::array<QStringList, TProtBase::OptionSlots> defaults = [] {
        std::array<QStringList, TProtBase::OptionSlots> lists;
        for (int slot = 0; slot < TProtBase::OptionSlots; ++slot)
            lists[std::size_t(slot)] = BuildOptionValues(slot);
        return lists;
    }();
    return defaults[std::size_t(option)];
}

std::span<const uint8_t> Ids(std::initializer_list<uint8_t> ids) {
    return {ids.begin(), ids.size()};
}

void SetEntryFlags(TProtBase& entry, uint8_t flags) {
    entry.HasCoolantTemp = flags & ProtFlag::CoolantTemp ? 1 : 0;
    entry.HasEcuErrors = flags & ProtFlag::EcuErrors ? 1 : 0;
    entry.HasGearboxOilTemp = flags & ProtFlag::GearboxOilTemp ? 1 : 0;
    entry.HasEngineOilTemp = flags & ProtFlag::EngineOilTemp ? 1 : 0;
    entry.HasFanControl = flags & ProtFlag::FanControl ? 1 : 0;
    entry.HasLightsType = flags & ProtFlag::LightsType ? 1 : 0;
    entry.HasBatteryVoltageSource = flags & ProtFlag::BatteryVoltageSource ? 1 : 0;
    entry.IsHybrid = flags & ProtFlag::Hybrid ? 1 : 0;
}

void ApplyOption(TProtBase& entry, const TOptionDef& def) {
    QStringList names;
    for (const char* value : def.Values)
        names << QString::fromUtf8(value);
    entry.SetOption(def.Option, QString::fromUtf8(def.Caption), int(names.size()), names);
}

std::unique_ptr<TProtBase> CreateEntry(const TProtRow& row, const TDeviceFlags& flags) {
    const bool alt = row.Alt.When.Holds(flags);
    const char* name = alt && row.Alt.Name ? row.Alt.Name : row.Name;
    const auto params = alt && row.Alt.Params.Given ? row.Alt.Params.Ids : row.Params;
    const auto blocks = alt && row.Alt.Blocks.Given ? row.Alt.Blocks.Ids : row.Blocks;
    auto entry = std::make_unique<TProtBase>(QString::fromUtf8(name), row.Code, row.ErrorFormat,
                                             Ids(params), Ids(blocks));
    uint8_t entryFlags = row.Flags | (alt ? row.Alt.Flags : 0);
    if (row.SharedOptions) {
        for (const TOptionDef* def : row.SharedOptions->Options)
            ApplyOption(*entry, *def);
        entryFlags |= row.SharedOptions->Flags;
    }
    for (const TOptionDef* def : row.Options)
        ApplyOption(*entry, *def);
    SetEntryFlags(*entry, entryFlags);
    entry->EcuFuelSensors = row.FuelSensors;
    return entry;
}

void AppendEnabled(std::span<const TProtRow> rows, const TDeviceFlags& flags,
                   TProtocolEntries& entries) {
    for (const TProtRow& row : rows)
        if (row.EnabledWhen.Holds(flags))
            entries.push_back(CreateEntry(row, flags));
}

} // namespace

TProtBase::TProtBase(QString name, uint8_t code, int errorFormat, std::span<const uint8_t> params,
                     std::span<const uint8_t> blocks)
    : ProtName(std::move(name)), ProtCode(code), ErrorFormat(errorFormat) {
    for (int id = 1; id <= CommonParamCount; ++id)
        AddParam(uint8_t(id));
    for (uint8_t id : params)
        AddParam(id);
    if (blocks.size() > BlockIds.size())
        throw TRangeError();
    std::copy(blocks.begin(), blocks.end(), BlockIds.begin());
    BlockCount = int(blocks.size());
    for (int option = 0; option < OptionSlots; ++option)
        OptionValues[std::size_t(option)] = DefaultOptionValues(option);
}

void TProtBase::AddParam(uint8_t id) {
    if (id == 0)
        return;
    if (ParamCount >= MaxIds)
        throw TRangeError();
    ParamIds[std::size_t(ParamCount++)] = id;
}

bool TProtBase::HasBlock(uint8_t id) const {
    return std::find(BlockIds.begin(), BlockIds.begin() + BlockCount, id) !=
           BlockIds.begin() + BlockCount;
}

void TProtBase::SetOption(int option, const QString& caption, int count, const QStringList& names) {
    if (option < 0 || option >= OptionSlots)
        throw TRangeError();
    const int capacity = OptionCapacity[std::size_t(option)];
    if (count < 0 || count > capacity || names.size() > capacity)
        throw TRangeError();
    QStringList& values = OptionValues[std::size_t(option)];
    for (int i = 0; i < names.size(); ++i)
        values[i] = names[i];
    OptionCaption[std::size_t(option)] = caption;
    OptionCount[std::size_t(option)] = count;
}

QStringList TProtBase::ShownOptionValues(int option) const {
    return OptionValues.at(std::size_t(option)).mid(0, OptionCount.at(std::size_t(option)));
}

TProtocolEntries CreateProtocolEntries(const TDeviceFlags& flags) {
    TProtocolEntries entries;
    if (flags.UseCanFamily)
        AppendEnabled(CanFamilyProtocolRows(), flags, entries);
    AppendEnabled(OtherProtocolRows(), flags, entries);
    if (flags.HasLightsControl && !flags.NoAirTemperature)
        for (const auto& entry : entries)
            entry->AddParam(LightsFlagBesideAirId);
    return entries;
}
