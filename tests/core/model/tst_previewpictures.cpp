// The monochrome pictures the dial screens are stamped from.
#include "catalog/DialPictures.h"

#include <QtTest>
#include <cmath>
#include <numbers>

namespace {

const QImage& Pic(TPicture picture) {
    return TPicturesForm::Instance().Picture(picture);
}

bool SetAt(const QImage& image, int x, int y) {
    return image.pixelIndex(x, y) == 1;
}

// Whether the scale pixel at `radius` on the ray at `degrees` about the scale centre is set.
bool ScaleSetAt(const QImage& scale, double degrees, double radius) {
    const double a = degrees * std::numbers::pi / 180.0;
    const int x = int(std::lround(TPicturesForm::ScaleCentre + radius * std::cos(a)));
    const int y = int(std::lround(TPicturesForm::ScaleCentre - radius * std::sin(a)));
    return scale.rect().contains(x, y) && SetAt(scale, x, y);
}

} // namespace

class TestPreviewPictures : public QObject {
    Q_OBJECT
private slots:
    void sizesAndPalette_data();
    void sizesAndPalette();
    void discFillsItsPicture();
    void markerLeavesItsCornerTriangles();
    void needlePointsLeftFromTheHub();
    void scaleArcs_data();
    void scaleArcs();
    void largeTicksPointInwardsAtTheLabelRays_data();
    void largeTicksPointInwardsAtTheLabelRays();
    void smallTicksDivideTheScales();
};

void TestPreviewPictures::sizesAndPalette_data() {
    QTest::addColumn<int>("picture");
    QTest::addColumn<QSize>("size");
    QTest::newRow("Circle99") << int(TPicture::Circle99) << QSize(199, 199);
    QTest::newRow("ScaleL") << int(TPicture::ScaleL) << QSize(79, 136);
    QTest::newRow("ScaleR") << int(TPicture::ScaleR) << QSize(149, 136);
    QTest::newRow("Arrow") << int(TPicture::Arrow) << QSize(129, 129);
    QTest::newRow("Circle9") << int(TPicture::Circle9) << QSize(9, 9);
}

void TestPreviewPictures::sizesAndPalette() {
    QFETCH(int, picture);
    QFETCH(QSize, size);
    const QImage& image = Pic(TPicture(picture));
    QCOMPARE(image.size(), size);
    QCOMPARE(image.format(), QImage::Format_Mono);
    QCOMPARE(image.colorTable(), (QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
    QCOMPARE(&TPicturesForm::Instance().Picture(TPicture(picture)), &image);
}

void TestPreviewPictures::discFillsItsPicture() {
    const QImage& disc = Pic(TPicture::Circle99);
    for (const QPoint p : {QPoint(99, 99), QPoint(0, 99), QPoint(198, 99), QPoint(99, 0),
                           QPoint(99, 198), QPoint(30, 30)})
        QVERIFY2(SetAt(disc, p.x(), p.y()),
                 qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    for (const QPoint p :
         {QPoint(0, 0), QPoint(198, 0), QPoint(0, 198), QPoint(198, 198), QPoint(25, 25)})
        QVERIFY(!SetAt(disc, p.x(), p.y()));
}

void TestPreviewPictures::markerLeavesItsCornerTriangles() {
    const QImage& marker = Pic(TPicture::Circle9);
    int set = 0;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) {
            const int cornerX = std::min(x, 8 - x), cornerY = std::min(y, 8 - y);
            QCOMPARE(SetAt(marker, x, y), cornerX + cornerY >= 3);
            set += SetAt(marker, x, y);
        }
    QCOMPARE(set, 81 - 4 * 6);
}

void TestPreviewPictures::needlePointsLeftFromTheHub() {
    const QImage& arrow = Pic(TPicture::Arrow);
    QVERIFY(SetAt(arrow, 64, 64));
    QVERIFY(SetAt(arrow, 73, 64));  // hub, right of the centre
    QVERIFY(SetAt(arrow, 64, 55));  // hub, above
    QVERIFY(!SetAt(arrow, 64, 52)); // about 20 pixels across
    for (int x = 0; x < 50; x += 7) {
        for (int y = 62; y <= 66; ++y)
            QVERIFY(SetAt(arrow, x, y));
        QVERIFY(!SetAt(arrow, x, 60));
        QVERIFY(!SetAt(arrow, x, 68));
    }
    QVERIFY(!SetAt(arrow, 100, 64)); // nothing points right
    QVERIFY(!SetAt(arrow, 64, 100));
}

void TestPreviewPictures::scaleArcs_data() {
    QTest::addColumn<int>("picture");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("left") << int(TPicture::ScaleL) << 90 << 234;
    QTest::newRow("right") << int(TPicture::ScaleR) << -54 << 234;
}

void TestPreviewPictures::scaleArcs() {
    QFETCH(int, picture);
    QFETCH(int, from);
    QFETCH(int, to);
    const QImage& scale = Pic(TPicture(picture));
    for (int a = from; a <= to; a += 3) {
        QVERIFY2(ScaleSetAt(scale, a, 73.5), qPrintable(QString::number(a)));
        QVERIFY2(!ScaleSetAt(scale, a, 77), qPrintable(QString::number(a)));
        QVERIFY2(!ScaleSetAt(scale, a, 50), qPrintable(QString::number(a)));
    }
    // Open beyond its ends: the bottom, and on the left dial the right half as well.
    for (int a = to + 6; a <= from + 360 - 6; a += 3)
        QVERIFY2(!ScaleSetAt(scale, a, 73.5), qPrintable(QString::number(a)));
}

void TestPreviewPictures::largeTicksPointInwardsAtTheLabelRays_data() {
    QTest::addColumn<int>("picture");
    QTest::addColumn<int>("angle");
    for (const int a : TPicturesForm::LeftScaleTicks)
        QTest::addRow("left %d", a) << int(TPicture::ScaleL) << a;
    for (const int a : TPicturesForm::RightScaleTicks)
        QTest::addRow("right %d", a) << int(TPicture::ScaleR) << a;
}

void TestPreviewPictures::largeTicksPointInwardsAtTheLabelRays() {
    QFETCH(int, picture);
    QFETCH(int, angle);
    const QImage& scale = Pic(TPicture(picture));
    // A triangle: wide at the arc, a point further in.
    QVERIFY(ScaleSetAt(scale, angle, 63));
    QVERIFY(ScaleSetAt(scale, angle + 2, 72));
    QVERIFY(ScaleSetAt(scale, angle - 2, 72));
    QVERIFY(!ScaleSetAt(scale, angle + 2.5, 63));
    QVERIFY(!ScaleSetAt(scale, angle, 58));
}

void TestPreviewPictures::smallTicksDivideTheScales() {
    const QImage& left = Pic(TPicture::ScaleL);
    const QImage& right = Pic(TPicture::ScaleR);
    // Every 9 degrees on the left scale, every 12 on the right one.
    for (int a = 90; a <= 234; a += 9)
        QVERIFY2(ScaleSetAt(left, a, 69.5), qPrintable(QString::number(a)));
    for (int a = 94; a < 234; a += 9)
        QVERIFY2(!ScaleSetAt(left, a + 0.5, 69.5), qPrintable(QString::number(a)));
    for (int a = -54; a <= 234; a += 12)
        QVERIFY2(ScaleSetAt(right, a, 69.5), qPrintable(QString::number(a)));
    for (int a = -48; a < 234; a += 12)
        QVERIFY2(!ScaleSetAt(right, a, 69.5), qPrintable(QString::number(a)));
}

QTEST_GUILESS_MAIN(TestPreviewPictures)
#include "tst_previewpictures.moc"
