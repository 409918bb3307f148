// Arbitrary settings-file bytes through loading, unpacking and the oscilloscope copy.
#include "base/MKError.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TMK mk; // built once: creating the catalogues is the slow part
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        SettingsFile::Decode(file, mk.SettingsVersion, mk.Image);
    } catch (const TMKError&) {
        return 0;
    }
    mk.UnpackAll();
    mk.LoadOscilloscope();
    mk.PackAll();
    mk.UnpackAll();
    return 0;
}
