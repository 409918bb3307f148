// mktool get, describe and set: the editor's model from the shell, with its refusals and
// exit codes.
#include "catalog/Variants.h"
#include "model/SettingsFile.h"
#include "sim/FactoryMemory.h"

#include "model/DeviceModel.h"

#include "MktoolRun.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

namespace {

// A settings file of the factory memory declared as the given device.
void WriteDeviceFile(const QString& path, uint16_t version, uint32_t variant) {
    QByteArray image = FactoryImage(8192);
    std::memcpy(image.data() + 56, &variant, sizeof variant);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(SettingsFile::Encode(version, image));
}

QJsonObject GetJson(const QString& file) {
    const TResult r = Run({"get", "--json", file});
    if (r.Status != 0)
        qWarning("%s", qPrintable(r.Err));
    return QJsonDocument::fromJson(r.Out).object();
}

} // namespace

class TestMktoolEditor : public QObject {
    Q_OBJECT
    QTemporaryDir Dir;
    QString In;   // the factory memory of the simulator's device
    QString Bare; // a device without parking, gas or voice where the table has one

    QString Path(const QString& name) const { return Dir.filePath(name); }

private slots:
    void initTestCase() {
        In = Path("in.rvset");
        WriteDeviceFile(In, 1, FactoryFirmwareVersion);
        Bare = Path("bare.rvset");
        for (const TVariantRow& row : DeviceVariantRows())
            if (row.Caps.Has(TCap::NoParking) && row.Caps.Has(TCap::NoGas) && !row.Variants.Any) {
                for (uint32_t v = 0; v < 32; ++v)
                    if (row.Variants.Contains(uint8_t(v))) {
                        WriteDeviceFile(Bare, row.SettingsVersion, v);
                        return;
                    }
            }
        QFAIL("no device without parking and gas");
    }

