#include "catalog/MeasuredParams.h"
#include "model/DeviceModel.h"

#include <QLocale>
#include <QtTest>

namespace {

TDeviceFlags LightsFlags(bool noAirTemperature, bool hasLightsControl) {
    TDeviceFlags flags;
    flags.NoAirTemperature = noAirTemperature;
    flags.HasLightsControl = hasLightsControl;
    return flags;
}

std::unique_ptr<TMeasParBase> Make(TMeasParKind kind) {
    return CreateMeasPar(kind);
}

QString Right(const QString& text, int width) {
    return text.rightJustified(width, ' ');
}

} // namespace

class TestMeasPars : public QObject {
    Q_OBJECT

private slots:
    void buildDependsOnLightsFlags_data();
    void buildDependsOnLightsFlags();
    void buildOrderIsFixed();
    void unknownIdentifiersFindNothing_data();
    void unknownIdentifiersFindNothing();
    void deviceModelFindsAsTheListDoes();
    void everyClassKeepsItsIdentifierAndName();
    void momentaryExpenseWidensOnFirstPrepare();
    void prepareDataWritesRangeLabels_data();
    void prepareDataWritesRangeLabels();
    void prepareDataUsesLocaleDecimalPoint();
    void scaleToSpan_data();
    void scaleToSpan();
    void scaleToSpanSurvivesEmptyRange();
    void dialLabels_data();
    void dialLabels();
    void numericSampleTextsMatchSampleValues();
    void dialAndChartTextsExistWhereOffered();
    void lookAlikeLatinLettersAreKept();
    void onlyMomentaryExpenseHasDialMarker();
};

void TestMeasPars::buildDependsOnLightsFlags_data() {
    QTest::addColumn<bool>("noAirTemperature");
    QTest::addColumn<bool>("hasLightsControl");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("class11");
    QTest::addColumn<bool>("has34");

    QTest::newRow("neither") << false << false << 52 << "TTemperAir" << false;
    QTest::newRow("lights beside air") << false << true << 53 << "TTemperAir" << true;
    QTest::newRow("lights instead of air") << true << true << 52 << "TLightsFlag" << false;
    QTest::newRow("no air, no lights") << true << false << 51 << "" << false;
}

void TestMeasPars::buildDependsOnLightsFlags() {
    QFETCH(bool, noAirTemperature);
    QFETCH(bool, hasLightsControl);
    QFETCH(int, count);
    QFETCH(QString, class11);
    QFETCH(bool, has34);

    const TMeasParList list = BuildMeasParList(LightsFlags(noAirTemperature, hasLightsControl));
    QCOMPARE(int(list.size()), count);
    const TMeasParBase* p11 = FindMeasPar(list, 11);
    QCOMPARE(p11 ? QString::fromLatin1(p11->ClassName()) : QString(), class11);
    const TMeasParBase* p34 = FindMeasPar(list, 34);
    QCOMPARE(p34 != nullptr, has34);
    if (p34)
        QCOMPARE(p34->Kind(), TMeasParKind::TLightsFlag1);
    if (p11 && p11->Kind() == TMeasParKind::TLightsFlag)
        QCOMPARE(p11->Name, QStringLiteral("Упр.БСвет"));
}

void TestMeasPars::buildOrderIsFixed() {
    const TMeasParList list = BuildMeasParList(LightsFlags(false, true));
    QList<int> ids;
    for (const auto& p : list)
        ids << p->Id;
    const QList<int> expected = {12, 13, 16, 14, 15, 10, 8,  9,  7,  11, 17, 18, 19, 20,
                                 33, 21, 25, 26, 27, 28, 29, 24, 31, 30, 22, 23, 1,  5,
                                 4,  2,  3,  6,  32, 34, 35, 36, 37, 38, 39, 41, 42, 43,
                                 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54};
    QCOMPARE(ids, expected);
}

void TestMeasPars::unknownIdentifiersFindNothing_data() {
    QTest::addColumn<int>("id");
    QTest::newRow("0") << 0;
    QTest::newRow("40") << 40;
    QTest::newRow("55") << 55;
    QTest::newRow("255") << 255;
    QTest::newRow("negative") << -1;
}

void TestMeasPars::unknownIdentifiersFindNothing() {
    QFETCH(int, id);
    QVERIFY(!FindMeasPar(BuildMeasParList(LightsFlags(false, true)), id));
}

