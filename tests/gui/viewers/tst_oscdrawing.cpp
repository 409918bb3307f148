// The oscilloscope picture, pixel by pixel: lines without their end point, the grid,
// the trace, the trigger markers and the labels.
#include "model/Oscilloscope.h"
#include "viewers/OscDrawing.h"

#include <QtTest>

using namespace OscDrawing;

namespace {

constexpr int W = BitmapWidth;
constexpr int TraceY = 101; // sample value 100 at VoltDiv 0

TOscilloscopeRecord Constant(int timeDiv, int voltDiv, uint8_t value) {
    TOscilloscopeRecord c{};
    c.OscHeader0.TimeDiv = uint8_t(timeDiv);
    c.OscHeader0.VoltDiv = uint8_t(voltDiv);
    c.OscHeader1.TriggerVolts = 128;
    std::fill(std::begin(c.OscSamples), std::end(c.OscSamples), value);
    return c;
}

QImage Draw(const TOscilloscopeRecord& capture, int recordedTimeDiv, int offset) {
    QImage bitmap = CreateBitmap();
    DrawBackground(bitmap);
    DrawCapture(bitmap, TOscScales(capture, Osc::TimeScale(recordedTimeDiv)), offset);
    return bitmap;
}

QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xFF000000;
}

// x positions of the trace colour on row y.
QList<int> TraceInRow(const QImage& image, int y) {
    QList<int> xs;
    for (int x = 0; x < image.width(); ++x)
        if (At(image, x, y) == TraceColour)
            xs << x;
    return xs;
}

// Pixels of one colour in a rectangle.
int Count(const QImage& image, const QRect& area, QRgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += At(image, x, y) == colour;
    return n;
}

QImage LabelArea(const QImage& image, int x) {
    return image.copy(x, LabelRowY, 100, BitmapHeight - LabelRowY);
}

QList<int> Range(int first, int last) {
    QList<int> xs;
    for (int x = first; x <= last; ++x)
        xs << x;
    return xs;
}

} // namespace

using TPoints = QList<QPoint>;

class TestViewOscDrawing : public QObject {
    Q_OBJECT
private slots:
    void lineLeavesOutItsEndPoint_data();
    void lineLeavesOutItsEndPoint();
    void gridAndZeroLine();

    void recordedTimeBaseStartsTraceAtX32();
    void scrollingToMinus32MovesSampleZeroToTheMarker();
    void lastSampleIsTheUnpaintedEndPoint();
    void halfTheTimeDivisionDoublesTheWidth();
    void segmentsAcrossTheEdgesAreClipped();
    void voltDivisionSetsTheTraceHeight_data();
    void voltDivisionSetsTheTraceHeight();

    void triggerLevelArrowheads();
    void triggerTimeArrowhead();
    void labelsInTheirPlacesAndColours();
};

void TestViewOscDrawing::lineLeavesOutItsEndPoint_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<TPoints>("painted");
    QTest::newRow("right") << QPoint(1, 2) << QPoint(5, 2)
                           << TPoints{{1, 2}, {2, 2}, {3, 2}, {4, 2}};
    QTest::newRow("left") << QPoint(5, 2) << QPoint(1, 2)
                          << TPoints{{2, 2}, {3, 2}, {4, 2}, {5, 2}};
    QTest::newRow("up") << QPoint(3, 6) << QPoint(3, 3) << TPoints{{3, 4}, {3, 5}, {3, 6}};
    QTest::newRow("diagonal") << QPoint(0, 0) << QPoint(3, 3) << TPoints{{0, 0}, {1, 1}, {2, 2}};
    QTest::newRow("steep") << QPoint(0, 0) << QPoint(1, 4)
                           << TPoints{{0, 0}, {0, 1}, {1, 2}, {1, 3}};
    QTest::newRow("single step") << QPoint(2, 2) << QPoint(3, 2) << TPoints{{2, 2}};
    QTest::newRow("no length") << QPoint(2, 2) << QPoint(2, 2) << TPoints{};
    QTest::newRow("from outside") << QPoint(-3, 1) << QPoint(2, 1) << TPoints{{0, 1}, {1, 1}};
    QTest::newRow("wholly outside") << QPoint(-9, -1) << QPoint(9, -1) << TPoints{};
}

