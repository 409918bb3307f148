#include "CliUtil.h"
#include "CommandTable.h"
#include "Commands.h"
#include "base/FileRead.h"
#include "model/SettingsFile.h"

int RunPack(const QStringList& args) {
    const Cli::TArgs a(args, QStringLiteral("pack"));
    a.ExpectPositional(2, Cli::UsageOf(QStringLiteral("pack")));
    if (!a.Value("--settings-version"))
        throw Cli::TUsageError{QStringLiteral("Не задан --settings-version")};
    const long long version = a.Number("--settings-version", 0);
    if (version < 0 || version > 0xFFFF)
        throw Cli::TUsageError{QStringLiteral("Версия настроек вне диапазона 0..65535")};
    const QByteArray image = FileRead::ReadWholeFile(a.Positional()[0], FileRead::SettingsLimit,
                                                     FileRead::MemoryImageKind());
    Cli::WriteFileBytes(a.Positional()[1], SettingsFile::Encode(uint16_t(version), image));
    return Cli::ExitOk;
}

int RunUnpack(const QStringList& args) {
    const Cli::TArgs a(args, QStringLiteral("unpack"));
    a.ExpectPositional(2, Cli::UsageOf(QStringLiteral("unpack")));
    uint16_t version = 0;
    QByteArray image;
    SettingsFile::Decode(FileRead::ReadWholeFile(a.Positional()[0], FileRead::SettingsLimit,
                                                 FileRead::SettingsFileKind()),
                         version, image);
    Cli::WriteFileBytes(a.Positional()[1], image);
    return Cli::ExitOk;
}
