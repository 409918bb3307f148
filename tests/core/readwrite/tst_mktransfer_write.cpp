// Writing the settings into a simulated MK: the checks, the fresh read, the sections sent.
#include "ModelState.h"
#include "TransferBench.h"
#include "base/MKError.h"
#include "link/LinkTexts.h"
#include "link/MKLink.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"
#include "readwrite/BackupStore.h"
#include "readwrite/MKTransfer.h"
#include "readwrite/ReadWriteTexts.h"
#include "sim/SimulatorSession.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <optional>
#include <utility>

namespace {

constexpr quint16 Version = BenchSettingsVersion;
constexpr int MKBase = 32;

QByteArray RecordBytes(const TMK& mk) {
    return QByteArray(reinterpret_cast<const char*>(&mk.Record), sizeof mk.Record);
}

void SetEntry(QByteArray& image, int entry, quint16 address, quint16 length) {
    qToLittleEndian<quint16>(address, image.data() + 4 * entry);
    qToLittleEndian<quint16>(length, image.data() + 4 * entry + 2);
}

void ExpectRefusal(TTransferBench& bench, const QString& text) {
    try {
        bench.Write();
        QFAIL("the write went through");
    } catch (const TMKError& e) {
        QCOMPARE(e.Text(), text);
    }
    QVERIFY(bench.Writes().isEmpty());
    QVERIFY(bench.Transfer.LastBackup.isEmpty());
    QVERIFY(bench.Backups.Files().isEmpty());
    QVERIFY(!bench.Link.IsOpen);
}

} // namespace

class TestMKTransferWrite : public QObject {
    Q_OBJECT
private slots:
    void sectionsAreSentInChunksOfThirtyTwo() {
        // n = 64, 5 and 196: two full chunks; one short chunk; six full and one of 4.
        TTransferBench bench(
            ImageWithDirectory(8128, 3, {{0x0100, 68}, {0x0200, 9}, {0x0300, 200}}));
        bench.ReadFirst();
        QCOMPARE(bench.Write(), TMKTransfer::TOutcome::Done);

        struct TExpected {
            quint8 Code;
            quint16 First, Second;
        };
        const QList<TExpected> expected = {
            {MKProtocol::BeginSectionWrite, 0x0100, 64},
            {MKProtocol::WriteChunk, 0, 32},
            {MKProtocol::WriteChunk, 1, 32},
            {MKProtocol::EndSectionWrite, 0x0100, 64},
            {MKProtocol::BeginSectionWrite, 0x0200, 5},
            {MKProtocol::WriteChunk, 0, 5},
            {MKProtocol::EndSectionWrite, 0x0200, 5},
            {MKProtocol::BeginSectionWrite, 0x0300, 196},
            {MKProtocol::WriteChunk, 0, 32},
            {MKProtocol::WriteChunk, 1, 32},
            {MKProtocol::WriteChunk, 2, 32},
            {MKProtocol::WriteChunk, 3, 32},
            {MKProtocol::WriteChunk, 4, 32},
            {MKProtocol::WriteChunk, 5, 32},
            {MKProtocol::WriteChunk, 6, 4},
            {MKProtocol::EndSectionWrite, 0x0300, 196},
        };
        const QList<TRequest> writes = bench.Writes();
        QCOMPARE(writes.size(), expected.size());
        quint16 section = 0;
        for (qsizetype i = 0; i < writes.size(); ++i) {
            QCOMPARE(writes[i].Address, quint8(0xFC));
            QCOMPARE(writes[i].Code, expected[i].Code);
            QCOMPARE(writes[i].Word(0), expected[i].First);
            QCOMPARE(writes[i].Word(1), expected[i].Second);
            if (writes[i].Code == MKProtocol::BeginSectionWrite)
                section = writes[i].Word(0);
            if (writes[i].Code != MKProtocol::WriteChunk) {
                QCOMPARE(writes[i].Params.size(), qsizetype(4));
                continue;
            }
            const qsizetype from = section - MKBase + 32 * writes[i].Word(0);
            QCOMPARE(writes[i].Params.mid(4), bench.MK.Image.mid(from, writes[i].Word(1)));
        }
        // The example: address 0x0100, length 200 sends image bytes 0x00E0..0x01A3.
        const QByteArray memory = bench.Memory();
        QCOMPARE(memory.mid(0x02E0, 196), bench.MK.Image.mid(0x02E0, 196));
        QCOMPARE(bench.Progress.Phases.mid(bench.Progress.Phases.size() - 2),
                 (QStringList{WorkflowTexts::WritingLabel(), WorkflowTexts::VerifyingLabel()}));
        QCOMPARE(bench.Progress.GaugesOf(WorkflowTexts::WritingLabel()), (QList<int>{33, 67, 100}));
        QCOMPARE(bench.Link.FirstByteTimeout, TMKTransfer::SectionTimeoutMs);
        QVERIFY(!bench.Link.IsOpen);
    }

