// The simulator as a peer on a pseudo-terminal: framing, faults, pacing and its log.
#include "base/MKError.h"
#include "link/LinkTexts.h"
#include "link/MKLink.h"
#include "link/SystemSerialPort.h"
#include "sim/SimulatorSession.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

TSimulatorOptions ZeroMemory(quint32 baud = 0) {
    TSimulatorOptions options;
    options.Memory = QByteArray(8192, '\0');
    options.BaudRate = baud;
    return options;
}

struct TLinkOnSimulator {
    explicit TLinkOnSimulator(TSimulatorOptions options = ZeroMemory())
        : Session(std::move(options)), Link(Session.Environment()) {
        Link.OpenPort(Session.PortNumber());
    }
    TSimulatorSession Session;
    TML_RS Link;
};

// Reads from a raw port until count bytes came or the time is up.
QByteArray ReadAtLeast(TSerialPort& port, int count, int msecs) {
    QElapsedTimer timer;
    timer.start();
    QByteArray bytes;
    while (bytes.size() < count && timer.elapsed() < msecs) {
        char buffer[256];
        const qint64 got = port.Read(buffer, sizeof buffer);
        if (got > 0)
            bytes.append(buffer, got);
        else
            port.WaitReadable(5);
    }
    return bytes;
}

} // namespace

class TestSimulator : public QObject {
    Q_OBJECT

private slots:
    void logShowsRequestsAndReplies();
    void otherAddressesGetNoAnswer();
    void answersOnlyAfterKRequests();
    void faultsCountDown();
    void strayBytesBeforeARequestAreSkipped();
    void halfARequestIsDroppedAfterAPause();
    void pacedBytesTakeTheirWireTime();
    void factoryMemoryIsServedByDefault();
    void unknownAddressIsRefused();
    void droppedChunkIsAcknowledgedButNotStored();
};

