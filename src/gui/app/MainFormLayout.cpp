#include "app/FormTexts.h"
#include "app/MKPicture.h"
#include "app/MainForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

// The window's controls and their places; the behaviour lives in MainForm.cpp.

namespace {

QFont Bold(QFont font) {
    font.setBold(true);
    return font;
}

QLabel* ExplanationLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

QPushButton* StepButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(Bold(button->font()));
    button->setAutoDefault(false);
    return button;
}

// A step group: its explanatory labels each above its button.
QGroupBox* StepGroup(const QString& name, const QString& title,
                     const QList<QPair<QLabel*, QPushButton*>>& rows, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(6, 2, 6, 6);
    layout->setSpacing(3);
    for (const auto& [label, button] : rows) {
        label->setParent(group);
        button->setParent(group);
        layout->addWidget(label);
        layout->addWidget(button);
    }
    return group;
}

} // namespace

void TMainForm::CreateControls() {
    lWarning =
        new QLabel(FormTexts::WarningLine1() + QLatin1Char('\n') + FormTexts::WarningLine2() +
                       QLatin1Char('\n') + FormTexts::WarningLine3(),
                   this);
    lWarning->setObjectName(QStringLiteral("lWarning"));
    lWarning->setAlignment(Qt::AlignCenter);
    lWarning->setFont(Bold(lWarning->font()));
    lWarning->setStyleSheet(QStringLiteral("color: red;"));

    cbAuto = new QCheckBox(FormTexts::AutoCaption(), this);
    cbAuto->setObjectName(QStringLiteral("cbAuto"));
    cbAuto->setFont(Bold(cbAuto->font()));
    bRS232 = StepButton(QStringLiteral("bRS232"), FormTexts::RS232Caption(), this);

    bGetParams = StepButton(QStringLiteral("bGetParams"), FormTexts::GetParamsCaption(), this);
    bLoadParams = StepButton(QStringLiteral("bLoadParams"), FormTexts::LoadParamsCaption(), this);
    bEditParams = StepButton(QStringLiteral("bEditParams"), FormTexts::EditParamsCaption(), this);
    bViewJournals =
        StepButton(QStringLiteral("bViewJournals"), FormTexts::ViewJournalsCaption(), this);
    bViewOsc = StepButton(QStringLiteral("bViewOsc"), FormTexts::ViewOscCaption(), this);
    bSaveParams = StepButton(QStringLiteral("bSaveParams"), FormTexts::SaveParamsCaption(), this);
    bSetParams = StepButton(QStringLiteral("bSetParams"), FormTexts::SetParamsCaption(), this);

    QGroupBox* step1 = StepGroup(
        QStringLiteral("gbStep1"), FormTexts::Step1(),
        {{ExplanationLabel(QStringLiteral("lStep1Get"), FormTexts::Step1GetLabel(), this),
          bGetParams},
         {ExplanationLabel(QStringLiteral("lStep1Load"), FormTexts::Step1LoadLabel(), this),
          bLoadParams}},
        this);
    QGroupBox* step2 = StepGroup(
        QStringLiteral("gbStep2"), FormTexts::Step2(),
        {{ExplanationLabel(QStringLiteral("lStep2"), FormTexts::Step2Label(), this), bEditParams}},
        this);
    QGroupBox* step2a =
        StepGroup(QStringLiteral("gbStep2a"), FormTexts::Step2a(),
                  {{ExplanationLabel(QStringLiteral("lStep2a"), FormTexts::Step2aLabel(), this),
                    bViewJournals}},
                  this);
    QGroupBox* step2b = StepGroup(
        QStringLiteral("gbStep2b"), FormTexts::Step2b(),
        {{ExplanationLabel(QStringLiteral("lStep2b"), FormTexts::Step2bLabel(), this), bViewOsc}},
        this);
    QGroupBox* step3 = StepGroup(
        QStringLiteral("gbStep3"), FormTexts::Step3(),
        {{ExplanationLabel(QStringLiteral("lStep3"), FormTexts::Step3Label(), this), bSaveParams}},
        this);
    QGroupBox* step4 = StepGroup(
        QStringLiteral("gbStep4"), FormTexts::Step4(),
        {{ExplanationLabel(QStringLiteral("lStep4"), FormTexts::Step4Label(), this), bSetParams}},
        this);
    Image1 = new TMKPicture(this);

    auto* left = new QVBoxLayout;
    left->addWidget(lWarning);
    left->addWidget(cbAuto);
    left->addWidget(bRS232);
    left->addWidget(step1);
    left->addWidget(step2);
    left->addStretch(1);

    // Step 4 has the shortest texts; the picture takes the corner beside it.
    auto* lastStep = new QVBoxLayout;
    lastStep->addWidget(step4);
    lastStep->addStretch(1);
    auto* lower = new QHBoxLayout;
    lower->addLayout(lastStep, 1);
    lower->addWidget(Image1);

    auto* right = new QVBoxLayout;
    right->addWidget(step2a);
    right->addWidget(step2b);
    right->addWidget(step3);
    right->addLayout(lower, 1);

    auto* columns = new QHBoxLayout(this);
    columns->setContentsMargins(6, 6, 6, 6);
    columns->setSpacing(8);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
}