void TestViewOscDrawing::lineLeavesOutItsEndPoint() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(TPoints, painted);
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::black);
    DrawLine(image, from, to, TraceColour);
    TPoints found;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (At(image, x, y) == TraceColour)
                found << QPoint(x, y);
    std::sort(painted.begin(), painted.end(),
              [](QPoint a, QPoint b) { return std::pair(a.y(), a.x()) < std::pair(b.y(), b.x()); });
    QCOMPARE(found, painted);
}

void TestViewOscDrawing::gridAndZeroLine() {
    QImage bitmap = CreateBitmap();
    DrawBackground(bitmap);
    QCOMPARE(bitmap.size(), QSize(1002, 278));
    for (int y : {0, 32, 224, 256, 257}) {
        QCOMPARE(At(bitmap, 0, y), GridColour);
        QCOMPARE(At(bitmap, W - 2, y), GridColour);
        QCOMPARE(At(bitmap, W - 1, y), qRgb(0, 0, 0)); // the lines' end point
    }
    for (int x : {0, 32, 992}) {
        QCOMPARE(At(bitmap, x, 1), GridColour);
        QCOMPARE(At(bitmap, x, 255), GridColour);
        QCOMPARE(At(bitmap, x, 258), qRgb(0, 0, 0));
    }
    QCOMPARE(At(bitmap, 33, 100), qRgb(0, 0, 0));
    QCOMPARE(At(bitmap, 1000, 100), qRgb(0, 0, 0)); // no column past 992
    QCOMPARE(Count(bitmap, QRect(0, 258, W, 20), GridColour), 0);
}

void TestViewOscDrawing::recordedTimeBaseStartsTraceAtX32() {
    const QImage bitmap = Draw(Constant(1, 0, 100), 1, 0);
    // Samples 0..969 fall inside; the segment 969 -> 970 starts at the last column.
    QCOMPARE(TraceInRow(bitmap, TraceY), Range(32, W - 1));
    QCOMPARE(At(bitmap, 64, 253), TriggerTimeColour);
}

void TestViewOscDrawing::scrollingToMinus32MovesSampleZeroToTheMarker() {
    const TOscilloscopeRecord capture = Constant(1, 0, 100);
    const QImage bitmap = Draw(capture, 1, -32);
    QCOMPARE(TraceInRow(bitmap, TraceY).first(), 64);
    // The marker moved right by 32 x XScale.
    QCOMPARE(At(bitmap, 96, 253), TriggerTimeColour);
    QVERIFY(At(bitmap, 64, 253) != TriggerTimeColour);

    const QImage stretched = Draw(Constant(0, 0, 100), 1, -32);
    QCOMPARE(TraceInRow(stretched, TraceY).first(), 64);
    QCOMPARE(At(stretched, 128, 253), TriggerTimeColour);
}

void TestViewOscDrawing::lastSampleIsTheUnpaintedEndPoint() {
    // At the last scroll position sample 1023 sits at x = 63.
    const QImage bitmap = Draw(Constant(1, 0, 100), 1, 992);
    QCOMPARE(TraceInRow(bitmap, TraceY), Range(0, 62));
}

void TestViewOscDrawing::halfTheTimeDivisionDoublesTheWidth() {
    // A single spike at sample 100, recorded at "1".
    TOscilloscopeRecord capture = Constant(1, 0, 0);
    capture.OscSamples[100] = 100;
    const QImage recorded = Draw(capture, 1, 40);
    capture.OscHeader0.TimeDiv = 0; // "0.5"
    const QImage stretched = Draw(capture, 1, 40);

    // Spike at (100 - 32 - 40) x XScale + 64.
    QCOMPARE(TraceInRow(recorded, TraceY), QList<int>{92});
    QCOMPARE(TraceInRow(stretched, TraceY), QList<int>{120});
    // Near the zero line the spike's edges lie one sample apart on either side.
    const auto span = [](const QList<int>& xs) { return xs.last() - xs.first(); };
    QCOMPARE(span(TraceInRow(recorded, 250)), 2);
    QCOMPARE(span(TraceInRow(stretched, 250)), 4);

    QCOMPARE(LabelArea(stretched, 200), LabelArea(recorded, 200));  // offset label stays
    QVERIFY(LabelArea(stretched, 100) != LabelArea(recorded, 100)); // time label changes
}

