// The colour tables through the editor's model: packing, the grids' rows, the active
// scheme's nibbles at load and on a click, copying, resetting.
#include "PagesKit.h"

#include "base/MKError.h"
#include "editing/ColorSchemes.h"
#include "editing/DisplayTexts.h"
#include "model/Preview.h"

#include <QtTest>
#include <cstring>

using namespace ColorSchemes;

namespace {

const QString Scheme = QStringLiteral("rgActiveColorScheme");

QByteArray Bytes(const TColorTable& table) {
    return QByteArray(reinterpret_cast<const char*>(&table), sizeof table);
}

// A table no factory scheme equals, to see whether a scheme was copied over it.
TColorTable Marked() {
    TColorTable table;
    std::memset(&table, 0x5A, sizeof table);
    return table;
}

// An entry packed again from its components: bit 5 becomes bit 6.
uint16_t Repacked(uint16_t entry) {
    const TRgb5 c = TMK::UnpackColor(entry);
    return TMK::PackColor(c.R, c.G, c.B);
}

TDisplaySettings& Disp(TPagesKit& kit) {
    return kit.Mk.Record.DisplaySettings;
}

} // namespace

class TColorSchemesTest : public QObject {
    Q_OBJECT
private slots:
    void Packing_data() {
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("word");
        QTest::newRow("white") << 31 << 31 << 31 << 0xFFFF;
        QTest::newRow("green 30 is 60") << 0 << 30 << 0 << (60 << 5);
        QTest::newRow("green 1 repeats its bit") << 0 << 1 << 0 << (3 << 5);
        QTest::newRow("mixed") << 17 << 9 << 5 << (17 << 11 | 19 << 5 | 5);
    }
    void Packing() {
        QFETCH(int, r);
        QFETCH(int, g);
        QFETCH(int, b);
        QFETCH(int, word);
        TPagesKit kit;
        StorePaletteEntry(kit.Mk, 7, {r, g, b});
        QCOMPARE(int(EditedTable(kit.Mk).Palette[7]), word);
        QCOMPARE(PaletteEntry(kit.Mk, 7), (TRgb5{r, g, b}));
    }

