#include "sheet/SheetFile.h"

#include "base/MKError.h"
#include "sheet/SettingsSheet.h"
#include "sheet/SheetHtml.h"
#include "sheet/SheetPdf.h"

#include <QFileInfo>
#include <QSaveFile>

namespace SheetFile {

std::optional<TFormat> FormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("html"))
        return TFormat::Html;
    if (suffix == QLatin1String("pdf"))
        return TFormat::Pdf;
    return std::nullopt;
}

void Write(const TSettingsSheet& sheet, const QString& path) {
    const std::optional<TFormat> format = FormatOf(path);
    if (!format)
        throw TMKError(QStringLiteral("Отчёт записывается в файл .html или .pdf: %1").arg(path));
    const QByteArray bytes =
        *format == TFormat::Html ? SheetHtml::Html(sheet).toUtf8() : SheetPdf::Pdf(sheet);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw TMKError(QStringLiteral("Не удаётся записать файл %1").arg(path));
}

} // namespace SheetFile
