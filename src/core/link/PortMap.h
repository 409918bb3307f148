#pragma once

#include <QMap>
#include <QString>

class TMIniFile;

// The program speaks of COM1..COM32; this map says which device each number is.
// Numbers without a device cannot be opened.
class TPortMap {
public:
    static constexpr int FirstPort = 1;
    static constexpr int LastPort = 32;
    static QString SettingsSection() { return QStringLiteral("Ports"); }

    // Nothing mapped; tests and the simulator fill in their own devices.
    TPortMap() = default;
    // The platform's usual device for every number.
    static TPortMap PlatformDefaults();
    // PlatformDefaults with the "Ports" section's overrides ("COM5=/dev/ttyACM3").
    static TPortMap FromSettings(TMIniFile& settings);

    void Set(int number, const QString& devicePath);
    // Empty for a number outside 1..32 or one without a device.
    QString DevicePath(int number) const;
    // The COM number of a device path, or 0 when the map does not hold it.
    int PortNumberOf(const QString& devicePath) const;

    static QString PortName(int number) { return QStringLiteral("COM") + QString::number(number); }

private:
    QMap<int, QString> Devices;
};