    // Re-packing what the spin edits show copies bit 6 into bit 5 and keeps the rest.
    void RepackingSetsGreensLowBit_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("bit 5 alone") << 0x0020 << 0x0000;
        QTest::newRow("bit 6 alone") << 0x0040 << 0x0060;
        QTest::newRow("others kept") << 0xF81F << 0xF81F;
    }
    void RepackingSetsGreensLowBit() {
        QFETCH(int, before);
        QFETCH(int, after);
        TPagesKit kit;
        EditedTable(kit.Mk).Palette[0] = uint16_t(before);
        StorePaletteEntry(kit.Mk, 0, PaletteEntry(kit.Mk, 0));
        QCOMPARE(int(EditedTable(kit.Mk).Palette[0]), after);
    }

    void ComponentsOutOfRangeAreRefused_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("g");
        QTest::newRow("red 32") << 0 << 32 << 0;
        QTest::newRow("row 16") << 16 << 1 << 1;
    }
    void ComponentsOutOfRangeAreRefused() {
        QFETCH(int, row);
        QFETCH(int, r);
        QFETCH(int, g);
        TPagesKit kit;
        const QByteArray before = Bytes(EditedTable(kit.Mk));
        QVERIFY_THROWS_EXCEPTION(TRangeError, StorePaletteEntry(kit.Mk, row, {r, g, 0}));
        QCOMPARE(Bytes(EditedTable(kit.Mk)), before);
    }

    // Every edit lands in the table SchemeIsUser selects, and only there.
    void EditingStoresIntoTheSelectedTable_data() {
        QTest::addColumn<bool>("user");
        QTest::newRow("factory table") << false;
        QTest::newRow("user table") << true;
    }
    void EditingStoresIntoTheSelectedTable() {
        QFETCH(bool, user);
        TPagesKit kit;
        SetSchemeIsUser(kit.Mk, user);
        TColorTable& edited = user ? Disp(kit).ColorTable1 : Disp(kit).ColorTable0;
        const TColorTable& other = user ? Disp(kit).ColorTable0 : Disp(kit).ColorTable1;
        const QByteArray otherBefore = Bytes(other);

        StorePaletteEntry(kit.Mk, 4, {1, 2, 3});
        StoreElementIndex(kit.Mk, TColorGrid::Arrow, 8, 11); // "Подписи цвет": offset 46
        StoreElementIndex(kit.Mk, TColorGrid::Menu, 2, 6);
        QCOMPARE(int(edited.Palette[4]), int(TMK::PackColor(1, 2, 3)));
        QCOMPARE(int(reinterpret_cast<const uint8_t*>(&edited)[46]), 11);
        QCOMPARE(int(reinterpret_cast<const uint8_t*>(&edited)[39]), 6);
        QCOMPARE(ElementIndex(kit.Mk, TColorGrid::Arrow, 8), 11);
        QCOMPARE(Bytes(other), otherBefore);
        // The previews draw with the same table.
        QCOMPARE(int(kit.Mk.Preview->RoleColor(TMKPreview::RoleDialBandText)),
                 int(edited.Palette[11]));
    }

    void ElementIndexLimits() {
        TPagesKit kit;
        TColorTable& table = EditedTable(kit.Mk);
        QVERIFY_THROWS_EXCEPTION(TRangeError, StoreElementIndex(kit.Mk, TColorGrid::Digit, 0, 16));
        table.Indices[0] = 127;
        QCOMPARE(ElementIndex(kit.Mk, TColorGrid::Digit, 0), 127);
        // The cell shows the colour the screens draw: the low four bits.
        QCOMPARE(CellColor(kit.Mk, TColorGrid::Digit, 0), TMK::ColorToRgb(table.Palette[15]));
        table.Indices[0] = 128;
        QVERIFY_THROWS_EXCEPTION(TRangeError, ElementIndex(kit.Mk, TColorGrid::Digit, 0));
        QVERIFY_THROWS_EXCEPTION(TRangeError, CellColor(kit.Mk, TColorGrid::Digit, 0));
    }

    // The load selects the radio item, which runs the scheme rule without asking.
    void SchemeAtLoad_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("normalised");
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("copiedScheme"); // 0: ColorTable0 untouched
        QTest::addColumn<int>("user");
        QTest::newRow("0x02 records its scheme") << 0x02 << 0x22 << 1 << 0 << 0;
        QTest::newRow("0x12 copies scheme 2") << 0x12 << 0x22 << 1 << 2 << 0;
        QTest::newRow("0x11 as it is") << 0x11 << 0x11 << 0 << 0 << 0;
        QTest::newRow("0x04 records the user") << 0x04 << 0x44 << 3 << 0 << 1;
        QTest::newRow("0x31 copies scheme 1") << 0x31 << 0x11 << 0 << 1 << 0;
        QTest::newRow("invalid 5 selects nothing") << 0x15 << 0x15 << -1 << 0 << 0;
    }
    void SchemeAtLoad() {
        QFETCH(int, stored);
        QFETCH(int, normalised);
        QFETCH(int, item);
        QFETCH(int, copiedScheme);
        QFETCH(int, user);
        TPagesKit kit([&](TMK& mk) {
            mk.Record.DisplaySettings.ColorScheme = uint8_t(stored);
            mk.Record.DisplaySettings.ColorTable0 = Marked();
        });
        QCOMPARE(kit.Field("ColorScheme"), normalised);
        QCOMPARE(kit.Editor->Shown(Scheme).toInt(), item);
        QCOMPARE(SchemeIsUser(kit.Mk), user);
        TColorTable expected = copiedScheme ? kit.Mk.FactorySchemes[copiedScheme - 1] : Marked();
        // The bulk load packs palette entry 0 of the table in use again.
        if (!user)
            expected.Palette[0] = Repacked(expected.Palette[0]);
        QCOMPARE(Bytes(Disp(kit).ColorTable0), Bytes(expected));
    }

    void LoadNeverAsks() {
        int asked = 0;
        TMK mk;
        mk.Image = FactoryImage(8192);
        mk.UnpackAll();
        mk.Record.DisplaySettings.ColorScheme = 0x13;
        mk.RebuildProtocolList();
        TSettingsEditor editor(mk);
        editor.SchemeRadioFocused = true; // showing clears it first
        editor.Confirm = [&](const QString&) { return ++asked, false; };
        editor.Show();
        QCOMPARE(asked, 0);
        QCOMPARE(int(mk.Record.DisplaySettings.ColorScheme), 0x33);
    }

    // A click on the scheme group after opening. copied: the factory scheme ColorTable0 gets,
    // 0 for none; the user table is never touched.
    void SchemeChange_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("focused");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<int>("scheme");
        QTest::addColumn<int>("user");
        QTest::addColumn<int>("copied");
        QTest::newRow("yes copies") << 0x11 << true << true << 2 << true << 0x33 << 0 << 3;
        QTest::newRow("no keeps scheme 1") << 0x11 << true << false << 2 << true << 0x11 << 0 << 0;
        QTest::newRow("no keeps the user") << 0x14 << true << false << 2 << true << 0x14 << 1 << 0;
        QTest::newRow("unfocused never asks")
            << 0x14 << false << false << 1 << false << 0x22 << 0 << 2;
        QTest::newRow("user copies nothing")
            << 0x22 << true << true << 3 << false << 0x24 << 1 << 0;
        // Back to the factory scheme ColorTable0 holds: its edits stay.
        QTest::newRow("back to the recorded")
            << 0x24 << true << true << 1 << false << 0x22 << 0 << 0;
    }
    void SchemeChange() {
        QFETCH(int, stored);
        QFETCH(bool, focused);
        QFETCH(bool, answer);
        QFETCH(int, item);
        QFETCH(bool, asked);
        QFETCH(int, scheme);
        QFETCH(int, user);
        QFETCH(int, copied);
        TPagesKit kit(WithField("ColorScheme", stored));
        Disp(kit).ColorTable0 = Marked();
        TColorTable userTable = Marked();
        userTable.Palette[0] = 0x1234;
        Disp(kit).ColorTable1 = userTable;
        QStringList questions;
        kit.Editor->Confirm = [&](const QString& q) { return questions << q, answer; };
        kit.Editor->SchemeRadioFocused = focused;
        kit.Editor->Put(Scheme, item);
        QCOMPARE(questions, asked ? QStringList{DisplayTexts::SchemeQuestion} : QStringList());
        QCOMPARE(kit.Field("ColorScheme"), scheme);
        QCOMPARE(kit.Editor->Shown(Scheme).toInt(), (scheme & 0x0F) - 1);
        QCOMPARE(SchemeIsUser(kit.Mk), user);
        QCOMPARE(Bytes(Disp(kit).ColorTable0),
                 Bytes(copied ? kit.Mk.FactorySchemes[copied - 1] : Marked()));
        QCOMPARE(Bytes(Disp(kit).ColorTable1), Bytes(userTable));
        // The previews draw with the table in use.
        EditedTable(kit.Mk).Indices[0] = 0;
        QCOMPARE(int(kit.Mk.Preview->RoleColor(TMKPreview::RoleValueText)),
                 int(EditedTable(kit.Mk).Palette[0]));
        QCOMPARE(&EditedTable(kit.Mk), user ? &Disp(kit).ColorTable1 : &Disp(kit).ColorTable0);
        QVERIFY_THROWS_EXCEPTION(TRangeError, SelectScheme(*kit.Editor, 4));
    }

    void CopyToUserCopiesTheWholeTable() {
        TPagesKit kit;
        Disp(kit).ColorTable0 = Marked();
        Disp(kit).ColorTable0.Reserved = 0x77;
        CopyToUser(kit.Mk);
        QCOMPARE(Bytes(Disp(kit).ColorTable1), Bytes(Disp(kit).ColorTable0));
    }

    void ResetAll_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void ResetAll() {
        QFETCH(bool, answer);
        TPagesKit kit(WithField("ColorScheme", 0x24));
        Disp(kit).ColorTable0 = Marked();
        Disp(kit).ColorTable1 = Marked();
        Disp(kit).DispShowTitle = 1;
        kit.Editor->SetShown(QStringLiteral("cbDispShowTitle"), false); // typed, not stored
        QStringList questions;
        kit.Editor->Confirm = [&](const QString& q) { return questions << q, answer; };
        int redrawn = 0;
        kit.Editor->RecordChanged = [&] { ++redrawn; };

        QCOMPARE(ResetSchemes(*kit.Editor), answer);
        QCOMPARE(questions, QStringList{DisplayTexts::ResetQuestion});
        if (!answer) {
            QCOMPARE(kit.Field("ColorScheme"), 0x24);
            QCOMPARE(Bytes(Disp(kit).ColorTable0), Bytes(Marked()));
            QCOMPARE(redrawn, 0);
            return;
        }
        QCOMPARE(kit.Field("ColorScheme"), 0x11);
        QCOMPARE(Bytes(Disp(kit).ColorTable0), Bytes(kit.Mk.FactorySchemes[0]));
        QCOMPARE(Bytes(Disp(kit).ColorTable1), Bytes(kit.Mk.FactorySchemes[3]));
        QCOMPARE(SchemeIsUser(kit.Mk), 0);
        // Every control shows the record again.
        QCOMPARE(kit.Editor->Shown(QStringLiteral("cbDispShowTitle")).toBool(), true);
        QVERIFY(redrawn > 0);
    }
};

QTEST_GUILESS_MAIN(TColorSchemesTest)
#include "tst_colorschemes.moc"
