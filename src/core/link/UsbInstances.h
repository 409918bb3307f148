#pragma once

#include <QList>
#include <QString>

// One recorded instance of the MK's USB device (04d8:000a) as the system lists it.
struct TUsbInstance {
    QString Name;        // the system's name of the instance
    QString DisplayName; // carries the maker's name and "COMn"
};

// The system's records of the MK's USB device, present or not.
class TUsbInstances {
public:
    static constexpr quint16 VendorId = 0x04d8;
    static constexpr quint16 ProductId = 0x000a;

    virtual ~TUsbInstances() = default;
    virtual QList<TUsbInstance> Recorded() const = 0;
};