void TestSimulator::logShowsRequestsAndReplies() {
    TLinkOnSimulator t;
    QCOMPARE(t.Link.Identify(0xFC), quint16(1));
    // The reply is logged once its last byte is out, which may be just after the link took it.
    QTRY_COMPARE(t.Session.Simulator().Log().Entries().size(), 2);
    const QList<TFrameLogEntry> entries = t.Session.Simulator().Log().Entries();
    QVERIFY(entries[0].IsRequest);
    QVERIFY(!entries[1].IsRequest);
    QCOMPARE(entries[1].Bytes, QByteArray::fromHex("09FC0101005A01009E"));
    const QStringList lines = t.Session.Simulator().Log().Text().split('\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].endsWith(QStringLiteral("> 06 FC 01 00 01 FC")), qPrintable(lines[0]));
    QVERIFY2(lines[1].endsWith(QStringLiteral("< 09 FC 01 01 00 5A 01 00 9E")),
             qPrintable(lines[1]));
}

void TestSimulator::otherAddressesGetNoAnswer() {
    TLinkOnSimulator t;
    t.Link.FirstByteTimeout = 30;
    try {
        t.Link.Identify(0xFD);
        QFAIL("an MK at 0xFC answered at 0xFD");
    } catch (const TMKError& e) {
        QCOMPARE(e.Text(), LinkTexts::NoConnection());
    }
    const QList<TFrameLogEntry> requests = t.Session.Simulator().Log().Requests();
    QCOMPARE(requests.size(), 3);
    QCOMPARE(requests[0].Note, QStringLiteral("another address"));
}

void TestSimulator::answersOnlyAfterKRequests() {
    TSimulatorOptions options = ZeroMemory();
    options.Faults.AnswerAfter = 4;
    TLinkOnSimulator t(options);
    t.Link.FirstByteTimeout = 30;
    QVERIFY_THROWS_EXCEPTION(TMKError, t.Link.Identify(0xFC));
    QCOMPARE(t.Link.Identify(0xFC), quint16(1)); // request 4 unanswered, request 5 answered
    QCOMPARE(t.Session.Simulator().RequestCount(), 5);
}

void TestSimulator::faultsCountDown() {
    TLinkOnSimulator t;
    t.Session.Simulator().UpdateFaults([](TFaultPlan& f) {
        f.Busy = 1;
        f.BadChecksum = 1;
    });
    QCOMPARE(t.Link.Identify(0xFC), quint16(1));
    const TFaultPlan left = t.Session.Simulator().Faults();
    QCOMPARE(left.Busy, 0);
    QCOMPARE(left.BadChecksum, 0);
    const QList<TFrameLogEntry> requests = t.Session.Simulator().Log().Requests();
    QCOMPARE(requests.size(), 3);
    QCOMPARE(requests[0].Note, QStringLiteral("busy"));
    QCOMPARE(requests[1].Note, QStringLiteral("bad checksum"));
    QCOMPARE(requests[2].Note, QString());
}

void TestSimulator::strayBytesBeforeARequestAreSkipped() {
    TSimulatorSession session(ZeroMemory());
    TSystemSerialPort port(session.DevicePath());
    QVERIFY(port.Open());
    const QByteArray bytes = QByteArray::fromHex("0300") + QByteArray::fromHex("06FC010001FC");
    QCOMPARE(port.Write(bytes.constData(), bytes.size()), bytes.size());
    QCOMPARE(ReadAtLeast(port, 9, 2000), QByteArray::fromHex("09FC0101005A01009E"));
}

void TestSimulator::halfARequestIsDroppedAfterAPause() {
    TSimulatorSession session(ZeroMemory());
    TSystemSerialPort port(session.DevicePath());
    QVERIFY(port.Open());
    const QByteArray half = QByteArray::fromHex("08FC01");
    port.Write(half.constData(), half.size());
    QCOMPARE(ReadAtLeast(port, 1, 250), QByteArray());
    const QByteArray identify = QByteArray::fromHex("06FC010001FC");
    port.Write(identify.constData(), identify.size());
    QCOMPARE(ReadAtLeast(port, 9, 2000), QByteArray::fromHex("09FC0101005A01009E"));
    QCOMPARE(session.Simulator().Log().Requests()[0].Note,
             QStringLiteral("incomplete request dropped"));
}

void TestSimulator::pacedBytesTakeTheirWireTime() {
    constexpr int Baud = 9600;
    constexpr int Blocks = 5;
    TLinkOnSimulator t(ZeroMemory(Baud));
    QElapsedTimer timer;
    timer.start();
    for (int block = 1; block <= Blocks; ++block)
        t.Link.ReadBlock(0xFC, quint16(block));
    // 8 request and 38 reply bytes of 11 bits each, per block. The simulator paces on a
    // millisecond clock, so each block may come up to 1 ms before its exact wire time; an
    // unpaced simulator would take about 1 ms for all five.
    constexpr double BlockMs = 46 * 11 * 1000.0 / Baud;
    constexpr double ClockToleranceMs = 1.0;
    const double elapsedMs = double(timer.nsecsElapsed()) / 1e6;
    QVERIFY2(elapsedMs >= Blocks * (BlockMs - ClockToleranceMs),
             qPrintable(QString::number(elapsedMs)));
    // The simulator's own log: each reply ended no sooner than its request's wire time.
    const QList<TFrameLogEntry> entries = t.Session.Simulator().Log().Entries();
    const double replyMs = entries[1].TimeMs - entries[0].TimeMs;
    QVERIFY2(replyMs >= BlockMs - ClockToleranceMs, qPrintable(QString::number(replyMs)));
}

void TestSimulator::factoryMemoryIsServedByDefault() {
    TSimulatorOptions options;
    options.Address = 0xFE;
    options.SettingsVersion = 0x0105;
    TLinkOnSimulator t(options);
    QCOMPARE(t.Link.Identify(0xFE), quint16(0x0105));
    const QByteArray directory = t.Link.ReadBlock(0xFE, 1) + t.Link.ReadBlock(0xFE, 2);
    QCOMPARE(directory.left(4), QByteArray::fromHex("0D000000"));
    QCOMPARE(t.Session.Simulator().Memory().size(), 32768);
    QCOMPARE(t.Session.Simulator().Image().left(64), directory);
}

void TestSimulator::unknownAddressIsRefused() {
    TSimulatorOptions options;
    options.Address = 0x10;
    QVERIFY_THROWS_EXCEPTION(TMKError, TMKSimulator{options});
    options.Address = 0xFC;
    options.Memory = QByteArray(32768, '\0');
    QVERIFY_THROWS_EXCEPTION(TMKError, TMKSimulator{options});
}

void TestSimulator::droppedChunkIsAcknowledgedButNotStored() {
    TLinkOnSimulator t;
    TMKSimulator& sim = t.Session.Simulator();
    sim.UpdateFaults([](TFaultPlan& f) { f.DroppedChunk = 1; });
    const QByteArray data = QByteArray(32, 'a') + QByteArray(32, 'b') + QByteArray(8, 'c');
    t.Link.Identify(0xFC); // not a chunk: the fault waits for one
    t.Link.BeginSectionWrite(0xFC, 0x0100, quint16(data.size()));
    for (int j = 0; j < 3; ++j)
        t.Link.WriteChunk(0xFC, quint16(j), data.mid(j * 32, 32));
    t.Link.EndSectionWrite(0xFC, 0x0100, quint16(data.size()));
    const QByteArray memory = sim.Memory();
    QCOMPARE(memory.mid(0x0100, 32), QByteArray(32, '\0')); // acknowledged, never kept
    QCOMPARE(memory.mid(0x0120, 40), data.mid(32));
    QCOMPARE(sim.Faults().DroppedChunk, 0);
    const QList<TFrameLogEntry> requests = sim.Log().Requests();
    QCOMPARE(requests.size(), 6);
    QCOMPARE(requests[2].Note, QStringLiteral("chunk acknowledged, not stored"));
    QCOMPARE(requests[3].Note, QString());
}

QTEST_GUILESS_MAIN(TestSimulator)
#include "tst_simulator.moc"
