// The MK screen compositions: where each one puts its texts, fills, lines and pictures.
#include "PreviewKit.h"
#include "catalog/MeasuredParams.h"

#include <QtTest>
#include <cstring>

namespace {

using R = TMKPreview;

const QRgb Black = qRgb(0, 0, 0);

// Label points of the dial scales (relative to a dial centre, y up).
constexpr QPoint LabelPoints[9] = {{-51, -70}, {-83, -27}, {-83, 27}, {-51, 70}, {0, 87},
                                   {51, 70},   {83, 27},   {83, -27}, {51, -70}};

void Compose(TMKPreview& p, const QString& screen) {
    static const uint8_t four[4] = {12, 13, 16, 17};
    static const uint8_t six[6] = {12, 17, 13, 10, 8, 9};
    static const uint8_t seven[7] = {12, 13, 16, 17, 11, 10, 7};
    static const uint8_t nine[9] = {12, 13, 16, 17, 1, 4, 11, 10, 7};
    if (screen == QLatin1String("one"))
        p.PreviewOneValue(12);
    else if (screen == QLatin1String("four"))
        p.PreviewFourValues(four);
    else if (screen == QLatin1String("six"))
        p.PreviewSixValues(six);
    else if (screen == QLatin1String("seven"))
        p.PreviewSevenRows(seven);
    else if (screen == QLatin1String("nine"))
        p.PreviewNineValues(nine);
    else if (screen == QLatin1String("dials"))
        p.PreviewDials(14, 12);
    else if (screen == QLatin1String("graph"))
        p.PreviewGraph(14, 13);
    else
        p.PreviewMenu();
}

const QStringList AllScreens = {"one", "four", "six", "seven", "nine", "dials", "graph", "menu"};

} // namespace

class TestPreviewScreens : public QObject {
    Q_OBJECT
private slots:
    void init();
    void oneValueShowsSampleAndCaption();
    void oneValueBarFollowsTheSample_data();
    void oneValueBarFollowsTheSample();
    void oneValueWithoutBarFlagHasNoBar();
    void missingParameterLeavesItsPlaceBlack();
    void fourValues_data();
    void fourValues();
    void nineValues_data();
    void nineValues();
    void sixValues_data();
    void sixValues();
    void sevenRowsAlternateAndAlignRight();
    void menuShowsItsItems();
    void dialScalesAndPointers_data();
    void dialScalesAndPointers();
    void dialWithoutParameterIsLeftOut();
    void graphWithTwoParameters();
    void graphWithOneParameterUsesTheWholePlot();
    void previewsUseTheUserTable();
    void screensDoNotDependOnEarlierDrawing_data();
    void screensDoNotDependOnEarlierDrawing();
    void hostileDisplaySettingsDrawSafely();

private:
    QRgb Role(int role) const { return RoleRgb(*MK, role); }
    const QImage& Surface() const { return MK->Preview->PreviewSurface; }
    // The descriptor as the preview draws it.
    const TMeasParBase& Param(int id) {
        return *(Drawn[id] = MK->Catalog.FindMeasParam(id)->Prepared());
    }
    std::map<int, std::unique_ptr<TMeasParBase>> Drawn;

    std::unique_ptr<TMK> MK;
    TMKPreview* P = nullptr;
};

void TestPreviewScreens::init() {
    MK = std::make_unique<TMK>();
    P = MK->Preview.get();
    UseDistinctColours(*MK);
}

void TestPreviewScreens::oneValueShowsSampleAndCaption() {
    P->PreviewOneValue(13); // "2000", "Обороты двиг,об/мин", 0..8000
    const QImage& s = Surface();
    QVERIFY(AreaIs(s, QRect(0, 0, 80, 120), Role(R::RoleValueBack)));
    QVERIFY(ShowsText(s, (320 - 4 * 40) / 2, 20, Font40x80, QStringLiteral("2000"),
                      Role(R::RoleValueText), Role(R::RoleValueBack)));
    QVERIFY(ShowsText(s, 8, 128, Font16x32, QStringLiteral("Обороты двиг,об/мин"),
                      Role(R::RoleCaptionText), Role(R::RoleCaptionBack)));
    QVERIFY(ShowsText(s, 8, 160, Font16x32, QStringLiteral("0"), Role(R::RoleCaptionText),
                      Role(R::RoleCaptionBack)));
    QVERIFY(ShowsText(s, 320 - 8 - 4 * 16, 160, Font16x32, QStringLiteral("8000"),
                      Role(R::RoleCaptionText), Role(R::RoleCaptionBack)));
    // The bar's frame: top, bottom and right edge.
    QVERIFY(AreaIs(s, QRect(8, 192, 305, 1), Role(R::RoleCaptionText)));
    QVERIFY(AreaIs(s, QRect(8, 223, 305, 1), Role(R::RoleCaptionText)));
    QVERIFY(AreaIs(s, QRect(312, 192, 1, 32), Role(R::RoleCaptionText)));
    QVERIFY(AreaIs(s, QRect(313, 120, 7, 120), Role(R::RoleCaptionBack)));
}

