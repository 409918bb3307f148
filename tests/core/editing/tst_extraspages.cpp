// Pages "Унив.вход" and "Допсистемы" through the editor's model: the name, the ADC
// refusal, the block catalogue, double clicks and the two "Показывать" groups.
#include "PagesKit.h"

#include "base/MKError.h"
#include "catalog/Protocols.h"
#include "editing/BlockChoice.h"

#include <QtTest>

namespace {

// Index into the model's protocol list of the first protocol whose block list passes `want`.
int ProtocolWhere(const TMK& mk, const std::function<bool(const TProtBase&)>& want) {
    const auto& protocols = mk.Catalog.Protocols();
    for (std::size_t i = 0; i < protocols.size(); ++i)
        if (want(*protocols[i]))
            return int(i);
    return -1;
}

int Row(const std::vector<TAddSystem>& list, const QString& name) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].Name == name)
            return int(i) + 1;
    return -1;
}

QByteArray Blocks(const TPagesKit& kit) {
    QByteArray bytes;
    for (int i = 0; i < 32; ++i)
        bytes.append(char(kit.Field("Blocks", i)));
    return bytes;
}

} // namespace

class TExtrasPagesTest : public QObject {
    Q_OBJECT
private slots:
    void InputName() {
        TPagesKit kit;
        char* field = kit.Mk.Record.ServiceSettings.UniMeasStr;
        field[6] = 'x';
        kit.Editor->Put("eUniMeasStr", QStringLiteral("Давлен"));
        QCOMPARE(QByteArray(field, 7),
                 QByteArray("\xc4\xe0\xe2\xeb\xe5\xed\0", 7)); // code page 1251
        field[6] = 'x';
        kit.Editor->Reload("eUniMeasStr");
        QCOMPARE(kit.Editor->Shown("eUniMeasStr").toString(), QStringLiteral("Давлен"));
        QVERIFY_THROWS_EXCEPTION(TRangeError,
                                 kit.Editor->Put("eUniMeasStr", QStringLiteral("Давление")));
    }

    void EqualAdcRefused() {
        TPagesKit kit;
        kit.Editor->Put("seUniMeasADC1", 100);
        kit.Editor->Put("seUniMeasADC0", 512);
        QCOMPARE(kit.Field("UniMeasADC0"), 512);
        try {
            kit.Editor->Put("seUniMeasADC1", 512);
            QFAIL("equal counts stored");
        } catch (const TMKError& e) {
            QCOMPARE(e.Text(), QStringLiteral("Значения АЦП Мин и Макс должны различаться."));
        }
        QCOMPARE(kit.Field("UniMeasADC0"), 512);
        QCOMPARE(kit.Field("UniMeasADC1"), 100);
        QCOMPARE(kit.Editor->Shown("seUniMeasADC1").toInt(), 100);
        kit.Editor->Put("seUniMeasADC1", 1023);
        QCOMPARE(kit.Field("UniMeasADC1"), 1023);
    }

    void Catalogue_data() {
        QTest::addColumn<bool>("can");
        QTest::addColumn<bool>("j1939");
        QTest::addColumn<int>("entries");
        QTest::addColumn<int>("first");
        QTest::newRow("no CAN blocks") << false << true << 29 << 8;
        QTest::newRow("CAN blocks") << true << false << 122 << 8;
        QTest::newRow("both") << true << true << 123 << 93;
    }
    void Catalogue() {
        QFETCH(bool, can);
        QFETCH(bool, j1939);
        QFETCH(int, entries);
        QFETCH(int, first);
        TPagesKit kit({}, [=](TDeviceFlags& f) {
            f.HasCanBlocks = can;
            f.J1939Extended = j1939;
        });
        const auto catalogue = BlockChoice::Catalogue(*kit.Editor);
        QCOMPARE(int(catalogue.size()), entries);
        QCOMPARE(int(catalogue.front().Id), first);
    }

