// Which COM ports exist, opening one, the "Port" setting and the manual choice, with
// pseudo-terminals standing in for the serial devices.
#include "base/IniFile.h"
#include "link/LinkTexts.h"
#include "link/MKLink.h"
#include "link/SystemSerialPort.h"
#include "sim/PseudoTerminal.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// COM3 and COM5 are pseudo-terminals; COM4 names a device that is not there; the rest
// have no device.
struct TTwoPorts {
    TTwoPorts() {
        Map.Set(3, Com3.DevicePath());
        Map.Set(4, Dir.filePath(QStringLiteral("ttyMissing")));
        Map.Set(5, Com5.DevicePath());
    }
    TLinkEnvironment Environment() {
        TLinkEnvironment environment = TLinkEnvironment::ForPorts(Map);
        environment.Prompts.ShowError = [this](const TMKError& error) { Errors << error.Text(); };
        environment.Prompts.ChoosePortNumber = [this](const TPortChoice& choice) {
            Choices << choice;
            return Answer;
        };
        return environment;
    }
    QString SettingsPath() const { return Dir.filePath(QStringLiteral("Params32.ini")); }

    QTemporaryDir Dir;
    TPseudoTerminal Com3;
    TPseudoTerminal Com5;
    TPortMap Map;
    QStringList Errors;
    QList<TPortChoice> Choices;
    std::optional<int> Answer;
};

} // namespace

class TestPorts : public QObject {
    Q_OBJECT

private slots:
    void constructionScansAndTakesFirstPort();
    void storedPortFourSettlesOnThree();
    void loadSettingsOpensStoredPort_data();
    void loadSettingsOpensStoredPort();
    void saveSettingsStoresPortNumber();
    void noPortShowsErrorAtConstructionAndLoad();
    void portHeldElsewhereIsUnavailable();
    void scanClosesTheOpenPort();
    void openPortIgnoresNonPositiveNumbers();
    void setBaudRateOnClosedPortKeepsRate();
    void setBaudRateOnOpenPortReadsBack();
    void choosePortOffersAvailablePorts();
    void choosePortAnswers_data();
    void choosePortAnswers();
    void choosePortWithoutPortsShowsError();
};

void TestPorts::constructionScansAndTakesFirstPort() {
    TTwoPorts p;
    TML_RS link(p.Environment());
    QCOMPARE(link.AvailableCount, 2);
    for (int n = 1; n <= 32; ++n)
        QCOMPARE(link.Available[n], n == 3 || n == 5);
    QCOMPARE(link.FirstAvailablePort(), 3);
    QCOMPARE(link.PortNumber, 3);
    QVERIFY(!link.IsOpen);
    QCOMPARE(link.SectionName, QStringLiteral("RS232"));
    QCOMPARE(link.BaudRate, 115200u);
    QCOMPARE(link.ByteSize, quint8(8));
    QCOMPARE(link.Parity, quint8(0));
    QCOMPARE(link.StopBits, quint8(2));
    QCOMPARE(link.FirstByteTimeout, quint16(1000));
    QCOMPARE(link.InterByteTimeout, quint16(200));
    QVERIFY(p.Errors.isEmpty());
}

void TestPorts::storedPortFourSettlesOnThree() {
    TTwoPorts p;
    TMIniFile settings(p.SettingsPath());
    settings.WriteInteger(QStringLiteral("RS232"), QStringLiteral("Port"), 4);
    TML_RS link(p.Environment());
    link.LoadSettings(settings);
    QCOMPARE(link.PortNumber, 3);
    QVERIFY(link.IsOpen);
    QVERIFY(link.PortHandle);
    const std::optional<TLineSettings> line = link.PortHandle->LineSettings();
    QVERIFY(line);
    QCOMPARE(line->BaudRate, 115200u);
    QCOMPARE(line->ByteSize, quint8(8));
    QCOMPARE(line->Parity, quint8(0));
    QCOMPARE(line->StopBits, quint8(2));
    link.SetBaudRate(115200);
    link.ClosePort();
    QVERIFY(!link.IsOpen);
    QVERIFY(!link.PortHandle);
    QCOMPARE(link.PortNumber, 3);
}

void TestPorts::loadSettingsOpensStoredPort_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("port");
    QTest::addColumn<bool>("open");
    QTest::newRow("available port") << 5 << 5 << true;
    QTest::newRow("number beyond the table") << 40 << 3 << true;
    QTest::newRow("no number stored") << -1 << 3 << true;
    QTest::newRow("zero opens nothing") << 0 << 3 << false;
}

void TestPorts::loadSettingsOpensStoredPort() {
    QFETCH(int, stored);
    QFETCH(int, port);
    QFETCH(bool, open);
    TTwoPorts p;
    TMIniFile settings(p.SettingsPath());
    if (stored >= 0)
        settings.WriteInteger(QStringLiteral("RS232"), QStringLiteral("Port"), stored);
    TML_RS link(p.Environment());
    link.LoadSettings(settings);
    QCOMPARE(link.PortNumber, port);
    QCOMPARE(link.IsOpen, open);
    QVERIFY(p.Errors.isEmpty());
}

