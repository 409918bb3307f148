#pragma once

// What the program takes from its settings file at start-up. Each value is checked against
// what it can be; a value outside that (edited by hand, or a broken file) takes the
// caller's default, as a missing one does.

#include "base/IniFile.h"

#include <QString>

namespace ProgramSettings {

inline const QString CommonSection = QStringLiteral("Common");
inline const QString AutoKey = QStringLiteral("Auto");
inline const QString CompareKey = QStringLiteral("CompareBeforeWrite");
inline const QString LastAddressKey = QStringLiteral("LastAddress");
inline const QString PlacementSection = QStringLiteral("MainWindow");
inline const QString PortKey = QStringLiteral("Port");

// COM1 … COM32; 0 stands for no port.
constexpr int NoPort = 0;
constexpr int FirstPort = 1;
constexpr int LastPort = 32;
// The addresses an MK answers at.
constexpr int FirstDeviceAddress = 0xFC;
constexpr int LastDeviceAddress = 0xFE;

struct TStartup {
    bool AutoSearch = true;
    bool CompareBeforeWrite = true;
    int LastAddress = FirstDeviceAddress; // where the MK answered last
    TWindowPlacement Placement;
};

// The stored port number of the link's section: COM1 … COM32, or 0 for "no port" (the link
// then opens nothing); `fallback` for anything else.
int ReadPort(const TMIniFile& file, const QString& section, int fallback);
// The automatic search, the comparison before writing, the address the MK answered at last
// and the main window's placement.
TStartup ReadStartup(const TMIniFile& file, const TStartup& defaults);

} // namespace ProgramSettings