    void DoubleClicks() {
        TPagesKit kit;
        const auto catalogue = BlockChoice::Catalogue(*kit.Editor);
        const QByteArray before = Blocks(kit);
        const int abs = Row(catalogue, QStringLiteral("ABS 5.3"));
        QVERIFY(!BlockChoice::LeftDoubleClick(*kit.Editor, catalogue, 0));
        QVERIFY(BlockChoice::LeftDoubleClick(*kit.Editor, catalogue, abs));
        QCOMPARE(kit.Field("Blocks", 2), before[2] ^ 0x20);
        QVERIFY(BlockChoice::Chosen(kit.Mk, 21));
        BlockChoice::LeftDoubleClick(*kit.Editor, catalogue, abs);
        QCOMPARE(Blocks(kit), before);

        // The right grid lists the chosen ones in catalogue order; a double click drops one.
        BlockChoice::LeftDoubleClick(*kit.Editor, catalogue, abs);
        BlockChoice::LeftDoubleClick(*kit.Editor, catalogue, 1);
        auto chosen = BlockChoice::ChosenEntries(kit.Mk, catalogue);
        const int absChosen = Row(chosen, QStringLiteral("ABS 5.3"));
        QVERIFY(Row(chosen, catalogue.front().Name) < absChosen);
        QVERIFY(!BlockChoice::RightDoubleClick(*kit.Editor, catalogue, int(chosen.size()) + 1));
        QVERIFY(BlockChoice::RightDoubleClick(*kit.Editor, catalogue, absChosen));
        QVERIFY(!BlockChoice::Chosen(kit.Mk, 21));
        QVERIFY(BlockChoice::Chosen(kit.Mk, catalogue.front().Id));
    }

    void ShowGroupActsOnlyOnThePage() {
        TPagesKit kit(WithField("Blocks", 0x80));
        const QByteArray before = Blocks(kit);
        kit.Editor->Put(BlockChoice::ShowName, BlockChoice::ShowAll);
        QCOMPARE(Blocks(kit), before);
        BlockChoice::Enter(*kit.Editor);
        QVERIFY(kit.Editor->BlocksPageActive);
        QCOMPARE(kit.Editor->Shown(BlockChoice::ViewName).toInt(), 1);
        kit.Editor->Put(BlockChoice::ShowName, BlockChoice::ShowAll);
        for (const TAddSystem& s : BlockChoice::Catalogue(*kit.Editor))
            QVERIFY(BlockChoice::Chosen(kit.Mk, s.Id));
        QCOMPARE(kit.Field("Blocks", 0), 0x80);
        BlockChoice::Leave(*kit.Editor);
        kit.Editor->Put(BlockChoice::ViewName, 0);
        QCOMPARE(kit.Field("Blocks", 0), 0x80);
    }

    void ShowProtocol_data() {
        QTest::addColumn<bool>("withBlocks");
        QTest::newRow("no blocks") << false;
        QTest::newRow("some blocks") << true;
    }
    void ShowProtocol() {
        QFETCH(bool, withBlocks);
        TPagesKit kit(WithField("Blocks", 0x7e));
        const int index = ProtocolWhere(
            kit.Mk, [=](const TProtBase& p) { return (p.BlockCount > 0) == withBlocks; });
        QVERIFY(index >= 0);
        kit.Mk.Catalog.SelectProtocol(index);
        const auto catalogue = BlockChoice::Catalogue(*kit.Editor);
        for (const TAddSystem& s : catalogue)
            BlockChoice::SetChosen(kit.Mk, s.Id, true);
        BlockChoice::Enter(*kit.Editor);
        kit.Editor->Put(BlockChoice::ShowName, BlockChoice::ShowProtocol);
        int chosen = 0;
        for (const TAddSystem& s : catalogue) {
            QCOMPARE(BlockChoice::Chosen(kit.Mk, s.Id), kit.Editor->Protocol().HasBlock(s.Id));
            chosen += BlockChoice::Chosen(kit.Mk, s.Id);
        }
        QCOMPARE(chosen > 0, withBlocks);
        QCOMPARE(kit.Field("Blocks", 0), 1); // bits 2-6 cleared, bit 7 kept clear
    }

    void ShowBytes_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("byte0");
        QTest::newRow("connected") << BlockChoice::ShowName << 2 << 0x82;
        QTest::newRow("by types") << BlockChoice::ViewName << 1 << 0x81;
        QTest::newRow("as a list") << BlockChoice::ViewName << 0 << 0x01;
    }
    void ShowBytes() {
        QFETCH(QString, group);
        QFETCH(int, item);
        QFETCH(int, byte0);
        TPagesKit kit(WithField("Blocks", 0xfd));
        const QByteArray before = Blocks(kit).mid(1);
        BlockChoice::Enter(*kit.Editor);
        QCOMPARE(kit.Editor->Shown(BlockChoice::ShowName).toInt(), 1);
        kit.Editor->Put(group, item);
        QCOMPARE(kit.Field("Blocks", 0), byte0);
        QCOMPARE(Blocks(kit).mid(1), before);
    }
};

QTEST_GUILESS_MAIN(TExtrasPagesTest)
#include "tst_extraspages.moc"
