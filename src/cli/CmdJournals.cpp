#include "CliUtil.h"
#include "CommandTable.h"
#include "Commands.h"
#include "model/JournalGrids.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"

#include <QJsonArray>
#include <QJsonObject>

using namespace Journals;

namespace {

QJsonArray GridJson(const TGridTexts& rows) {
    QJsonArray grid;
    for (const QStringList& row : rows)
        grid.append(QJsonArray::fromStringList(row));
    return grid;
}

QJsonArray CaptionValuesJson(const TCaptionValues& rows) {
    QJsonArray pairs;
    for (const TCaptionValue& row : rows)
        pairs.append(QJsonArray{row.Caption, row.Value});
    return pairs;
}

QJsonObject TotalsJson(const TTripTotals& totals) {
    QJsonObject groups;
    for (int g = 0; g < CounterGroupCount; ++g) {
        const auto group = TCounterGroupId(g);
        groups.insert(QLatin1String(CounterGroupName(group)),
                      CaptionValuesJson(CounterRows(CounterGroupValues(totals, group))));
    }
    return groups;
}

// Null for a fault without a freeze frame. A value that cannot be shown ends its frame, as in
// the viewer, and its message goes to stderr.
QJsonArray FreezeFramesJson(const TErrorJournal& journal) {
    QJsonArray frames;
    for (const TFaultRecord& fault : journal.Faults) {
        if (fault.FreezeCode == 0) {
            frames.append(QJsonValue::Null);
            continue;
        }
        const TFreezeFrame frame = FreezeFrameRows(fault, journal.SupportedPids);
        if (!frame.Error.isEmpty())
            Cli::PrintError(frame.Error);
        frames.append(CaptionValuesJson(frame.Rows));
    }
    return frames;
}

} // namespace

int RunJournals(const QStringList& args) {
    const Cli::TArgs a(args, QStringLiteral("journals"));
    a.ExpectPositional(1, Cli::UsageOf(QStringLiteral("journals")));
    TMK mk;
    SettingsFile::Load(mk, a.Positional()[0]);
    const int errorFormat = DeviceErrorFormat(mk);
    const TSettingsRecord& record = mk.Record;
    const TTripSettings& trip = record.TripSettings;
    const QJsonObject root{
        {"Trip", GridJson(JournalGridTexts(trip.TripJournal, trip))},
        {"Tank", GridJson(JournalGridTexts(trip.TankJournal, trip))},
        {"Totals", TotalsJson(record.TripTotals)},
        {"Errors",
         GridJson(FaultGridTexts(record.ErrorJournal, errorFormat, record.ProtocolSettings))},
        {"FreezeFrames", FreezeFramesJson(record.ErrorJournal)},
    };
    Cli::PrintJson(QJsonDocument(root));
    return Cli::ExitOk;
}
