#include "catalog/Protocols.h"
#include "catalog/Variants.h"

#include <QtTest>
#include <set>

namespace {

bool Any(const TDeviceFlags& f) {
    return f.Caps().Bits != 0 || f.Groups().Bits != 0;
}

} // namespace

class TestVariants : public QObject {
    Q_OBJECT

private slots:
    void everyKnownSettingsVersionIsListed();
    void rowsDoNotOverlap();
    void designations();
    void unlistedDevicesOfferNothing_data();
    void unlistedDevicesOfferNothing();
    void capabilitiesWithoutGroups();
    void universalInputVariant();
    void airTemperatureNeverMissingWithoutLightsControl();
    void anyVariantRowsIgnoreTheVariant();
    void setAPlusGroups();
};

void TestVariants::everyKnownSettingsVersionIsListed() {
    std::set<int> versions;
    for (const TVariantRow& row : DeviceVariantRows())
        versions.insert(row.SettingsVersion);
    const std::set<int> known = {0x0001, 0x0003, 0x0101, 0x0103, 0x0104, 0x0105, 0x0201,
                                 0x0202, 0x0301, 0x0302, 0x0401, 0x0501, 0x0511, 0x0512,
                                 0x0601, 0x0701, 0x0801, 0x0901, 0x0A01, 0x0B01, 0x0C01,
                                 0x8001, 0x8002, 0x8003, 0x8004};
    QCOMPARE(versions, known);
}

void TestVariants::rowsDoNotOverlap() {
    for (const TVariantRow& row : DeviceVariantRows()) {
        for (int variant = 0; variant < 256; ++variant) {
            int matches = 0;
            for (const TVariantRow& other : DeviceVariantRows())
                if (other.SettingsVersion == row.SettingsVersion &&
                    other.Variants.Contains(uint8_t(variant)))
                    ++matches;
            QVERIFY2(matches <= 1, qPrintable(QString::number(row.SettingsVersion, 16)));
        }
    }
}

void TestVariants::designations() {
    QSet<QString> seen;
    for (const TVariantRow& row : DeviceVariantRows()) {
        for (int variant = 0; variant < 256; ++variant) {
            if (!row.Variants.Contains(uint8_t(variant)))
                continue;
            const TDeviceVariant device =
                LookUpDeviceVariant(row.SettingsVersion, uint8_t(variant));
            const QString base = LookUpDeviceVariant(row.SettingsVersion, 0).ProjectName;
            if (row.Designation == NoDesignation || row.SettingsVersion >= 0x8001) {
                QVERIFY(device.ProjectName.isEmpty());
                continue;
            }
            QVERIFY(!device.ProjectName.isEmpty());
            QVERIFY2(!seen.contains(device.ProjectName), qPrintable(device.ProjectName));
            seen << device.ProjectName;
            if (variant == 0)
                continue;
            // Other variants: one base designation per version and a suffix of their own.
            const QString prefix = device.ProjectName.section('_', 0, 0);
            QVERIFY(device.ProjectName.size() > prefix.size() + 1);
            if (!base.isEmpty())
                QCOMPARE(prefix, base);
        }
    }
    QCOMPARE(LookUpDeviceVariant(0x0104, 0).ProjectName.contains('_'), false);
    QCOMPARE(LookUpDeviceVariant(0x0104, 9).ProjectName.section('_', 0, 0),
             LookUpDeviceVariant(0x0104, 0).ProjectName);
    QVERIFY(!LookUpDeviceVariant(0x0105, 6).ProjectName.isEmpty());
}

void TestVariants::unlistedDevicesOfferNothing_data() {
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("variant");
    QTest::newRow("0x0002") << 0x0002 << 0;
    QTest::newRow("0x0000") << 0x0000 << 0;
    QTest::newRow("0xFFFF") << 0xFFFF << 255;
    QTest::newRow("0x0105 variant 0") << 0x0105 << 0;
    QTest::newRow("0x0511 variant 3") << 0x0511 << 3;
    QTest::newRow("0x0801 variant 12") << 0x0801 << 12;
    QTest::newRow("0x0001 variant 6") << 0x0001 << 6;
}

