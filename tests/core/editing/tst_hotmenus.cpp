// The four hot menus: compaction, insert, delete, clear, moves, captions and the
// insertion menus built from item names.
#include "PagesKit.h"

#include "base/MKError.h"
#include "catalog/MenuItems.h"
#include "editing/DisplayTexts.h"
#include "editing/HotMenus.h"

#include <QtTest>

using namespace HotMenus;

namespace {

QList<int> List(const TMK& mk, int list) {
    QList<int> ids;
    for (int row = 0; row < RowCount; ++row)
        ids << Entry(mk, list, row);
    return ids;
}

void SetList(TMK& mk, int list, const QList<int>& ids) {
    for (int row = 0; row < RowCount; ++row)
        mk.Record.DisplaySettings.HotMenus[list][row] = uint16_t(row < ids.size() ? ids[row] : 0);
}

const QList<int> Full = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

const TChoice* SubMenu(const std::vector<TChoice>& choices, const QString& caption) {
    for (const TChoice& c : choices)
        if (c.IsSubMenu() && c.Caption == caption)
            return &c;
    return nullptr;
}

bool Offers(const TMK& mk, const std::vector<TChoice>& choices, const char* name) {
    const TMKMenuItem* item = mk.Catalog.FindMenuItem(QString::fromLatin1(name));
    if (!item)
        return false;
    for (const TChoice& c : choices)
        if ((!c.IsSubMenu() && c.Id == item->Id) || Offers(mk, c.Children, name))
            return true;
    return false;
}

int ItemCount(const std::vector<TChoice>& choices) {
    int count = 0;
    for (const TChoice& c : choices)
        count += c.IsSubMenu() ? ItemCount(c.Children) : 1;
    return count;
}

} // namespace