    void recordBlocksComeFromTheSettingsTheRestFromTheMK() {
        QByteArray original = FactoryImage(8192);
        const TImageDirectory factory = DirectoryOf(original);
        // The fault journal's section reaches 12 bytes past its record.
        const TDirectoryEntry journal = factory.Entries[12];
        SetEntry(original, 13, journal.Address, quint16(journal.Length + 12));

        TTransferBench program(original);
        program.ReadFirst();
        TMK& mk = program.MK;
        mk.Record.LimitsSettings.VelocityLimit = 77;
        // Resets made in the journals viewer reach the image when it closes with OK.
        mk.ViewJournals([&] {
            for (TJournalRecord& r : mk.Record.TripSettings.TripJournal)
                r = {};
            mk.Record.ErrorJournal.Faults[0] = {};
            return true;
        });
        const QByteArray settings = RecordBytes(mk);

        // Meanwhile the MK has driven on and recorded: its memory differs everywhere.
        QByteArray present = original;
        const auto scribble = [&](qsizetype from, qsizetype count, char value) {
            present.replace(from, count, QByteArray(count, value));
        };
        const TDirectoryEntry entry12 = factory.Entries[11];
        scribble(entry12.Address - MKBase, entry12.Length - 4, '\xA5');
        scribble(journal.Address - MKBase + journal.Length - 4, 12, '\x3C');
        scribble(OscArea0Position, 8 + 512, '\x11');
        scribble(OscArea1Position, 8 + 512, '\x22');
        scribble(factory.Entries[0].Address - MKBase, 12, '\x66'); // totals grew
        TTransferBench mkNow(present);
        TMKTransfer transfer(mkNow.Link, mk);
        QCOMPARE(transfer.WriteSettings(mkNow.Progress, mkNow.Backups),
                 TMKTransfer::TOutcome::Done);

        QByteArray expected = present;
        for (const TBlockInfo& block : BlockTable()) {
            const TDirectoryEntry& entry = DirectoryOf(present).Entries[block.DirectoryEntry - 1];
            expected.replace(entry.Address - MKBase, qsizetype(block.Size),
                             settings.mid(qsizetype(block.RecordOffset), qsizetype(block.Size)));
        }
        const QByteArray written = mkNow.Memory();
        QCOMPARE(written, expected);
        QCOMPARE(written.mid(entry12.Address - MKBase, 32), QByteArray(32, '\xA5'));
        QCOMPARE(written.mid(journal.Address - MKBase + journal.Length - 4, 12),
                 QByteArray(12, '\x3C'));
        QCOMPARE(written.mid(OscArea0Position, 520), QByteArray(520, '\x11'));
        QCOMPARE(written.mid(OscArea1Position, 520), QByteArray(520, '\x22'));
        // The settings, their version and the record stay as they were.
        QCOMPARE(RecordBytes(mk), settings);
        QCOMPARE(mk.SettingsVersion, Version);
        QCOMPARE(mk.Image, written);
        TMK check;
        check.Image = written;
        check.UnpackAll();
        QCOMPARE(int(check.Record.LimitsSettings.VelocityLimit), 77);
        QCOMPARE(int(check.Record.ErrorJournal.Faults[0].Code), 0);
    }

    void settingsOfAnotherDeviceAreRefusedBeforeReading() {
        TTransferBench bench(FactoryImage(8192));
        bench.ReadFirst();
        const QByteArray image = bench.MK.Image;
        bench.MK.SettingsVersion = Version + 1; // as from a file of another device
        ExpectRefusal(bench, WorkflowTexts::DeviceVersionMismatch());
        const QList<TRequest> requests = Requests(bench.Session.Simulator().Log());
        QCOMPARE(Codes(requests), QList<quint8>{MKProtocol::Identify});
        QCOMPARE(bench.MK.Image, image);
        QCOMPARE(bench.MK.SettingsVersion, quint16(Version + 1));
    }

