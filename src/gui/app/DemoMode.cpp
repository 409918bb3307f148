#include "app/DemoMode.h"

#include "readwrite/BackupStore.h"

namespace {

TSimulatorOptions DemoMK() {
    TSimulatorOptions options;
    options.Address = 0xFE;
    options.BaudRate = 115200;
    return options;
}

} // namespace

TDemoMode::TDemoMode() : Simulator(DemoMK()) {}

TMainFormSetup TDemoMode::Setup(TMainFormSetup base) const {
    base.LinkEnvironment = [this] { return Simulator.Environment(); };
    base.Demo = true;
    // The simulated MK's backups would push the real device's out of the usual folder.
    if (base.BackupFolder.isEmpty())
        base.BackupFolder = TBackupStore::DemoFolder();
    return base;
}

bool TDemoMode::Requested(const QStringList& arguments) {
    return arguments.contains(QStringLiteral("--demo"));
}