    void getPrintsEveryControlInShownUnits() {
        const QJsonObject all = GetJson(In);
        QVERIFY(all.size() >= 200);
        QVERIFY(all.value("seVelocityCorr").isDouble());
        QVERIFY(all.value("cbShowDisp_1_0").isBool());
        QVERIFY(all.value("rgForsCoef").isDouble() || all.value("rgForsCoef").isNull());
        const TResult named = Run({"get", In, "seVelocityCorr", "rgForsCoef"});
        QCOMPARE(named.Status, 0);
        const QStringList lines = QString::fromUtf8(named.Out).trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith("seVelocityCorr="));
        QVERIFY(lines[0].contains('.')); // one decimal, always
    }

    void describeFollowsTheDevice() {
        const TResult r = Run({"describe", "--json", Bare});
        QCOMPARE(r.Status, 0);
        const QJsonObject d = QJsonDocument::fromJson(r.Out).object();
        QCOMPARE(d.value("Pages").toObject().value("Парковка").toBool(true), false);
        QCOMPARE(d.value("Pages").toObject().value("Служ.информ.").toBool(true), false);
        QVERIFY(d.value("Pages").toObject().contains("Дисплей/Дисплеи х4/Дисплеи 1 .. 3"));
        const QJsonObject controls = d.value("Controls").toObject();
        const QJsonObject velocity = controls.value("seVelocityCorr").toObject();
        QCOMPARE(velocity.value("Page").toString(), QStringLiteral("Поправки"));
        QCOMPARE(velocity.value("Kind").toString(), QStringLiteral("spin"));
        QCOMPARE(velocity.value("Decimals").toInt(), 1);
        QCOMPARE(controls.value("seParkSense0").toObject().value("Visible").toBool(true), false);
        const QJsonObject full =
            QJsonDocument::fromJson(Run({"describe", "--json", In}).Out).object();
        QCOMPARE(full.value("Pages").toObject().value("Парковка").toBool(false), true);
    }

    void setStoresWhatTheUserWouldAndWritesOut() {
        const QString out = Path("out.rvset");
        // 1500 is past the speed correction's range: it becomes the bound, as the spin does.
        const TResult r = Run({"set", In, out, "seVelocityCorr=5.0", "seTimeCorr=1500"});
        QCOMPARE(r.Status, 0);
        const QJsonObject after = GetJson(out);
        QCOMPARE(after.value("seVelocityCorr").toDouble(), 5.0);
        QCOMPARE(after.value("seTimeCorr").toDouble(), 30.0);
        // Nothing else moved.
        QJsonObject before = GetJson(In);
        before.remove("seVelocityCorr");
        before.remove("seTimeCorr");
        QJsonObject rest = after;
        rest.remove("seVelocityCorr");
        rest.remove("seTimeCorr");
        QCOMPARE(rest, before);
    }

    void refusalsHaveTheirExitCodes_data() {
        QTest::addColumn<bool>("bare");
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("lastLine");
        QTest::newRow("unknown name") << false << QStringList{"seNoSuchThing=1"} << 2 << "";
        QTest::newRow("spin not a number") << false << QStringList{"seVelocityCorr=abc"} << 2 << "";
        QTest::newRow("check not 1 or 0") << false << QStringList{"cbShowDisp_1_0=yes"} << 2 << "";
        QTest::newRow("no equals sign") << false << QStringList{"seVelocityCorr"} << 2 << "";
        QTest::newRow("item past the list")
            << false << QStringList{"rgPrognozMeth=7"} << 1 << "List index out of bounds (7)";
        QTest::newRow("hidden control") << true << QStringList{"seParkSense0=3"} << 1 << "";
        QTest::newRow("not a valid time") << false << QStringList{"meIntenseDayTime=ab:00"} << 1
                                          << "'ab' is not a valid integer value";
        QTest::newRow("later assignment fails")
            << false << QStringList{"seVelocityCorr=5", "seNoSuch=1"} << 2 << "";
    }

    void refusalsHaveTheirExitCodes() {
        QFETCH(bool, bare);
        QFETCH(QStringList, assignments);
        QFETCH(int, status);
        QFETCH(QString, lastLine);
        const QString out = Path("refused.rvset");
        QFile::remove(out);
        const TResult r = Run(QStringList{"set", bare ? Bare : In, out} + assignments);
        QCOMPARE(r.Status, status);
        if (!lastLine.isEmpty())
            QCOMPARE(r.LastErrorLine(), lastLine);
        QVERIFY2(!QFile::exists(out), "OUT is written only when every assignment was taken");
    }

    void diffListsControlsAndFields() {
        const QString changed = Path("changed.rvset");
        QCOMPARE(Run({"set", In, changed, "seVelocityCorr=5.0", "seVelocityLimit=100"}).Status, 0);
        // Opened and stored like `changed` (the hot menus compacted), with no change of value.
        const QString base = Path("base.rvset");
        QCOMPARE(Run({"set", In, base, "seVelocityCorr=0.0"}).Status, 0);
        // A hot menu entry no control shows, changed in the record itself.
        TMK mk;
        SettingsFile::Load(mk, changed);
        mk.Record.DisplaySettings.HotMenus[1][0] =
            uint16_t(mk.Record.DisplaySettings.HotMenus[1][0] + 1);
        mk.PackAll();
        SettingsFile::Save(mk, changed);

        const TResult same = Run({"diff", "--json", In, In});
        QCOMPARE(same.Status, 0);
        QCOMPARE(QJsonDocument::fromJson(same.Out).array().size(), 0);

        const TResult r = Run({"diff", "--json", base, changed});
        QCOMPARE(r.Status, 1);
        const QJsonArray list = QJsonDocument::fromJson(r.Out).array();
        QCOMPARE(list.size(), 3);
        QCOMPARE(list[0].toObject(), (QJsonObject{{"Control", "seVelocityCorr"},
                                                  {"Page", "Поправки"},
                                                  {"Caption", "Скорость, %"},
                                                  {"A", "0.0"},
                                                  {"B", "5.0"}}));
        QCOMPARE(list[1].toObject().value("Control").toString(), QStringLiteral("seVelocityLimit"));
        QCOMPARE(list[1].toObject().value("B").toString(), QStringLiteral("100"));
        QCOMPARE(list[2].toObject(), (QJsonObject{{"Field", "HotMenus"}, {"Changed", 1}}));

        const TResult text = Run({"diff", base, changed});
        QCOMPARE(text.Status, 1);
        QVERIFY(QString::fromUtf8(text.Out).contains(
            QStringLiteral("Поправки › Скорость, %: 0.0 → 5.0")));
        QCOMPARE(Run({"diff", In, Path("missing.rvset")}).Status, 2);
        QCOMPARE(Run({"diff", In}).Status, 2);
    }

    void unreadableFileIsAnError() {
        QFile f(Path("short.rvset"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.close();
        QCOMPARE(Run({"get", Path("short.rvset")}).Status, 1);
        QCOMPARE(Run({"describe", Path("short.rvset")}).Status, 2); // --json is required
    }
};

QTEST_MAIN(TestMktoolEditor)
#include "tst_mktool_editor.moc"
