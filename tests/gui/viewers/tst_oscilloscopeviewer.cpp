// The oscilloscope viewer as the user meets it: its controls, scrolling, the time-base
// choice, unusable capture headers and the step that opens it.
#include "ScriptedDialogs.h"
#include "model/Oscilloscope.h"
#include "model/DeviceModel.h"
#include "sim/FactoryMemory.h"
#include "viewers/ChoiceGroup.h"
#include "viewers/OscilloscopeViewer.h"
#include "viewers/OscDrawing.h"

#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>
#include <cstring>

namespace {

constexpr int TraceY = 101; // sample value 100 at VoltDiv 0
const QString NoOscilloscope = QStringLiteral("В данной версии МК оцилллограф не поддерживается.");

TOscilloscopeRecord Capture(int timeDiv, int voltDiv, int inDivider0, int inDivider1) {
    TOscilloscopeRecord c{};
    c.OscHeader0.TimeDiv = uint8_t(timeDiv);
    c.OscHeader0.VoltDiv = uint8_t(voltDiv);
    c.OscHeader0.InDivider = uint8_t(inDivider0);
    c.OscHeader1.InDivider = uint8_t(inDivider1);
    c.OscHeader1.TriggerVolts = 128;
    std::fill(std::begin(c.OscSamples), std::end(c.OscSamples), uint8_t(100));
    return c;
}

QImage PaintBox(QDialog& dialog) {
    return dialog.findChild<QWidget*>(QStringLiteral("PB"))
        ->grab()
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QList<int> TraceInRow(const QImage& image, int y) {
    QList<int> xs;
    for (int x = 0; x < image.width(); ++x)
        if ((image.pixel(x, y) | 0xFF000000) == OscDrawing::TraceColour)
            xs << x;
    return xs;
}

int TracePixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        n += int(TraceInRow(image, y).size());
    return n;
}

TChoiceGroup* Group(QDialog& dialog, const char* name) {
    return dialog.findChild<TChoiceGroup*>(QLatin1String(name));
}

QStringList Items(TChoiceGroup* group) {
    QStringList texts;
    for (int i = 0; i < group->ItemCount(); ++i)
        texts << group->findChild<QRadioButton*>(group->objectName() + QString::number(i))->text();
    return texts;
}

void ClickItem(TChoiceGroup* group, int index) {
    auto* button = group->findChild<QRadioButton*>(group->objectName() + QString::number(index));
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
}

QScrollBar* ScrollBar(QDialog& dialog) {
    return dialog.findChild<QScrollBar*>(QStringLiteral("sbSclollOffset"));
}

// A model holding the factory memory, declared as the given device.
void LoadFactoryImage(TMK& mk, uint16_t settingsVersion, uint32_t variant) {
    mk.SettingsVersion = settingsVersion;
    mk.Image = FactoryImage(8192);
    std::memcpy(mk.Image.data() + 56, &variant, sizeof variant);
}

} // namespace

class TestViewOsc : public QObject {
    Q_OBJECT
private slots:
    void windowAndControls();
    void openingSelectsTheHeaderChoices_data();
    void openingSelectsTheHeaderChoices();
    void scrollingRedrawsFromTheNewPosition();
    void choosingATimeDivisionWritesOnlyTheRecordedTimeDiv();
    void disabledGroupsWriteVoltDivWhenClicked();
    void unusableHeaderIsReportedOnceAndLeavesAnEmptyGrid_data();
    void unusableHeaderIsReportedOnceAndLeavesAnEmptyGrid();
    void unusableRecordedTimeBaseIsMeasuredFromTheFirstChoice();
    void escapeCloses();

    void stepRefusesADeviceWithoutOscilloscope();
    void stepShowsTheFactoryCapture();
    void stepReportsAnUnusableProtocolIndex();
};

