// A write of the chosen changes only: the MK's value back for every line left out, through
// the editor's model for controls (with their cascades) and copied for page data.
#include "ImageKit.h"
#include "base/MKError.h"
#include "editing/ChosenWrite.h"
#include "editing/EditorSession.h"
#include "editing/SettingsDiff.h"
#include "editing/SettingsEditor.h"

#include <QtTest>

namespace {

// The MK (M74CAN with a sub-type chosen, colour scheme 1) and what a write would send after
// the user changed a plain control, the protocol (to M86, which clears an x1 screen box),
// the colour scheme, the tank table, a hot menu and a trip journal entry.
struct TWriteKit {
    TWriteKit() {
        DeclareDevice(Device, 0x0001, 1, 8192, QStringLiteral("M74CAN"), 11);
        StoreField(Device, RecordField(u"ProtTypeAdd1"), 2);
        Device.PackAll();
        ToWrite.SettingsVersion = Device.SettingsVersion;
        ToWrite.Image = Device.Image;
        ToWrite.UnpackAll();
        RunEditorModel(ToWrite, [](TSettingsEditor& editor) {
            editor.Put(QStringLiteral("seVelocityLimit"), 150);
            editor.Put(QStringLiteral("cbProtocol"), ProtocolIndex(0x0001, 1, "M86", 16));
            editor.Put(QStringLiteral("rgActiveColorScheme"), 2);
            editor.Put(QStringLiteral("seTarirLeng"), 3);
            return true;
        });
        TSettingsRecord& r = ToWrite.Record;
        for (int i = 0; i < 3; ++i) {
            r.TankCalibration.TarirLitres[i] = uint8_t(10 * (i + 1));
            r.TankCalibration.TarirUnits[i] = int16_t(100 * (i + 1));
        }
        r.DisplaySettings.HotMenus[0][0] = uint16_t(r.DisplaySettings.HotMenus[0][0] + 1);
        r.TripSettings.TripJournal[0].Path += 7;
        ToWrite.PackAll();
    }

    TMK Device, ToWrite;
};

// The model of an image written to the MK.
struct TWritten : TMK {
    TWritten(const TMK& device, const QByteArray& image) {
        SettingsVersion = device.SettingsVersion;
        Image = image;
        UnpackAll();
    }
};

QStringList NamesOf(const TSettingsDiff& diff, const QList<int>& lines) {
    QStringList names;
    for (const int line : lines)
        names << diff.Names()[line];
    return names;
}

} // namespace

class TestChosenWrite : public QObject {
    Q_OBJECT

private slots:
    void linesThatMoveTogetherAreOneGroup() {
        TWriteKit kit;
        const TSettingsDiff diff = CompareSettings(kit.Device, kit.ToWrite);
        QList<QStringList> groups;
        for (const QList<int>& group : diff.Groups())
            groups << NamesOf(diff, group);
        const QList<QStringList> expected = {{"cbProtocol", "cbProtTypeAdd1", "cbShowDisp_1_26"},
                                             {"seVelocityLimit"},
                                             {"rgActiveColorScheme", "ColorTable0"},
                                             {"seTarirLeng", "TarirLitres", "TarirUnits"},
                                             {"TripSettings"},
                                             {"HotMenus"}};
        QCOMPARE(groups, expected);
        // Naming one line of a group names the group.
        QCOMPARE(NamesOf(diff, diff.LinesAbout({"TarirUnits", "HotMenus", "seTimeCorr"})),
                 (QStringList{"seTarirLeng", "TarirLitres", "TarirUnits", "HotMenus"}));
    }

    void untickedLineKeepsTheMKsValue_data() {
        QTest::addColumn<QString>("unticked");
        QTest::newRow("every line ticked") << QString();
        QTest::newRow("a control") << "seVelocityLimit";
        QTest::newRow("a control with a cascade: the protocol") << "cbProtocol";
        QTest::newRow("a control with a cascade: the colour scheme") << "ColorTable0";
        QTest::newRow("a point count with its points") << "TarirUnits";
        QTest::newRow("page data") << "HotMenus";
        QTest::newRow("a journal") << "TripSettings";
        QTest::newRow("every line unticked") << "*";
    }
    void untickedLineKeepsTheMKsValue() {
        QFETCH(QString, unticked);
        TWriteKit kit;
        const TSettingsDiff diff = CompareSettings(kit.Device, kit.ToWrite);
        const QList<int> group =
            diff.LinesAbout(unticked == "*" ? diff.Names() : QStringList{unticked});
        QVERIFY(unticked.isEmpty() || !group.isEmpty());

        const QByteArray image = ChosenImage(kit.Device, kit.ToWrite, diff.Pick(group));
        if (unticked.isEmpty())
            QCOMPARE(image, kit.ToWrite.Image); // today's bytes
        TWritten written(kit.Device, image);
        // Against the MK only the chosen lines differ, as they did before ...
        QCOMPARE(CompareSettings(kit.Device, written).Lines(), diff.Drop(group).Lines());
        // ... and against the settings to write, only the group left out.
        QCOMPARE(CompareSettings(written, kit.ToWrite).Names(), NamesOf(diff, group));
        // Neither model lost a change.
        QCOMPARE(CompareSettings(kit.Device, kit.ToWrite).Lines(), diff.Lines());
    }

    // Only what the stores set is put back: what opening the editor alone changes in the
    // record (a tank point count beyond the table goes back to 0) stays as it is sent.
    void openingTheEditorChangesNothingElse() {
        TWriteKit kit;
        for (TMK* mk : {&kit.Device, &kit.ToWrite}) {
            mk->Record.TankCalibration.TarirLeng = MaxTarirPoints + 1;
            mk->PackAll();
        }
        const TSettingsDiff diff = CompareSettings(kit.Device, kit.ToWrite);
        const QList<int> velocity = diff.LinesAbout({"seVelocityLimit"});
        TWritten written(kit.Device, ChosenImage(kit.Device, kit.ToWrite, diff.Pick(velocity)));
        QCOMPARE(int(written.Record.TankCalibration.TarirLeng), MaxTarirPoints + 1);
        QCOMPARE(written.Record.LimitsSettings.VelocityLimit,
                 kit.Device.Record.LimitsSettings.VelocityLimit);
    }
};

QTEST_MAIN(TestChosenWrite)
#include "tst_chosenwrite.moc"