void TestVariants::unlistedDevicesOfferNothing() {
    QFETCH(int, version);
    QFETCH(int, variant);
    const TDeviceVariant device = LookUpDeviceVariant(uint16_t(version), uint8_t(variant));
    QVERIFY(!Any(device.Flags));
    QVERIFY(device.ProjectName.isEmpty());
}

void TestVariants::capabilitiesWithoutGroups() {
    for (int variant : {3, 6, 7, 8, 9, 10, 11}) {
        const TDeviceVariant device = LookUpDeviceVariant(0x0801, uint8_t(variant));
        QCOMPARE(device.Flags.Groups().Bits, uint64_t(0));
        QVERIFY(device.Flags.NoVoice && device.Flags.HasLightsControl && device.Flags.NoDsSwitch &&
                device.Flags.HasTank2 && device.Flags.HasOscilloscope);
        QVERIFY(!device.Flags.HasBlocks && !device.Flags.HasCanBlocks);
        QVERIFY(device.ProjectName.isEmpty());
    }
    QVERIFY(LookUpDeviceVariant(0x0C01, 11).Flags.NoVoice);
    QVERIFY(!LookUpDeviceVariant(0x0C01, 12).Flags.NoVoice);
}

void TestVariants::universalInputVariant() {
    const TDeviceFlags f = LookUpDeviceVariant(0x0A01, 10).Flags;
    QVERIFY(f.HasUniversalInput && f.NoParking && f.NoGas && f.NoVag && f.HasCanBlocks);
    QVERIFY(!f.HasTaximeter && !f.HasOscilloscope && !f.HasBlocks);
    for (int variant : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11}) {
        const TDeviceFlags other = LookUpDeviceVariant(0x0A01, uint8_t(variant)).Flags;
        QVERIFY(other.HasTaximeter && other.HasOscilloscope && !other.HasUniversalInput);
    }
}

void TestVariants::airTemperatureNeverMissingWithoutLightsControl() {
    for (const TVariantRow& row : DeviceVariantRows())
        if (row.Caps.Has(TCap::NoAirTemperature))
            QVERIFY(row.Caps.Has(TCap::HasLightsControl));
    for (uint16_t version : {0x0601, 0x0701}) {
        const TDeviceFlags f = LookUpDeviceVariant(version, 0).Flags;
        QVERIFY(f.NoAirTemperature && f.HasLightsControl);
    }
}

void TestVariants::anyVariantRowsIgnoreTheVariant() {
    const TDeviceVariant first = LookUpDeviceVariant(0x0104, 0);
    QVERIFY(first.Flags.HasTaximeter && first.Flags.HasOscilloscope && first.Flags.HasCanBlocks);
    QVERIFY(!first.Flags.HasBlocks && first.Flags.UseCanFamily && first.Flags.UseUniversal);
    for (int variant : {1, 6, 31, 32, 200, 255})
        QCOMPARE(LookUpDeviceVariant(0x0104, uint8_t(variant)).Flags, first.Flags);
}

void TestVariants::setAPlusGroups() {
    const TDeviceFlags a = LookUpDeviceVariant(0x0001, 0).Flags;
    const TDeviceFlags extended = LookUpDeviceVariant(0x8002, 0).Flags;
    QVERIFY(extended.Groups().Contains(a.Groups()));
    QVERIFY(extended.UseUaz17971 && extended.UseEms3125 && extended.UseNmea2000 &&
            extended.UseKorvet);
    QVERIFY(!a.UseUaz17971 && !a.UseKorvet && !a.UseEstima && !a.UseObdPwm && !a.UseDelphi);
    QVERIFY(extended.J1939Extended && extended.Is24V);
    const TDeviceFlags hybrid = LookUpDeviceVariant(0x8003, 0).Flags;
    QVERIFY(hybrid.UseEstima && hybrid.UsePrius2 && hybrid.UsePrius3 && hybrid.UseRx400h &&
            !hybrid.UseNmea2000);
}

QTEST_GUILESS_MAIN(TestVariants)
#include "tst_variants.moc"
