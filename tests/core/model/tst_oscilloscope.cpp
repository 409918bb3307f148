// Oscilloscope capture decoding: scale tables, trace coordinates, labels and the
// availability check before the viewer opens.
#include "base/MKError.h"
#include "model/Oscilloscope.h"
#include "model/DeviceModel.h"

#include <QtTest>
#include <cstring>

namespace {

constexpr int ImageSize = 8192 - 64;
constexpr uint16_t ProtocolBlockAddress = 2000; // MK address of ProtocolSettings

TOscilloscopeRecord Capture(int timeDiv, int voltDiv, int inDivider1) {
    TOscilloscopeRecord c{};
    c.OscHeader0.TimeDiv = uint8_t(timeDiv);
    c.OscHeader0.VoltDiv = uint8_t(voltDiv);
    c.OscHeader1.InDivider = uint8_t(inDivider1);
    return c;
}

// An image of a device (settings version set on the model) with the given variant and
// protocol index, and a recognisable capture in both areas.
QByteArray DeviceImage(uint32_t variant, uint16_t protocol) {
    QByteArray image(ImageSize, '\0');
    const uint32_t count = 13;
    std::memcpy(image.data(), &count, 4);
    const uint16_t entry[2] = {ProtocolBlockAddress, sizeof(TProtocolSettings) + 4};
    std::memcpy(image.data() + 4 * 11, entry, 4);
    std::memcpy(image.data() + 56, &variant, 4);
    std::memcpy(image.data() + ProtocolBlockAddress - 32 + 4, &protocol, 2);

    const uint8_t header0[8] = {3, 0, 0, 0, 0x40, 0x00, 1, 2};
    const uint8_t header1[8] = {1, 0, 0, 0, 0x2C, 0x01, 4, 1};
    std::memcpy(image.data() + OscArea0Position, header0, 8);
    std::memcpy(image.data() + OscArea1Position, header1, 8);
    for (int t = 0; t < OscAreaSamples; ++t) {
        image[OscArea0Position + 8 + t] = char(t & 0xFF);
        image[OscArea1Position + 8 + t] = char(0xFF - (t & 0xFF));
    }
    return image;
}

} // namespace

class TestOscilloscope : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void headerValuesOutsideTablesAreRefused_data();
    void headerValuesOutsideTablesAreRefused();

    void recordedTimeBasePlacesSampleTAtTPlus32();
    void scrollingMovesTraceAndTriggerMarker();
    void xScale_data();
    void xScale();
    void sampleXRoundsHalvesToEven();
    void sampleY_data();
    void sampleY();
    void triggerLevelY_data();
    void triggerLevelY();

    void scaleLabels_data();
    void scaleLabels();
    void triggerVoltsText_data();
    void triggerVoltsText();
    void offsetText_data();
    void offsetText();
    void offsetTextKeepsRecordedTimeBase();
    void decimalsFollowTheUserLocale();

    void deviceWithoutOscilloscopeIsRefused_data();
    void deviceWithoutOscilloscopeIsRefused();
    void viewerSeesTheCaptureOfTheImage();
    void viewerChangesNeverReachTheImage();
    void protocolIndexIsTakenFromTheImage();
};

void TestOscilloscope::init() {
    QLocale::setDefault(QLocale::c());
}

void TestOscilloscope::cleanup() {
    QLocale::setDefault(QLocale::system());
}

void TestOscilloscope::headerValuesOutsideTablesAreRefused_data() {
    QTest::addColumn<int>("timeDiv");
    QTest::addColumn<int>("voltDiv");
    QTest::addColumn<int>("inDivider1");
    QTest::addColumn<bool>("refused");
    QTest::newRow("largest indices") << 9 << 2 << 2 << false;
    QTest::newRow("TimeDiv 10") << 10 << 0 << 0 << true;
    QTest::newRow("TimeDiv 255") << 255 << 0 << 0 << true;
    QTest::newRow("VoltDiv 3") << 0 << 3 << 0 << true;
    QTest::newRow("VoltDiv 4 (factory default)") << 1 << 4 << 0 << true;
    QTest::newRow("header 1 InDivider 3") << 0 << 0 << 3 << true;
}

void TestOscilloscope::headerValuesOutsideTablesAreRefused() {
    QFETCH(int, timeDiv);
    QFETCH(int, voltDiv);
    QFETCH(int, inDivider1);
    QFETCH(bool, refused);
    TOscilloscopeRecord c = Capture(timeDiv, voltDiv, inDivider1);
    c.OscHeader0.InDivider = 200; // shown only; never indexes a table
    bool thrown = false;
    try {
        TOscScales scales(c, Osc::TimeScale(0));
        QVERIFY(!scales.VoltsPerDivText().isEmpty());
        QVERIFY(!scales.TriggerVoltsText().isEmpty());
    } catch (const TRangeError&) {
        thrown = true;
    }
    QCOMPARE(thrown, refused);
}

