#pragma once

#include "link/LinkEnvironment.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

// The manual choice of the COM port.
class TML_RS232_SetNumDlg : public QDialog {
    Q_OBJECT

public:
    explicit TML_RS232_SetNumDlg(QWidget* parent = nullptr);

    // One item "COMn" per available port; the current port is selected when listed.
    void Fill(const TPortChoice& choice);
    // The number in the selected item's text, or nullopt when no item is selected.
    std::optional<int> SelectedPort() const;

    QComboBox* PCB;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QLabel* lDevicePath; // the device behind the selected item

private:
    void ShowDevicePath();
};

// Runs the dialog modally through the dialogs seam: the chosen port on OK with an item
// selected, nullopt otherwise.
std::optional<int> RunPortChoiceDialog(const TPortChoice& choice);

// The link's prompts as the program shows them: the error box and this dialog.
TLinkPrompts LinkDialogPrompts();