void TestPreviewScreens::oneValueBarFollowsTheSample_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("sample"); // -1: the descriptor's own
    QTest::addColumn<int>("length");
    QTest::newRow("speed 60 of 240") << 12 << -1 << 76;
    QTest::newRow("tank 20 of 50") << 8 << -1 << 121;
    QTest::newRow("ignition -84..84") << 25 << -1 << 170;
    QTest::newRow("above the range") << 12 << 1000 << 304;
    QTest::newRow("at the maximum") << 12 << 240 << 304;
    QTest::newRow("below the range") << 25 << -2000 << 0;
}

void TestPreviewScreens::oneValueBarFollowsTheSample() {
    QFETCH(int, id);
    QFETCH(int, sample);
    QFETCH(int, length);
    if (sample != -1) {
        std::shared_ptr<TMeasParBase> param = MK->Catalog.FindMeasParam(id)->Prepared();
        param->SampleValue = sample;
        MK->Catalog.ReplaceMeasParam(std::move(param));
    }
    P->PreviewOneValue(id);
    const QImage& s = Surface();
    QVERIFY(AreaIs(s, QRect(8, 193, length + 1, 30), Role(R::RoleCaptionText)));
    if (length < 304)
        QVERIFY(
            AreaIs(s, QRect(8 + length + 1, 193, 304 - length - 1, 30), Role(R::RoleCaptionBack)));
    // Nothing runs past the frame.
    QVERIFY(AreaIs(s, QRect(313, 193, 7, 30), Role(R::RoleCaptionBack)));
}

void TestPreviewScreens::oneValueWithoutBarFlagHasNoBar() {
    P->PreviewOneValue(1); // trip time
    QVERIFY(AreaIs(Surface(), QRect(0, 192, 320, 48), Role(R::RoleCaptionBack)));
    QVERIFY(ShowsText(Surface(), 8, 128, Font16x32, QStringLiteral("Время/Поез."),
                      Role(R::RoleCaptionText), Role(R::RoleCaptionBack)));
}

void TestPreviewScreens::missingParameterLeavesItsPlaceBlack() {
    P->PreviewOneValue(40);
    QVERIFY(AreaIs(Surface(), Surface().rect(), Black));

    const uint8_t four[4] = {0, 12, 0, 0};
    P->PreviewFourValues(four);
    QVERIFY(AreaIs(Surface(), QRect(0, 0, 159, 119), Black));
    QVERIFY(AreaIs(Surface(), QRect(0, 120, 159, 120), Black));
    QVERIFY(AreaIs(Surface(), QRect(159, 0, 1, 240), Role(R::RoleDivider)));
    QVERIFY(!AreaIs(Surface(), QRect(160, 0, 160, 119), Black));
}

void TestPreviewScreens::fourValues_data() {
    QTest::addColumn<int>("dispVar");
    QTest::addColumn<int>("quadrant");
    QTest::addColumn<bool>("valueInCaptionColours");
    QTest::addColumn<bool>("captionInValueColours");
    for (int q = 0; q < 4; ++q)
        QTest::addRow("plain %d", q) << 0 << q << false << false;
    QTest::newRow("chequered 0") << 1 << 0 << false << true;
    QTest::newRow("chequered 1") << 1 << 1 << true << false;
    QTest::newRow("chequered 2") << 2 << 2 << true << false;
    QTest::newRow("chequered 3") << 1 << 3 << false << true;
}

