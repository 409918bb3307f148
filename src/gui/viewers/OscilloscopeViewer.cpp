#include "viewers/OscilloscopeViewer.h"

#include "app/Dialogs.h"
#include "base/MKError.h"
#include "model/DeviceModel.h"
#include "model/Oscilloscope.h"
#include "viewers/ChoiceGroup.h"
#include "viewers/OscDrawing.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr int ViewerWidth = 1002;
constexpr int ViewerHeight = 523;
constexpr int ScrollBarHeight = 16;
constexpr int ScrollMin = -32;
constexpr int ScrollMax = 992;
constexpr int ScrollLargeStep = 32;

// Shows the dialog's bitmap as it stands; the dialog redraws it when the picture changes.
class TPaintBox : public QWidget {
public:
    TPaintBox(const QImage& bitmap, QWidget* parent) : QWidget(parent), Bitmap(bitmap) {
        setObjectName(QStringLiteral("PB"));
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFixedSize(OscDrawing::BitmapWidth, OscDrawing::BitmapHeight);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, Bitmap);
    }

private:
    const QImage& Bitmap;
};

QStringList VoltLabels(int inDivider) {
    QStringList labels;
    if (inDivider < Osc::InDividerCount)
        for (int v = 0; v < Osc::VoltDivCount; ++v)
            labels << Osc::VoltLabel(inDivider, v);
    return labels;
}

} // namespace

TMK_ViewOscDlg::TMK_ViewOscDlg(TOscilloscopeRecord& capture, QWidget* parent)
    : QDialog(parent), Capture(capture) {
    setObjectName(QStringLiteral("TMK_ViewOscDlg"));
    setWindowTitle(QStringLiteral("Просмотр данных осциллографа"));
    setFixedSize(ViewerWidth, ViewerHeight);

    PB = new TPaintBox(Bitmap, this);

    sbSclollOffset = new QScrollBar(Qt::Horizontal, this);
    sbSclollOffset->setObjectName(QStringLiteral("sbSclollOffset"));
    sbSclollOffset->setFixedHeight(ScrollBarHeight);
    sbSclollOffset->setRange(ScrollMin, ScrollMax);
    sbSclollOffset->setPageStep(ScrollLargeStep);
    sbSclollOffset->setValue(0);

    rgOscTimeDiv =
        new TChoiceGroup(QStringLiteral("rgOscTimeDiv"), QStringLiteral("мс/деление"), 2, this);
    rgOscTimeDiv->SetItems({"0.5", "1", "2", "5", "10", "20", "50", "100", "200", "500"});
    rgOscVoltDiv =
        new TChoiceGroup(QStringLiteral("rgOscVoltDiv"), QStringLiteral("Вольт/деление"), 1, this);
    rgOscVoltDiv->setEnabled(false);
    rgOscInDivider = new TChoiceGroup(QStringLiteral("rgOscInDivider"),
                                      QStringLiteral("Входной делитель"), 1, this);
    rgOscInDivider->SetItems({"1 : 1", "1 : 10", "1 : 100"});
    rgOscInDivider->setEnabled(false);

    auto* choices = new QHBoxLayout;
    choices->addWidget(rgOscTimeDiv, 2);
    choices->addWidget(rgOscVoltDiv, 1);
    choices->addWidget(rgOscInDivider, 1);
    choices->setContentsMargins(8, 8, 8, 8);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PB);
    layout->addWidget(sbSclollOffset);
    layout->addLayout(choices, 1);

    connect(sbSclollOffset, &QScrollBar::valueChanged, this, [this](int position) {
        ScrollPos = position;
        Draw();
    });
    connect(rgOscTimeDiv, &TChoiceGroup::Clicked, this, &TMK_ViewOscDlg::TimeDivClicked);
    connect(rgOscVoltDiv, &TChoiceGroup::Clicked, this, &TMK_ViewOscDlg::VoltDivClicked);
    connect(rgOscInDivider, &TChoiceGroup::Clicked, this, &TMK_ViewOscDlg::VoltDivClicked);
}

void TMK_ViewOscDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (Prepared)
        return;
    Prepared = true;
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    Prepare();
}

void TMK_ViewOscDlg::Prepare() {
    const TOscHeader& h0 = Capture.OscHeader0;
    rgOscVoltDiv->SetItems(VoltLabels(Capture.OscHeader1.InDivider));
    Bitmap = OscDrawing::CreateBitmap();
    rgOscTimeDiv->SetItemIndex(h0.TimeDiv);
    rgOscVoltDiv->SetItemIndex(h0.VoltDiv);
    rgOscInDivider->SetItemIndex(h0.InDivider);
    ScrollPos = Offset = 0;
    sbSclollOffset->setValue(0);
    Draw();
}

void TMK_ViewOscDlg::Draw() {
    if (Bitmap.isNull())
        return; // not shown yet
    Offset = ScrollPos;
    OscDrawing::DrawBackground(Bitmap);
    QString failure;
    try {
        // The first usable time base counts as the recorded one; normally that is the
        // header's own at the first drawing.
        if (!OpenTimeScale)
            OpenTimeScale = Osc::TimeScale(Capture.OscHeader0.TimeDiv);
        const TOscScales scales(Capture, *OpenTimeScale);
        OscDrawing::DrawCapture(Bitmap, scales, Offset);
    } catch (const TMKError& e) {
        failure = e.Text();
    }
    PB->update();
    const bool reported = DrawingFailed;
    DrawingFailed = !failure.isEmpty();
    if (DrawingFailed && !reported)
        Dialogs::ShowError(failure);
}

void TMK_ViewOscDlg::TimeDivClicked(int index) {
    Capture.OscHeader0.TimeDiv = uint8_t(index);
    Draw();
}

void TMK_ViewOscDlg::VoltDivClicked() {
    if (rgOscVoltDiv->ItemIndex() >= 0)
        Capture.OscHeader0.VoltDiv = uint8_t(rgOscVoltDiv->ItemIndex());
    Draw();
}

void RunViewOscilloscope(TMK& mk, QWidget* parent) {
    try {
        mk.ViewOscilloscope([&] {
            TMK_ViewOscDlg dialog(mk.Oscilloscope, parent);
            Dialogs::Exec(dialog);
        });
    } catch (const TMKError& e) {
        Dialogs::ShowError(e.Text());
    }
}