void TestOscilloscope::recordedTimeBasePlacesSampleTAtTPlus32() {
    const TOscilloscopeRecord c = Capture(1, 0, 0);
    const TOscScales s(c, Osc::TimeScale(1));
    QCOMPARE(s.XScale, 1.0f);
    for (int t : {0, 1, 31, 32, 500, 1023})
        QCOMPARE(s.SampleX(t, 0), t + 32);
    QCOMPARE(s.TriggerTimeX(0), 64);
}

void TestOscilloscope::scrollingMovesTraceAndTriggerMarker() {
    const TOscilloscopeRecord c = Capture(0, 0, 0);
    const TOscScales same(c, Osc::TimeScale(0));
    QCOMPARE(same.SampleX(0, -32), 64);
    QCOMPARE(same.TriggerTimeX(-32), 96);
    QCOMPARE(same.SampleX(1023, 992), 63);
    QCOMPARE(same.TriggerTimeX(992), 64 - 992);

    // Recorded at "1", shown at "0.5": everything moves twice as far.
    const TOscScales stretched(c, Osc::TimeScale(1));
    QCOMPARE(stretched.SampleX(0, -32), 64);
    QCOMPARE(stretched.TriggerTimeX(-32), 128);
    QCOMPARE(stretched.SampleX(0, 0), 0);
}

void TestOscilloscope::xScale_data() {
    QTest::addColumn<int>("recorded");
    QTest::addColumn<int>("shown");
    QTest::addColumn<float>("xScale");
    QTest::newRow("unchanged") << 4 << 4 << 1.0f;
    QTest::newRow("1 -> 0.5") << 1 << 0 << 2.0f;
    QTest::newRow("0.5 -> 1") << 0 << 1 << 0.5f;
    QTest::newRow("500 -> 0.5") << 9 << 0 << 1000.0f;
    QTest::newRow("0.5 -> 500") << 0 << 9 << 0.001f;
}

void TestOscilloscope::xScale() {
    QFETCH(int, recorded);
    QFETCH(int, shown);
    QFETCH(float, xScale);
    const TOscilloscopeRecord c = Capture(shown, 0, 0);
    const TOscScales s(c, Osc::TimeScale(recorded));
    QCOMPARE(s.TimeScale, Osc::TimeScale(shown));
    QCOMPARE(s.OpenTimeScale, Osc::TimeScale(recorded));
    QCOMPARE(s.XScale, xScale);
}

void TestOscilloscope::sampleXRoundsHalvesToEven() {
    // XScale 0.5 puts odd samples on half pixels: 64.5 -> 64, 65.5 -> 66.
    const TOscilloscopeRecord c = Capture(1, 0, 0);
    const TOscScales s(c, Osc::TimeScale(0));
    QCOMPARE(s.SampleX(33, 0), 64);
    QCOMPARE(s.SampleX(35, 0), 66);
    QCOMPARE(s.SampleX(37, 0), 66);
    QCOMPARE(s.SampleX(0, 0), 48);
}

void TestOscilloscope::sampleY_data() {
    QTest::addColumn<int>("voltDiv");
    QTest::addColumn<int>("sample");
    QTest::addColumn<int>("y");
    QTest::newRow("0: zero on the zero line") << 0 << 0 << 256;
    QTest::newRow("0: 1") << 0 << 1 << 254;
    QTest::newRow("0: 100") << 0 << 100 << 101;
    QTest::newRow("0: 255 above the window") << 0 << 255 << -139;
    QTest::newRow("1: 100") << 1 << 100 << 132;
    QTest::newRow("1: 128") << 1 << 128 << 97;
    QTest::newRow("2: 100") << 2 << 100 << 132;
    QTest::newRow("2: 255") << 2 << 255 << -60;
}

void TestOscilloscope::sampleY() {
    QFETCH(int, voltDiv);
    QFETCH(int, sample);
    QFETCH(int, y);
    TOscilloscopeRecord c = Capture(1, voltDiv, 0);
    c.OscSamples[700] = uint8_t(sample);
    const TOscScales s(c, Osc::TimeScale(1));
    QCOMPARE(s.SampleY(700), y);
}

void TestOscilloscope::triggerLevelY_data() {
    QTest::addColumn<int>("voltDiv");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("y");
    QTest::newRow("level 0") << 1 << 0 << 256;
    QTest::newRow("10 at 0.2") << 0 << 10 << 96;
    QTest::newRow("10 at 0.5") << 1 << 10 << 192;
    QTest::newRow("10 at 1") << 2 << 10 << 224;
    QTest::newRow("-10 at 1, below the zero line") << 2 << -10 << 288;
    QTest::newRow("128 at 1") << 2 << 128 << -154;
}

