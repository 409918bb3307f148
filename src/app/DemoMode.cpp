#include "app/DemoMode.h"

TDemoMode::TDemoMode() = default;

TMainFormSetup TDemoMode::Setup(TMainFormSetup base) const {
    base.LinkEnvironment = [this] { return Simulator.Environment(); };
    base.Demo = true;
    return base;
}

bool TDemoMode::Requested(const QStringList& arguments) {
    return arguments.contains(QStringLiteral("--demo"));
}
