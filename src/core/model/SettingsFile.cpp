#include "model/SettingsFile.h"

#include "base/FileRead.h"
#include "base/MKError.h"
#include "model/DeviceModel.h"
#include "model/FileKey.h"

#include <QSaveFile>

namespace SettingsFile {
namespace {

constexpr qsizetype VersionSize = 2;

void Scramble(const char* in, char* out, qsizetype count) {
    for (qsizetype i = 0; i < count; ++i)
        out[i] = char(uint8_t(in[i]) ^ FileKey[std::size_t(i % FileKeySize)]);
}

} // namespace

QByteArray Encode(uint16_t settingsVersion, const QByteArray& image) {
    QByteArray file(VersionSize + image.size(), Qt::Uninitialized);
    file[0] = char(settingsVersion & 0xFF);
    file[1] = char(settingsVersion >> 8);
    Scramble(image.constData(), file.data() + VersionSize, image.size());
    return file;
}

void Decode(const QByteArray& file, uint16_t& settingsVersion, QByteArray& image) {
    if (file.size() < VersionSize)
        throw TMKError(
            TErrorKind::File,
            QStringLiteral("Файл настроек слишком короткий (%1 байт).").arg(file.size()));
    settingsVersion = uint16_t(uint8_t(file[0]) | uint8_t(file[1]) << 8);
    image = QByteArray(file.size() - VersionSize, Qt::Uninitialized);
    Scramble(file.constData() + VersionSize, image.data(), image.size());
}

void Save(const TMK& mk, const QString& path) {
    const QByteArray bytes = Encode(mk.SettingsVersion, mk.Image);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw TMKError(
            TErrorKind::File,
            QStringLiteral("Не удаётся создать файл \"%1\": %2").arg(path, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw TMKError(
            TErrorKind::File,
            QStringLiteral("Не удаётся записать файл \"%1\": %2").arg(path, file.errorString()));
}

void Load(TMK& mk, const QString& path) {
    const QByteArray bytes =
        FileRead::ReadWholeFile(path, FileRead::SettingsLimit, FileRead::SettingsFileKind());
    // A fresh model: a block the file cannot fill keeps its default, not the previous
    // settings' value.
    uint16_t version = 0;
    QByteArray image;
    Decode(bytes, version, image);
    TMK fresh;
    fresh.SettingsVersion = version;
    fresh.Image = image;
    fresh.UnpackAll();
    fresh.Origin = TSettingsOrigin::FromFile(path);
    fresh.RefreshCatalogue();
    mk.SwapSettings(fresh);
}

} // namespace SettingsFile