void TestViewOscDrawing::segmentsAcrossTheEdgesAreClipped() {
    // Recorded at "500", shown at "0.5": 1000 pixels per sample. Sample 31 lies far left
    // and sample 33 far right of the window; both segments reach into it.
    const QImage bitmap = Draw(Constant(0, 0, 100), 9, 0);
    QCOMPARE(TraceInRow(bitmap, TraceY), Range(0, W - 1));

    // Samples swinging from 0 to 255 leave the window at the top.
    TOscilloscopeRecord swing = Constant(1, 0, 0);
    for (int t = 1; t < Osc::SampleCount; t += 2)
        swing.OscSamples[t] = 255;
    const QImage clipped = Draw(swing, 1, 0);
    QVERIFY(At(clipped, 32, 255) == TraceColour);
    QVERIFY(Count(clipped, QRect(32, 0, 20, 1), TraceColour) > 0);
}

void TestViewOscDrawing::voltDivisionSetsTheTraceHeight_data() {
    QTest::addColumn<int>("voltDiv");
    QTest::addColumn<int>("y");
    QTest::newRow("0") << 0 << 101;
    QTest::newRow("1") << 1 << 132;
    QTest::newRow("2") << 2 << 132;
}

void TestViewOscDrawing::voltDivisionSetsTheTraceHeight() {
    QFETCH(int, voltDiv);
    QFETCH(int, y);
    const QImage bitmap = Draw(Constant(1, voltDiv, 100), 1, 0);
    QCOMPARE(TraceInRow(bitmap, y).first(), 32);
    QVERIFY(TraceInRow(bitmap, y - 1).isEmpty());
    QVERIFY(TraceInRow(bitmap, y + 1).isEmpty());
}

void TestViewOscDrawing::triggerLevelArrowheads() {
    TOscilloscopeRecord capture = Constant(1, 2, 0);
    capture.OscHeader0.TriggerLevel = 5; // y = 240
    const QImage bitmap = Draw(capture, 1, 0);
    const auto cyan = [&](int x, int y) { return At(bitmap, x, y) == TriggerLevelColour; };
    for (int d = 0; d <= 3; ++d) {
        const int length = 4 - d;
        for (int y : {240 - d, 240 + d}) {
            QVERIFY(cyan(0, y));
            QVERIFY(cyan(length - 1, y));
            QVERIFY(!cyan(length, y));
            QVERIFY(cyan(W - 1, y));
            QVERIFY(cyan(W - length, y));
            QVERIFY(!cyan(W - 1 - length, y));
        }
    }
    QVERIFY(!cyan(0, 236));
    QVERIFY(!cyan(0, 244));
    QCOMPARE(Count(bitmap, QRect(5, 0, W - 10, 258), TriggerLevelColour), 0);
}

void TestViewOscDrawing::triggerTimeArrowhead() {
    const QImage bitmap = Draw(Constant(1, 0, 100), 1, 0);
    const auto magenta = [&](int x, int y) { return At(bitmap, x, y) == TriggerTimeColour; };
    for (int d = 0; d <= 3; ++d) {
        const int top = 256 - (3 - d); // highest painted row
        for (int x : {64 - d, 64 + d}) {
            QVERIFY(magenta(x, 256));
            QVERIFY(magenta(x, top));
            QVERIFY(!magenta(x, top - 1));
        }
    }
    QVERIFY(!magenta(60, 256));
    QVERIFY(!magenta(68, 256));
    QCOMPARE(Count(bitmap, QRect(0, 0, W, 258), TriggerTimeColour), 16);
}

void TestViewOscDrawing::labelsInTheirPlacesAndColours() {
    const QImage bitmap = Draw(Constant(1, 0, 100), 1, 0);
    const int rowHeight = BitmapHeight - LabelRowY;
    const auto area = [&](int x, int width) { return QRect(x, LabelRowY, width, rowHeight); };
    QVERIFY(Count(bitmap, area(10, 90), LabelColour) > 0);
    QVERIFY(Count(bitmap, area(100, 100), LabelColour) > 0);
    QVERIFY(Count(bitmap, area(200, 100), TriggerTimeColour) > 0);
    QVERIFY(Count(bitmap, area(300, 100), TriggerLevelColour) > 0);
    QCOMPARE(Count(bitmap, area(0, 10), LabelColour), 0);
    QCOMPARE(Count(bitmap, area(10, 190), TriggerTimeColour), 0);
    QCOMPARE(Count(bitmap, area(200, 100), LabelColour), 0);
    QCOMPARE(Count(bitmap, area(400, W - 400), LabelColour), 0);
}

QTEST_MAIN(TestViewOscDrawing)
#include "tst_oscdrawing.moc"
