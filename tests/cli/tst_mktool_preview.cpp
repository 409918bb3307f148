// mktool preview: one screen into a PNG, with a settings file's colours and screens.
#include "CliUtil.h"
#include "Commands.h"
#include "PreviewKit.h"
#include "model/SettingsFile.h"
#include "sim/FactoryMemory.h"

#include <QTemporaryDir>
#include <QtTest>

class TestPreviewTool : public QObject {
    Q_OBJECT
private slots:
    void init();
    void drawsTheScreenIntoAPng_data();
    void drawsTheScreenIntoAPng();
    void usesTheFilesColoursVariantsAndScreens();
    void userSchemeSwitchesTheColourTable();
    void refusesABadCommandLine_data();
    void refusesABadCommandLine();

private:
    QImage Run(const QStringList& args);

    QTemporaryDir Dir;
    QString Png;
};

void TestPreviewTool::init() {
    Png = Dir.filePath(QStringLiteral("screen.png"));
}

QImage TestPreviewTool::Run(const QStringList& args) {
    QFile::remove(Png);
    if (RunPreview(args + QStringList{"-o", Png}) != Cli::ExitOk)
        return {};
    return QImage(Png).convertToFormat(QImage::Format_RGB32);
}

void TestPreviewTool::drawsTheScreenIntoAPng_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one") << QStringList{"--screen", "one", "--ids", "13"} << "one 13";
    QTest::newRow("one by default") << QStringList{"--screen", "one"} << "one 12";
    QTest::newRow("four hex ids") << QStringList{"--screen", "four", "--ids", "0xC,13,16,17"}
                                  << "four 12 13 16 17";
    QTest::newRow("four from the record") << QStringList{"--screen", "four"} << "four 4 14 8 9";
    QTest::newRow("six") << QStringList{"--screen", "six", "--ids", "12,17,13,10,8,9"}
                         << "six 12 17 13 10 8 9";
    QTest::newRow("seven") << QStringList{"--screen", "seven", "--ids", "12,13,16,17,11,10,7"}
                           << "seven 12 13 16 17 11 10 7";
    QTest::newRow("nine") << QStringList{"--screen", "nine", "--ids", "12,13,16,17,1,4,11,10,7"}
                          << "nine 12 13 16 17 1 4 11 10 7";
    QTest::newRow("dials") << QStringList{"--screen", "dials", "--ids", "14,12"} << "dials 14 12";
    QTest::newRow("graph of one") << QStringList{"--screen", "graph", "--ids", "20"}
                                  << "graph 20 0";
    QTest::newRow("graph from the record") << QStringList{"--screen", "graph"} << "graph 13 10";
    QTest::newRow("menu") << QStringList{"--screen", "menu"} << "menu";
}

void TestPreviewTool::drawsTheScreenIntoAPng() {
    QFETCH(QStringList, args);
    QFETCH(QString, expected);
    const QImage drawn = Run(args);
    QCOMPARE(drawn.size(), QSize(320, 240));

    TMK mk;
    TMKPreview& p = *mk.Preview;
    const QStringList words = expected.split(' ');
    std::vector<uint8_t> ids;
    for (const QString& w : words.mid(1))
        ids.push_back(uint8_t(w.toInt()));
    const QString& screen = words[0];
    if (screen == QLatin1String("one"))
        p.PreviewOneValue(ids[0]);
    else if (screen == QLatin1String("four"))
        p.PreviewFourValues(std::span<const uint8_t, 4>(ids.data(), 4));
    else if (screen == QLatin1String("six"))
        p.PreviewSixValues(std::span<const uint8_t, 6>(ids.data(), 6));
    else if (screen == QLatin1String("seven"))
        p.PreviewSevenRows(std::span<const uint8_t, 7>(ids.data(), 7));
    else if (screen == QLatin1String("nine"))
        p.PreviewNineValues(std::span<const uint8_t, 9>(ids.data(), 9));
    else if (screen == QLatin1String("dials"))
        p.PreviewDials(ids[0], ids[1]);
    else if (screen == QLatin1String("graph"))
        p.PreviewGraph(ids[0], ids[1]);
    else
        p.PreviewMenu();
    QCOMPARE(drawn, p.PreviewSurface);
}

void TestPreviewTool::usesTheFilesColoursVariantsAndScreens() {
    TMK mk;
    mk.Image = FactoryImage(8192);
    mk.UnpackAll();
    TDisplaySettings& d = mk.Record.DisplaySettings;
    d.DispVar4 = 1;
    d.ColorTable0.Palette[d.ColorTable0.Indices[1]] = TMK::PackColor(31, 0, 0);
    const uint8_t screen[4] = {12, 25, 18, 13};
    std::copy(std::begin(screen), std::end(screen), d.Screens4[0]);
    mk.PackAll();
    const QString file = Dir.filePath(QStringLiteral("settings.rvset"));
    SettingsFile::Save(mk, file);

    const QImage drawn = Run({"--screen", "four", "--file", file});
    mk.Preview->PreviewFourValues(screen);
    QCOMPARE(drawn, mk.Preview->PreviewSurface);
    // Quadrant 0 keeps its value background, now red; quadrant 1 is chequered.
    QCOMPARE(drawn.pixel(2, 2), qRgb(255, 0, 0));
    QCOMPARE(drawn.pixel(162, 2), RoleRgb(mk, TMKPreview::RoleCaptionBack));
}

void TestPreviewTool::userSchemeSwitchesTheColourTable() {
    const QImage factory = Run({"--screen", "menu"});
    const QImage user = Run({"--screen", "menu", "--scheme-user"});
    TMK mk;
    mk.Preview->SchemeIsUser = 1;
    mk.Preview->PreviewMenu();
    QCOMPARE(user, mk.Preview->PreviewSurface);
    QVERIFY(user != factory);
}

void TestPreviewTool::refusesABadCommandLine_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no screen") << QStringList{"-o", "x.png"};
    QTest::newRow("no output") << QStringList{"--screen", "menu"};
    QTest::newRow("unknown screen") << QStringList{"--screen", "ten", "-o", "x.png"};
    QTest::newRow("too few ids") << QStringList{"--screen", "four", "--ids",
                                                "1,2,3",    "-o",   "x.png"};
    QTest::newRow("too many ids") << QStringList{"--screen", "dials", "--ids",
                                                 "1,2,3",    "-o",    "x.png"};
    QTest::newRow("ids for the menu")
        << QStringList{"--screen", "menu", "--ids", "1", "-o", "x.png"};
    QTest::newRow("id above a byte")
        << QStringList{"--screen", "one", "--ids", "256", "-o", "x.png"};
    QTest::newRow("not a number") << QStringList{"--screen", "one", "--ids", "x", "-o", "x.png"};
    QTest::newRow("stray argument") << QStringList{"--screen", "menu", "extra", "-o", "x.png"};
}

void TestPreviewTool::refusesABadCommandLine() {
    QFETCH(QStringList, args);
    QVERIFY_THROWS_EXCEPTION(Cli::TUsageError, RunPreview(args));
}

QTEST_GUILESS_MAIN(TestPreviewTool)
#include "tst_mktool_preview.moc"
