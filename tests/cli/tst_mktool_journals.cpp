// mktool journals: the viewer's texts as JSON, from a settings file.
#include "base/MKError.h"
#include "model/JournalGrids.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"
#include "sim/FactoryMemory.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Journals;

namespace {

struct TRun {
    int ExitCode = -1;
    QByteArray Out;
    QString LastErrorLine;
};

TRun RunMktool(const QStringList& args, const QByteArray& locale = "C") {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(MKTOOL_PATH), args);
    if (!process.waitForFinished(30000))
        qFatal("mktool did not finish");
    TRun run;
    run.ExitCode = process.exitCode();
    run.Out = process.readAllStandardOutput();
    const QStringList lines = QString::fromUtf8(process.readAllStandardError())
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    run.LastErrorLine = lines.value(lines.size() - 1);
    return run;
}

QJsonArray GridJson(const TGridTexts& rows) {
    QJsonArray grid;
    for (const QStringList& row : rows)
        grid.append(QJsonArray::fromStringList(row));
    return grid;
}

QJsonArray PairsJson(const TCaptionValues& rows) {
    QJsonArray pairs;
    for (const TCaptionValue& row : rows)
        pairs.append(QJsonArray{row.Caption, row.Value});
    return pairs;
}

} // namespace

class TestJournalsCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void printsTheViewersTexts();
    void decimalsFollowTheLocale();
    void unnamableSecondaryAirEndsItsFrameAndIsReported();
    void refusesBadArguments();

private:
    QString SaveModel(TMK& mk, const QString& name);
    QTemporaryDir Folder;
};

void TestJournalsCli::initTestCase() {
    QVERIFY(Folder.isValid());
}

QString TestJournalsCli::SaveModel(TMK& mk, const QString& name) {
    const QString path = Folder.filePath(name);
    SettingsFile::Save(mk, path);
    return path;
}

void TestJournalsCli::printsTheViewersTexts() {
    TMK mk;
    mk.Image = FactoryImage(8192);
    mk.UnpackAll();
    const QString path = SaveModel(mk, QStringLiteral("factory.rvset"));
    const TRun run = RunMktool({"journals", "--json", path});
    QCOMPARE(run.ExitCode, 0);
    const QJsonObject root = QJsonDocument::fromJson(run.Out).object();

    // The expectations come from the same decoding, under the same C locale.
    const TSettingsRecord& r = mk.Record;
    const int format = DeviceErrorFormat(mk);
    QCOMPARE(root.value("Trip").toArray(),
             GridJson(JournalGridTexts(r.TripSettings.TripJournal, r.TripSettings)));
    QCOMPARE(root.value("Tank").toArray(),
             GridJson(JournalGridTexts(r.TripSettings.TankJournal, r.TripSettings)));
    QCOMPARE(root.value("Errors").toArray(),
             GridJson(FaultGridTexts(r.ErrorJournal, format, r.ProtocolSettings)));
    QCOMPARE(root.value("Errors").toArray().size(), 8);
    const QJsonObject totals = root.value("Totals").toObject();
    QCOMPARE(totals.size(), CounterGroupCount);
    for (int g = 0; g < CounterGroupCount; ++g) {
        const auto group = TCounterGroupId(g);
        QCOMPARE(totals.value(QLatin1String(CounterGroupName(group))).toArray(),
                 PairsJson(CounterRows(CounterGroupValues(r.TripTotals, group))));
    }
    const QJsonArray frames = root.value("FreezeFrames").toArray();
    QCOMPARE(frames.size(), 7);
    for (int i = 0; i < 7; ++i) {
        const TFaultRecord& fault = r.ErrorJournal.Faults[i];
        if (fault.FreezeCode == 0)
            QVERIFY(frames[i].isNull());
        else
            QCOMPARE(frames[i].toArray(),
                     PairsJson(FreezeFrameRows(fault, r.ErrorJournal.SupportedPids).Rows));
    }
    QVERIFY(!frames[0].isNull()); // the factory memory has a freeze frame to compare
    QCOMPARE(root.value("Trip").toArray()[2].toArray()[1].toString(),
             QStringLiteral("08:17   15.11"));
}

void TestJournalsCli::decimalsFollowTheLocale() {
    TMK mk;
    mk.Image = FactoryImage(8192);
    mk.UnpackAll();
    const QString path = SaveModel(mk, QStringLiteral("locale.rvset"));
    auto distance = [&](const QByteArray& locale) {
        const TRun run = RunMktool({"journals", "--json", path}, locale);
        return QJsonDocument::fromJson(run.Out)
            .object()
            .value("Trip")
            .toArray()[2]
            .toArray()[3]
            .toString();
    };
    QCOMPARE(distance("C"), QStringLiteral("10.123"));
    QCOMPARE(distance("ru_RU.UTF-8"), QStringLiteral("10,123"));
}

void TestJournalsCli::unnamableSecondaryAirEndsItsFrameAndIsReported() {
    TMK mk;
    mk.Image = FactoryImage(8192);
    mk.UnpackAll();
    TErrorJournal& journal = mk.Record.ErrorJournal;
    journal.SupportedPids[(18 - 1) / 8] |= uint8_t(0x80 >> ((18 - 1) % 8));
    journal.Faults[0].SecondaryAirStatus = 0x1234;
    mk.PackBlock(TBlock::ErrorJournal);
    const QString path = SaveModel(mk, QStringLiteral("air.rvset"));
    const TRun run = RunMktool({"journals", "--json", path});
    QCOMPARE(run.ExitCode, 0);
    QCOMPARE(run.LastErrorLine, TRangeError().Text());
    const QJsonArray frame =
        QJsonDocument::fromJson(run.Out).object().value("FreezeFrames").toArray()[0].toArray();
    QCOMPARE(frame, PairsJson(FreezeFrameRows(journal.Faults[0], journal.SupportedPids).Rows));
    QVERIFY(frame.size() > 1);
    QCOMPARE(frame.last().toArray()[0].toString(), QStringLiteral("Дроссель, %"));
}

void TestJournalsCli::refusesBadArguments() {
    const TRun usage = RunMktool({"journals", "--json"});
    QCOMPARE(usage.ExitCode, 2);
    QVERIFY(!usage.LastErrorLine.isEmpty());
    const TRun missing = RunMktool({"journals", "--json", Folder.filePath("absent.rvset")});
    QCOMPARE(missing.ExitCode, 1);
    QVERIFY(missing.LastErrorLine.contains(QStringLiteral("absent.rvset")));
    QVERIFY(missing.Out.isEmpty());
}

int main(int argc, char* argv[]) {
    // The expectations are decoded here, in the locale the tool runs under by default.
    qputenv("LC_ALL", "C");
    QCoreApplication app(argc, argv);
    TestJournalsCli test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_mktool_journals.moc"
