#pragma once

#include <QString>

// What a transfer with the MK reports while it runs, and the user's wish to stop it.
// The program shows it in the progress window, mktool on stderr.
class TTransferProgress {
public:
    virtual ~TTransferProgress() = default;
    // A new phase: its label, and the gauge at 0 shown or hidden.
    virtual void ShowPhase(const QString& label, bool withGauge) = 0;
    virtual void SetGauge(int percent) = 0;
    // Read only between connection attempts: a running read or write goes to its end.
    virtual bool Cancelled() const = 0;
};