    void otherFirmwareIsRefusedBeforeWriting() {
        TTransferBench program(FactoryImage(8192));
        program.ReadFirst();
        program.MK.Record.LimitsSettings.VelocityLimit = 91;
        QByteArray other = FactoryImage(8192);
        qToLittleEndian<quint32>(FactoryFirmwareVersion + 1, other.data() + 56);
        TTransferBench mkNow(other);
        TMKTransfer transfer(mkNow.Link, program.MK);
        program.Transfer.LastBackup.clear();
        try {
            transfer.WriteSettings(mkNow.Progress, mkNow.Backups);
            QFAIL("the write went through");
        } catch (const TMKError& e) {
            QCOMPARE(e.Text(), WorkflowTexts::FirmwareVersionMismatch());
        }
        QVERIFY(mkNow.Writes().isEmpty());
        QVERIFY(mkNow.Backups.Files().isEmpty());
        // The program keeps its own settings, so the check holds on the next press.
        QCOMPARE(program.MK.Image, program.Session.Simulator().Image());
        QCOMPARE(quint32(program.MK.ImageDirectory.FirmwareVersion), FactoryFirmwareVersion);
        QCOMPARE(int(program.MK.Record.LimitsSettings.VelocityLimit), 91);
    }

    // Every way a write can end short of a confirmed write leaves the program's model byte
    // for byte as it was, and a refusal holds on the next press; a confirmed write leaves
    // the record, version and origin, and the image and directory of what was written. A
    // backup kept is named once: by the error's text, or else by the notice after it.
    void writeEndingShortChangesNothing_data() {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<int>("kind"); // the error's TErrorKind; -1 for none
        QTest::addColumn<bool>("done");
        QTest::addColumn<bool>("mkWritten"); // commands reached the MK
        QTest::addColumn<bool>("notice");    // the backup notice follows the error
        const auto row = [](const char* name, int kind, bool done = false, bool written = false,
                            bool notice = false) {
            QTest::newRow(name) << QString::fromLatin1(name) << kind << done << written << notice;
        };
        row("connecting cancelled", -1);
        row("version refused", int(TErrorKind::VersionMismatch));
        row("firmware refused", int(TErrorKind::FirmwareMismatch));
        row("link failure during the fresh read", int(TErrorKind::NoConnection));
        row("compare declined", -1);
        row("backup failed", int(TErrorKind::BackupFailed));
        row("link failure before the first section", int(TErrorKind::NoConnection), false, false,
            true);
        row("link failure while writing sections", int(TErrorKind::WriteInterrupted), false, true);
        row("write not confirmed", int(TErrorKind::WriteNotConfirmed), false, true);
        row("written", -1, true, true);
    }
    void writeEndingShortChangesNothing() {
        QFETCH(QString, ending);
        QFETCH(int, kind);
        QFETCH(bool, done);
        QFETCH(bool, mkWritten);
        QFETCH(bool, notice);
        QByteArray memory = FactoryImage(8192);
        if (ending == "firmware refused")
            qToLittleEndian<quint32>(FactoryFirmwareVersion + 1, memory.data() + 56);
        TTransferBench bench(memory);
        // The program's settings: a file of this device, edited since.
        QByteArray file = FactoryImage(8192);
        file[100] = '\x5A'; // a byte of its own
        bench.LoadFile(file);
        bench.MK.Record.LimitsSettings.VelocityLimit = 91;
        bench.MK.Record.TripTotals.AllSum.Time = 12345; // in the first chunk written
        if (ending == "version refused")
            bench.MK.SettingsVersion = Version + 1;
        const TModelState before = StateOf(bench.MK);
        const QByteArray mkBefore = bench.Memory();
        TMKSimulator& sim = bench.Session.Simulator();
        bool writing = false;
        if (ending == "connecting cancelled") {
            sim.UpdateFaults([](TFaultPlan& f) { f.Silence = 1 << 30; });
            bench.Progress.CancelAfterPolls = 2;
        } else if (ending == "link failure during the fresh read") {
            bench.Progress.OnGauge = [&](int reads) {
                if (reads == 100)
                    sim.UpdateFaults([](TFaultPlan& f) { f.Silence = 3; });
            };
        } else if (ending == "compare declined") {
            bench.Transfer.ConfirmWrite = [](TMK&, TMK&) { return std::optional<QByteArray>(); };
        } else if (ending == "backup failed") {
            // A file where the backup folder should be.
            QFile blocker(bench.Backups.Folder());
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        } else if (ending == "link failure before the first section") {
            bench.Progress.OnPhase = [&sim](const QString& label) {
                if (label == WorkflowTexts::WritingLabel())
                    sim.UpdateFaults([](TFaultPlan& f) { f.Silence = 3; });
            };
        } else if (ending == "link failure while writing sections") {
            // The first section goes through, the second meets a silent MK.
            bench.Progress.OnPhase = [&writing](const QString& label) {
                writing = label == WorkflowTexts::WritingLabel();
            };
            bench.Progress.OnGauge = [&](int) {
                if (std::exchange(writing, false))
                    sim.UpdateFaults([](TFaultPlan& f) { f.Silence = 3; });
            };
        } else if (ending == "write not confirmed") {
            sim.UpdateFaults([](TFaultPlan& f) { f.DroppedChunk = 1; });
        }

        bool written = false;
        QString message;
        const auto press = [&]() -> std::optional<TErrorKind> {
            try {
                written = bench.Write() == TMKTransfer::TOutcome::Done;
            } catch (const TMKError& e) {
                message = e.Text();
                return e.Kind();
            }
            return std::nullopt;
        };
        const std::optional<TErrorKind> failure = press();
        QCOMPARE(failure ? int(*failure) : -1, kind);
        QCOMPARE(written, done);
        QVERIFY(!bench.Link.IsOpen);
        QCOMPARE(bench.Memory() != mkBefore, mkWritten);
        if (failure) {
            const QString& backup = bench.Transfer.LastBackup;
            QCOMPARE(bench.Transfer.BackupNoticeAfter(*failure),
                     notice ? WorkflowTexts::BackupNotice(backup) : QString());
            if (!backup.isEmpty())
                QCOMPARE(message.contains(backup), !notice);
        }
        if (!done) {
            MK_COMPARE_STATE(StateOf(bench.MK), before);
        } else {
            TModelState expected = before;
            expected.Image = bench.Memory();
            expected.Directory = BytesOf(DirectoryOf(expected.Image));
            MK_COMPARE_STATE(StateOf(bench.MK), expected);
            QCOMPARE(int(bench.MK.FirmwareVersion()), int(FactoryFirmwareVersion));
        }
        // A refusal is no accident of the moment: the next press meets it again.
        if (kind == int(TErrorKind::VersionMismatch) || kind == int(TErrorKind::FirmwareMismatch)) {
            QCOMPARE(press(), failure);
            MK_COMPARE_STATE(StateOf(bench.MK), before);
            QVERIFY(bench.Writes().isEmpty());
        }
    }