// A catalogue's index by identifier answers as a search of its list, identifiers outside a
// byte included, for shared lists and a list of flags no device has.
void TestMeasPars::deviceModelFindsAsTheListDoes() {
    for (const auto& [noAir, lights] :
         {std::pair{false, true}, {false, true}, {true, false}, {true, true}}) {
        const TDeviceCatalog catalog(LightsFlags(noAir, lights));
        for (int id = -2; id < 258; ++id) {
            const auto& list = catalog.MeasParams();
            const auto found =
                std::find_if(list.begin(), list.end(), [id](const auto& p) { return p->Id == id; });
            QCOMPARE(catalog.FindMeasParam(id), found == list.end() ? nullptr : found->get());
        }
    }
}

void TestMeasPars::everyClassKeepsItsIdentifierAndName() {
    QSet<int> ids;
    for (int k = 0; k < int(TMeasParKind::Count); ++k) {
        const auto p = Make(TMeasParKind(k));
        QVERIFY(p);
        QCOMPARE(p->Kind(), TMeasParKind(k));
        QVERIFY2(p->Id >= 1 && p->Id <= 54 && p->Id != 40, p->ClassName());
        QVERIFY2(!p->Name.isEmpty() && !p->Caption1.isEmpty() && !p->Label7.isEmpty(),
                 p->ClassName());
        QVERIFY2(p->MinText.isEmpty() && p->MaxText.isEmpty() && p->RangeExtended == 0,
                 p->ClassName());
        ids << p->Id;
    }
    QCOMPARE(ids.size(), 53); // 11 has two classes
}

void TestMeasPars::momentaryExpenseWidensOnFirstPrepare() {
    const auto p = Make(TMeasParKind::TMomentaryExpenseK);
    QCOMPARE(p->MaxValue, 240);
    QCOMPARE(p->DialMin, 0);
    QCOMPARE(p->DialMax, 24);
    QCOMPARE(p->RangeExtended, 0);
    p->PrepareData();
    QCOMPARE(p->MaxValue, 800);
    QCOMPARE(p->DialMin, 0);
    QCOMPARE(p->DialMax, 80);
    QCOMPARE(p->RangeExtended, 1);
    QCOMPARE(p->MinText, QStringLiteral("0.0"));
    QCOMPARE(p->MaxText, QStringLiteral("80.0"));
    // The other consumption value keeps its range.
    const auto h = Make(TMeasParKind::TMomentaryExpenseH);
    h->PrepareData();
    QCOMPARE(h->MaxValue, 800);
    QCOMPARE(h->RangeExtended, 0);
}

void TestMeasPars::prepareDataWritesRangeLabels_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("minText");
    QTest::addColumn<QString>("maxText");

    QTest::newRow("TUOZ") << int(TMeasParKind::TUOZ) << "-84.0"
                          << "84.0";
    QTest::newRow("TRevolutions") << int(TMeasParKind::TRevolutions) << "0"
                                  << "8000";
    QTest::newRow("TMAF") << int(TMeasParKind::TMAF) << "0.0"
                          << "240.0";
    QTest::newRow("TInjectionTime") << int(TMeasParKind::TInjectionTime) << "0.00"
                                    << "24.00";
    QTest::newRow("THVBCurrent") << int(TMeasParKind::THVBCurrent) << "-200.0"
                                 << "200.0";
    QTest::newRow("THVBChargeLimit") << int(TMeasParKind::THVBChargeLimit) << "-50"
                                     << "0";
    QTest::newRow("TTemperAir") << int(TMeasParKind::TTemperAir) << "-20"
                                << "60";
}

void TestMeasPars::prepareDataWritesRangeLabels() {
    QFETCH(int, kind);
    QFETCH(QString, minText);
    QFETCH(QString, maxText);
    const auto p = Make(TMeasParKind(kind));
    p->PrepareData();
    QCOMPARE(p->MinText, minText);
    QCOMPARE(p->MaxText, maxText);
}

void TestMeasPars::prepareDataUsesLocaleDecimalPoint() {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const auto p = Make(TMeasParKind::TUOZ);
    p->PrepareData();
    QLocale::setDefault(previous);
    QCOMPARE(p->MinText, QStringLiteral("-84,0"));
    QCOMPARE(p->MaxText, QStringLiteral("84,0"));
}

void TestMeasPars::scaleToSpan_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("scaled");

    const int rev = int(TMeasParKind::TRevolutions);
    const int uoz = int(TMeasParKind::TUOZ);
    QTest::newRow("max fills the span") << rev << 8000 << 100 << 100;
    QTest::newRow("below min") << rev << -5 << 100 << 0;
    QTest::newRow("above max") << rev << 9000 << 100 << 100;
    QTest::newRow("truncates") << rev << 2999 << 100 << 37;
    QTest::newRow("negative range start") << uoz << -840 << 170 << 0;
    QTest::newRow("middle of signed range") << uoz << 0 << 170 << 85;
    QTest::newRow("huge values do not overflow") << rev << 2000000000 << 1000000 << 1000000;
}

