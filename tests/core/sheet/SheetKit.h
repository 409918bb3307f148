#pragma once

// Settings sheets of factory memories declared as devices of the variant table, and the
// look-ups the sheet tests make in their HTML.

#include "ImageKit.h"

#include "editing/EditorSession.h"
#include "editing/SettingsEditor.h"
#include "sheet/SettingsSheet.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <functional>

// Devices unlike each other in pages and controls: parking, voice, gas, tanks, the short
// service form, a universal input.
inline void SheetDevices() {
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("versionText");
    QTest::newRow("0001/1 blocks, voice") << 0x0001 << 1 << "0x0001";
    QTest::newRow("0201 no park type") << 0x0201 << 0 << "0x0201";
    QTest::newRow("0601 lights, no air") << 0x0601 << 0 << "0x0601";
    QTest::newRow("0901/1 two tanks, lights") << 0x0901 << 1 << "0x0901";
    QTest::newRow("0A01/10 universal input, no parking") << 0x0A01 << 10 << "0x0A01";
    QTest::newRow("0C01 short service form") << 0x0C01 << 0 << "0x0C01";
}

// Opens the editor's model on the device's factory memory, lets `edit` change it, and
// hands the editor to `check` with the sheet built from it.
inline void WithSheet(uint16_t version, uint32_t variant,
                      const std::function<void(TSettingsEditor&)>& edit,
                      const std::function<void(TSettingsEditor&, const TSettingsSheet&)>& check) {
    TMK mk;
    DeclareDevice(mk, version, variant);
    mk.Origin = TSettingsOrigin::FromFile(QStringLiteral("/home/car/car.rvset"));
    RunEditorModel(mk, [&](TSettingsEditor& editor) {
        if (edit)
            edit(editor);
        const TSettingsSheet sheet =
            SettingsSheet::Build(editor, QDateTime(QDate(2026, 12, 9), QTime(10, 5)));
        check(editor, sheet);
        return false;
    });
}

struct THtmlLine {
    int Count = 0; // rows with the name
    QString Caption, Value, Mark;
};

inline QString Unescaped(QString text) {
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}

// Every <tr data-name> row of the page, by name.
inline QHash<QString, THtmlLine> HtmlLines(const QString& html) {
    static const QRegularExpression row(QStringLiteral(
        "<tr data-name=\"([^\"]*)\"[^>]*><td class=\"caption\"[^>]*>(.*?)</td>"
        "<td class=\"value\"[^>]*>(.*?)</td><td class=\"off\"[^>]*>(.*?)</td></tr>"));
    QHash<QString, THtmlLine> lines;
    for (auto it = row.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        THtmlLine& line = lines[Unescaped(m.captured(1))];
        ++line.Count;
        line.Caption = Unescaped(m.captured(2));
        line.Value = Unescaped(m.captured(3));
        line.Mark = m.captured(4);
    }
    return lines;
}

// The text of a PDF as pdftotext finds it, without any white space (lines wrap in cells).
inline QString PdfText(const QString& pdfPath) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        qFatal("pdftotext did not run (scripts/setup installs poppler-utils)");
    return QString::fromUtf8(p.readAllStandardOutput())
        .remove(QRegularExpression(QStringLiteral("\\s")));
}
