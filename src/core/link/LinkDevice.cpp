#include "link/LinkDevice.h"

TMLBaseDevice::TMLBaseDevice(QObject* parent) : QObject(parent) {}

void TMLBaseDevice::LoadSettings(TMIniFile&) {}

void TMLBaseDevice::SaveSettings(TMIniFile&) {}
