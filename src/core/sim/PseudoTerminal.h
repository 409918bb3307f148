#pragma once

#include <QString>

// A pseudo-terminal pair: the simulator serves the master side, the link opens the
// device path of the slave side like any serial port.
class TPseudoTerminal {
public:
    // Throws TMKError when the system gives no pseudo-terminal.
    TPseudoTerminal();
    ~TPseudoTerminal();
    TPseudoTerminal(const TPseudoTerminal&) = delete;
    TPseudoTerminal& operator=(const TPseudoTerminal&) = delete;

    int MasterFd() const { return Master; }
    const QString& DevicePath() const { return Path; }
    // Closes both sides: whoever holds the device sees it vanish.
    void Close();

private:
    int Master = -1;
    // Held open so the master never reports a hang-up while the link has the port closed.
    int HeldSlave = -1;
    QString Path;
};
