// Choosing what each part of each MK screen shows: the part under the mouse, the menus of
// the current protocol's parameters, the store of a chosen id.
#include "DisplayKit.h"

#include "base/MKError.h"
#include "catalog/MeasuredParams.h"
#include "editing/DisplayTexts.h"
#include "editing/ScreenChoice.h"
#include "model/Preview.h"

#include <QtTest>

using namespace ScreenChoice;

Q_DECLARE_METATYPE(TScreenKind)

namespace {

// Speed (right dial, chart), revolutions (left dial, chart), tank (neither), fuel pressure
// (chart only), battery (right dial, chart), trip time (neither), consumption (left, chart).
const QList<int> Mixed = {12, 13, 8, 35, 10, 1, 14};

QList<int> Ids(const std::vector<TParamItem>& items) {
    QList<int> ids;
    for (const TParamItem& item : items)
        ids << item.Id;
    return ids;
}

QList<int> Checked(const std::vector<TParamItem>& items) {
    QList<int> ids;
    for (const TParamItem& item : items)
        if (item.Checked)
            ids << item.Id;
    return ids;
}

QByteArray ScreenBytes(const TMK& mk) {
    const TDisplaySettings& d = mk.Record.DisplaySettings;
    return QByteArray(
               reinterpret_cast<const char*>(&d.Screens4[0][0]),
               int(offsetof(TDisplaySettings, DispSpeed) - offsetof(TDisplaySettings, Screens4))) +
           QByteArray(reinterpret_cast<const char*>(d.Screen6), 6);
}

} // namespace