void TestOscilloscope::triggerLevelY() {
    QFETCH(int, voltDiv);
    QFETCH(int, level);
    QFETCH(int, y);
    TOscilloscopeRecord c = Capture(1, voltDiv, 0);
    c.OscHeader0.TriggerLevel = int16_t(level);
    c.OscHeader1.TriggerVolts = 999; // the other header's field at the same offset
    const TOscScales s(c, Osc::TimeScale(1));
    QCOMPARE(s.TriggerLevelY(), y);
}

void TestOscilloscope::scaleLabels_data() {
    QTest::addColumn<int>("timeDiv");
    QTest::addColumn<int>("voltDiv");
    QTest::addColumn<int>("inDivider1");
    QTest::addColumn<QString>("voltsPerDiv");
    QTest::addColumn<QString>("timePerDiv");
    QTest::newRow("first") << 0 << 0 << 0 << "0.2В/д"
                           << "0.5мс/д";
    QTest::newRow("leading spaces") << 1 << 2 << 0 << "  1В/д"
                                    << "  1мс/д";
    QTest::newRow("divider 1") << 4 << 1 << 1 << "  5В/д"
                               << " 10мс/д";
    QTest::newRow("last") << 9 << 2 << 2 << "100В/д"
                          << "500мс/д";
}

void TestOscilloscope::scaleLabels() {
    QFETCH(int, timeDiv);
    QFETCH(int, voltDiv);
    QFETCH(int, inDivider1);
    QFETCH(QString, voltsPerDiv);
    QFETCH(QString, timePerDiv);
    TOscilloscopeRecord c = Capture(timeDiv, voltDiv, inDivider1);
    c.OscHeader0.InDivider = uint8_t(2 - inDivider1); // header 0's divider is shown only
    const TOscScales s(c, Osc::TimeScale(timeDiv));
    QCOMPARE(s.VoltsPerDivText(), voltsPerDiv);
    QCOMPARE(s.TimePerDivText(), timePerDiv);
}

void TestOscilloscope::triggerVoltsText_data() {
    QTest::addColumn<int>("volts"); // tenths, before the divider
    QTest::addColumn<int>("inDivider1");
    QTest::addColumn<QString>("text");
    QTest::newRow("128 at 1:1") << 128 << 0 << "12.8В";
    QTest::newRow("128 at 1:10") << 128 << 1 << "128.0В";
    QTest::newRow("128 at 1:100, no group separator") << 128 << 2 << "1280.0В";
    QTest::newRow("zero") << 0 << 1 << "0.0В";
    QTest::newRow("negative") << -5 << 0 << "-0.5В";
}

void TestOscilloscope::triggerVoltsText() {
    QFETCH(int, volts);
    QFETCH(int, inDivider1);
    QFETCH(QString, text);
    TOscilloscopeRecord c = Capture(1, 0, inDivider1);
    c.OscHeader1.TriggerVolts = int16_t(volts);
    c.OscHeader0.InDivider = 2; // not the one the volts use
    c.OscHeader0.TriggerLevel = 77;
    const TOscScales s(c, Osc::TimeScale(1));
    QCOMPARE(s.TriggerVoltsText(), text);
}

void TestOscilloscope::offsetText_data() {
    QTest::addColumn<int>("recorded");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("text");
    QTest::newRow("at the trigger") << 1 << 0 << "0.0мс";
    QTest::newRow("one division at 1") << 1 << 32 << "10.0мс";
    QTest::newRow("before the capture") << 1 << -32 << "-10.0мс";
    QTest::newRow("one sample at 1") << 1 << 1 << "0.3мс";
    QTest::newRow("one sample at 0.5") << 0 << 1 << "0.2мс";
    QTest::newRow("half down to even") << 9 << 1 << "156.2мс";
    QTest::newRow("half up to even") << 9 << 3 << "468.8мс";
    QTest::newRow("end at 0.5") << 0 << 992 << "155.0мс";
}

void TestOscilloscope::offsetText() {
    QFETCH(int, recorded);
    QFETCH(int, offset);
    QFETCH(QString, text);
    const TOscilloscopeRecord c = Capture(recorded, 0, 0);
    const TOscScales s(c, Osc::TimeScale(recorded));
    QCOMPARE(s.OffsetText(offset), text);
}

void TestOscilloscope::offsetTextKeepsRecordedTimeBase() {
    TOscilloscopeRecord c = Capture(1, 0, 0);
    const float recorded = Osc::TimeScale(1);
    const QString before = TOscScales(c, recorded).OffsetText(64);
    c.OscHeader0.TimeDiv = 0;
    const TOscScales halved(c, recorded);
    QCOMPARE(halved.XScale, 2.0f);
    QCOMPARE(halved.OffsetText(64), before);
    QCOMPARE(before, QStringLiteral("20.0мс"));
}