void TestViewOsc::windowAndControls() {
    TOscilloscopeRecord capture = Capture(1, 0, 0, 0);
    TMK_ViewOscDlg dialog(capture);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Просмотр данных осциллографа"));
    QCOMPARE(dialog.size(), QSize(1002, 523));
    QCOMPARE(dialog.findChild<QWidget*>(QStringLiteral("PB"))->geometry(), QRect(0, 0, 1002, 278));
    QScrollBar* scroll = ScrollBar(dialog);
    QCOMPARE(scroll->geometry(), QRect(0, 278, 1002, 16));
    QCOMPARE(scroll->orientation(), Qt::Horizontal);
    QCOMPARE(scroll->minimum(), -32);
    QCOMPARE(scroll->maximum(), 992);
    QCOMPARE(scroll->pageStep(), 32);
    QCOMPARE(scroll->value(), 0);

    TChoiceGroup* time = Group(dialog, "rgOscTimeDiv");
    QCOMPARE(time->title(), QStringLiteral("мс/деление"));
    QVERIFY(time->isEnabled());
    QCOMPARE(Items(time),
             QStringList({"0.5", "1", "2", "5", "10", "20", "50", "100", "200", "500"}));
    // Two columns, filled one after the other.
    auto* first = time->findChild<QRadioButton*>("rgOscTimeDiv0");
    auto* sixth = time->findChild<QRadioButton*>("rgOscTimeDiv5");
    QCOMPARE(sixth->y(), first->y());
    QVERIFY(sixth->x() > first->x());

    TChoiceGroup* volts = Group(dialog, "rgOscVoltDiv");
    QCOMPARE(volts->title(), QStringLiteral("Вольт/деление"));
    QVERIFY(!volts->isEnabled());
    TChoiceGroup* divider = Group(dialog, "rgOscInDivider");
    QCOMPARE(divider->title(), QStringLiteral("Входной делитель"));
    QVERIFY(!divider->isEnabled());
    QCOMPARE(Items(divider), QStringList({"1 : 1", "1 : 10", "1 : 100"}));
    for (QWidget* w : {static_cast<QWidget*>(time), static_cast<QWidget*>(volts),
                       static_cast<QWidget*>(divider)})
        QVERIFY(w->geometry().top() >= 294 && w->geometry().bottom() < 523);
}

void TestViewOsc::openingSelectsTheHeaderChoices_data() {
    QTest::addColumn<int>("timeDiv");
    QTest::addColumn<int>("voltDiv");
    QTest::addColumn<int>("inDivider0");
    QTest::addColumn<int>("inDivider1");
    QTest::addColumn<QStringList>("voltItems");
    QTest::addColumn<int>("traceY");
    QTest::newRow("first") << 0 << 0 << 0 << 0 << QStringList{"0.2", "0.5", "  1"} << 101;
    QTest::newRow("dividers differ") << 6 << 1 << 2 << 1 << QStringList{"  2", "  5", " 10"} << 132;
    QTest::newRow("last") << 9 << 2 << 1 << 2 << QStringList{" 20", " 50", "100"} << 132;
}

void TestViewOsc::openingSelectsTheHeaderChoices() {
    QFETCH(int, timeDiv);
    QFETCH(int, voltDiv);
    QFETCH(int, inDivider0);
    QFETCH(int, inDivider1);
    QFETCH(QStringList, voltItems);
    QFETCH(int, traceY);
    TOscilloscopeRecord capture = Capture(timeDiv, voltDiv, inDivider0, inDivider1);
    TScriptedDialogs dialogs;
    TMK_ViewOscDlg dialog(capture);
    dialog.show();
    QCOMPARE(Group(dialog, "rgOscTimeDiv")->ItemIndex(), timeDiv);
    QCOMPARE(Items(Group(dialog, "rgOscVoltDiv")), voltItems);
    QCOMPARE(Group(dialog, "rgOscVoltDiv")->ItemIndex(), voltDiv);
    QCOMPARE(Group(dialog, "rgOscInDivider")->ItemIndex(), inDivider0);
    QVERIFY(dialogs.Prompts.isEmpty());
    QCOMPARE(TraceInRow(PaintBox(dialog), traceY).first(), 32);
}

