#include "CliUtil.h"
#include "CommandTable.h"
#include "Commands.h"
#include "base/MKError.h"
#include "catalog/AdditionalSystems.h"
#include "catalog/DeviceCatalog.h"
#include "catalog/MeasuredParams.h"
#include "catalog/MenuItems.h"
#include "catalog/Protocols.h"

#include <QJsonArray>
#include <QJsonObject>
#include <cstdio>
#include <optional>

namespace {

long long RequiredNumber(const Cli::TArgs& args, const QString& name) {
    if (!args.Value(name))
        throw Cli::TUsageError{QStringLiteral("Использование: ") +
                               Cli::UsageOf(QStringLiteral("catalog"))};
    return args.Number(name, 0);
}

// Values the device stores in narrower fields are refused as the program refuses them.
template <class T> T InRange(long long value) {
    if (value < 0 || value > std::numeric_limits<T>::max())
        throw TRangeError();
    return T(value);
}

template <class Container> QJsonArray IdArray(const Container& ids, int count) {
    QJsonArray array;
    for (int i = 0; i < count; ++i)
        array.append(int(ids[std::size_t(i)]));
    return array;
}

QJsonObject FlagsJson(const TDeviceFlags& deviceFlags) {
    QJsonObject flags;
    for (const TDeviceFlagInfo& info : DeviceFlagList())
        flags.insert(QString::fromLatin1(info.Name), deviceFlags.*info.Member);
    return flags;
}

QJsonObject ProtocolJson(const TProtBase& p) {
    QJsonArray captions, values;
    for (int option = 0; option < TProtBase::OptionSlots; ++option) {
        captions.append(p.OptionCaption[std::size_t(option)]);
        values.append(QJsonArray::fromStringList(p.ShownOptionValues(option)));
    }
    return {{"ProtName", p.ProtName},
            {"ProtCode", p.ProtCode},
            {"ErrorFormat", p.ErrorFormat},
            {"ParamIds", IdArray(p.ParamIds, p.ParamCount)},
            {"BlockIds", IdArray(p.BlockIds, p.BlockCount)},
            {"OptionCaption", captions},
            {"OptionValues", values},
            {"HasCoolantTemp", p.HasCoolantTemp != 0},
            {"HasEcuErrors", p.HasEcuErrors != 0},
            {"HasGearboxOilTemp", p.HasGearboxOilTemp != 0},
            {"HasEngineOilTemp", p.HasEngineOilTemp != 0},
            {"HasFanControl", p.HasFanControl != 0},
            {"HasLightsType", p.HasLightsType != 0},
            {"HasBatteryVoltageSource", p.HasBatteryVoltageSource != 0},
            {"IsHybrid", p.IsHybrid != 0},
            {"EcuFuelSensors", p.EcuFuelSensors}};
}

QJsonObject MeasParJson(const TMeasParBase& p) {
    return {{"Id", p.Id},
            {"Class", QString::fromLatin1(p.ClassName())},
            {"Name", p.Name},
            {"HasBar", p.HasBar},
            {"DialKind", p.DialKind},
            {"HasChart", p.HasChart},
            {"SampleValue", p.SampleValue},
            {"MinValue", p.MinValue},
            {"MaxValue", p.MaxValue},
            {"DialMin", p.DialMin},
            {"DialMax", p.DialMax},
            {"Width", p.Width},
            {"Decimals", p.Decimals},
            {"SampleText", p.SampleText},
            {"Caption1", p.Caption1},
            {"Name4", p.Name4},
            {"Unit4", p.Unit4},
            {"Name9", p.Name9},
            {"Unit9", p.Unit9},
            {"Label7", p.Label7},
            {"DialName", p.DialName},
            {"DialUnit", p.DialUnit},
            {"ChartLabel", p.ChartLabel},
            {"HasDialMarker", p.HasDialMarker},
            {"RangeExtended", p.RangeExtended}};
}

QJsonObject CatalogJson(const TDeviceCatalog& catalog, std::optional<int> current) {
    QJsonArray protocols, measParams, menuItems, blocks;
    for (const auto& p : catalog.Protocols())
        protocols.append(ProtocolJson(*p));
    for (const auto& p : catalog.MeasParams())
        measParams.append(MeasParJson(*p));
    for (const auto& item : catalog.MenuItems())
        menuItems.append(
            QJsonObject{{"Id", item->Id}, {"Name", item->Name}, {"Caption", item->Caption}});
    for (const TAddSystem& block : BuildAddSystemList(catalog.Flags()))
        blocks.append(QJsonObject{{"Id", block.Id}, {"Name", block.Name}});
    return {{"ProjectName", catalog.ProjectName()},
            {"Flags", FlagsJson(catalog.Flags())},
            {"Protocols", protocols},
            {"CurrentProtocol", current ? QJsonValue(*current) : QJsonValue(QJsonValue::Null)},
            {"MeasParams", measParams},
            {"MenuItems", menuItems},
            {"Blocks", blocks}};
}

void PrintSummary(const TDeviceCatalog& catalog, std::optional<int> current) {
    const auto& protocols = catalog.Protocols();
    QString text = QStringLiteral("Проект: %1\n").arg(catalog.ProjectName());
    for (std::size_t i = 0; i < protocols.size(); ++i)
        text += QStringLiteral("%1 %2 %3\n")
                    .arg(current && std::size_t(*current) == i ? QStringLiteral("*")
                                                               : QStringLiteral(" "))
                    .arg(i, 3)
                    .arg(protocols[i]->ProtName);
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

} // namespace

int RunCatalog(const QStringList& arguments) {
    const Cli::TArgs args(arguments, QStringLiteral("catalog"));
    args.ExpectPositional(0, Cli::UsageOf(QStringLiteral("catalog")));
    const auto settingsVersion = InRange<uint16_t>(RequiredNumber(args, "--settings-version"));
    const auto variant = InRange<uint8_t>(RequiredNumber(args, "--variant"));
    const auto protocol = InRange<uint8_t>(args.Number("--protocol", 0));

    TDeviceCatalog catalog(settingsVersion, variant);
    std::optional<QString> refused;
    try {
        catalog.SelectProtocol(protocol);
    } catch (const TMKError& e) {
        refused = e.Text();
    }

    const std::optional<int> current =
        catalog.CurrentProtocol() ? std::optional<int>(protocol) : std::nullopt;
    if (args.Has("--json"))
        Cli::PrintJson(QJsonDocument(CatalogJson(catalog, current)));
    else
        PrintSummary(catalog, current);
    // The catalogue is shown anyway; the note says why there is no current protocol.
    if (refused)
        Cli::PrintError(*refused);
    return Cli::ExitOk;
}