void TestOscilloscope::decimalsFollowTheUserLocale() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    TOscilloscopeRecord c = Capture(1, 0, 2);
    c.OscHeader1.TriggerVolts = 128;
    const TOscScales s(c, Osc::TimeScale(1));
    QCOMPARE(s.TriggerVoltsText(), QStringLiteral("1280,0В"));
    QCOMPARE(s.OffsetText(1), QStringLiteral("0,3мс"));
    QCOMPARE(s.TimePerDivText(), QStringLiteral("  1мс/д")); // table labels stay as they are
}

void TestOscilloscope::deviceWithoutOscilloscopeIsRefused_data() {
    QTest::addColumn<int>("settingsVersion");
    QTest::addColumn<int>("variant");
    QTest::newRow("0x0001 variant 0") << 0x0001 << 0;
    QTest::newRow("0x0A01 variant 10") << 0x0A01 << 10;
    QTest::newRow("0x0501") << 0x0501 << 3;
}

void TestOscilloscope::deviceWithoutOscilloscopeIsRefused() {
    QFETCH(int, settingsVersion);
    QFETCH(int, variant);
    TMK mk;
    mk.SettingsVersion = uint16_t(settingsVersion);
    mk.Image = DeviceImage(uint32_t(variant), 0);
    bool viewerRan = false;
    try {
        mk.ViewOscilloscope([&] { viewerRan = true; });
        QFAIL("the viewer was not refused");
    } catch (const TMKError& e) {
        QCOMPARE(e.Text(), QStringLiteral("В данной версии МК оцилллограф не поддерживается."));
    }
    QVERIFY(!viewerRan);
    // Nothing was loaded: the factory header stays.
    QCOMPARE(mk.Oscilloscope.OscHeader0.TimeDiv, uint8_t(1));
    QCOMPARE(mk.Oscilloscope.OscHeader0.VoltDiv, uint8_t(4));
}

void TestOscilloscope::viewerSeesTheCaptureOfTheImage() {
    TMK mk;
    mk.SettingsVersion = 0x0001;
    mk.Image = DeviceImage(1, 0);
    int calls = 0;
    mk.ViewOscilloscope([&] {
        ++calls;
        const TOscilloscopeRecord& c = mk.Oscilloscope;
        QCOMPARE(c.OscHeader0.TimeDiv, uint8_t(3));
        QCOMPARE(int(c.OscHeader0.TriggerLevel), 0x40);
        QCOMPARE(c.OscHeader0.VoltDiv, uint8_t(1));
        QCOMPARE(c.OscHeader0.InDivider, uint8_t(2));
        QCOMPARE(int(c.OscHeader1.TriggerVolts), 300);
        QCOMPARE(c.OscHeader1.InDivider, uint8_t(1));
        QCOMPARE(c.OscSamples[0], uint8_t(0));
        QCOMPARE(c.OscSamples[511], uint8_t(0xFF));
        QCOMPARE(c.OscSamples[512], uint8_t(0xFF));
        QCOMPARE(c.OscSamples[1023], uint8_t(0));
    });
    QCOMPARE(calls, 1);
}

void TestOscilloscope::viewerChangesNeverReachTheImage() {
    TMK mk;
    mk.SettingsVersion = 0x0201;
    mk.Image = DeviceImage(0, 0);
    const QByteArray before = mk.Image;
    mk.ViewOscilloscope([&] { mk.Oscilloscope.OscHeader0.TimeDiv = 9; });
    QCOMPARE(mk.Image, before);
    mk.ViewOscilloscope([&] { QCOMPARE(mk.Oscilloscope.OscHeader0.TimeDiv, uint8_t(3)); });
}

void TestOscilloscope::protocolIndexIsTakenFromTheImage() {
    // The record's protocol index is stale; the image's one does not fit the list.
    TMK mk;
    mk.SettingsVersion = 0x0201;
    mk.Image = DeviceImage(0, 200);
    bool viewerRan = false;
    QVERIFY_THROWS_EXCEPTION(TMKError, mk.ViewOscilloscope([&] { viewerRan = true; }));
    QCOMPARE(int(mk.Record.ProtocolSettings.Protocol), 200);
    mk.Image = DeviceImage(0, 256);
    QVERIFY_THROWS_EXCEPTION(TRangeError, mk.ViewOscilloscope([&] { viewerRan = true; }));
    QVERIFY(!viewerRan);
}

QTEST_GUILESS_MAIN(TestOscilloscope)
#include "tst_oscilloscope.moc"
