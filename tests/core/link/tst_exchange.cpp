// The request/reply exchange against the simulator over a real pseudo-terminal.
#include "base/MKError.h"
#include "link/LinkTexts.h"
#include "link/MKLink.h"
#include "sim/SimulatorSession.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(TFaultPlan)

namespace {

QByteArray Hex(const char* text) {
    return QByteArray::fromHex(text);
}

// A reply frame with a correct checksum.
QByteArray Framed(QByteArray frameWithoutChecksum) {
    unsigned sum = 0;
    for (char c : frameWithoutChecksum)
        sum += quint8(c);
    frameWithoutChecksum.append(char((256 - sum % 256) % 256));
    return frameWithoutChecksum;
}

TSimulatorOptions SmallMK() {
    TSimulatorOptions options;
    options.Address = 0xFC;
    options.SettingsVersion = 0x0A01;
    options.Memory = QByteArray(8192, '\0');
    for (int i = 0; i < options.Memory.size(); ++i)
        options.Memory[i] = char(i * 7 + i / 256);
    return options;
}

struct TLinkOnSimulator {
    explicit TLinkOnSimulator(TSimulatorOptions options = SmallMK())
        : Session(std::move(options)), Link(Session.Environment()) {
        Link.OpenPort(Session.PortNumber());
    }
    TMKSimulator& Sim() { return Session.Simulator(); }

    TSimulatorSession Session;
    TML_RS Link;
};

QString ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const TMKError& e) {
        return e.Text();
    }
    return {};
}

} // namespace

class TestExchange : public QObject {
    Q_OBJECT

private slots:
    void identifyReturnsSettingsVersion();
    void readBlockReturnsTheMemoryBlock();
    void sectionWriteLandsInMemory();
    void failureOnEveryAttemptReachesCaller_data();
    void failureOnEveryAttemptReachesCaller();
    void twoFailuresThenGoodReplySucceed_data();
    void twoFailuresThenGoodReplySucceed();
    void attemptsArePausedByFiftyMilliseconds();
    void craftedReplies_data();
    void craftedReplies();
    void shortReplyIsRefused_data();
    void shortReplyIsRefused();
    void vanishedPortFailsAtOnce();
    void closedLinkReportsNoConnection();
    void uiEventsRunWhileWaiting();
};

void TestExchange::identifyReturnsSettingsVersion() {
    TLinkOnSimulator t;
    QVERIFY(t.Link.IsOpen);
    QCOMPARE(t.Link.Identify(0xFC), quint16(0x0A01));
    QCOMPARE(t.Link.DeviceAddress, quint8(0xFC));
    const QList<TFrameLogEntry> requests = t.Sim().Log().Requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests[0].Bytes, Hex("06FC010001FC"));
}

void TestExchange::readBlockReturnsTheMemoryBlock() {
    TLinkOnSimulator t;
    const QByteArray memory = t.Sim().Memory();
    QCOMPARE(t.Link.ReadBlock(0xFC, 1), memory.mid(32, 32));
    QCOMPARE(t.Link.ReadBlock(0xFC, 255), memory.mid(255 * 32, 32));
    QCOMPARE(t.Sim().Log().Requests()[0].Bytes, Hex("08FC01000501 00F5").replace(' ', ""));
}

void TestExchange::sectionWriteLandsInMemory() {
    TLinkOnSimulator t;
    const QByteArray before = t.Sim().Memory();
    QByteArray data(37, '\0');
    for (int i = 0; i < data.size(); ++i)
        data[i] = char(0xA0 + i);
    t.Link.BeginSectionWrite(0xFC, 0x0100, quint16(data.size()));
    t.Link.WriteChunk(0xFC, 0, data.left(32));
    t.Link.WriteChunk(0xFC, 1, data.mid(32));
    QCOMPARE(t.Sim().Memory(), before); // applied only at the end of the section
    t.Link.EndSectionWrite(0xFC, 0x0100, quint16(data.size()));
    const QByteArray after = t.Sim().Memory();
    QCOMPARE(after.mid(0x0100, data.size()), data);
    QCOMPARE(after.left(0x0100), before.left(0x0100));
    QCOMPARE(after.mid(0x0100 + data.size()), before.mid(0x0100 + data.size()));
}

