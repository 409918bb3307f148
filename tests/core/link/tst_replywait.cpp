// Waiting for a reply: the port wakes the link once the awaited bytes are all in, and the
// inter-byte deadline still follows the bytes one by one.
#include "base/MKError.h"
#include "link/LinkTexts.h"
#include "link/MKProtocol.h"
#include "link/MKLink.h"
#include "link/SystemSerialPort.h"
#include "sim/PseudoTerminal.h"
#include "sim/SimulatorSession.h"

#include <QElapsedTimer>
#include <QThread>
#include <QtTest>
#include <algorithm>
#include <thread>
#include <unistd.h>

namespace {

// The system port, counting how often the link waits on it.
class TCountingPort : public TSerialPort {
public:
    TCountingPort(const QString& path, std::shared_ptr<int> waits)
        : Port(path), Waits(std::move(waits)) {}
    bool Open() override { return Port.Open(); }
    void Close() override { Port.Close(); }
    bool IsOpen() const override { return Port.IsOpen(); }
    std::optional<TLineSettings> LineSettings() override { return Port.LineSettings(); }
    bool SetLineSettings(const TLineSettings& s) override { return Port.SetLineSettings(s); }
    bool SetDataTerminalReady(bool on) override { return Port.SetDataTerminalReady(on); }
    bool PurgeInput() override { return Port.PurgeInput(); }
    bool PurgeOutput() override { return Port.PurgeOutput(); }
    qint64 Read(char* data, qint64 maxSize) override { return Port.Read(data, maxSize); }
    qint64 Write(const char* data, qint64 size) override { return Port.Write(data, size); }
    bool WaitReadable(int msecs) override {
        ++*Waits;
        return Port.WaitReadable(msecs);
    }
    bool WaitForBytes(qint64 count, int msecs) override {
        ++*Waits;
        return Port.WaitForBytes(count, msecs);
    }

private:
    TSystemSerialPort Port;
    std::shared_ptr<int> Waits;
};

TSimulatorOptions PacedMK(quint32 baud) {
    TSimulatorOptions options;
    options.Address = 0xFC;
    options.SettingsVersion = 0x0A01;
    options.BaudRate = baud;
    options.Memory = QByteArray(8192, '\0');
    for (int i = 0; i < options.Memory.size(); ++i)
        options.Memory[i] = char(i * 5 + 1);
    return options;
}

struct TCountedLink {
    explicit TCountedLink(quint32 baud) : Session(PacedMK(baud)), Link(Environment()) {
        Link.OpenPort(Session.PortNumber());
    }
    TLinkEnvironment Environment() {
        TLinkEnvironment environment = Session.Environment();
        environment.CreatePort = [waits = Waits](const QString& path) {
            return std::make_unique<TCountingPort>(path, waits);
        };
        return environment;
    }
    std::shared_ptr<int> Waits = std::make_shared<int>(0);
    TSimulatorSession Session;
    TML_RS Link;
};

void WriteTo(int fd, const QByteArray& bytes) {
    QCOMPARE(::write(fd, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
}

} // namespace

class TestReplyWait : public QObject {
    Q_OBJECT

private slots:
    void waitForBytesEndsWhenAllHaveCome_data() {
        QTest::addColumn<int>("present");
        QTest::addColumn<int>("wanted");
        QTest::addColumn<bool>("ready");
        QTest::newRow("none of one") << 0 << 1 << false;
        QTest::newRow("one of one") << 1 << 1 << true;
        QTest::newRow("three of five") << 3 << 5 << false;
        QTest::newRow("five of five") << 5 << 5 << true;
        QTest::newRow("seven of five") << 7 << 5 << true;
        QTest::newRow("37 of 37") << 37 << 37 << true;
        QTest::newRow("36 of 37") << 36 << 37 << false;
    }
    void waitForBytesEndsWhenAllHaveCome() {
        QFETCH(int, present);
        QFETCH(int, wanted);
        QFETCH(bool, ready);
        TPseudoTerminal terminal;
        TSystemSerialPort port(terminal.DevicePath());
        QVERIFY(port.Open());
        const QByteArray bytes(present, '\x5A');
        WriteTo(terminal.MasterFd(), bytes);
        // A complete reply ends a long wait at once: far below the timeout however busy the
        // machine. An incomplete one waits the whole timeout, less poll()'s rounding.
        const int timeoutMs = ready ? 10000 : 150;
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(port.WaitForBytes(wanted, timeoutMs), ready);
        if (ready)
            QVERIFY2(timer.elapsed() < timeoutMs / 2, qPrintable(QString::number(timer.elapsed())));
        else
            QVERIFY2(timer.elapsed() >= timeoutMs - 10,
                     qPrintable(QString::number(timer.elapsed())));
        // A wait that ended early leaves every byte readable, as a plain read sees it.
        char buffer[64] = {};
        QCOMPARE(port.Read(buffer, sizeof buffer), qint64(present));
        QCOMPARE(port.Read(buffer, sizeof buffer), qint64(0));
        WriteTo(terminal.MasterFd(), "\x01");
        QVERIFY(port.WaitReadable(1000));
        QCOMPARE(port.Read(buffer, sizeof buffer), qint64(1));
    }

    void waitEndsWithTheLastByte() {
        TPseudoTerminal terminal;
        TSystemSerialPort port(terminal.DevicePath());
        QVERIFY(port.Open());
        WriteTo(terminal.MasterFd(), QByteArray(4, '\x11'));
        QElapsedTimer timer;
        timer.start();
        std::thread late([fd = terminal.MasterFd()] {
            QThread::msleep(60);
            [[maybe_unused]] const ssize_t n = ::write(fd, "\x22\x33", 2);
        });
        // Not before the late bytes (60 ms less the clock's rounding), and well before the
        // 10 s timeout however busy the machine.
        QVERIFY(port.WaitForBytes(6, 10000));
        late.join();
        QVERIFY2(timer.elapsed() >= 59 && timer.elapsed() < 5000,
                 qPrintable(QString::number(timer.elapsed())));
        char buffer[16] = {};
        QCOMPARE(port.Read(buffer, sizeof buffer), qint64(6));
    }

    void pacedReplyWakesTheLinkOnceForItsRest() {
        TCountedLink t(115200);
        const QByteArray memory = t.Session.Simulator().Memory();
        QList<int> waits;
        for (quint16 block = 1; block <= 25; ++block) {
            *t.Waits = 0;
            QCOMPARE(t.Link.ReadBlock(0xFC, block), memory.mid(block * 32, 32));
            waits << *t.Waits;
        }
        std::sort(waits.begin(), waits.end());
        // One wait for the first byte and one for the other 37, a little more when another
        // process holds the CPU; a link waking for each byte would wait about 38 times.
        QVERIFY2(waits[waits.size() / 2] <= 3,
                 qPrintable(QString::number(waits[waits.size() / 2])));
    }

    void interByteDeadlineFollowsEachByte_data() {
        QTest::addColumn<quint32>("baud");
        QTest::addColumn<int>("interByteMs");
        QTest::addColumn<QString>("text");
        // A byte takes 11 bits: 18.3 ms at 600 baud, 36.7 ms at 300 baud.
        QTest::newRow("18 ms apart, 30 ms allowed") << 600u << 30 << QString();
        QTest::newRow("37 ms apart, 60 ms allowed") << 300u << 60 << QString();
        QTest::newRow("37 ms apart, 30 ms allowed") << 300u << 30 << LinkTexts::InterByteDelay();
    }
    void interByteDeadlineFollowsEachByte() {
        QFETCH(quint32, baud);
        QFETCH(int, interByteMs);
        QFETCH(QString, text);
        TCountedLink t(baud);
        t.Link.InterByteTimeout = quint16(interByteMs);
        // One attempt, so the bytes of a refused reply cannot meet a repeated request.
        t.Link.BeginCommand(0xFC, MKProtocol::Identify);
        t.Link.FinishFrame();
        t.Link.SendFrame();
        QString error;
        try {
            t.Link.ReceiveFrame();
        } catch (const TMKError& e) {
            error = e.Text();
        }
        QCOMPARE(error, text);
        if (text.isEmpty()) {
            QCOMPARE(int(t.Link.RxBuf[0]), 9);
            QVERIFY(t.Link.ReplyChecksumOk());
        }
    }
};

QTEST_GUILESS_MAIN(TestReplyWait)
#include "tst_replywait.moc"
