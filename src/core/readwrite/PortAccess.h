#pragma once

#include "base/MKError.h"

#include <QString>
#include <functional>

class TPortMap;

// True when the device exists but this user may not open it for reading and writing.
bool PortAccessDenied(const QString& devicePath);

using TAccessCheck = std::function<bool(const QString& devicePath)>;

// The error's text, followed by a second line saying what to do when the reason was a lack
// of rights: for a silent MK (NoConnection) when the current port is refused, for a missing
// port (NoPort) when any port of the map is. Other errors keep their text as it is.
QString WithPermissionHint(const TMKError& error, const TPortMap& ports, int currentPort,
                           const TAccessCheck& denied = PortAccessDenied);
