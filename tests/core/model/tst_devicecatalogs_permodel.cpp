// Two device models of different devices alive at once each answer for their own device:
// flags, name, protocol list and current protocol, menu items and measured parameters, in
// the model and through an editor open on it; opening one leaves the other as it was.
#include "ImageKit.h"

#include "catalog/MeasuredParams.h"
#include "catalog/MenuItems.h"
#include "editing/EditorSession.h"
#include "editing/HotMenus.h"
#include "editing/SettingsEditor.h"

#include <QtTest>

namespace {

struct TDevice {
    uint16_t Version;
    uint32_t Variant;
    QString Protocol; // the entry the record selects
    int Code;
};

// Everything the model's catalogue answers, one line each.
QStringList Answers(const TMK& mk) {
    const TDeviceCatalog& c = mk.Catalog;
    QStringList protocols, items, params;
    for (const auto& p : c.Protocols())
        protocols << p->ProtName;
    for (const auto& item : c.MenuItems())
        items << item->Name;
    for (const auto& p : c.MeasParams())
        params << QString::number(p->Id) + QLatin1Char('=') + QLatin1String(p->ClassName());
    return {c.ProjectName(),
            QString::number(c.Flags().Caps().Bits) + QLatin1Char('/') +
                QString::number(c.Flags().Groups().Bits),
            protocols.join(u','),
            c.CurrentProtocol() ? c.CurrentProtocol()->ProtName : QString(),
            items.join(u','),
            params.join(u',')};
}

// What a fresh catalogue of the device answers.
QStringList Expected(const TDevice& d) {
    TMK fresh;
    DeclareDevice(fresh, d.Version, d.Variant, 8192, d.Protocol, d.Code);
    fresh.Catalog = TDeviceCatalog(d.Version, uint8_t(d.Variant));
    fresh.Catalog.SelectProtocol(ProtocolIndex(d.Version, d.Variant, d.Protocol, d.Code));
    return Answers(fresh);
}

} // namespace

Q_DECLARE_METATYPE(TDevice)

class TestDeviceCatalogsPerModel : public QObject {
    Q_OBJECT

private slots:
    void twoModelsAnswerForTheirOwnDevices_data();
    void twoModelsAnswerForTheirOwnDevices();
    void openingOneLeavesTheOther();
    void cancelledEditorRestoresTheProtocol();
};

void TestDeviceCatalogsPerModel::twoModelsAnswerForTheirOwnDevices_data() {
    QTest::addColumn<TDevice>("first");
    QTest::addColumn<TDevice>("second");
    // Air temperature and voice against the OBD2E device (no air, no voice, lights).
    QTest::newRow("factory / OBD2E")
        << TDevice{1, 1, QStringLiteral("M74"), 44} << TDevice{0x0601, 0, "OBD2E", 102};
    // Whole thousands against tenths on the service page; CAN units against none.
    QTest::newRow("CAN family / short service")
        << TDevice{0x8002, 0, "J1939", 14} << TDevice{0x0C01, 0, "Bosch", 63};
}

void TestDeviceCatalogsPerModel::twoModelsAnswerForTheirOwnDevices() {
    QFETCH(TDevice, first);
    QFETCH(TDevice, second);
    const QStringList firstExpected = Expected(first), secondExpected = Expected(second);
    QVERIFY(firstExpected != secondExpected);

    TMK a, b;
    DeclareDevice(a, first.Version, first.Variant, 8192, first.Protocol, first.Code);
    DeclareDevice(b, second.Version, second.Variant, 8192, second.Protocol, second.Code);
    a.RebuildProtocolList();
    b.RebuildProtocolList();
    QCOMPARE(Answers(a), firstExpected);
    QCOMPARE(Answers(b), secondExpected);

    // Editors open on both at once read each its own model's catalogue.
    TSettingsEditor ea(a), eb(b);
    ea.Show();
    eb.Show();
    QCOMPARE(ea.Flags(), a.Catalog.Flags());
    QCOMPARE(eb.Flags(), b.Catalog.Flags());
    QCOMPARE(ea.Protocol().ProtName, first.Protocol);
    QCOMPARE(eb.Protocol().ProtName, second.Protocol);
    QCOMPARE(ea.Items(QStringLiteral("cbProtocol")).join(u','), firstExpected[2]);
    QCOMPARE(eb.Items(QStringLiteral("cbProtocol")).join(u','), secondExpected[2]);
    for (uint16_t id : {uint16_t(30), uint16_t(38)})
        QCOMPARE(HotMenus::Caption(b.Catalog, id), b.Catalog.FindMenuItemById(id)->Caption);
    QCOMPARE(Answers(a), firstExpected);
    QCOMPARE(Answers(b), secondExpected);
}

// A carry's source and target, a write's fresh read beside the program's model: opening
// one for editing (and picking another protocol there) changes nothing the other answers.
void TestDeviceCatalogsPerModel::openingOneLeavesTheOther() {
    TMK program, other;
    DeclareDevice(program, 1, 1, 8192, QStringLiteral("M74"), 44);
    DeclareDevice(other, 0x0601, 0, 8192, "OBD2E", 102);
    program.RebuildProtocolList();
    const QStringList before = Answers(program);
    const QByteArray image = program.Image;
    QStringList during;
    const bool confirmed = other.EditSettings([&] {
        TSettingsEditor editor(other);
        editor.Show();
        editor.Put(QStringLiteral("cbProtocol"), 0);
        during = Answers(program);
        return true;
    });
    QVERIFY(confirmed);
    QCOMPARE(during, before);
    QCOMPARE(other.Catalog.CurrentProtocol(), other.Catalog.Protocols().front().get());
    QCOMPARE(Answers(program), before);
    QCOMPARE(program.Image, image);
    // Two fresh models each start from the default device, whatever was opened before.
    QCOMPARE(Answers(TMK()), Answers(TMK()));
    QCOMPARE(TMK().Catalog.ProjectName(), QStringLiteral("MK-0001"));
}

// Cancel restores the record, and the protocol the record selects with it.
void TestDeviceCatalogsPerModel::cancelledEditorRestoresTheProtocol() {
    TMK mk;
    DeclareDevice(mk, 1, 1, 8192, QStringLiteral("M74"), 44);
    QString picked;
    const bool confirmed = mk.EditSettings([&] {
        TSettingsEditor editor(mk);
        editor.Show();
        editor.Put(QStringLiteral("cbProtocol"), 0);
        picked = mk.Catalog.CurrentProtocol()->ProtName;
        return false;
    });
    QVERIFY(!confirmed);
    QVERIFY(picked != QStringLiteral("M74"));
    QCOMPARE(mk.Catalog.CurrentProtocol()->ProtName, QStringLiteral("M74"));
}

QTEST_GUILESS_MAIN(TestDeviceCatalogsPerModel)
#include "tst_devicecatalogs_permodel.moc"
