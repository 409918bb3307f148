#pragma once

#include <QString>
#include <functional>

class TPortMap;

// True when the device exists but this user may not open it for reading and writing.
bool PortAccessDenied(const QString& devicePath);

using TAccessCheck = std::function<bool(const QString& devicePath)>;

// The link's texts about a port it could not use, followed by a second line saying what
// to do when the reason was a lack of rights: "no connection" for the current port, "no
// free port" and "MK not found" for any port of the map. Other texts stay as they are.
QString WithPermissionHint(const QString& text, const TPortMap& ports, int currentPort,
                           const TAccessCheck& denied = PortAccessDenied);