void TestViewOsc::scrollingRedrawsFromTheNewPosition() {
    TOscilloscopeRecord capture = Capture(1, 0, 0, 0);
    TMK_ViewOscDlg dialog(capture);
    dialog.show();
    QCOMPARE(TraceInRow(PaintBox(dialog), TraceY).first(), 32);
    ScrollBar(dialog)->setValue(-32);
    QCOMPARE(TraceInRow(PaintBox(dialog), TraceY).first(), 64);
    // One large step further right: sample 0 leaves the window on the left.
    ScrollBar(dialog)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    ScrollBar(dialog)->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(ScrollBar(dialog)->value(), 32);
    QCOMPARE(TraceInRow(PaintBox(dialog), TraceY).first(), 0);
}

void TestViewOsc::choosingATimeDivisionWritesOnlyTheRecordedTimeDiv() {
    TOscilloscopeRecord capture = Capture(1, 0, 0, 0);
    capture.OscSamples[100] = 0;
    const TOscilloscopeRecord before = capture;
    TMK_ViewOscDlg dialog(capture);
    dialog.show();
    // The dip at sample 100 breaks the line at x = 132.
    QVERIFY(!TraceInRow(PaintBox(dialog), TraceY).contains(132));

    ClickItem(Group(dialog, "rgOscTimeDiv"), 0);
    QCOMPARE(capture.OscHeader0.TimeDiv, uint8_t(0));
    const QList<int> row = TraceInRow(PaintBox(dialog), TraceY);
    QCOMPARE(row.first(), 0); // (0 - 32) x 2 + 64
    QVERIFY(row.contains(132));
    QVERIFY(!row.contains(200)); // the dip moved to (100 - 32) x 2 + 64

    TOscilloscopeRecord expected = before;
    expected.OscHeader0.TimeDiv = 0;
    QVERIFY(std::memcmp(&capture, &expected, sizeof capture) == 0);
}

void TestViewOsc::disabledGroupsWriteVoltDivWhenClicked() {
    TOscilloscopeRecord capture = Capture(1, 2, 0, 0);
    TMK_ViewOscDlg dialog(capture);
    dialog.show();
    QCOMPARE(TraceInRow(PaintBox(dialog), 132).first(), 32);
    TChoiceGroup* volts = Group(dialog, "rgOscVoltDiv");
    volts->setEnabled(true);
    ClickItem(volts, 0);
    QCOMPARE(capture.OscHeader0.VoltDiv, uint8_t(0));
    QCOMPARE(TraceInRow(PaintBox(dialog), TraceY).first(), 32);
    // The divider group stores the chosen volt division again, never its own choice.
    TChoiceGroup* divider = Group(dialog, "rgOscInDivider");
    divider->setEnabled(true);
    ClickItem(divider, 2);
    QCOMPARE(capture.OscHeader0.VoltDiv, uint8_t(0));
    QCOMPARE(capture.OscHeader0.InDivider, uint8_t(0));
}

void TestViewOsc::unusableHeaderIsReportedOnceAndLeavesAnEmptyGrid_data() {
    QTest::addColumn<int>("timeDiv");
    QTest::addColumn<int>("voltDiv");
    QTest::addColumn<int>("inDivider1");
    QTest::addColumn<int>("voltItems");
    QTest::newRow("TimeDiv 10") << 10 << 0 << 0 << 3;
    QTest::newRow("VoltDiv 4 (the model's default)") << 1 << 4 << 0 << 3;
    QTest::newRow("header 1 InDivider 3") << 1 << 0 << 3 << 0;
}

void TestViewOsc::unusableHeaderIsReportedOnceAndLeavesAnEmptyGrid() {
    QFETCH(int, timeDiv);
    QFETCH(int, voltDiv);
    QFETCH(int, inDivider1);
    QFETCH(int, voltItems);
    TOscilloscopeRecord capture = Capture(timeDiv, voltDiv, 0, inDivider1);
    TScriptedDialogs dialogs;
    TMK_ViewOscDlg dialog(capture);
    dialog.show();
    QCOMPARE(dialogs.Errors(), QStringList{"Range check error"});
    QVERIFY(dialog.isVisible());
    QCOMPARE(Group(dialog, "rgOscVoltDiv")->ItemCount(), voltItems);

    const QImage image = PaintBox(dialog);
    QCOMPARE(TracePixels(image), 0);
    QCOMPARE(image.pixel(32, 256) | 0xFF000000, OscDrawing::GridColour);
    for (int x = 0; x < image.width(); ++x)
        QCOMPARE(image.pixel(x, 265) | 0xFF000000, qRgb(0, 0, 0)); // no labels

    ScrollBar(dialog)->setValue(100);
    ScrollBar(dialog)->setValue(-5);
    QCOMPARE(dialogs.Errors().size(), 1);
    QVERIFY(dialog.isVisible());
}

