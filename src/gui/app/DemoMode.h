#pragma once

#include "app/MainForm.h"
#include "sim/SimulatorSession.h"

// Trying the program without a device: a simulated 32 KB MK on a pseudo-terminal at COM1,
// answering at the real wire speed, the link pointed at it, automatic search off for this
// run, backups in a folder of their own; the user's program settings keep nothing of it.
class TDemoMode {
public:
    TDemoMode();
    // The main window's setup for the demo, on top of base.
    TMainFormSetup Setup(TMainFormSetup base = {}) const;
    TSimulatorSession& Session() { return Simulator; }

    static bool Requested(const QStringList& arguments);

private:
    TSimulatorSession Simulator;
};
