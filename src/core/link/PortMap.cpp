#include "link/PortMap.h"

#include "base/IniFile.h"

#include <QFileInfo>

namespace {

QString PlatformDevice(int number) {
#ifdef Q_OS_WIN
    return QStringLiteral("\\\\?\\COM") + QString::number(number);
#else
    // USB modems (the MK among them) come first, then USB serial adapters.
    constexpr int AcmCount = 16;
    if (number <= AcmCount)
        return QStringLiteral("/dev/ttyACM") + QString::number(number - 1);
    return QStringLiteral("/dev/ttyUSB") + QString::number(number - AcmCount - 1);
#endif
}

// "COM5" -> 5; anything else -> 0.
int NumberOfKey(const QString& key) {
    if (!key.startsWith(QStringLiteral("COM"), Qt::CaseInsensitive))
        return 0;
    bool ok = false;
    const int number = key.mid(3).toInt(&ok);
    return ok ? number : 0;
}

} // namespace

TPortMap TPortMap::PlatformDefaults() {
    TPortMap map;
    for (int n = FirstPort; n <= LastPort; ++n)
        map.Set(n, PlatformDevice(n));
    return map;
}

TPortMap TPortMap::FromSettings(TMIniFile& settings) {
    TPortMap map = PlatformDefaults();
    for (const QString& key : settings.Keys(SettingsSection())) {
        const int number = NumberOfKey(key);
        if (number >= FirstPort && number <= LastPort)
            map.Set(number, settings.ReadString(SettingsSection(), key, map.DevicePath(number)));
    }
    return map;
}

void TPortMap::Set(int number, const QString& devicePath) {
    if (number >= FirstPort && number <= LastPort)
        Devices[number] = devicePath;
}

QString TPortMap::DevicePath(int number) const {
    return Devices.value(number);
}

int TPortMap::PortNumberOf(const QString& devicePath) const {
    if (devicePath.isEmpty())
        return 0;
    // A device is often reached through a link (/dev/serial/by-id/...); compare targets.
    const QString target = QFileInfo(devicePath).canonicalFilePath();
    for (auto it = Devices.cbegin(); it != Devices.cend(); ++it) {
        if (it.value() == devicePath)
            return it.key();
        if (!target.isEmpty() && QFileInfo(it.value()).canonicalFilePath() == target)
            return it.key();
    }
    return 0;
}
