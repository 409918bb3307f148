// Reading the MK through the real link and a simulated MK on a pseudo-terminal.
#include "ModelState.h"
#include "TransferKit.h"
#include "base/MKError.h"
#include "link/LinkTexts.h"
#include "link/MKLink.h"
#include "model/DeviceModel.h"
#include "readwrite/MKTransfer.h"
#include "readwrite/ReadWriteTexts.h"
#include "sim/SimulatorSession.h"

#include <QtTest>
#include <cmath>

namespace {

using TCheckpoints = QList<QPair<int, int>>; // (block, gauge)

QByteArray RecordBytes(const TMK& mk) {
    return QByteArray(reinterpret_cast<const char*>(&mk.Record), sizeof mk.Record);
}

TSimulatorOptions At(quint8 address, quint16 version = 0x0105) {
    TSimulatorOptions options;
    options.Address = address;
    options.SettingsVersion = version;
    return options;
}

QList<int> ExpectedBlocks(quint32 memorySize) {
    const int half = int(memorySize / 64);
    QList<int> blocks;
    for (int h = 0; h < 2; ++h)
        for (int i = 1; i < half; ++i)
            blocks << h * half + i;
    return blocks;
}

// A model that holds something else than any MK would give.
void MarkModel(TMK& mk) {
    mk.Image = QByteArray(100, '\x42');
    mk.SettingsVersion = 0x0777;
    mk.Record.LimitsSettings.VelocityLimit = 123;
}

} // namespace

class TestMKTransferRead : public QObject {
    Q_OBJECT
private slots:
    void readsTheWholeMemoryWhereverTheMKAnswers_data() {
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("memorySize");
        QTest::addColumn<QList<int>>("identifyAddresses");
        const QList<int> fc3 = {0xFC, 0xFC, 0xFC}, fd3 = {0xFD, 0xFD, 0xFD};
        QTest::newRow("0xFC, first attempt") << 0xFC << 8192 << QList<int>{0xFC};
        QTest::newRow("0xFD, second attempt") << 0xFD << 8192 << fc3 + QList<int>{0xFD};
        QTest::newRow("0xFE, third attempt") << 0xFE << 32768 << fc3 + fd3 + QList<int>{0xFE};
    }
    void readsTheWholeMemoryWhereverTheMKAnswers() {
        QFETCH(int, address);
        QFETCH(int, memorySize);
        QFETCH(QList<int>, identifyAddresses);
        TSimulatorSession session(At(quint8(address)));
        TML_RS link(session.Environment());
        TMK mk;
        TMKTransfer transfer(link, mk);
        TRecordingProgress progress;

        QCOMPARE(transfer.ReadSettings(progress), TMKTransfer::TOutcome::Done);

        QCOMPARE(int(transfer.DeviceAddress), address);
        QCOMPARE(int(transfer.MemorySize), memorySize);
        QCOMPARE(mk.SettingsVersion, quint16(0x0105)); // data bytes 1-2, not the lead byte
        QCOMPARE(mk.Image.size(), qsizetype(memorySize - 64));
        QCOMPARE(mk.Image, session.Simulator().Image());
        TMK decoded;
        decoded.Image = mk.Image;
        decoded.UnpackAll();
        QCOMPARE(RecordBytes(mk), RecordBytes(decoded));
        QVERIFY(!link.IsOpen);

        QList<int> identified, blocks;
        for (const TRequest& r : Requests(session.Simulator().Log())) {
            if (r.Code == MKProtocol::Identify) {
                identified << r.Address;
                continue;
            }
            QCOMPARE(int(r.Address), address);
            QCOMPARE(r.Code, quint8(MKProtocol::ReadBlock));
            blocks << r.Word(0);
        }
        QCOMPARE(identified, identifyAddresses);
        QCOMPARE(blocks, ExpectedBlocks(quint32(memorySize)));
        QCOMPARE(progress.Phases,
                 (QStringList{WorkflowTexts::ConnectingLabel(), WorkflowTexts::ReadingLabel()}));
        QCOMPARE(progress.GaugeShown, (QList<bool>{false, true}));
        // The block reads run with the connection's first-byte timeout.
        QCOMPARE(link.FirstByteTimeout, TMKTransfer::ConnectTimeoutMs);
    }

