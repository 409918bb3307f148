#include "base/IniFile.h"

#include "base/FileRead.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace {

QString Key(const QString& section, const QString& key) {
    return section + '/' + key;
}

bool FolderWritable(const QString& folder) {
    // A real probe: permissions bits lie on some file systems.
    QFile probe(QDir(folder).filePath(QStringLiteral(".params32-write-probe")));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();
    probe.remove();
    return true;
}

} // namespace

QString TMIniFile::DefaultPath() {
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    const QString name = exe.completeBaseName() + QStringLiteral(".ini");
    if (FolderWritable(exe.absolutePath()))
        return exe.absoluteDir().filePath(name);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/") + exe.completeBaseName();
    QDir().mkpath(config);
    return QDir(config).filePath(name);
}

TMIniFile::TMIniFile() : TMIniFile(DefaultPath()) {}

TMIniFile::TMIniFile(const QString& path) {
    if (!QFile::exists(path)) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(" \n");
    }
    // QSettings would block on a FIFO and read a device without end: such a file is left
    // alone, read as empty and never written.
    if (QFileInfo::exists(path))
        Problem =
            FileRead::Unreadable(path, FileRead::SettingsLimit, FileRead::ProgramSettingsKind());
    if (Problem.isEmpty())
        Settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    else
        Problem += QStringLiteral(
            "\nПрограмма работает с настройками по умолчанию и не изменит этот файл.");
}

int TMIniFile::ReadInteger(const QString& section, const QString& key, int fallback) const {
    if (!Settings)
        return fallback;
    bool ok = false;
    const int value = Settings->value(Key(section, key)).toString().trimmed().toInt(&ok);
    return ok ? value : fallback;
}

void TMIniFile::WriteInteger(const QString& section, const QString& key, int value) {
    if (!Settings)
        return;
    Settings->setValue(Key(section, key), QString::number(value));
    Settings->sync();
}

bool TMIniFile::ReadBool(const QString& section, const QString& key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void TMIniFile::WriteBool(const QString& section, const QString& key, bool value) {
    WriteInteger(section, key, value ? 1 : 0);
}

QString TMIniFile::ReadString(const QString& section, const QString& key,
                              const QString& fallback) const {
    if (!Settings)
        return fallback;
    const QVariant value = Settings->value(Key(section, key));
    return value.isValid() ? value.toString() : fallback;
}

void TMIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    if (!Settings)
        return;
    Settings->setValue(Key(section, key), value);
    Settings->sync();
}

QStringList TMIniFile::Keys(const QString& section) const {
    if (!Settings)
        return {};
    Settings->beginGroup(section);
    const QStringList keys = Settings->childKeys();
    Settings->endGroup();
    return keys;
}

void TMIniFile::LoadPlacement(const QString& section, TWindowPlacement& p) const {
    // A value no desktop can hold keeps the caller's (current) one; negative positions
    // become 0 and negative sizes 100.
    const auto onDesktop = [](int value, int fallback) {
        return value < TWindowPlacement::DesktopMax ? value : fallback;
    };
    const int state = ReadInteger(section, QStringLiteral("State"), p.State);
    if (state >= TWindowPlacement::Normal && state <= TWindowPlacement::Maximized)
        p.State = state;
    if (p.State == TWindowPlacement::Maximized)
        return;
    p.Left = std::max(0, onDesktop(ReadInteger(section, QStringLiteral("Left"), p.Left), p.Left));
    p.Top = std::max(0, onDesktop(ReadInteger(section, QStringLiteral("Top"), p.Top), p.Top));
    if (!p.Sizeable)
        return;
    const int width = ReadInteger(section, QStringLiteral("Width"), p.Width);
    const int height = ReadInteger(section, QStringLiteral("Height"), p.Height);
    p.Width = width < 0 ? 100 : width <= TWindowPlacement::DesktopMax ? width : p.Width;
    p.Height = height < 0 ? 100 : height <= TWindowPlacement::DesktopMax ? height : p.Height;
}

void TMIniFile::SavePlacement(const QString& section, const TWindowPlacement& p) {
    WriteInteger(section, QStringLiteral("State"), p.State);
    WriteInteger(section, QStringLiteral("Left"), p.Left);
    WriteInteger(section, QStringLiteral("Top"), p.Top);
    WriteInteger(section, QStringLiteral("Width"), p.Width);
    WriteInteger(section, QStringLiteral("Height"), p.Height);
}
