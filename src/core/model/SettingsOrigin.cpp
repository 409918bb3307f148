#include "model/SettingsOrigin.h"

#include <QFileInfo>

TSettingsOrigin TSettingsOrigin::FromFile(const QString& path) {
    return {TSource::File, path, {}};
}

TSettingsOrigin TSettingsOrigin::FromDevice(const QDateTime& readAt) {
    return {TSource::Device, {}, readAt};
}

QString TSettingsOrigin::Text() const {
    switch (Source) {
    case TSource::File:
        return QFileInfo(Path).fileName();
    case TSource::Device:
        return QStringLiteral("МК, считано %1")
            .arg(ReadAt.toString(QStringLiteral("dd.MM.yyyy HH:mm")));
    case TSource::None:
        break;
    }
    return {};
}
