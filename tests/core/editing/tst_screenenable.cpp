// The screen-enable boxes of "Разное": one bit each, the x1 boxes rebuilt from the
// current protocol, and the other controls of the page.
#include "DisplayKit.h"

#include "base/MKError.h"
#include "catalog/MeasuredParams.h"
#include "editing/DisplayTexts.h"
#include "editing/EditorTables.h"
#include "editing/ScreenEnable.h"

#include <QtTest>

using namespace ScreenEnable;

namespace {

uint64_t OneValueBits(const TPagesKit& kit) {
    return kit.Mk.Record.DisplaySettings.ShowDisp1;
}

QString Box(int k) {
    return BoxName('1', k);
}

} // namespace

class TScreenEnableTest : public QObject {
    Q_OBJECT
private slots:
    // Box k of a group loads from bit k and its click changes bit k alone.
    void BoxIsItsBit_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("boxes");
        QTest::newRow("x4") << "4"
                            << "ShowDisp4" << 6;
        QTest::newRow("x9") << "9"
                            << "ShowDisp9" << 3;
        QTest::newRow("x7") << "7"
                            << "ShowDisp7" << 4;
        QTest::newRow("graphs") << "G"
                                << "ShowDispG" << 8;
        QTest::newRow("gauges") << "A"
                                << "ShowDispA" << 8;
        QTest::newRow("averages") << "S"
                                  << "ShowDispS" << 9;
        QTest::newRow("x6") << "6"
                            << "ShowDisp6" << 1;
    }
    void BoxIsItsBit() {
        QFETCH(QString, key);
        QFETCH(QString, field);
        QFETCH(int, boxes);
        const QByteArray fieldName = field.toLatin1();
        const char k = key.at(0).toLatin1();
        QCOMPARE(Group(k).Count, boxes);
        for (int box = 0; box < boxes; ++box) {
            // Loaded from a word with only this bit clear, and with only this bit set.
            for (const bool set : {false, true}) {
                const int64_t word = set ? int64_t(1) << box : 0xFFFF & ~(1 << box);
                TPagesKit kit(WithField(fieldName.constData(), word));
                const QString name = BoxName(k, box);
                QCOMPARE(kit.Editor->Shown(name).toBool(), set);
                QCOMPARE(kit.Field(fieldName.constData()), word);
                kit.Editor->Put(name, !set);
                QCOMPARE(kit.Field(fieldName.constData()), word ^ (int64_t(1) << box));
            }
        }
    }

    void TaximeterNeedsTheFlag_data() {
        QTest::addColumn<bool>("taximeter");
        QTest::addColumn<bool>("universal");
        QTest::newRow("neither") << false << false;
        QTest::newRow("taximeter") << true << false;
        QTest::newRow("universal input") << false << true;
    }
    void TaximeterNeedsTheFlag() {
        QFETCH(bool, taximeter);
        QFETCH(bool, universal);
        TPagesKit kit({}, [&](TDeviceFlags& f) {
            f.HasTaximeter = taximeter;
            f.HasUniversalInput = universal;
        });
        QCOMPARE(kit.Editor->Visible(BoxName('S', TaximeterBox)), taximeter);
        QVERIFY(kit.Editor->Visible(BoxName('S', TaximeterBox + 1)));
        QCOMPARE(kit.Editor->Visible(QStringLiteral("rgAirWaterShow")), universal);
        QVERIFY(kit.Editor->Visible(QStringLiteral("rgDispSpeed")));
    }

    void OneValueBoxesFollowTheProtocol() {
        TPagesKit kit;
        SwitchProtocol(kit, AddProtocol(kit, FirstIds(OneValueBoxes)));
        kit.Mk.Record.DisplaySettings.ShowDisp1 = 0xFFFF'FFFF'FFFF'FFFFull;
        kit.Editor->LoadAll();
        SwitchProtocol(kit, AddProtocol(kit, FirstIds(12)));
        for (int k = 0; k < OneValueBoxes; ++k) {
            QCOMPARE(kit.Editor->Visible(Box(k)), k < 12);
            QCOMPARE(kit.Editor->Shown(Box(k)).toBool(), k < 12);
        }
        QCOMPARE(kit.Editor->Caption(Box(0)), kit.Mk.Catalog.FindMeasParam(1)->Name);
        QCOMPARE(kit.Editor->Caption(Box(11)), kit.Mk.Catalog.FindMeasParam(12)->Name);
        QCOMPARE(kit.Editor->Caption(Box(12)), QString());
        // Bits 12..39 were cleared with their boxes; 40..63 have none and stay.
        QCOMPARE(OneValueBits(kit), 0xFFFF'FF00'0000'0FFFull);

        SwitchProtocol(kit, AddProtocol(kit, {17, 16, 14, 13, 12}));
        QCOMPARE(OneValueBits(kit), 0xFFFF'FF00'0000'001Full);
        QCOMPARE(kit.Editor->Caption(Box(0)), kit.Mk.Catalog.FindMeasParam(17)->Name);
        QVERIFY(!kit.Editor->Visible(Box(5)));
        QVERIFY(!kit.Editor->Shown(Box(5)).toBool());

        // Back to more parameters: the boxes show their (now clear) bits.
        SwitchProtocol(kit, AddProtocol(kit, FirstIds(12)));
        QVERIFY(kit.Editor->Visible(Box(11)));
        QVERIFY(!kit.Editor->Shown(Box(11)).toBool());
        QVERIFY(kit.Editor->Shown(Box(4)).toBool());
    }

    // Opening shows the boxes from their bits, then unchecks those past the protocol.
    void OpeningClearsBitsWithoutBoxes() {
        TPagesKit kit;
        SwitchProtocol(kit, AddProtocol(kit, FirstIds(5)));
        kit.Mk.Record.DisplaySettings.ShowDisp1 = 0x8000'0000'0000'0FF0ull;
        kit.Editor->Show();
        QCOMPARE(OneValueBits(kit), 0x8000'0000'0000'0010ull);
    }

    // The x1 boxes are taken as one run of the table, and a table where they are not one
    // run is refused rather than read past its boxes.
    void OneValueRowsAreOneRun() {
        TPagesKit kit;
        const std::span<const TControlRow> rows = OneValueRows(*kit.Editor);
        QCOMPARE(rows.size(), std::size_t(OneValueBoxes));
        for (int box = 0; box < OneValueBoxes; ++box)
            QCOMPARE(rows[std::size_t(box)].Name, Box(box));
        std::vector<TControlRow> broken = EditorRows(false);
        const auto fifth = std::find_if(broken.begin(), broken.end(),
                                        [](const TControlRow& row) { return row.Name == Box(5); });
        broken.erase(fifth);
        const TSettingsEditor editor(kit.Mk, broken);
        QVERIFY_THROWS_EXCEPTION(TMKError, OneValueRows(editor));
    }

    void Box35IsBit35Alone_data() {
        QTest::addColumn<quint64>("bits");
        QTest::newRow("empty") << quint64(0);
        QTest::newRow("all others") << ~(quint64(1) << 35);
        QTest::newRow("top bit") << (quint64(1) << 63 | 0x5);
    }
    void Box35IsBit35Alone() {
        QFETCH(quint64, bits);
        TPagesKit kit;
        SwitchProtocol(kit, AddProtocol(kit, FirstIds(40)));
        kit.Mk.Record.DisplaySettings.ShowDisp1 = bits;
        kit.Editor->Reload(Box(35));
        QVERIFY(kit.Editor->Visible(Box(35)));
        kit.Editor->Put(Box(35), true);
        QCOMPARE(quint64(OneValueBits(kit)), bits | quint64(1) << 35);
        kit.Editor->Put(Box(35), false);
        QCOMPARE(quint64(OneValueBits(kit)), bits);
    }

    void OtherControls() {
        TPagesKit kit([](TMK& mk) {
            TDisplaySettings& d = mk.Record.DisplaySettings;
            d.DispShowTitle = 0;
            d.ShowDispName = 1;
            d.DispSpeed = 2;
            d.DispVar4 = 1;
            d.DispVar9 = 0;
            mk.Record.ServiceSettings.AirWaterShow = 1;
        });
        QCOMPARE(kit.Editor->Shown("cbDispShowTitle").toBool(), false);
        QCOMPARE(kit.Editor->Shown("cbShowDispName").toBool(), true);
        QCOMPARE(kit.Editor->Shown("rgDispSpeed").toInt(), 2);
        QCOMPARE(kit.Editor->Shown("sgDispVar4").toInt(), 1);
        QCOMPARE(kit.Editor->Shown("sgDispVar9").toInt(), 0);
        QCOMPARE(kit.Editor->Shown("rgAirWaterShow").toInt(), 1);
        QCOMPARE(kit.Editor->Items("rgDispSpeed"), (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(kit.Editor->Items("rgAirWaterShow"),
                 (QStringList{DisplayTexts::Air, DisplayTexts::Water}));
        kit.Editor->Put("cbDispShowTitle", true);
        kit.Editor->Put("rgDispSpeed", 3);
        kit.Editor->Put("sgDispVar9", 1);
        kit.Editor->Put("rgAirWaterShow", 0);
        QCOMPARE(kit.Field("DispShowTitle"), 1);
        QCOMPARE(kit.Field("DispSpeed"), 3);
        QCOMPARE(kit.Field("DispVar9"), 1);
        QCOMPARE(kit.Field("AirWaterShow"), 0);
    }
};

QTEST_GUILESS_MAIN(TScreenEnableTest)
#include "tst_screenenable.moc"
