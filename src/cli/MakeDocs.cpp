// Writes mktool's man page and bash completion, both made from its command table, into
// the given folder: "mktool-docs FOLDER" gives FOLDER/mktool.1 and FOLDER/mktool.bash.
#include "HelpText.h"

#include <QDir>
#include <QSaveFile>
#include <cstdio>

namespace {

bool Write(const QString& path, const QString& text) {
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(file.errorString()));
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mktool-docs FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const bool written =
        Write(folder.filePath(QStringLiteral("mktool.1")), Cli::ManPage()) &&
        Write(folder.filePath(QStringLiteral("mktool.bash")), Cli::BashCompletion());
    return written ? 0 : 1;
}
