// The read-back after a write: every written section is read again and compared with what
// was sent; a chunk the MK acknowledged but did not keep ends the write in an error.
#include "TransferBench.h"
#include "base/MKError.h"
#include "link/MKLink.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"
#include "readwrite/BackupStore.h"
#include "readwrite/MKTransfer.h"
#include "readwrite/ReadWriteTexts.h"
#include "sim/SimulatorSession.h"

#include <QTemporaryDir>
#include <QtTest>
#include <set>

namespace {

// Settings that differ from the MK's in every byte of every record block.
void ChangeEveryRecordByte(TMK& mk) {
    const TImageDirectory directory = DirectoryOf(mk.Image);
    for (const TBlockInfo& block : BlockTable()) {
        const TDirectoryEntry& entry = directory.Entries[block.DirectoryEntry - 1];
        for (int i = 0; i < entry.Length - 4; ++i)
            mk.Image[entry.Address - 32 + i] = char(mk.Image[entry.Address - 32 + i] ^ 0x5A);
    }
    mk.UnpackAll();
}

// The blocks the MK holds the sections in, by their MK addresses.
QList<quint16> BlocksOfSections(const QByteArray& image) {
    const TImageDirectory directory = DirectoryOf(image);
    std::set<quint16> blocks;
    for (quint32 i = 0; i < directory.DirectoryCount; ++i) {
        const TDirectoryEntry& entry = directory.Entries[i];
        const int count = entry.Length - 4;
        for (int a = entry.Address; a < entry.Address + count; a += 32 - a % 32)
            blocks.insert(quint16(a / 32));
    }
    return QList<quint16>(blocks.begin(), blocks.end());
}

QString NotConfirmed(const QString& entries, const QString& backup) {
    return QStringLiteral("Запись не подтверждена: разделы ") + entries +
           QStringLiteral(" отличаются.\n") + backup;
}

} // namespace

class TestMKTransferVerify : public QObject {
    Q_OBJECT
private slots:
    void goodWriteIsReadBackAndConfirmed_data() {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<int>("address");
        QTest::newRow("8 KB factory memory") << FactoryImage(8192) << 0xFC;
        QTest::newRow("32 KB factory memory") << FactoryImage(32768) << 0xFE;
        // The first two sections share block 10; the third starts on block 28 and ends
        // inside block 34.
        QTest::newRow("sections sharing a block")
            << ImageWithDirectory(8128, 3, {{0x0100, 72}, {0x0144, 9}, {0x0380, 200}}) << 0xFC;
        QTest::newRow("an empty section reads nothing")
            << ImageWithDirectory(8128, 2, {{0x0100, 4}, {0x0200, 36}}) << 0xFD;
    }
    void goodWriteIsReadBackAndConfirmed() {
        QFETCH(QByteArray, image);
        QFETCH(int, address);
        TTransferBench bench(image, quint8(address));
        bench.ReadFirst();
        bench.MK.Record.LimitsSettings.VelocityLimit = 123;
        QCOMPARE(bench.Write(), TMKTransfer::TOutcome::Done);
        QVERIFY(bench.Transfer.Unconfirmed.isEmpty());
        const TImageDirectory directory = DirectoryOf(bench.MK.Image);
        const QByteArray memory = bench.Sim().Image();
        for (quint32 i = 0; i < directory.DirectoryCount; ++i) {
            const TDirectoryEntry& entry = directory.Entries[i];
            QCOMPARE(memory.mid(entry.Address - 32, entry.Length - 4),
                     bench.MK.Image.mid(entry.Address - 32, entry.Length - 4));
        }

        // After the last section: one ReadBlock for each block a section lies in, in order.
        const QList<TRequest> requests = Requests(bench.Sim().Log());
        qsizetype lastEnd = -1;
        for (qsizetype i = 0; i < requests.size(); ++i)
            if (requests[i].Code == MKProtocol::EndSectionWrite)
                lastEnd = i;
        QVERIFY(lastEnd > 0);
        QList<quint16> readBack;
        for (const TRequest& r : requests.mid(lastEnd + 1)) {
            QCOMPARE(r.Code, quint8(MKProtocol::ReadBlock));
            QCOMPARE(r.Address, quint8(address));
            readBack << r.Word(0);
        }
        QCOMPARE(readBack, BlocksOfSections(bench.MK.Image));

        const QList<int> gauges = bench.Progress.GaugesOf(WorkflowTexts::VerifyingLabel());
        QCOMPARE(bench.Progress.Phases.last(), WorkflowTexts::VerifyingLabel());
        QCOMPARE(bench.Progress.GaugeShown.last(), true);
        QCOMPARE(gauges.size(), readBack.size());
        QVERIFY(std::is_sorted(gauges.begin(), gauges.end()));
        QCOMPARE(gauges.last(), 100);
        QVERIFY(!bench.Link.IsOpen);
    }