void TestPreviewScreens::fourValues() {
    QFETCH(int, dispVar);
    QFETCH(int, quadrant);
    QFETCH(bool, valueInCaptionColours);
    QFETCH(bool, captionInValueColours);
    MK->Record.DisplaySettings.DispVar4 = uint8_t(dispVar);
    const uint8_t ids[4] = {12, 13, 16, 17};
    P->PreviewFourValues(ids);
    const QImage& s = Surface();
    const TMeasParBase& param = Param(ids[quadrant]);
    const int x0 = (quadrant % 2) * 160, y0 = (quadrant / 2) * 120;
    const QRgb valueFore = Role(valueInCaptionColours ? R::RoleCaptionText : R::RoleValueText);
    const QRgb valueBack = Role(valueInCaptionColours ? R::RoleCaptionBack : R::RoleValueBack);
    const QRgb captionFore = Role(captionInValueColours ? R::RoleValueText : R::RoleCaptionText);
    const QRgb captionBack = Role(captionInValueColours ? R::RoleValueBack : R::RoleCaptionBack);
    QCOMPARE(s.pixel(x0 + 2, y0 + 2), valueBack);
    QCOMPARE(s.pixel(x0 + 150, y0 + 66), captionBack);
    QCOMPARE(s.pixel(x0 + 150, y0 + 118), captionBack);
    const int sampleX = x0 + (160 - int(param.SampleText.size()) * 32) / 2;
    QVERIFY(ShowsText(s, sampleX, y0, Font32x64, param.SampleText, valueFore, valueBack));
    // The unit is written over the name's last rows; dividers run along the edges.
    QVERIFY(ShowsText(s, x0 + 8, y0 + 64, Font16x32, param.Name4, captionFore, captionBack,
                      QRect(x0, y0 + 64, 159, 24)));
    QVERIFY(ShowsText(s, x0 + 8, y0 + 88, Font16x32, param.Unit4, captionFore, captionBack,
                      QRect(x0, y0, 159, 119)));
    QVERIFY(AreaIs(s, QRect(159, 0, 1, 240), Role(R::RoleDivider)));
    QVERIFY(AreaIs(s, QRect(0, 119, 320, 1), Role(R::RoleDivider)));
    QCOMPARE(CountColour(s, QRect(158, 0, 1, 240), Role(R::RoleDivider)), 1);
}

void TestPreviewScreens::nineValues_data() {
    QTest::addColumn<int>("dispVar");
    QTest::addColumn<int>("cell");
    for (int a = 0; a < 9; ++a)
        QTest::addRow("plain %d", a) << 0 << a;
    for (int a = 0; a < 9; ++a)
        QTest::addRow("chequered %d", a) << 1 << a;
}

void TestPreviewScreens::nineValues() {
    QFETCH(int, dispVar);
    QFETCH(int, cell);
    MK->Record.DisplaySettings.DispVar9 = uint8_t(dispVar);
    const uint8_t ids[9] = {12, 13, 16, 17, 1, 4, 11, 10, 7};
    P->PreviewNineValues(ids);
    const QImage& s = Surface();
    const TMeasParBase& param = Param(ids[cell]);
    const bool odd = cell % 2 != 0;
    const bool valueInCaption = dispVar && odd, captionInValue = dispVar && !odd;
    const QRgb valueFore = Role(valueInCaption ? R::RoleCaptionText : R::RoleValueText);
    const QRgb valueBack = Role(valueInCaption ? R::RoleCaptionBack : R::RoleValueBack);
    const QRgb captionFore = Role(captionInValue ? R::RoleValueText : R::RoleCaptionText);
    const QRgb captionBack = Role(captionInValue ? R::RoleValueBack : R::RoleCaptionBack);
    const int x0 = (cell % 3) * 106, y0 = (cell / 3) * 80;
    QCOMPARE(s.pixel(x0 + 2, y0 + 2), valueBack);
    QCOMPARE(s.pixel(x0 + 104, y0 + 78), captionBack);
    QVERIFY(ShowsText(s, x0 + (106 - int(param.SampleText.size()) * 16) / 2, y0 + 8, Font16x32,
                      param.SampleText, valueFore, valueBack));
    const QRect insideDividers(x0, y0, 106, 79);
    QVERIFY(ShowsText(s, x0 + 4, y0 + 48, Font8x16, param.Name9, captionFore, captionBack,
                      insideDividers));
    QVERIFY(ShowsText(s, x0 + 4, y0 + 64, Font8x16, param.Unit9, captionFore, captionBack,
                      insideDividers));
    for (const int x : {106, 212, 319})
        QVERIFY(AreaIs(s, QRect(x, 0, 1, 240), Role(R::RoleDivider)));
    for (const int y : {79, 159, 239})
        QVERIFY(AreaIs(s, QRect(0, y, 320, 1), Role(R::RoleDivider)));
}

