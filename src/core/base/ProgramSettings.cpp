#include "base/ProgramSettings.h"

namespace ProgramSettings {

int ReadPort(const TMIniFile& file, const QString& section, int fallback) {
    const int port = file.ReadInteger(section, PortKey, fallback);
    return port == NoPort || (port >= FirstPort && port <= LastPort) ? port : fallback;
}

TStartup ReadStartup(const TMIniFile& file, const TStartup& defaults) {
    TStartup s = defaults;
    s.AutoSearch = file.ReadBool(CommonSection, AutoKey, defaults.AutoSearch);
    s.CompareBeforeWrite = file.ReadBool(CommonSection, CompareKey, defaults.CompareBeforeWrite);
    const int address = file.ReadInteger(CommonSection, LastAddressKey, defaults.LastAddress);
    if (address >= FirstDeviceAddress && address <= LastDeviceAddress)
        s.LastAddress = address;
    file.LoadPlacement(PlacementSection, s.Placement);
    return s;
}

} // namespace ProgramSettings
