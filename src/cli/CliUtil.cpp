#include "CliUtil.h"

#include "CommandTable.h"
#include "base/MKError.h"

#include <QSaveFile>
#include <cstdio>
#include <new>

namespace Cli {

long long ParseNumber(const QString& text) {
    bool ok = false;
    const QString t = text.trimmed();
    long long value = 0;
    if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = t.mid(2).toLongLong(&ok, 16);
    else
        value = t.toLongLong(&ok, 10);
    if (!ok)
        throw TUsageError{QStringLiteral("Неверное число: ") + text};
    return value;
}

TArgs::TArgs(const QStringList& args, const QString& command) {
    const TCommandInfo* info = FindCommand(command);
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const TOption* option = info ? FindOption(*info, a) : nullptr;
        if (option && !option->IsSwitch()) {
            if (i + 1 >= args.size())
                throw TUsageError{QStringLiteral("Нет значения у параметра ") + a};
            Values.append({a, args[++i]});
        } else if (option) {
            Switches << a;
        } else if (a.startsWith(QLatin1String("--")) ||
                   (a.startsWith('-') && a.size() == 2 && !a[1].isDigit())) {
            throw TUsageError{QStringLiteral("Неизвестный параметр ") + a};
        } else {
            Rest << a;
        }
    }
}

std::optional<QString> TArgs::Value(const QString& name) const {
    for (auto it = Values.crbegin(); it != Values.crend(); ++it)
        if (it->first == name)
            return it->second;
    return std::nullopt;
}

long long TArgs::Number(const QString& name, long long fallback) const {
    const auto v = Value(name);
    return v ? ParseNumber(*v) : fallback;
}

bool TArgs::Has(const QString& name) const {
    return Switches.contains(name) || Value(name);
}

void TArgs::ExpectPositional(int n, const QString& usage) const {
    if (Rest.size() != n)
        throw TUsageError{QStringLiteral("Использование: ") + usage};
}

void WriteFileBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw TMKError(
            QStringLiteral("Не удаётся записать файл %1: %2").arg(path, file.errorString()));
}

void PrintJson(const QJsonDocument& document) {
    const QByteArray text = document.toJson(QJsonDocument::Indented);
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
}

void PrintError(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

QString ErrorText(const std::exception& error) {
    if (const auto* own = dynamic_cast<const TMKError*>(&error))
        return own->Text();
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return QStringLiteral("Не хватает памяти.");
    return QStringLiteral("Внутренняя ошибка: %1").arg(QString::fromLocal8Bit(error.what()));
}

void PrintProgress(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    std::fflush(stderr);
}

} // namespace Cli
