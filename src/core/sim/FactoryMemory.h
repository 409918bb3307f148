#pragma once

#include <QByteArray>

// A complete, sensible MK memory made from the model's defaults: a directory of 13
// entries, every record block packed, sample journals and fault codes, and a recorded
// oscilloscope capture. What the simulator serves when no image is given.
QByteArray FactoryImage(quint32 memorySize);
QByteArray FactoryMemory(quint32 memorySize);

// The variant the factory directory declares: one with an oscilloscope.
constexpr quint32 FactoryFirmwareVersion = 1;
