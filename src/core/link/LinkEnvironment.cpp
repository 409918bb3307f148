#include "link/LinkEnvironment.h"

#include "base/IniFile.h"
#include "link/SystemSerialPort.h"
#include "link/SystemUsbInstances.h"

TLinkEnvironment TLinkEnvironment::System() {
    TMIniFile settings;
    return ForPorts(TPortMap::FromSettings(settings));
}

TLinkEnvironment TLinkEnvironment::ForPorts(TPortMap ports) {
    TLinkEnvironment environment;
    environment.Instances = std::make_shared<TSystemUsbInstances>(ports);
    environment.Ports = std::move(ports);
    environment.CreatePort = TSystemSerialPort::Factory();
    environment.Clock = std::make_shared<TSystemClock>();
    return environment;
}
