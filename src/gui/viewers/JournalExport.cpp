#include "viewers/JournalExport.h"

#include "base/MKError.h"

#include <QSaveFile>
#include <QStringEncoder>

namespace JournalExport {

QByteArray Encode(const QList<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        for (const QString& cell : row)
            text += cell + QLatin1Char('\t');
        text += QLatin1String("\r\n");
    }
    QStringEncoder encoder(QStringConverter::System);
    return encoder.encode(text);
}

void Write(const QString& path, const QList<QStringList>& rows) {
    QSaveFile file(path);
    const QByteArray bytes = Encode(rows);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw TMKError(file.errorString());
}

} // namespace JournalExport