void TestPreviewScreens::sixValues_data() {
    QTest::addColumn<int>("dispVar");
    QTest::newRow("plain") << 0;
    QTest::newRow("chequered") << 1;
}

void TestPreviewScreens::sixValues() {
    QFETCH(int, dispVar);
    MK->Record.DisplaySettings.DispVar9 = uint8_t(dispVar);
    const uint8_t ids[6] = {12, 17, 13, 10, 8, 9};
    P->PreviewSixValues(ids);
    const QImage& s = Surface();
    const QRgb largeCaptionBack = Role(dispVar ? R::RoleValueBack : R::RoleCaptionBack);
    const QRgb largeCaptionFore = Role(dispVar ? R::RoleValueText : R::RoleCaptionText);
    QCOMPARE(s.pixel(1, 1), Role(R::RoleValueBack));
    QVERIFY(ShowsText(s, (213 - 3 * 40) / 2, 5, Font40x80, QStringLiteral(" 60"),
                      Role(R::RoleValueText), Role(R::RoleValueBack)));
    QCOMPARE(s.pixel(200, 100), largeCaptionBack);
    QVERIFY(ShowsText(s, 8, 96, Font16x32, QStringLiteral("Скорость"), largeCaptionFore,
                      largeCaptionBack));
    QVERIFY(ShowsText(s, 8, 128, Font16x32, QStringLiteral("км/час"), largeCaptionFore,
                      largeCaptionBack, QRect(0, 90, 212, 69)));
    // The five small values sit in cells 2, 5, 6, 7 and 8 of the nine-value grid.
    const int cells[5] = {2, 5, 6, 7, 8};
    for (int i = 0; i < 5; ++i) {
        const TMeasParBase& param = Param(ids[i + 1]);
        const int a = cells[i], x0 = (a % 3) * 106, y0 = (a / 3) * 80;
        const bool valueInCaption = dispVar && a % 2 != 0;
        QVERIFY2(ShowsText(s, x0 + (106 - int(param.SampleText.size()) * 16) / 2, y0 + 8, Font16x32,
                           param.SampleText,
                           Role(valueInCaption ? R::RoleCaptionText : R::RoleValueText),
                           Role(valueInCaption ? R::RoleCaptionBack : R::RoleValueBack)),
                 qPrintable(QString::number(a)));
    }
    const QRgb divider = Role(R::RoleDivider);
    QVERIFY(AreaIs(s, QRect(106, 160, 1, 80), divider));
    QVERIFY(s.pixel(106, 100) != divider);
    QVERIFY(AreaIs(s, QRect(212, 0, 1, 240), divider));
    QVERIFY(AreaIs(s, QRect(213, 79, 107, 1), divider));
    QVERIFY(s.pixel(100, 79) != divider);
    QVERIFY(AreaIs(s, QRect(0, 159, 320, 1), divider));
    QCOMPARE(CountColour(s, QRect(0, 239, 320, 1), divider), 2);
}

void TestPreviewScreens::sevenRowsAlternateAndAlignRight() {
    const uint8_t ids[7] = {12, 13, 16, 17, 11, 10, 7};
    P->PreviewSevenRows(ids);
    const QImage& s = Surface();
    QVERIFY(AreaIs(s, QRect(0, 0, 320, 8), Black));
    QVERIFY(AreaIs(s, QRect(0, 232, 320, 8), Black));
    for (int row = 0; row < 7; ++row) {
        const TMeasParBase& param = Param(ids[row]);
        const bool odd = row % 2 != 0;
        const QRgb fore = Role(odd ? R::RoleCaptionText : R::RoleValueText);
        const QRgb back = Role(odd ? R::RoleCaptionBack : R::RoleValueBack);
        const int y = 8 + 32 * row;
        QCOMPARE(s.pixel(240, y + 1), back);
        QVERIFY(ShowsText(s, 0, y, Font16x32, param.Label7, fore, back));
        const int length = int(param.SampleText.size());
        QVERIFY(ShowsText(s, (20 - length) * 16, y, Font16x32, param.SampleText, fore, back));
    }
}