void TestExchange::failureOnEveryAttemptReachesCaller_data() {
    QTest::addColumn<TFaultPlan>("faults");
    QTest::addColumn<QString>("text");
    TFaultPlan plan;
    plan.Silence = 3;
    QTest::newRow("no reply") << plan << LinkTexts::NoConnection();
    plan = {};
    plan.OverlongLength = 3;
    QTest::newRow("reply stops inside the frame") << plan << LinkTexts::InterByteDelay();
    plan = {};
    plan.BadChecksum = 3;
    QTest::newRow("checksum off by one") << plan << LinkTexts::BadChecksum();
    plan = {};
    plan.ZeroHeader = 3;
    QTest::newRow("zero header") << plan << LinkTexts::ZeroHeader();
    plan = {};
    plan.Busy = 3;
    QTest::newRow("busy") << plan << LinkTexts::DeviceBusy();
    plan = {};
    plan.RawReplies = {Framed(Hex("05FC0101")), Framed(Hex("05FC0101")), Framed(Hex("05FC0101"))};
    QTest::newRow("length byte 5") << plan << LinkTexts::NoConnection();
}

void TestExchange::failureOnEveryAttemptReachesCaller() {
    QFETCH(TFaultPlan, faults);
    QFETCH(QString, text);
    TLinkOnSimulator t;
    t.Link.FirstByteTimeout = 100;
    t.Sim().UpdateFaults([&](TFaultPlan& f) { f = faults; });
    QCOMPARE(ErrorOf([&] { t.Link.Identify(0xFC); }), text);
    QCOMPARE(t.Sim().RequestCount(), TML_RS::Attempts);
    // The link keeps its port: the next request goes through.
    QCOMPARE(t.Link.Identify(0xFC), quint16(0x0A01));
}

void TestExchange::twoFailuresThenGoodReplySucceed_data() {
    failureOnEveryAttemptReachesCaller_data();
}

void TestExchange::twoFailuresThenGoodReplySucceed() {
    QFETCH(TFaultPlan, faults);
    TLinkOnSimulator t;
    t.Link.FirstByteTimeout = 100;
    const auto two = [](int n) { return n > 0 ? 2 : 0; };
    faults.Silence = two(faults.Silence);
    faults.OverlongLength = two(faults.OverlongLength);
    faults.BadChecksum = two(faults.BadChecksum);
    faults.ZeroHeader = two(faults.ZeroHeader);
    faults.Busy = two(faults.Busy);
    faults.RawReplies = faults.RawReplies.mid(0, 2);
    t.Sim().UpdateFaults([&](TFaultPlan& f) { f = faults; });
    QCOMPARE(t.Link.ReadBlock(0xFC, 3), t.Sim().Memory().mid(96, 32));
    QCOMPARE(t.Sim().RequestCount(), 3);
}

void TestExchange::attemptsArePausedByFiftyMilliseconds() {
    TLinkOnSimulator t;
    t.Sim().UpdateFaults([](TFaultPlan& f) { f.BadChecksum = 3; });
    QCOMPARE(ErrorOf([&] { t.Link.Identify(0xFC); }), LinkTexts::BadChecksum());
    const QList<TFrameLogEntry> requests = t.Sim().Log().Requests();
    QCOMPARE(requests.size(), 3);
    for (int i = 1; i < requests.size(); ++i) {
        const double gap = requests[i].TimeMs - requests[i - 1].TimeMs;
        QVERIFY2(gap >= TML_RS::RetryPauseMs, qPrintable(QString::number(gap)));
        // A checksum failure is known at once: no first-byte timeout is waited out.
        QVERIFY2(gap < TML_RS::RetryPauseMs + 500, qPrintable(QString::number(gap)));
        QCOMPARE(requests[i].Bytes, requests[0].Bytes);
    }
}

void TestExchange::craftedReplies_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("firstData");
    // Its one data byte is the last byte of the frame.
    QTest::newRow("six bytes, one data byte") << Framed(Hex("06FC010100")) << QString() << 0xFC;
    QTest::newRow("header 00 00 01 passes") << Framed(Hex("0700000100AB")) << QString() << 0xAB;
    QTest::newRow("header 00 00 00") << Framed(Hex("0700000000AB")) << LinkTexts::ZeroHeader() << 0;
    QTest::newRow("status FF") << Framed(Hex("07FC0101FFAB")) << LinkTexts::DeviceBusy() << 0;
}

