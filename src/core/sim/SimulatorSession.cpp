#include "sim/SimulatorSession.h"

#include "base/IniFile.h"
#include "link/FindMK.h"

namespace {

class TRecordedSimulator : public TUsbInstances {
public:
    explicit TRecordedSimulator(int port) : Port(port) {}
    QList<TUsbInstance> Recorded() const override {
        return {{QStringLiteral("SIM0001"), MakerWord() + QStringLiteral(" USB Device (") +
                                                TPortMap::PortName(Port) + QLatin1Char(')')}};
    }

private:
    int Port;
};

} // namespace

TSimulatorSession::TSimulatorSession(TSimulatorOptions options, int portNumber)
    : Sim(std::make_unique<TMKSimulator>(std::move(options))), Port(portNumber) {}

TPortMap TSimulatorSession::PortMap() const {
    TPortMap map;
    map.Set(Port, Sim->DevicePath());
    return map;
}

TLinkEnvironment TSimulatorSession::Environment() const {
    TLinkEnvironment environment = TLinkEnvironment::ForPorts(PortMap());
    environment.Instances = std::make_shared<TRecordedSimulator>(Port);
    return environment;
}

void TSimulatorSession::WritePortsSection(TMIniFile& settings) const {
    settings.WriteString(TPortMap::SettingsSection(), TPortMap::PortName(Port), Sim->DevicePath());
}