void TestPreviewScreens::menuShowsItsItems() {
    P->PreviewMenu();
    const QImage& s = Surface();
    const QString items[7] = {"Заправлено л      0", "Теперь в баке л  50", "Заправка до полн.  ",
                              "Вентилятор     Откл", "% на впрыск     Вкл", "Сушка свечей       ",
                              "Сброс ЭБУ          "};
    QVERIFY(AreaIs(s, QRect(0, 0, 320, 8), Black));
    QVERIFY(AreaIs(s, QRect(0, 232, 320, 8), Black));
    for (int i = 0; i < 7; ++i) {
        const int y = 8 + 32 * i;
        const int fore = i == 0  ? R::RoleMenuActiveText
                         : i % 2 ? R::RoleCaptionText
                                 : R::RoleValueText;
        const int back = i == 0  ? R::RoleMenuActiveBack
                         : i % 2 ? R::RoleCaptionBack
                                 : R::RoleValueBack;
        QVERIFY(ShowsText(s, 16, y, Font16x32, items[i], Role(fore), Role(back)));
        QVERIFY(
            ShowsText(s, 0, y, Font16x32, QString::number(i), Role(R::RoleMenuNumber), Role(back)));
    }
}

void TestPreviewScreens::dialScalesAndPointers_data() {
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<QStringList>("leftLabels");
    QTest::addColumn<QStringList>("rightLabels");
    QTest::addColumn<bool>("extended");
    const QStringList speed = {"0", "30", "60", "90", "120", "150", "180", "210", "240"};
    QTest::newRow("revolutions, speed")
        << 13 << 12 << QStringList{"0", "2", "4", "6", "8"} << speed << false;
    QTest::newRow("consumption, speed")
        << 14 << 12 << QStringList{"0", "20", "40", "60", "80"} << speed << true;
    QTest::newRow("air temperature, ignition")
        << 11 << 25 << QStringList{"-20", "0", "20", "40", "60"}
        << QStringList{"-84", "-63", "-42", "-21", "0", "21", "42", "63", "84"} << false;
}

void TestPreviewScreens::dialScalesAndPointers() {
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(QStringList, leftLabels);
    QFETCH(QStringList, rightLabels);
    QFETCH(bool, extended);
    P->PreviewDials(left, right);
    const QImage& s = Surface();
    const QRgb leftScale = Role(extended ? R::RoleLeftScaleExtended : R::RoleLeftScale);
    QCOMPARE(s.pixel(319, 0), Role(R::RoleDialAreaBack));
    QCOMPARE(s.pixel(160, 199), Role(R::RoleDialAreaBack));
    QCOMPARE(s.pixel(99, 150), Role(R::RoleLeftDisc));
    QCOMPARE(s.pixel(220, 150), Role(R::RoleRightDisc));
    // Scale numbers centred on their label points, then the scales on the arc.
    for (int i = 0; i < 5; ++i) {
        const QString& text = leftLabels[i];
        const QPoint c(99 + LabelPoints[i].x(), 99 - LabelPoints[i].y());
        QVERIFY2(ShowsText(s, c.x() - int(text.size()) * 4, c.y() - 8, Font8x16, text, leftScale,
                           Role(R::RoleLeftDisc), QRect(), true),
                 qPrintable(text));
    }
    for (int i = 0; i < 9; ++i) {
        const QString& text = rightLabels[i];
        const QPoint c(220 + LabelPoints[i].x(), 99 - LabelPoints[i].y());
        QVERIFY2(ShowsText(s, c.x() - int(text.size()) * 4, c.y() - 8, Font8x16, text,
                           Role(R::RoleRightScale), Role(R::RoleRightDisc), QRect(), true),
                 qPrintable(text));
    }
    QCOMPARE(s.pixel(26, 99), leftScale);
    QCOMPARE(s.pixel(99, 26), leftScale);
    QCOMPARE(s.pixel(293, 99), Role(R::RoleRightScale));
    // Needles from the hubs to the left, and the marker of the consumption dial.
    QCOMPARE(s.pixel(99, 99), Role(R::RoleLeftPointer));
    QCOMPARE(s.pixel(50, 99), Role(R::RoleLeftPointer));
    QCOMPARE(s.pixel(220, 99), Role(R::RoleRightPointer));
    QCOMPARE(s.pixel(170, 99), Role(R::RoleRightPointer));
    QCOMPARE(s.pixel(44, 80), extended ? leftScale : Role(R::RoleLeftDisc));
    // The text band under the dials.
    const QRgb bandText = Role(R::RoleDialBandText), bandBack = Role(R::RoleDialBandBack);
    QVERIFY(AreaIs(s, QRect(0, 232, 320, 8), bandBack));
    QVERIFY(ShowsText(s, 32, 200, Font8x16, Param(left).DialName, bandText, bandBack));
    QVERIFY(ShowsText(s, 32, 216, Font8x16, Param(left).DialUnit, bandText, bandBack));
    QVERIFY(ShowsText(s, 192, 200, Font8x16, Param(right).DialName, bandText, bandBack));
    QVERIFY(ShowsText(s, 192, 216, Font8x16, Param(right).DialUnit, bandText, bandBack));
}

