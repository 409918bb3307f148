#pragma once

#include "readwrite/TransferProgress.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The window shown during every transfer with the MK: the phase, a gauge and a Cancel
// button. Modeless and on top; the transfer polls Cancelled between connection attempts.
class TProgressForm : public QDialog, public TTransferProgress {
    Q_OBJECT

public:
    explicit TProgressForm(QWidget* owner = nullptr);

    void ShowPhase(const QString& label, bool withGauge) override;
    void SetGauge(int percent) override;
    bool Cancelled() const override { return IsCancelled; }

    // Centres the window on its owner (or the screen) and shows it without blocking.
    void ShowModeless();

    QLabel* ProgressLabel;
    QProgressBar* ProgressGauge;
    QPushButton* BitBtn1;

    // Escape and the window's close request count as the Cancel button.
    void reject() override;

private:
    bool IsCancelled = false;
};
