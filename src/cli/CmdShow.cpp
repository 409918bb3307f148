#include "cli/CliUtil.h"
#include "cli/Commands.h"
#include "base/Cp1251.h"
#include "model/Pars32.h"
#include "model/RecordFields.h"
#include "model/SettingsFile.h"

#include <QJsonArray>
#include <QJsonObject>
#include <cstring>

namespace {

template <class T> T At(const uint8_t* p) {
    T v;
    std::memcpy(&v, p, sizeof(T));
    return v;
}

QJsonObject CounterJson(const uint8_t* p, const char* third) {
    return {{"Time", qint64(At<uint32_t>(p))},
            {"Path", qint64(At<uint32_t>(p + 4))},
            {third, qint64(At<uint32_t>(p + 8))}};
}

QJsonObject JournalJson(const TJournalRecord& r) {
    return {{"TimeOfDay", int(r.TimeOfDay)},  {"Day", int(r.Day)},      {"Month", int(r.Month)},
            {"TripTime", qint64(r.TripTime)}, {"Path", qint64(r.Path)}, {"Fuel", qint64(r.Fuel)},
            {"GasFuel", qint64(r.GasFuel)}};
}

QJsonObject FaultJson(const TFaultRecord& f) {
    return {{"TimeOfDay", int(f.TimeOfDay)},
            {"Day", int(f.Day)},
            {"Month", int(f.Month)},
            {"Code", qint64(f.Code)},
            {"FreezeCode", qint64(f.FreezeCode)},
            {"FuelSystemStatus", int(f.FuelSystemStatus)},
            {"SecondaryAirStatus", int(f.SecondaryAirStatus)}};
}

QJsonValue NumberJson(double value, TFieldType type) {
    if (type == TFieldType::U64 && value >= 9.2e18)
        return value;
    if (type == TFieldType::F32)
        return value;
    return qint64(value);
}

QJsonValue ElementJson(const uint8_t* block, const TFieldInfo& f, int index) {
    const uint8_t* p = block + f.Offset + std::size_t(index) * std::size_t(f.ElementSize);
    switch (f.Type) {
    case TFieldType::Counter:
        return CounterJson(p, "Fuel");
    case TFieldType::GasCounter:
        return CounterJson(p, "GasFuel");
    case TFieldType::Journal:
        return JournalJson(At<TJournalRecord>(p));
    case TFieldType::Fault:
        return FaultJson(At<TFaultRecord>(p));
    case TFieldType::ColorTable: {
        QJsonArray bytes;
        for (std::size_t i = 0; i < sizeof(TColorTable); ++i)
            bytes.append(int(p[i]));
        return bytes;
    }
    case TFieldType::Chars:
        return Cp1251::Decode(reinterpret_cast<const char*>(p), std::size_t(f.Count));
    default:
        return NumberJson(ReadNumber(block, f, index), f.Type);
    }
}

QJsonValue FieldJson(const uint8_t* block, const TFieldInfo& f) {
    if (!f.Array)
        return ElementJson(block, f, 0);
    QJsonArray rows;
    if (f.Columns == 0) {
        for (int i = 0; i < f.Count; ++i)
            rows.append(ElementJson(block, f, i));
        return rows;
    }
    for (int r = 0; r < f.Count; ++r) {
        QJsonArray row;
        for (int c = 0; c < f.Columns; ++c)
            row.append(ElementJson(block, f, r * f.Columns + c));
        rows.append(row);
    }
    return rows;
}

QJsonObject BlockJson(const TMK& mk, TBlock block) {
    QJsonObject object;
    for (const TFieldInfo& f : BlockFields(block))
        object.insert(QLatin1String(f.Name), FieldJson(mk.BlockBytes(block), f));
    return object;
}

QJsonObject DirectoryJson(const TImageDirectory& d) {
    QJsonArray entries;
    for (const TDirectoryEntry& e : d.Entries)
        entries.append(QJsonObject{{"Address", int(e.Address)}, {"Length", int(e.Length)}});
    return {{"DirectoryCount", qint64(d.DirectoryCount)}, {"Entries", entries}};
}

QJsonObject OscilloscopeJson(const TOscilloscopeRecord& o) {
    QJsonArray samples;
    for (uint8_t s : o.OscSamples)
        samples.append(int(s));
    return {{"OscHeader0", QJsonObject{{"TimeDiv", int(o.OscHeader0.TimeDiv)},
                                       {"TriggerLevel", int(o.OscHeader0.TriggerLevel)},
                                       {"VoltDiv", int(o.OscHeader0.VoltDiv)},
                                       {"InDivider", int(o.OscHeader0.InDivider)}}},
            {"OscHeader1", QJsonObject{{"TriggerVolts", int(o.OscHeader1.TriggerVolts)},
                                       {"InDivider", int(o.OscHeader1.InDivider)}}},
            {"OscSamples", samples}};
}

} // namespace

int RunShow(const QStringList& args) {
    const Cli::TArgs a(args, {"--image", "--settings-version"}, {"--json"});
    TMK mk;
    if (const auto image = a.Value("--image")) {
        a.ExpectPositional(0, QStringLiteral("mktool show --json --image IMAGE.bin "
                                             "--settings-version V"));
        mk.Image = Cli::ReadFileBytes(*image);
        mk.SettingsVersion = uint16_t(a.Number("--settings-version", mk.SettingsVersion));
        mk.UnpackAll();
    } else {
        a.ExpectPositional(1, QStringLiteral("mktool show --json IN.rvset"));
        SettingsFile::Load(mk, a.Positional()[0]);
    }
    mk.LoadOscilloscope();
    mk.ReadDirectory();

    QJsonObject root{{"SettingsVersion", int(mk.SettingsVersion)},
                     {"FirmwareVersion", qint64(mk.FirmwareVersion())},
                     {"Directory", DirectoryJson(mk.ImageDirectory)}};
    for (const TBlockInfo& info : BlockTable())
        if (info.Block != TBlock::Block8)
            root.insert(QLatin1String(info.Name), BlockJson(mk, info.Block));
    root.insert("Oscilloscope", OscilloscopeJson(mk.Oscilloscope));
    Cli::PrintJson(QJsonDocument(root));
    return Cli::ExitOk;
}