void TestMeasPars::scaleToSpan() {
    QFETCH(int, kind);
    QFETCH(int, value);
    QFETCH(int, span);
    QFETCH(int, scaled);
    QCOMPARE(Make(TMeasParKind(kind))->ScaleToSpan(value, span), scaled);
}

void TestMeasPars::scaleToSpanSurvivesEmptyRange() {
    const auto p = Make(TMeasParKind::TVelocity);
    p->MaxValue = p->MinValue;
    QCOMPARE(p->ScaleToSpan(60, 100), 0);
}

void TestMeasPars::dialLabels_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("divisions");
    QTest::addColumn<QList<int>>("labels");

    QTest::newRow("TUOZ right") << int(TMeasParKind::TUOZ) << 8
                                << QList<int>{-84, -63, -42, -21, 0, 21, 42, 63, 84};
    QTest::newRow("TRevolutions left")
        << int(TMeasParKind::TRevolutions) << 4 << QList<int>{0, 2, 4, 6, 8};
    QTest::newRow("TTemperAir left")
        << int(TMeasParKind::TTemperAir) << 4 << QList<int>{-20, 0, 20, 40, 60};
}

void TestMeasPars::dialLabels() {
    QFETCH(int, kind);
    QFETCH(int, divisions);
    QFETCH(QList<int>, labels);
    const std::vector<int> got = Make(TMeasParKind(kind))->DialLabels(divisions);
    QCOMPARE(QList<int>(got.begin(), got.end()), labels);
}

// Where the sample text is a number it must be the sample value as the MK prints it; a slip
// in either table cell shows here.
void TestMeasPars::numericSampleTextsMatchSampleValues() {
    using K = TMeasParKind;
    const QList<K> fixedLiterals = {
        K::TTripTime, K::TTripPath,   K::TTripExpense, K::TTripMomentaryExpenseK,
        K::TTime,     K::TLightsFlag, K::TLightsFlag1};
    const QList<K> plainIntegers = {K::TMomentaryExpenseH, K::THVBCurrent};
    for (int k = 0; k < int(K::Count); ++k) {
        const auto p = Make(K(k));
        if (fixedLiterals.contains(p->Kind()))
            continue;
        QString number;
        if (p->Decimals == 0 || plainIntegers.contains(p->Kind())) {
            number = QString::number(p->SampleValue);
        } else {
            double divisor = 1;
            for (int i = 0; i < p->Decimals; ++i)
                divisor *= 10;
            number = QString::number(p->SampleValue / divisor, 'f', p->Decimals);
        }
        const int width = p->Kind() == K::TInjectionTime ? 3 : p->Width;
        QString expected = Right(number, width);
        if (p->Kind() == K::TCorrLeft)
            expected += '-';
        if (p->Kind() == K::TCorrRight)
            expected += '+';
        QVERIFY2(
            p->SampleText == expected,
            qPrintable(
                QStringLiteral("%1: '%2' vs '%3'").arg(p->ClassName(), p->SampleText, expected)));
    }
}

void TestMeasPars::dialAndChartTextsExistWhereOffered() {
    for (int k = 0; k < int(TMeasParKind::Count); ++k) {
        const auto p = Make(TMeasParKind(k));
        QVERIFY2(p->DialKind >= 0 && p->DialKind <= 2, p->ClassName());
        if (p->DialKind != 0)
            QVERIFY2(!p->DialName.isEmpty() && p->DialMin < p->DialMax, p->ClassName());
        if (p->HasChart)
            QVERIFY2(!p->ChartLabel.isEmpty(), p->ClassName());
        QVERIFY2(p->MinValue < p->MaxValue, p->ClassName());
    }
}

void TestMeasPars::lookAlikeLatinLettersAreKept() {
    QCOMPARE(Make(TMeasParKind::TTemperAir)->Name4.at(0), QChar('T'));
    QCOMPARE(Make(TMeasParKind::TTemperAir)->Name.at(0), QChar(0x0422)); // Cyrillic in the name
    QCOMPARE(Make(TMeasParKind::TPressOilEngine)->Name4.at(0), QChar('P'));
    QVERIFY(Make(TMeasParKind::TWorkTimeEngine)->Name.contains(QChar('c')));
    QCOMPARE(Make(TMeasParKind::THVBCurrent)->Unit4, QStringLiteral("A"));
}

void TestMeasPars::onlyMomentaryExpenseHasDialMarker() {
    for (int k = 0; k < int(TMeasParKind::Count); ++k)
        QCOMPARE(Make(TMeasParKind(k))->HasDialMarker,
                 uint8_t(TMeasParKind(k) == TMeasParKind::TMomentaryExpenseK));
}

QTEST_GUILESS_MAIN(TestMeasPars)
#include "tst_measuredparams.moc"
