#pragma once

#include <QString>

class TML_RS_Base;

// The maker's name every display name of a genuine MK carries (case matters).
inline QString MakerWord() {
    return QStringLiteral("Ravenholtzer");
}

// The port a display name speaks of: the one or two digits after its first "COM".
// 0 when they are missing, so the record names no usable port.
int PortNumberInDisplayName(const QString& displayName);

// With automatic search on, looks through the recorded MK instances for one whose port
// can be opened now and leaves the link holding that port open; shows "Не вижу МК."
// when there is none. With it off, the link keeps its port and nothing is touched.
bool FindMK(TML_RS_Base& link, bool autoSearch);