    void emptyDirectoryHasNothingToReadBack() {
        QByteArray image = FactoryImage(8192);
        qToLittleEndian<quint32>(0, image.data());
        TTransferBench bench(image, 0xFC);
        bench.ReadFirst();
        QCOMPARE(bench.Write(), TMKTransfer::TOutcome::Done);
        QVERIFY(!bench.Progress.Phases.contains(WorkflowTexts::VerifyingLabel()));
        QCOMPARE(Requests(bench.Sim().Log()).size(), 1 + 254);
    }

    void chunkNotKeptEndsTheWrite_data() {
        QTest::addColumn<QList<int>>("dropped"); // sections whose first chunk the MK drops
        QTest::addColumn<QString>("entries");
        QTest::newRow("section 3") << QList<int>{3} << QStringLiteral("3");
        QTest::newRow("sections 3 and 7") << QList<int>{3, 7} << QStringLiteral("3, 7");
        QTest::newRow("first and last") << QList<int>{1, 13} << QStringLiteral("1, 13");
        // Entry 12 goes back as it was read: a chunk not kept changes nothing there.
        QTest::newRow("section 12 and 13") << QList<int>{12, 13} << QStringLiteral("13");
        QTest::newRow("section 12 alone") << QList<int>{12} << QString();
    }
    void chunkNotKeptEndsTheWrite() {
        QFETCH(QList<int>, dropped);
        QFETCH(QString, entries);
        const QByteArray before = FactoryImage(8192);
        TTransferBench bench(before, 0xFC);
        bench.ReadFirst();
        ChangeEveryRecordByte(bench.MK);
        int section = 0; // the section about to be written
        const auto arm = [&] {
            ++section;
            if (dropped.contains(section))
                bench.Sim().UpdateFaults([](TFaultPlan& f) { f.DroppedChunk = 1; });
        };
        bench.Progress.OnPhase = [&](const QString& label) {
            if (label == WorkflowTexts::WritingLabel())
                arm();
        };
        bench.Progress.OnGauge = [&](int) {
            if (bench.Progress.Phases.last() == WorkflowTexts::WritingLabel())
                arm();
        };

        QString error;
        try {
            QCOMPARE(bench.Write(), TMKTransfer::TOutcome::Done);
        } catch (const TMKError& e) {
            error = e.Text();
        }
        const QString backup = bench.Transfer.LastBackup;
        QVERIFY(QFile::exists(backup));
        if (entries.isEmpty()) {
            QCOMPARE(error, QString());
            QVERIFY(bench.Transfer.Unconfirmed.isEmpty());
        } else {
            QCOMPARE(error, NotConfirmed(entries, backup));
            QCOMPARE(error, WorkflowTexts::WriteNotConfirmed(entries, backup));
            QVERIFY(!bench.Transfer.Unconfirmed.isEmpty());
        }
        QCOMPARE(bench.Sim().Log().Text().count(QStringLiteral("chunk acknowledged, not stored")),
                 dropped.size());
        // The backup holds the MK as it was before the write, ready to be written back.
        TMK restored;
        SettingsFile::Load(restored, backup);
        QCOMPARE(restored.Image, before);
        QVERIFY(!bench.Link.IsOpen);
    }
};

QTEST_MAIN(TestMKTransferVerify)
#include "tst_mktransfer_verify.moc"
