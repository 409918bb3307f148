#pragma once

#include "base/MKError.h"
#include "link/LinkClock.h"
#include "link/PortMap.h"
#include "link/SerialPort.h"
#include "link/UsbInstances.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

// What the manual port dialog offers: the available ports in increasing order, the
// device of each, and the port the link holds now.
struct TPortChoice {
    QList<int> Ports;
    QStringList DevicePaths;
    int Current = 0;
};

// The link's few words with the user. The core never opens a window itself; the user
// interface hands these in.
struct TLinkPrompts {
    // The error's text for the user; its kind tells a missing port from a silent MK.
    std::function<void(const TMKError& error)> ShowError;
    // Runs the manual port dialog: the chosen port, or nullopt to keep the current one.
    std::function<std::optional<int>(const TPortChoice& choice)> ChoosePortNumber;
};

// Everything the link takes from the platform.
struct TLinkEnvironment {
    TPortMap Ports;
    TSerialPortFactory CreatePort;
    std::shared_ptr<const TUsbInstances> Instances;
    std::shared_ptr<TLinkClock> Clock;
    TLinkPrompts Prompts;

    // The platform's ports, with the overrides of the program settings' "Ports" section.
    static TLinkEnvironment System();
    // The platform's serial ports and clock behind the given map.
    static TLinkEnvironment ForPorts(TPortMap ports);
};