    void emptyDirectoryWritesNothingAndSucceeds() {
        QByteArray image = FactoryImage(8192);
        qToLittleEndian<quint32>(0, image.data());
        TTransferBench bench(image);
        bench.ReadFirst();
        QCOMPARE(bench.Write(), TMKTransfer::TOutcome::Done);
        QVERIFY(bench.Writes().isEmpty());
        QCOMPARE(Requests(bench.Session.Simulator().Log()).size(), 1 + 254);
    }

    void brokenDirectorySendsNothing_data() {
        QTest::addColumn<QByteArray>("image");
        const QByteArray factory = FactoryImage(8192);
        const TImageDirectory directory = DirectoryOf(factory);
        QByteArray image = factory;
        qToLittleEndian<quint32>(14, image.data());
        QTest::newRow("count 14") << image;
        image = factory;
        SetEntry(image, 5, directory.Entries[4].Address, 3);
        QTest::newRow("length 3") << image;
        image = factory;
        SetEntry(image, 12, 16, directory.Entries[11].Length);
        QTest::newRow("address 16") << image;
        image = factory;
        SetEntry(image, 13, 8000, 200);
        QTest::newRow("past the end of the memory") << image;
    }
    void brokenDirectorySendsNothing() {
        QFETCH(QByteArray, image);
        TTransferBench bench(image);
        bench.ReadFirst();
        ExpectRefusal(bench, WorkflowTexts::DirectoryBroken());
        QCOMPARE(bench.Memory(), image);
    }