void TestPreviewScreens::dialWithoutParameterIsLeftOut() {
    P->PreviewDials(0, 12);
    const QImage& s = Surface();
    for (const QPoint p : {QPoint(99, 150), QPoint(26, 99), QPoint(50, 99), QPoint(44, 80)})
        QCOMPARE(s.pixel(p), Role(R::RoleDialAreaBack));
    QCOMPARE(s.pixel(220, 150), Role(R::RoleRightDisc));
    QCOMPARE(s.pixel(170, 99), Role(R::RoleRightPointer));
    QVERIFY(AreaIs(s, QRect(0, 200, 160, 40), Role(R::RoleDialBandBack)));
}

void TestPreviewScreens::graphWithTwoParameters() {
    P->PreviewGraph(14, 13);
    const QImage& s = Surface();
    const TMeasParBase& first = Param(14);
    const TMeasParBase& second = Param(13);
    const QRgb axes = Role(R::RoleGraphAxes), back = Role(R::RoleGraphBack);
    const QRgb one = Role(R::RoleGraphFirst), two = Role(R::RoleGraphSecond);
    const QRgb band = Role(R::RoleGraphBandBack);
    QCOMPARE(s.pixel(300, 150), back);
    for (const int y : {1, 92, 176})
        QVERIFY(AreaIs(s, QRect(2, y, 261, 1), axes));
    for (const int x : {2, 262})
        QVERIFY(AreaIs(s, QRect(x, 1, 1, 176), axes));
    QVERIFY(ShowsText(s, 56, 180, Font8x16, QStringLiteral("15:25:00"), axes, back));
    QVERIFY(ShowsText(s, 143, 180, Font8x16, QStringLiteral("15:25:30"), axes, back));
    QVERIFY(ShowsText(s, 230, 180, Font8x16, QStringLiteral("15:26:00"), axes, back));
    // Each curve stays in its zone and ends at the sample value.
    QVERIFY(CountColour(s, QRect(3, 2, 259, 83), one) >= 259);
    QCOMPARE(CountColour(s, QRect(0, 85, 263, 115), one), 0);
    QVERIFY(CountColour(s, QRect(3, 93, 259, 83), two) >= 259);
    QCOMPARE(CountColour(s, QRect(0, 0, 263, 92), two), 0);
    QCOMPARE(s.pixel(261, 82 - first.ScaleToSpan(first.SampleValue, 79)), one);
    QCOMPARE(s.pixel(261, 174 - second.ScaleToSpan(second.SampleValue, 80)), two);
    // Range texts beside the plot.
    QVERIFY(ShowsText(s, 320 - 5 * 8 - 2, 1, Font8x16, first.MaxText, one, back));
    QVERIFY(ShowsText(s, 320 - 5 * 8 - 2, 68, Font8x16, first.MinText, one, back));
    QVERIFY(ShowsText(s, 320 - 4 * 8 - 2, 92, Font8x16, second.MaxText, two, back));
    QVERIFY(ShowsText(s, 320 - 4 * 8 - 2, 160, Font8x16, second.MinText, two, back));
    // The text band.
    QVERIFY(ShowsText(s, 0, 200, Font8x16, first.SampleText, one, band));
    QVERIFY(ShowsText(s, 15 * 8, 200, Font8x16, QStringLiteral("  1c"), one, band));
    QVERIFY(ShowsText(s, 0, 216, Font8x16, first.ChartLabel, one, band));
    QVERIFY(ShowsText(s, 320 - int(second.SampleText.size()) * 8, 200, Font8x16, second.SampleText,
                      two, band));
    QVERIFY(ShowsText(s, 320 - int(second.ChartLabel.size()) * 8, 216, Font8x16, second.ChartLabel,
                      two, band));
    QVERIFY(ShowsText(s, 21 * 8, 200, Font8x16, QStringLiteral("  1c"), two, band));
    QVERIFY(AreaIs(s, QRect(0, 232, 320, 8), band));
}

