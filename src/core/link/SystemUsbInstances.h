#pragma once

#include "link/PortMap.h"
#include "link/UsbInstances.h"

// The MK's USB devices the system sees now, named "<maker> <product> (COMn)" with n
// taken from the port map.
class TSystemUsbInstances : public TUsbInstances {
public:
    explicit TSystemUsbInstances(TPortMap ports);
    QList<TUsbInstance> Recorded() const override;

private:
    TPortMap Ports;
};
