#pragma once

// A device model holding the factory memory, opened for editing as the main window opens
// it, and the editor's model shown on it.

#include "editing/Conversions.h"
#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"
#include "sim/FactoryMemory.h"

#include "ImageKit.h"

#include <functional>
#include <memory>

struct TPagesKit {
    // `prepare` changes the record before the editor opens; `flags` the device's flags
    // after the catalogues were built.
    explicit TPagesKit(const std::function<void(TMK&)>& prepare = {},
                       const std::function<void(TDeviceFlags&)>& flags = {}) {
        Mk.Image = FactoryImage(8192);
        Mk.UnpackAll();
        if (prepare) {
            prepare(Mk);
            Mk.PackAll();
            Mk.UnpackAll();
        }
        Mk.RebuildProtocolList();
        if (flags)
            ChangeFlags(Mk, flags);
        Editor = std::make_unique<TSettingsEditor>(Mk);
        Editor->Show();
    }

    int64_t Field(const char* name, int index = 0) const {
        return ReadField(Mk, RecordField(QString::fromLatin1(name), index));
    }
    void SetField(const char* name, int64_t value, int index = 0) {
        StoreField(Mk, RecordField(QString::fromLatin1(name), index), value);
    }

    TMK Mk;
    std::unique_ptr<TSettingsEditor> Editor;
};

// Sets a record field before the editor opens.
inline std::function<void(TMK&)> WithField(const char* name, int64_t value, int index = 0) {
    return [=](TMK& mk) { StoreField(mk, RecordField(QString::fromLatin1(name), index), value); };
}