void TestPorts::saveSettingsStoresPortNumber() {
    TTwoPorts p;
    TML_RS link(p.Environment());
    link.OpenPort(5);
    {
        TMIniFile settings(p.SettingsPath());
        link.SaveSettings(settings);
    }
    TMIniFile reread(p.SettingsPath());
    QCOMPARE(reread.ReadInteger(QStringLiteral("RS232"), QStringLiteral("Port"), 0), 5);
}

void TestPorts::noPortShowsErrorAtConstructionAndLoad() {
    TTwoPorts p;
    p.Map = TPortMap();
    p.Map.Set(4, p.Dir.filePath(QStringLiteral("ttyMissing")));
    TMIniFile settings(p.SettingsPath());
    TML_RS link(p.Environment());
    QCOMPARE(p.Errors, QStringList{LinkTexts::NoFreePort()});
    QCOMPARE(link.PortNumber, 0);
    link.LoadSettings(settings); // no number stored: nothing to open, nothing shown
    QCOMPARE(p.Errors.size(), 1);
    settings.WriteInteger(QStringLiteral("RS232"), QStringLiteral("Port"), 4);
    link.LoadSettings(settings);
    QCOMPARE(p.Errors, QStringList(2, LinkTexts::NoFreePort()));
    QVERIFY(!link.IsOpen);
    QCOMPARE(link.PortNumber, 0);
}

void TestPorts::portHeldElsewhereIsUnavailable() {
    TTwoPorts p;
    TSystemSerialPort other(p.Com3.DevicePath());
    QVERIFY(other.Open());
    TML_RS link(p.Environment());
    QVERIFY(!link.Available[3]);
    QVERIFY(link.Available[5]);
    QCOMPARE(link.PortNumber, 5);
    other.Close();
    QCOMPARE(link.ScanPorts(), 2);
}

void TestPorts::scanClosesTheOpenPort() {
    TTwoPorts p;
    TML_RS link(p.Environment());
    link.OpenPort(5);
    QVERIFY(link.IsOpen);
    QCOMPARE(link.ScanPorts(), 2); // its own port counts as available again
    QVERIFY(!link.IsOpen);
    QVERIFY(!link.PortHandle);
    QCOMPARE(link.PortNumber, 5);
}

void TestPorts::openPortIgnoresNonPositiveNumbers() {
    TTwoPorts p;
    TML_RS link(p.Environment());
    link.OpenPort(5);
    link.OpenPort(0);
    link.OpenPort(-2);
    QCOMPARE(link.PortNumber, 5);
    QVERIFY(link.IsOpen);
    link.SetOpen(false);
    QVERIFY(!link.IsOpen);
    link.SetOpen(true);
    QVERIFY(link.IsOpen);
    QCOMPARE(link.PortNumber, 5);
}

void TestPorts::setBaudRateOnClosedPortKeepsRate() {
    TTwoPorts p;
    TML_RS link(p.Environment());
    link.SetBaudRate(57600);
    QCOMPARE(link.BaudRate, 57600u);
    link.SetBaudRate(115200);
    QCOMPARE(link.BaudRate, 115200u);
}

void TestPorts::setBaudRateOnOpenPortReadsBack() {
    TTwoPorts p;
    TML_RS link(p.Environment());
    link.OpenPort(3);
    link.SetBaudRate(57600);
    QCOMPARE(link.BaudRate, 57600u);
    QCOMPARE(link.PortHandle->LineSettings()->BaudRate, 57600u);
    link.SetStopBits(0);
    QCOMPARE(link.PortHandle->LineSettings()->StopBits, quint8(0));
    QCOMPARE(link.PortHandle->LineSettings()->BaudRate, 57600u);
}

void TestPorts::choosePortOffersAvailablePorts() {
    TTwoPorts p;
    TML_RS link(p.Environment());
    link.OpenPort(5);
    link.ChoosePort();
    QCOMPARE(p.Choices.size(), 1);
    QCOMPARE(p.Choices[0].Ports, (QList<int>{3, 5}));
    QCOMPARE(p.Choices[0].DevicePaths, (QStringList{p.Com3.DevicePath(), p.Com5.DevicePath()}));
    QCOMPARE(p.Choices[0].Current, 5);
}

void TestPorts::choosePortAnswers_data() {
    QTest::addColumn<std::optional<int>>("answer");
    QTest::addColumn<int>("port");
    QTest::newRow("OK on COM5") << std::optional<int>(5) << 5;
    QTest::newRow("Cancel keeps COM3") << std::optional<int>() << 3;
}

void TestPorts::choosePortAnswers() {
    QFETCH(std::optional<int>, answer);
    QFETCH(int, port);
    TTwoPorts p;
    p.Answer = answer;
    TML_RS link(p.Environment());
    link.ChoosePort();
    QCOMPARE(link.PortNumber, port);
    QVERIFY(link.IsOpen);
    QCOMPARE(link.PortHandle != nullptr, true);
}

void TestPorts::choosePortWithoutPortsShowsError() {
    TTwoPorts p;
    TML_RS link(p.Environment());
    link.OpenPort(3);
    p.Com3.Close();
    p.Com5.Close();
    link.ChoosePort();
    QVERIFY(p.Choices.isEmpty());
    QCOMPARE(p.Errors, QStringList{LinkTexts::NoFreePort()});
    QVERIFY(!link.IsOpen);
}

QTEST_GUILESS_MAIN(TestPorts)
#include "tst_ports.moc"
