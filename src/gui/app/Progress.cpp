#include "app/Progress.h"

#include "app/FormTexts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int ProgressWidth = 261;
constexpr int ProgressHeight = 113;
} // namespace

TProgressForm::TProgressForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("ProgressForm"));
    setWindowTitle(FormTexts::ProgressCaption());
    setModal(false);
    setFixedSize(ProgressWidth, ProgressHeight);

    ProgressLabel = new QLabel(FormTexts::ProgressInitialLabel(), this);
    ProgressLabel->setObjectName(QStringLiteral("ProgressLabel"));
    ProgressLabel->setAlignment(Qt::AlignCenter);
    ProgressLabel->setWordWrap(true);

    ProgressGauge = new QProgressBar(this);
    ProgressGauge->setObjectName(QStringLiteral("ProgressGauge"));
    ProgressGauge->setRange(0, 100);
    ProgressGauge->setValue(0);
    ProgressGauge->setTextVisible(true);

    // The toolkit's own Cancel button, with its standard caption and icon.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->setCenterButtons(true);
    BitBtn1 = buttons->button(QDialogButtonBox::Cancel);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { IsCancelled = true; });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProgressLabel, 1);
    layout->addWidget(ProgressGauge);
    layout->addWidget(buttons);
}

void TProgressForm::ShowPhase(const QString& label, bool withGauge) {
    ProgressLabel->setText(label);
    ProgressGauge->setValue(0);
    ProgressGauge->setVisible(withGauge);
}

void TProgressForm::SetGauge(int percent) {
    ProgressGauge->setValue(percent);
}

void TProgressForm::ShowModeless() {
    const QWidget* owner = parentWidget();
    const QRect area = owner ? owner->frameGeometry() : screen()->availableGeometry();
    show();
    // The frame is known only once the window is shown.
    move(area.center() - (frameGeometry().center() - frameGeometry().topLeft()));
}

void TProgressForm::reject() {
    IsCancelled = true;
}