void TestPreviewScreens::graphWithOneParameterUsesTheWholePlot() {
    P->PreviewGraph(12, 0);
    const QImage& s = Surface();
    const TMeasParBase& first = Param(12);
    const QRgb one = Role(R::RoleGraphFirst), back = Role(R::RoleGraphBack);
    QCOMPARE(CountColour(s, QRect(3, 92, 259, 1), Role(R::RoleGraphAxes)), 0);
    QCOMPARE(CountColour(s, QRect(0, 0, 320, 240), Role(R::RoleGraphSecond)), 0);
    QCOMPARE(s.pixel(261, 174 - first.ScaleToSpan(first.SampleValue, 171)), one);
    QVERIFY(ShowsText(s, 320 - 3 * 8 - 2, 160, Font8x16, first.MinText, one, back));
    QVERIFY(AreaIs(s, QRect(160, 200, 160, 40), Role(R::RoleGraphBandBack)));
}

void TestPreviewScreens::previewsUseTheUserTable() {
    TColorTable& user = MK->Record.DisplaySettings.ColorTable1;
    user.Palette[3] = TMK::PackColor(31, 0, 0);
    user.Indices[R::RoleMenuActiveBack - 32] = 3;
    P->SchemeIsUser = 1;
    P->PreviewMenu();
    QCOMPARE(Surface().pixel(1, 8), qRgb(255, 0, 0));
    P->SchemeIsUser = 0;
    P->PreviewMenu();
    QCOMPARE(Surface().pixel(1, 8),
             PcColor(MK->Record.DisplaySettings.ColorTable0
                         .Palette[MK->Record.DisplaySettings.ColorTable0.Indices[6]]));
}

void TestPreviewScreens::screensDoNotDependOnEarlierDrawing_data() {
    QTest::addColumn<QString>("screen");
    for (const QString& screen : AllScreens)
        QTest::newRow(qPrintable(screen)) << screen;
}

void TestPreviewScreens::screensDoNotDependOnEarlierDrawing() {
    QFETCH(QString, screen);
    Compose(*P, screen);
    const QImage alone = Surface().copy();
    TMK other;
    UseDistinctColours(other);
    for (const QString& earlier : AllScreens)
        Compose(*other.Preview, earlier);
    other.Preview->SetOrigin(-13, 57);
    other.Preview->PenWidth = 5;
    other.Preview->SelectFont(Font40x80);
    Compose(*other.Preview, screen);
    QCOMPARE(other.Preview->PreviewSurface, alone);
}

void TestPreviewScreens::hostileDisplaySettingsDrawSafely() {
    // A settings file may hold any bytes: palette indices far above 15, unknown ids.
    std::memset(&MK->Record.DisplaySettings, 0xFF, sizeof(TDisplaySettings));
    const uint8_t unknown[9] = {255, 255, 255, 255, 255, 255, 255, 255, 255};
    for (const int scheme : {0, 1}) {
        P->SchemeIsUser = scheme;
        P->PreviewFourValues(std::span<const uint8_t, 4>(unknown, 4));
        QVERIFY(AreaIs(Surface(), QRect(0, 0, 159, 119), Black));
        P->PreviewNineValues(unknown);
        P->PreviewSixValues(std::span<const uint8_t, 6>(unknown, 6));
        P->PreviewSevenRows(std::span<const uint8_t, 7>(unknown, 7));
        P->PreviewDials(255, 0);
        P->PreviewGraph(0, 255);
        for (const QString& screen : AllScreens)
            Compose(*P, screen);
        QCOMPARE(Surface().pixel(1, 8),
                 PcColor(MK->Record.DisplaySettings.ColorTable0.Palette[15]));
    }
}

QTEST_GUILESS_MAIN(TestPreviewScreens)
#include "tst_previewscreens.moc"