    void backupHoldsTheMemoryAsItWasBeforeTheWrite() {
        const QByteArray before = FactoryImage(8192);
        TTransferBench bench(before);
        bench.ReadFirst();
        bench.MK.Record.LimitsSettings.VelocityLimit = 55;
        QCOMPARE(bench.Write(), TMKTransfer::TOutcome::Done);
        QVERIFY(bench.Memory() != before);
        QCOMPARE(bench.Backups.Files(), QStringList{bench.Transfer.LastBackup});
        TMK restored;
        SettingsFile::Load(restored, bench.Transfer.LastBackup);
        QCOMPARE(restored.SettingsVersion, Version);
        QCOMPARE(restored.Image, before);
        // Writing the backup back undoes the write.
        TMKTransfer undo(bench.Link, restored);
        TRecordingProgress progress;
        QCOMPARE(undo.WriteSettings(progress, bench.Backups), TMKTransfer::TOutcome::Done);
        QCOMPARE(bench.Memory(), before);
    }

    void failureWhileSendingLeavesTheBackupNamed() {
        TTransferBench bench(FactoryImage(8192));
        bench.ReadFirst();
        bench.Progress.OnPhase = [&](const QString& label) {
            if (label == WorkflowTexts::WritingLabel())
                bench.Session.Simulator().UpdateFaults([](TFaultPlan& f) { f.Silence = 3; });
        };
        try {
            bench.Write();
            QFAIL("the write went through");
        } catch (const TMKError& e) {
            QCOMPARE(e.Text(), LinkTexts::NoConnection());
        }
        QVERIFY(QFile::exists(bench.Transfer.LastBackup));
        QCOMPARE(Codes(bench.Writes()), QList<quint8>(3, MKProtocol::BeginSectionWrite));
        QVERIFY(!bench.Link.IsOpen);
    }

    void largeMKIsReadWholeThenWrittenAtItsAddress() {
        TTransferBench bench(FactoryImage(32768), 0xFE);
        bench.ReadFirst();
        QCOMPARE(bench.Write(), TMKTransfer::TOutcome::Done);
        const QList<TRequest> requests = Requests(bench.Session.Simulator().Log());
        // Blocks read before the first write; the read-back after it is not counted, nor a
        // request the link repeated because a busy machine let a reply time out.
        QSet<QByteArray> blocksRead;
        qsizetype firstWrite = -1;
        for (qsizetype i = 0; i < requests.size(); ++i) {
            if (requests[i].Code == MKProtocol::ReadBlock && firstWrite < 0)
                blocksRead.insert(requests[i].Params);
            else if (requests[i].Code != MKProtocol::Identify && firstWrite < 0)
                firstWrite = i;
        }
        QCOMPARE(blocksRead.size(), qsizetype(1022));
        QVERIFY(firstWrite > 1022);
        for (const TRequest& r : bench.Writes())
            QCOMPARE(r.Address, quint8(0xFE));
        const TImageDirectory directory = DirectoryOf(bench.MK.Image);
        qsizetype commands = 0;
        for (quint32 i = 0; i < directory.DirectoryCount; ++i)
            commands += 2 + (directory.Entries[i].Length - 4 + 31) / 32;
        QCOMPARE(bench.Writes().size(), commands);
    }

    void cancelWhileConnectingWritesNothing() {
        TTransferBench bench(FactoryImage(8192));
        bench.ReadFirst();
        const QByteArray image = bench.MK.Image;
        bench.Session.Simulator().UpdateFaults([](TFaultPlan& f) { f.Silence = 1 << 30; });
        bench.Progress.CancelAfterPolls = 2;
        QCOMPARE(bench.Write(), TMKTransfer::TOutcome::Cancelled);
        QVERIFY(bench.Writes().isEmpty());
        QCOMPARE(bench.MK.Image, image);
        QVERIFY(!bench.Link.IsOpen);
    }
};

QTEST_MAIN(TestMKTransferWrite)
#include "tst_mktransfer_write.moc"