class THotMenusTest : public QObject {
    Q_OBJECT
private slots:
    void Compaction_data() {
        QTest::addColumn<QList<int>>("stored");
        QTest::addColumn<QList<int>>("compact");
        QTest::newRow("gaps close")
            << QList<int>{5, 0, 7, 0, 0, 9, 0, 0, 0, 0} << QList<int>{5, 7, 9, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("leading zeros")
            << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 3} << QList<int>{3, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("order kept")
            << QList<int>{0, 9, 0, 1, 8, 0, 2, 0, 7, 0} << QList<int>{9, 1, 8, 2, 7, 0, 0, 0, 0, 0};
        QTest::newRow("full") << Full << Full;
        QTest::newRow("empty") << QList<int>(10, 0) << QList<int>(10, 0);
    }
    void Compaction() {
        QFETCH(QList<int>, stored);
        QFETCH(QList<int>, compact);
        TPagesKit kit;
        for (int list = 0; list < ListCount; ++list)
            SetList(kit.Mk, list, stored);
        SetList(kit.Mk, 2, Full);
        CompactAll(kit.Mk);
        QCOMPARE(List(kit.Mk, 0), compact);
        QCOMPARE(List(kit.Mk, 3), compact);
        QCOMPARE(List(kit.Mk, 2), Full);
    }

    void Insertion_data() {
        QTest::addColumn<QList<int>>("stored");
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<int>>("result");
        QTest::newRow("row 3 of a full list drops row 9")
            << Full << 3 << QList<int>{1, 2, 3, 77, 4, 5, 6, 7, 8, 9};
        QTest::newRow("row 9 of a full list")
            << Full << 9 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 77};
        QTest::newRow("row 0") << QList<int>{4, 5} << 0
                               << QList<int>{77, 4, 5, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("past the items moves up")
            << QList<int>{4, 5} << 6 << QList<int>{4, 5, 77, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("into an empty list")
            << QList<int>{} << 4 << QList<int>{77, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    }
    void Insertion() {
        QFETCH(QList<int>, stored);
        QFETCH(int, row);
        QFETCH(QList<int>, result);
        TPagesKit kit;
        SetList(kit.Mk, 1, stored);
        Insert(kit.Mk, 1, row, 77);
        QCOMPARE(List(kit.Mk, 1), result);
    }

    void DeleteAndClear() {
        TPagesKit kit;
        SetList(kit.Mk, 0, Full);
        SetList(kit.Mk, 3, Full);
        Delete(kit.Mk, 0, 4);
        QCOMPARE(List(kit.Mk, 0), (QList<int>{1, 2, 3, 4, 6, 7, 8, 9, 10, 0}));
        Delete(kit.Mk, 0, 9); // already empty
        QCOMPARE(List(kit.Mk, 0), (QList<int>{1, 2, 3, 4, 6, 7, 8, 9, 10, 0}));
        Clear(kit.Mk, 0);
        QCOMPARE(List(kit.Mk, 0), QList<int>(10, 0));
        QCOMPARE(List(kit.Mk, 3), Full);
    }

    void Moves_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QList<int>>("result");
        QTest::newRow("down") << 1 << 4 << QList<int>{1, 3, 4, 5, 2, 6, 7, 8, 9, 10};
        QTest::newRow("up") << 8 << 0 << QList<int>{9, 1, 2, 3, 4, 5, 6, 7, 8, 10};
        QTest::newRow("neighbours") << 5 << 6 << QList<int>{1, 2, 3, 4, 5, 7, 6, 8, 9, 10};
        QTest::newRow("in place") << 3 << 3 << Full;
        QTest::newRow("last to first") << 9 << 0 << QList<int>{10, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    }
    void Moves() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QList<int>, result);
        TPagesKit kit;
        SetList(kit.Mk, 2, Full);
        Move(kit.Mk, 2, from, to);
        QCOMPARE(List(kit.Mk, 2), result);
    }

    // An item dragged onto an empty row ends up behind the items.
    void MoveOntoEmptyRowCompacts() {
        TPagesKit kit;
        SetList(kit.Mk, 0, {4, 5, 6});
        Move(kit.Mk, 0, 0, 8);
        QCOMPARE(List(kit.Mk, 0), (QList<int>{5, 6, 4, 0, 0, 0, 0, 0, 0, 0}));
    }

    void OutOfRange() {
        TPagesKit kit;
        SetList(kit.Mk, 0, Full);
        QVERIFY_THROWS_EXCEPTION(TRangeError, Insert(kit.Mk, 4, 0, 1));
        QVERIFY_THROWS_EXCEPTION(TRangeError, Insert(kit.Mk, 0, 10, 1));
        QVERIFY_THROWS_EXCEPTION(TRangeError, Delete(kit.Mk, 0, -1));
        QVERIFY_THROWS_EXCEPTION(TRangeError, Move(kit.Mk, 0, 0, 10));
        QVERIFY_THROWS_EXCEPTION(TRangeError, Entry(kit.Mk, -1, 0));
        QCOMPARE(List(kit.Mk, 0), Full);
    }

    void Captions() {
        TPagesKit kit;
        const TMKMenuItem* item = kit.Mk.Catalog.FindMenuItem(QStringLiteral("FullTankMenu"));
        QVERIFY(item);
        QCOMPARE(Caption(kit.Mk.Catalog, item->Id), item->Caption);
        QCOMPARE(Caption(kit.Mk.Catalog, 0), QString());
        QCOMPARE(Caption(kit.Mk.Catalog, 60000), QString());
        QCOMPARE(GridName(0), QStringLiteral("sghmParams"));
        QCOMPARE(GridName(3), QStringLiteral("sghmPark"));
        QCOMPARE(ListCaption(2), DisplayTexts::HotTaximeter);
        QCOMPARE(RowMenu(), (QStringList{DisplayTexts::InsertItem, DisplayTexts::DeleteItem,
                                         DisplayTexts::ClearList}));
    }

    void InsertionMenus() {
        TPagesKit kit;
        const std::vector<TChoice> params = InsertChoices(kit.Mk.Catalog, 0);
        QStringList captions;
        for (const TChoice& c : params)
            captions << c.Caption;
        QCOMPARE(captions, (QStringList{"Управление", "Источники", "Границы", "Время", "Дисплей",
                                        "Озвуч.сообщения", "TO"}));
        const TChoice* display = SubMenu(params, QStringLiteral("Дисплей"));
        QVERIFY(display);
        QVERIFY(SubMenu(display->Children, QStringLiteral("Стрелочные")));
        QVERIFY(SubMenu(display->Children, QStringLiteral("Графические")));
        const TChoice& first = params[0].Children.at(0);
        QCOMPARE(first.Id, kit.Mk.Catalog.FindMenuItem(QStringLiteral("VirtLockMenu"))->Id);
        QCOMPARE(first.Caption,
                 kit.Mk.Catalog.FindMenuItem(QStringLiteral("VirtLockMenu"))->Caption);

        const std::vector<TChoice> averages = InsertChoices(kit.Mk.Catalog, 1);
        const TChoice* trips = SubMenu(averages, QStringLiteral("Журнал поездок"));
        QVERIFY(trips);
        QCOMPARE(int(SubMenu(trips->Children, QStringLiteral("Записать"))->Children.size()), 20);
        QCOMPARE(int(SubMenu(trips->Children, QStringLiteral("Просмотреть"))->Children.size()), 21);
        QCOMPARE(int(SubMenu(averages, QStringLiteral("Журнал заправок"))->Children.size()), 21);
        QCOMPARE(ItemCount(InsertChoices(kit.Mk.Catalog, 2)), 27);
        QVERIFY(Offers(kit.Mk, InsertChoices(kit.Mk.Catalog, 2), "TaxPathTarif4NightMenu"));
        QCOMPARE(ItemCount(InsertChoices(kit.Mk.Catalog, 3)), 10);
    }

    // Two entries depend on the air temperature; the voice items exist only with voice.
    void InsertionMenuConditions_data() {
        QTest::addColumn<bool>("noAir");
        QTest::addColumn<bool>("noVoice");
        QTest::newRow("air, voice") << false << false;
        QTest::newRow("no air") << true << false;
        QTest::newRow("no voice") << false << true;
    }
    void InsertionMenuConditions() {
        QFETCH(bool, noAir);
        QFETCH(bool, noVoice);
        TPagesKit kit({}, [&](TDeviceFlags& flags) {
            flags.NoAirTemperature = noAir;
            flags.NoVoice = noVoice;
        });
        const std::vector<TChoice> menu = InsertChoices(kit.Mk.Catalog, 0);
        QCOMPARE(Offers(kit.Mk, menu, "LightsOnMenu"), noAir);
        QCOMPARE(Offers(kit.Mk, menu, "apHoloMenu"), !noAir);
        QCOMPARE(Offers(kit.Mk, menu, "SoundVolumeMenu"), !noVoice);
        // A name the catalogue does not hold leaves no entry behind.
        const TChoice* sources = SubMenu(menu, QStringLiteral("Источники"));
        QCOMPARE(int(sources->Children.size()), noAir ? 4 : 3);
        for (const TChoice& c : sources->Children)
            QVERIFY(c.Id != 0);
    }
};

QTEST_GUILESS_MAIN(THotMenusTest)
#include "tst_hotmenus.moc"
