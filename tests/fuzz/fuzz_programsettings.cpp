// Arbitrary bytes as the program settings file, read as start-up reads it: the port, the
// port map, the automatic search, the comparison before writing and the main window's
// placement. A stored value outside its range must give the default.
#include "FuzzKit.h"

#include "base/ProgramSettings.h"
#include "link/PortMap.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The stored value when it lies in lo … hi, else the default.
int KeptOrDefault(int stored, int fallback, int lo, int hi) {
    return stored >= lo && stored <= hi ? stored : fallback;
}

// One file for every input, each written with a modification time of its own: the
// settings cache reads a file again only when its size or that time changed.
QString WriteInput(const uint8_t* data, size_t size) {
    static QTemporaryDir folder;
    static qint64 count = 0;
    const QString path = folder.filePath(QStringLiteral("Params32.ini"));
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    FUZZ_CHECK(file.setFileTime(QDateTime::fromMSecsSinceEpoch(++count * 1000),
                                QFileDevice::FileModificationTime));
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = WriteInput(data, size);
    {
        TMIniFile file(path);
        using namespace ProgramSettings;
        constexpr int DefaultPort = 7;
        ProgramSettings::TStartup defaults;
        defaults.AutoSearch = size % 2;
        defaults.Placement = {TWindowPlacement::Normal, 20, 30, 810, 401, true};
        const int port = ReadPort(file, QStringLiteral("RS232"), DefaultPort);
        const TStartup stored = ReadStartup(file, defaults);
        TPortMap::FromSettings(file);

        const auto raw = [&](const QString& section, const char* key, int fallback) {
            return file.ReadInteger(section, QString::fromLatin1(key), fallback);
        };
        FUZZ_CHECK(port ==
                   KeptOrDefault(raw("RS232", "Port", DefaultPort), DefaultPort, NoPort, LastPort));
        FUZZ_CHECK(stored.AutoSearch == (raw(CommonSection, "Auto", defaults.AutoSearch) != 0));
        FUZZ_CHECK(stored.LastAddress ==
                   KeptOrDefault(raw(CommonSection, "LastAddress", defaults.LastAddress),
                                 defaults.LastAddress, FirstDeviceAddress, LastDeviceAddress));
        const TWindowPlacement& d = defaults.Placement;
        const TWindowPlacement& p = stored.Placement;
        constexpr int Far = TWindowPlacement::DesktopMax;
        FUZZ_CHECK(p.State == KeptOrDefault(raw(PlacementSection, "State", d.State), d.State,
                                            TWindowPlacement::Normal, TWindowPlacement::Maximized));
        if (p.State == TWindowPlacement::Maximized) {
            FUZZ_CHECK(p.Left == d.Left && p.Top == d.Top && p.Width == d.Width &&
                       p.Height == d.Height);
        } else {
            const auto position = [&](const char* key, int fallback) {
                const int v = raw(PlacementSection, key, fallback);
                return v < 0 ? 0 : KeptOrDefault(v, fallback, 0, Far - 1);
            };
            const auto extent = [&](const char* key, int fallback) {
                const int v = raw(PlacementSection, key, fallback);
                return v < 0 ? 100 : KeptOrDefault(v, fallback, 0, Far);
            };
            FUZZ_CHECK(p.Left == position("Left", d.Left));
            FUZZ_CHECK(p.Top == position("Top", d.Top));
            FUZZ_CHECK(p.Width == extent("Width", d.Width));
            FUZZ_CHECK(p.Height == extent("Height", d.Height));
        }
    }
    return 0;
}