    void lastAddressIsTriedFirst_data() {
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("answering");
        QTest::addColumn<QList<int>>("identifyAddresses");
        const QList<int> fc3 = {0xFC, 0xFC, 0xFC}, fd3 = {0xFD, 0xFD, 0xFD},
                         fe3 = {0xFE, 0xFE, 0xFE};
        QTest::newRow("0xFE remembered, found at once") << 0xFE << 0xFE << QList<int>{0xFE};
        QTest::newRow("0xFD remembered, found at once") << 0xFD << 0xFD << QList<int>{0xFD};
        // Another MK on the same port: the remembered address, then the table in order.
        QTest::newRow("0xFE remembered, MK at 0xFC") << 0xFE << 0xFC << fe3 + QList<int>{0xFC};
        QTest::newRow("0xFE remembered, MK at 0xFD")
            << 0xFE << 0xFD << fe3 + fc3 + QList<int>{0xFD};
        QTest::newRow("0xFD remembered, MK at 0xFE")
            << 0xFD << 0xFE << fd3 + fc3 + QList<int>{0xFE};
        QTest::newRow("outside the table: table order")
            << 0x42 << 0xFE << fc3 + fd3 + QList<int>{0xFE};
    }
    void lastAddressIsTriedFirst() {
        QFETCH(int, last);
        QFETCH(int, answering);
        QFETCH(QList<int>, identifyAddresses);
        TSimulatorSession session(At(quint8(answering)));
        TML_RS link(session.Environment());
        TMK mk;
        TMKTransfer transfer(link, mk);
        transfer.LastAddress = quint8(last);
        TRecordingProgress progress;

        QCOMPARE(transfer.ReadSettings(progress), TMKTransfer::TOutcome::Done);

        QList<int> identified;
        for (const TRequest& r : Requests(session.Simulator().Log()))
            if (r.Code == MKProtocol::Identify)
                identified << r.Address;
        QCOMPARE(identified, identifyAddresses);
        QCOMPARE(int(transfer.DeviceAddress), answering);
        QCOMPARE(int(transfer.LastAddress), answering);
        QCOMPARE(int(transfer.MemorySize), int(*MKProtocol::MemorySizeAt(quint8(answering))));
        QCOMPARE(mk.Image, session.Simulator().Image());
    }

    void silenceCyclesFromTheLastAddressUntilCancelled() {
        TSimulatorOptions options = At(0xFC);
        options.Faults.AnswerAfter = 1 << 30; // the MK never answers
        TSimulatorSession session(options);
        TML_RS link(session.Environment());
        TMK mk;
        TMKTransfer transfer(link, mk);
        transfer.LastAddress = 0xFD;
        TRecordingProgress progress;
        progress.CancelAfterPolls = 4;

        QCOMPARE(transfer.ReadSettings(progress), TMKTransfer::TOutcome::Cancelled);

        QList<int> identified;
        for (const TRequest& r : Requests(session.Simulator().Log()))
            identified << r.Address;
        QCOMPARE(identified, (QList<int>{0xFD, 0xFD, 0xFD, 0xFC, 0xFC, 0xFC, 0xFE, 0xFE, 0xFE, 0xFD,
                                         0xFD, 0xFD, 0xFC, 0xFC, 0xFC}));
        // Nothing answered: what was remembered stays.
        QCOMPARE(int(transfer.LastAddress), 0xFD);
    }

