#pragma once

// Protocols of chosen parameters for the display tests, made current the way the user's
// protocol change makes them current.

#include "PagesKit.h"

#include "catalog/Protocols.h"

#include <QList>
#include <span>

// Appends a protocol listing exactly these parameter ids to the kit's catalogue; returns its
// list index.
inline int AddProtocol(TPagesKit& kit, const QList<int>& ids) {
    auto protocol = std::make_unique<TProtBase>(
        QStringLiteral("Проверка"), 0, 0, std::span<const uint8_t>{}, std::span<const uint8_t>{});
    protocol->ParamIds = {};
    for (int i = 0; i < ids.size(); ++i)
        protocol->ParamIds[std::size_t(i)] = uint8_t(ids[i]);
    protocol->ParamCount = int(ids.size());
    return kit.Mk.Catalog.AppendProtocol(std::move(protocol));
}

// The user picks the protocol: the record's index changes and the cascade runs.
inline void SwitchProtocol(TPagesKit& kit, int index) {
    kit.SetField("Protocol", index);
    kit.Editor->ProtocolChanged();
}

inline QList<int> FirstIds(int count) {
    QList<int> ids;
    for (int id = 1; ids.size() < count; ++id)
        ids << id;
    return ids;
}
