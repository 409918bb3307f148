#include "app/PortDialog.h"

#include "app/Dialogs.h"
#include "link/LinkTexts.h"
#include "link/PortMap.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TML_RS232_SetNumDlg::TML_RS232_SetNumDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      PCB(new QComboBox(this)), OKBtn(new QPushButton(QStringLiteral("OK"), this)),
      CancelBtn(new QPushButton(QStringLiteral("Cancel"), this)), lDevicePath(new QLabel(this)) {
    setObjectName(QStringLiteral("TML_RS232_SetNumDlg"));
    setWindowTitle(LinkTexts::PortDialogCaption());
    PCB->setObjectName(QStringLiteral("PCB"));
    PCB->setEditable(false);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    lDevicePath->setObjectName(QStringLiteral("lDevicePath"));
    lDevicePath->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* prompt = new QLabel(LinkTexts::PortDialogLabel(), this);
    auto* portRow = new QHBoxLayout;
    portRow->addWidget(PCB);
    portRow->addWidget(lDevicePath, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(portRow);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(PCB, &QComboBox::currentIndexChanged, this, &TML_RS232_SetNumDlg::ShowDevicePath);
}

void TML_RS232_SetNumDlg::Fill(const TPortChoice& choice) {
    PCB->clear();
    for (int i = 0; i < choice.Ports.size(); ++i)
        PCB->addItem(TPortMap::PortName(choice.Ports[i]), choice.DevicePaths.value(i));
    PCB->setCurrentIndex(int(choice.Ports.indexOf(choice.Current)));
    ShowDevicePath();
}

std::optional<int> TML_RS232_SetNumDlg::SelectedPort() const {
    if (PCB->currentIndex() < 0)
        return std::nullopt;
    bool ok = false;
    const int number = PCB->currentText().mid(3).toInt(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}

void TML_RS232_SetNumDlg::ShowDevicePath() {
    lDevicePath->setText(PCB->currentData().toString());
}

std::optional<int> RunPortChoiceDialog(const TPortChoice& choice) {
    TML_RS232_SetNumDlg dialog;
    dialog.Fill(choice);
    if (Dialogs::Exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.SelectedPort();
}

TLinkPrompts LinkDialogPrompts() {
    TLinkPrompts prompts;
    prompts.ShowError = [](const TMKError& error) { Dialogs::ShowError(error.Text()); };
    prompts.ChoosePortNumber = RunPortChoiceDialog;
    return prompts;
}
