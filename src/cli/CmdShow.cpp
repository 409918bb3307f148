#include "CliUtil.h"
#include "CommandTable.h"
#include "Commands.h"
#include "base/Cp1251.h"
#include "base/FileRead.h"
#include "model/DeviceModel.h"
#include "model/RecordFields.h"
#include "model/SettingsFile.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <cstdio>

namespace {

// QJsonValue holds no integer above INT64_MAX; such a value travels as this marker and is
// spliced into the text as digits. The marker is longer than any record text, so no
// decoded string can look like it.
constexpr char Unsigned64Marker[] = "\x01unsigned-64-bit:";
static_assert(sizeof(Unsigned64Marker) - 1 > sizeof(TServiceSettings::ForsTOName));

QJsonValue IntegerJson(const uint8_t* base, const TFieldInfo& f, int index) {
    if (f.Type == TFieldType::U64) {
        const uint64_t value = ReadUnsigned64(base, f, index);
        if (value > uint64_t(INT64_MAX))
            return QLatin1String(Unsigned64Marker) + QString::number(value);
    }
    return qint64(ReadInteger(base, f, index));
}

// `base` is the start of the block or of the nested struct that holds the field. A nested
// record prints its scalar members (a fault's freeze frame stays out); a colour table
// prints its raw bytes.
QJsonValue ElementJson(const uint8_t* base, const TFieldInfo& f, int index) {
    const uint8_t* p = base + f.Offset + std::size_t(index) * std::size_t(f.ElementSize);
    if (f.Type == TFieldType::ColorTable) {
        QJsonArray bytes;
        for (int i = 0; i < f.ElementSize; ++i)
            bytes.append(int(p[i]));
        return bytes;
    }
    if (!f.Members.empty()) {
        QJsonObject object;
        for (const TFieldInfo& m : f.Members)
            if (m.Type != TFieldType::Reserved && !m.Array)
                object.insert(QLatin1String(m.Name), ElementJson(p, m, 0));
        return object;
    }
    switch (f.Type) {
    case TFieldType::Chars:
        return Cp1251::Decode(reinterpret_cast<const char*>(p), std::size_t(f.Count));
    case TFieldType::F32:
        return ReadNumber(base, f, index);
    default:
        return IntegerJson(base, f, index);
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
        if (f.Type != TFieldType::Reserved)
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

void PrintExact(const QJsonDocument& document) {
    QByteArray text = document.toJson(QJsonDocument::Indented);
    // The writer escapes the marker's control character.
    static const QRegularExpression marker(QStringLiteral("\"\\\\u0001unsigned-64-bit:(\\d+)\""));
    text = QString::fromUtf8(text).replace(marker, QStringLiteral("\\1")).toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
}

} // namespace

int RunShow(const QStringList& args) {
    const Cli::TArgs a(args, QStringLiteral("show"));
    TMK mk;
    if (const auto image = a.Value("--image")) {
        a.ExpectPositional(0, Cli::UsageOf(QStringLiteral("show")));
        mk.Image =
            FileRead::ReadWholeFile(*image, FileRead::SettingsLimit, FileRead::MemoryImageKind());
        mk.SettingsVersion = uint16_t(a.Number("--settings-version", mk.SettingsVersion));
        mk.UnpackAll();
    } else {
        a.ExpectPositional(1, Cli::UsageOf(QStringLiteral("show")));
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
    PrintExact(QJsonDocument(root));
    return Cli::ExitOk;
}