void TestExchange::craftedReplies() {
    QFETCH(QByteArray, reply);
    QFETCH(QString, text);
    QFETCH(int, firstData);
    TLinkOnSimulator t;
    t.Sim().UpdateFaults([&](TFaultPlan& f) { f.RawReplies = {reply, reply, reply}; });
    t.Link.BeginCommand(0xFC, 0x21); // a command whose reply data only the header matters for
    const QString error = ErrorOf([&] { t.Link.Transact(); });
    QCOMPARE(error, text);
    if (text.isEmpty()) {
        QCOMPARE(t.Link.RxPos, 5);
        QCOMPARE(int(t.Link.GetByte()), firstData);
        QCOMPARE(t.Sim().RequestCount(), 1);
    } else {
        QCOMPARE(t.Sim().RequestCount(), 3);
    }
}

void TestExchange::shortReplyIsRefused_data() {
    QTest::addColumn<bool>("identify");
    QTest::newRow("Identify of 8 bytes") << true;
    QTest::newRow("ReadBlock of 37 bytes") << false;
}

void TestExchange::shortReplyIsRefused() {
    QFETCH(bool, identify);
    TLinkOnSimulator t;
    t.Sim().UpdateFaults([](TFaultPlan& f) { f.ShortReply = 3; });
    const QString error = ErrorOf([&] {
        if (identify)
            t.Link.Identify(0xFC);
        else
            t.Link.ReadBlock(0xFC, 1);
    });
    QCOMPARE(error, LinkTexts::ShortReply());
    QCOMPARE(t.Sim().RequestCount(), 3);
    // The simulator logs a reply once its last byte is out, which may be just after the
    // link has taken it.
    QTRY_VERIFY(!t.Sim().Log().Entries().back().IsRequest);
    const QList<TFrameLogEntry> entries = t.Sim().Log().Entries();
    QCOMPARE(quint8(entries.back().Bytes[0]), quint8(identify ? 8 : 37));
    // Retried like every other failure: a good reply after two short ones is taken.
    t.Sim().UpdateFaults([](TFaultPlan& f) { f.ShortReply = 2; });
    if (identify)
        QCOMPARE(t.Link.Identify(0xFC), quint16(0x0A01));
    else
        QCOMPARE(t.Link.ReadBlock(0xFC, 1), t.Sim().Memory().mid(32, 32));
}

void TestExchange::vanishedPortFailsAtOnce() {
    TLinkOnSimulator t;
    QCOMPARE(t.Link.Identify(0xFC), quint16(0x0A01));
    t.Sim().Unplug();
    // Three immediate failures and the two pauses, never a first-byte timeout: with a 10 s
    // timeout the two cannot be confused however busy the machine.
    t.Link.FirstByteTimeout = 10000;
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(ErrorOf([&] { t.Link.ReadBlock(0xFC, 1); }), LinkTexts::NoConnection());
    QVERIFY2(timer.elapsed() < t.Link.FirstByteTimeout / 2,
             qPrintable(QString::number(timer.elapsed())));
}

void TestExchange::closedLinkReportsNoConnection() {
    TLinkOnSimulator t;
    t.Link.ClosePort();
    t.Link.FirstByteTimeout = 30;
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(ErrorOf([&] { t.Link.Identify(0xFC); }), LinkTexts::NoConnection());
    // Three timeouts and two pauses, each of which the millisecond clock may end up to 1 ms
    // early.
    QVERIFY2(timer.elapsed() >= 3 * 30 + 2 * TML_RS::RetryPauseMs - 5,
             qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(t.Sim().RequestCount(), 0);
}

void TestExchange::uiEventsRunWhileWaiting() {
    TLinkOnSimulator t;
    t.Link.FirstByteTimeout = 300;
    t.Sim().UpdateFaults([](TFaultPlan& f) { f.Silence = 1; });
    int fired = 0;
    QTimer::singleShot(20, [&] { ++fired; });
    QCOMPARE(t.Link.Identify(0xFC), quint16(0x0A01));
    QCOMPARE(fired, 1);
}

QTEST_GUILESS_MAIN(TestExchange)
#include "tst_exchange.moc"
