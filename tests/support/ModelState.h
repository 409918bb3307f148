#pragma once

// A device model's settings as a road may change them, for comparing byte for byte: image,
// SettingsVersion, directory, record and origin.

#include "model/DeviceModel.h"

#include <QByteArray>
#include <QStringList>

struct TModelState {
    QByteArray Image;
    quint16 Version = 0;
    QByteArray Directory;
    QByteArray Record;
    TSettingsOrigin Origin;
    bool operator==(const TModelState&) const = default;
};

template <typename T> QByteArray BytesOf(const T& value) {
    return QByteArray(reinterpret_cast<const char*>(&value), sizeof value);
}

inline TModelState StateOf(const TMK& mk) {
    return {mk.Image, mk.SettingsVersion, BytesOf(mk.ImageDirectory), BytesOf(mk.Record),
            mk.Origin};
}

// Which part differs, for a failure message.
inline QByteArray Difference(const TModelState& a, const TModelState& b) {
    QStringList parts;
    if (a.Image != b.Image)
        parts << QStringLiteral("image (%1 / %2 bytes)").arg(a.Image.size()).arg(b.Image.size());
    if (a.Version != b.Version)
        parts << QStringLiteral("version");
    if (a.Directory != b.Directory)
        parts << QStringLiteral("directory");
    if (a.Record != b.Record)
        parts << QStringLiteral("record");
    if (!(a.Origin == b.Origin))
        parts << QStringLiteral("origin");
    return parts.join(QStringLiteral(", ")).toUtf8();
}

#define MK_COMPARE_STATE(actual, expected)                                                         \
    QVERIFY2((actual) == (expected), Difference((actual), (expected)).constData())
