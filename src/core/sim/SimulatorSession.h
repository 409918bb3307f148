#pragma once

#include "link/LinkEnvironment.h"
#include "sim/MKSimulator.h"

class TMIniFile;

// A simulated MK plugged in at one COM number: what tests and the demo mode need to
// point a link at the simulator.
class TSimulatorSession {
public:
    explicit TSimulatorSession(TSimulatorOptions options = {}, int portNumber = 1);

    TMKSimulator& Simulator() { return *Sim; }
    int PortNumber() const { return Port; }
    QString DevicePath() const { return Sim->DevicePath(); }

    // Only the simulator's port is mapped; every other number has no device.
    TPortMap PortMap() const;
    // The system serial ports behind PortMap, and the simulator recorded as the MK's USB
    // device "Ravenholtzer USB Device (COMn)".
    TLinkEnvironment Environment() const;
    // Points the program settings' "Ports" entry for the port at the simulator.
    void WritePortsSection(TMIniFile& settings) const;

private:
    std::unique_ptr<TMKSimulator> Sim;
    int Port;
};