class TScreenChoiceTest : public QObject {
    Q_OBJECT
private slots:
    void PartUnderTheMouse_data() {
        QTest::addColumn<TScreenKind>("kind");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("part");
        const auto K4 = TScreenKind::Four, K9 = TScreenKind::Nine, K7 = TScreenKind::Seven,
                   K6 = TScreenKind::Six, KG = TScreenKind::Graph, KA = TScreenKind::Arrow;
        QTest::newRow("x4 top left") << K4 << 0 << 0 << 0;
        QTest::newRow("x4 top right") << K4 << 160 << 119 << 1;
        QTest::newRow("x4 bottom left") << K4 << 159 << 120 << 2;
        QTest::newRow("x4 bottom right") << K4 << 319 << 239 << 3;
        QTest::newRow("x9 first") << K9 << 105 << 79 << 0;
        QTest::newRow("x9 middle") << K9 << 106 << 80 << 4;
        QTest::newRow("x9 row 2 col 1") << K9 << 150 << 200 << 7;
        QTest::newRow("x9 right edge") << K9 << 319 << 0 << 2;
        QTest::newRow("x9 last") << K9 << 319 << 239 << 8;
        QTest::newRow("x7 row 0") << K7 << 300 << 33 << 0;
        QTest::newRow("x7 row 1") << K7 << 0 << 34 << 1;
        QTest::newRow("x7 row 6") << K7 << 0 << 204 << 6;
        QTest::newRow("x7 bottom edge") << K7 << 0 << 239 << 6;
        QTest::newRow("x6 big value top left") << K6 << 0 << 0 << 0;
        QTest::newRow("x6 big value inner corner") << K6 << 211 << 159 << 0;
        QTest::newRow("x6 cell 2") << K6 << 300 << 10 << 1;
        QTest::newRow("x6 cell 5") << K6 << 250 << 100 << 2;
        QTest::newRow("x6 bottom left") << K6 << 10 << 200 << 3;
        QTest::newRow("x6 bottom middle") << K6 << 150 << 200 << 4;
        QTest::newRow("x6 bottom right") << K6 << 300 << 239 << 5;
        QTest::newRow("graph top") << KG << 100 << 0 << 0;
        QTest::newRow("graph 89") << KG << 100 << 89 << 0;
        QTest::newRow("graph 90") << KG << 100 << 90 << 1;
        QTest::newRow("graph 180") << KG << 100 << 180 << 1;
        QTest::newRow("graph 181 nothing") << KG << 100 << 181 << -1;
        QTest::newRow("graph bottom nothing") << KG << 100 << 239 << -1;
        QTest::newRow("gauge 119") << KA << 119 << 100 << 0;
        QTest::newRow("gauge 120") << KA << 120 << 100 << 1;
    }
    void PartUnderTheMouse() {
        QFETCH(TScreenKind, kind);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, part);
        QCOMPARE(PartAt(kind, x, y, TMKPreview::ScreenWidth, TMKPreview::ScreenHeight), part);
    }

    void GraphBelowItsCurvesOpensNothing() {
        TPagesKit kit;
        kit.Editor->PopupList = 5;
        kit.Editor->PopupSlot = 1;
        QVERIFY(!Aim(*kit.Editor, TScreenKind::Graph, 2, 10, 181, 320, 240));
        QCOMPARE(kit.Editor->PopupList, 5);
        QCOMPARE(kit.Editor->PopupSlot, 1);
        QVERIFY(Aim(*kit.Editor, TScreenKind::Graph, 2, 10, 179, 320, 240));
        QCOMPARE(kit.Editor->PopupList, 2);
        QCOMPARE(kit.Editor->PopupSlot, 1);
    }

    void Menus_data() {
        QTest::addColumn<TScreenKind>("kind");
        QTest::addColumn<int>("part");
        QTest::addColumn<QList<int>>("ids");
        QTest::newRow("x4") << TScreenKind::Four << 3 << Mixed;
        QTest::newRow("x9") << TScreenKind::Nine << 8 << Mixed;
        QTest::newRow("x7") << TScreenKind::Seven << 0 << Mixed;
        QTest::newRow("x6") << TScreenKind::Six << 5 << Mixed;
        QTest::newRow("upper curve") << TScreenKind::Graph << 0 << QList<int>{12, 13, 35, 10, 14};
        QTest::newRow("lower curve")
            << TScreenKind::Graph << 1 << QList<int>{0, 12, 13, 35, 10, 14};
        QTest::newRow("left dial") << TScreenKind::Arrow << 0 << QList<int>{13, 14};
        QTest::newRow("right dial") << TScreenKind::Arrow << 1 << QList<int>{12, 10};
    }
    void Menus() {
        QFETCH(TScreenKind, kind);
        QFETCH(int, part);
        QFETCH(QList<int>, ids);
        TPagesKit kit;
        SwitchProtocol(kit, AddProtocol(kit, Mixed));
        const int display = DisplayCount(kind) - 1;
        for (int stored : {ids.last(), ids.first(), 99}) {
            StoreId(kit.Mk, kind, display, part, stored);
            const std::vector<TParamItem> menu = ParamMenu(*kit.Editor, kind, display, part);
            QCOMPARE(Ids(menu), ids);
            QCOMPARE(Checked(menu), stored == 99 ? QList<int>{} : QList<int>{stored});
            for (const TParamItem& item : menu)
                QCOMPARE(item.Caption, item.Id ? kit.Mk.Catalog.FindMeasParam(item.Id)->Name
                                               : DisplayTexts::Absent);
        }
    }

    // One set of part menus for every part of every screen answers as each part's own menu,
    // the parts sharing a menu and those that do not.
    void PartMenusFindWhatEachMenuOffers() {
        TPagesKit kit;
        SwitchProtocol(kit, AddProtocol(kit, Mixed));
        TPartMenus menus(*kit.Editor);
        for (TScreenKind kind : AllKinds) {
            for (int part = 0; part < PartCount(kind); ++part) {
                const std::vector<TParamItem> menu = ParamMenu(*kit.Editor, kind, 0, part);
                for (int id = -1; id <= 256; ++id) {
                    const auto offered = std::find_if(
                        menu.begin(), menu.end(), [id](const auto& item) { return item.Id == id; });
                    const TParamItem* found = menus.Find(kind, part, id);
                    QCOMPARE(found != nullptr, offered != menu.end());
                    if (found)
                        QCOMPARE(found->Caption, offered->Caption);
                }
            }
            QVERIFY_THROWS_EXCEPTION(TRangeError, menus.Find(kind, PartCount(kind), 12));
        }
    }

    // The menus follow the protocol in force.
    void MenusFollowTheProtocol() {
        TPagesKit kit;
        SwitchProtocol(kit, AddProtocol(kit, {17, 16}));
        QCOMPARE(Ids(ParamMenu(*kit.Editor, TScreenKind::Four, 0, 0)), (QList<int>{17, 16}));
        SwitchProtocol(kit, AddProtocol(kit, {7}));
        QCOMPARE(Ids(ParamMenu(*kit.Editor, TScreenKind::Four, 0, 0)), QList<int>{7});
        QCOMPARE(Ids(ParamMenu(*kit.Editor, TScreenKind::Arrow, 0, 0)), QList<int>{});
    }

    // Entry (display d, part p) is byte d * parts + p of the screen's array.
    void ChoosingStoresIntoTheAimedPart_data() {
        QTest::addColumn<TScreenKind>("kind");
        QTest::addColumn<int>("display");
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("offset"); // from the start of Screens4, Screen6 after DispSpeed
        const int s9 = offsetof(TDisplaySettings, Screens9) - offsetof(TDisplaySettings, Screens4);
        const int s7 = offsetof(TDisplaySettings, Screens7) - offsetof(TDisplaySettings, Screens4);
        const int g =
            offsetof(TDisplaySettings, GraphScreens) - offsetof(TDisplaySettings, Screens4);
        const int a =
            offsetof(TDisplaySettings, ArrowScreens) - offsetof(TDisplaySettings, Screens4);
        const int s6 = offsetof(TDisplaySettings, DispSpeed) - offsetof(TDisplaySettings, Screens4);
        QTest::newRow("x4 display 3 part 2") << TScreenKind::Four << 2 << 1 << 4 * 2 + 1;
        QTest::newRow("x9 display 2 part 8") << TScreenKind::Nine << 1 << 8 << s9 + 9 + 8;
        QTest::newRow("x7 display 4 part 0") << TScreenKind::Seven << 3 << 0 << s7 + 21;
        QTest::newRow("x6 part 4") << TScreenKind::Six << 0 << 4 << s6 + 4;
        QTest::newRow("graph 8 lower") << TScreenKind::Graph << 7 << 1 << g + 15;
        QTest::newRow("gauge 5 left") << TScreenKind::Arrow << 4 << 0 << a + 8;
    }
    void ChoosingStoresIntoTheAimedPart() {
        QFETCH(TScreenKind, kind);
        QFETCH(int, display);
        QFETCH(int, part);
        QFETCH(int, offset);
        TPagesKit kit;
        int redrawn = 0;
        kit.Editor->RecordChanged = [&] { ++redrawn; };
        kit.Editor->PopupList = display;
        kit.Editor->PopupSlot = part;
        QByteArray expected = ScreenBytes(kit.Mk);
        expected[offset] = char(201);
        Choose(*kit.Editor, kind, 201);
        QCOMPARE(ScreenBytes(kit.Mk), expected);
        QCOMPARE(StoredId(kit.Mk, kind, display, part), 201);
        QCOMPARE(redrawn, 1);
    }

    void OutOfRangeStoresNothing_data() {
        QTest::addColumn<TScreenKind>("kind");
        QTest::addColumn<int>("display");
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("id");
        QTest::newRow("id 256") << TScreenKind::Four << 0 << 0 << 256;
        QTest::newRow("negative id") << TScreenKind::Graph << 0 << 0 << -1;
        QTest::newRow("x4 display 7") << TScreenKind::Four << 6 << 0 << 1;
        QTest::newRow("x9 part 9") << TScreenKind::Nine << 0 << 9 << 1;
        QTest::newRow("x6 display 2") << TScreenKind::Six << 1 << 0 << 1;
        QTest::newRow("gauge part 2") << TScreenKind::Arrow << 0 << 2 << 1;
    }
    void OutOfRangeStoresNothing() {
        QFETCH(TScreenKind, kind);
        QFETCH(int, display);
        QFETCH(int, part);
        QFETCH(int, id);
        TPagesKit kit;
        const QByteArray before = ScreenBytes(kit.Mk);
        kit.Editor->PopupList = display;
        kit.Editor->PopupSlot = part;
        QVERIFY_THROWS_EXCEPTION(TRangeError, Choose(*kit.Editor, kind, id));
        QCOMPARE(ScreenBytes(kit.Mk), before);
    }

    // A display is drawn with its own stored ids.
    void DrawingUsesTheDisplaysIds() {
        TPagesKit kit;
        TDisplaySettings& d = kit.Mk.Record.DisplaySettings;
        const uint8_t ids[2] = {14, 0};
        d.GraphScreens[5][0] = ids[0];
        d.GraphScreens[5][1] = ids[1];
        DrawScreen(kit.Mk, TScreenKind::Graph, 5);
        const QImage drawn = kit.Mk.Preview->PreviewSurface;
        kit.Mk.Preview->PreviewGraph(ids[0], ids[1]);
        QCOMPARE(drawn, kit.Mk.Preview->PreviewSurface);
        kit.Mk.Preview->PreviewGraph(13, 0);
        QVERIFY(drawn != kit.Mk.Preview->PreviewSurface);
    }
};

QTEST_GUILESS_MAIN(TScreenChoiceTest)
#include "tst_screenchoice.moc"