void TestViewOsc::unusableRecordedTimeBaseIsMeasuredFromTheFirstChoice() {
    TOscilloscopeRecord capture = Capture(12, 0, 0, 0);
    TScriptedDialogs dialogs;
    TMK_ViewOscDlg dialog(capture);
    dialog.show();
    QCOMPARE(dialogs.Errors().size(), 1);
    QCOMPARE(Group(dialog, "rgOscTimeDiv")->ItemIndex(), -1);

    ClickItem(Group(dialog, "rgOscTimeDiv"), 1);
    QCOMPARE(TraceInRow(PaintBox(dialog), TraceY).first(), 32);
    ClickItem(Group(dialog, "rgOscTimeDiv"), 0);
    QCOMPARE(TraceInRow(PaintBox(dialog), TraceY).first(), 0);
    QCOMPARE(dialogs.Errors().size(), 1);
}

void TestViewOsc::escapeCloses() {
    TOscilloscopeRecord capture = Capture(1, 0, 0, 0);
    TMK_ViewOscDlg dialog(capture);
    dialog.show();
    ScrollBar(dialog)->setFocus();
    QTest::keyClick(ScrollBar(dialog), Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void TestViewOsc::stepRefusesADeviceWithoutOscilloscope() {
    TMK mk;
    LoadFactoryImage(mk, 0x0A01, 10);
    TScriptedDialogs dialogs;
    RunViewOscilloscope(mk, nullptr);
    QCOMPARE(dialogs.Errors(), QStringList{NoOscilloscope});
    QVERIFY(dialogs.Texts(QStringLiteral("Exec")).isEmpty());
}

void TestViewOsc::stepShowsTheFactoryCapture() {
    TMK mk;
    LoadFactoryImage(mk, 0x0001, FactoryFirmwareVersion);
    TScriptedDialogs dialogs;
    bool shown = false;
    dialogs.ExecAnswers << [&](QDialog& dialog) {
        dialog.show();
        shown = true;
        // The recorded header is selected and a trace drawn.
        [&] {
            QCOMPARE(Group(dialog, "rgOscTimeDiv")->ItemIndex(), 3);
            QVERIFY(TracePixels(PaintBox(dialog)) > 1000);
        }();
        ClickItem(Group(dialog, "rgOscTimeDiv"), 0);
        return int(QDialog::Rejected);
    };
    const QByteArray image = mk.Image;
    RunViewOscilloscope(mk, nullptr);
    QVERIFY(shown);
    QCOMPARE(dialogs.Texts(QStringLiteral("Exec")), QStringList{"TMK_ViewOscDlg"});
    QVERIFY(dialogs.Errors().isEmpty());
    QCOMPARE(mk.Oscilloscope.OscHeader0.TimeDiv, uint8_t(0));
    QCOMPARE(mk.Image, image); // nothing is written back
}

void TestViewOsc::stepReportsAnUnusableProtocolIndex() {
    TMK mk;
    LoadFactoryImage(mk, 0x0201, 0);
    mk.UnpackAll();
    mk.Record.ProtocolSettings.Protocol = 200; // beyond this device's short list
    mk.PackBlock(TBlock::ProtocolSettings);
    TScriptedDialogs dialogs;
    RunViewOscilloscope(mk, nullptr);
    QCOMPARE(dialogs.Errors(), QStringList{"List index out of bounds (200)"});
    QVERIFY(dialogs.Texts(QStringLiteral("Exec")).isEmpty());
}

QTEST_MAIN(TestViewOsc)
#include "tst_oscilloscopeviewer.moc"