    void gaugeFollowsTheBlocks_data() {
        QTest::addColumn<int>("address");
        QTest::addColumn<TCheckpoints>("checkpoints");
        QTest::newRow("8 KB") << 0xFC << TCheckpoints{{1, 0}, {127, 50}, {129, 51}, {255, 100}};
        QTest::newRow("32 KB") << 0xFE << TCheckpoints{{1, 0}, {511, 50}, {513, 50}, {1023, 100}};
    }
    void gaugeFollowsTheBlocks() {
        QFETCH(int, address);
        QFETCH(TCheckpoints, checkpoints);
        TSimulatorSession session(At(quint8(address)));
        TML_RS link(session.Environment());
        TMK mk;
        TMKTransfer transfer(link, mk);
        TRecordingProgress progress;
        QCOMPARE(transfer.ReadSettings(progress), TMKTransfer::TOutcome::Done);

        const QList<int> blocks = ExpectedBlocks(transfer.MemorySize);
        QCOMPARE(progress.Gauges.size(), blocks.size());
        const double last = transfer.MemorySize / 32 - 2;
        for (qsizetype i = 0; i < blocks.size(); ++i)
            QCOMPARE(progress.Gauges[i], int(std::nearbyint(blocks[i] * 100 / last)));
        for (const auto& [block, gauge] : checkpoints)
            QCOMPARE(progress.Gauges[blocks.indexOf(block)], gauge);
    }

    void cancelWhileConnectingChangesNothing() {
        TSimulatorOptions options = At(0xFC);
        options.Faults.AnswerAfter = 1 << 30; // the MK never answers
        TSimulatorSession session(options);
        TML_RS link(session.Environment());
        TMK mk;
        MarkModel(mk);
        const QByteArray record = RecordBytes(mk);
        TMKTransfer transfer(link, mk);
        TRecordingProgress progress;
        progress.CancelAfterPolls = 4;

        QCOMPARE(transfer.ReadSettings(progress), TMKTransfer::TOutcome::Cancelled);

        QCOMPARE(mk.Image, QByteArray(100, '\x42'));
        QCOMPARE(mk.SettingsVersion, quint16(0x0777));
        QCOMPARE(RecordBytes(mk), record);
        QVERIFY(!link.IsOpen);
        // Round and round the table, three attempts at each address, until cancelled.
        QList<int> identified;
        for (const TRequest& r : Requests(session.Simulator().Log()))
            identified << r.Address;
        QCOMPARE(identified, (QList<int>{0xFC, 0xFC, 0xFC, 0xFD, 0xFD, 0xFD, 0xFE, 0xFE, 0xFE, 0xFC,
                                         0xFC, 0xFC, 0xFD, 0xFD, 0xFD}));
        QCOMPARE(progress.Phases, QStringList{WorkflowTexts::ConnectingLabel()});
    }

    void failureMidReadKeepsTheModel_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("text");
        QTest::newRow("silence") << "silence" << LinkTexts::NoConnection();
        QTest::newRow("bad checksum") << "checksum" << LinkTexts::BadChecksum();
        QTest::newRow("busy") << "busy" << LinkTexts::DeviceBusy();
    }
    void failureMidReadKeepsTheModel() {
        QFETCH(QString, fault);
        QFETCH(QString, text);
        TSimulatorSession session(At(0xFC, 0x0302));
        TML_RS link(session.Environment());
        TMK mk;
        MarkModel(mk);
        const TModelState before = StateOf(mk);
        TMKTransfer transfer(link, mk);
        TRecordingProgress progress;
        // After the 198th block read (block 199) the MK fails all three attempts at 200.
        progress.OnGauge = [&](int reads) {
            if (reads != 198)
                return;
            session.Simulator().UpdateFaults([&](TFaultPlan& f) {
                (fault == "silence" ? f.Silence : fault == "busy" ? f.Busy : f.BadChecksum) = 3;
            });
        };
        try {
            transfer.ReadSettings(progress);
            QFAIL("the read went through");
        } catch (const TMKError& e) {
            QCOMPARE(e.Text(), text);
        }
        // The read had its own model: the program's holds what it held.
        MK_COMPARE_STATE(StateOf(mk), before);
        QVERIFY(!link.IsOpen);
        const QList<TRequest> requests = Requests(session.Simulator().Log());
        QCOMPARE(requests.size(), 1 + 198 + 3);
        QCOMPARE(requests.last().Word(0), quint16(200));
    }
};

QTEST_MAIN(TestMKTransferRead)
#include "tst_mktransfer_read.moc"
