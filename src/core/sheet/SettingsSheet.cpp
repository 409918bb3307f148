#include "sheet/SettingsSheet.h"

#include "catalog/Protocols.h"
#include "editing/EditorSession.h"
#include "editing/PageTree.h"
#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"
#include "model/Preview.h"
#include "sheet/SheetPageData.h"

namespace SettingsSheet {

namespace {

// The device's name from its catalogue; "—" for a device the catalogue does not name.
QString DeviceName(const TSettingsEditor& editor) {
    const QString& name = editor.Mk.Catalog.ProjectName();
    return name.isEmpty() ? QStringLiteral("—") : name;
}

QString ProtocolName(const TSettingsEditor& editor) {
    return editor.HasProtocol() ? editor.Protocol().ProtName : QStringLiteral("—");
}

QString SettingsVersion(const TMK& mk) {
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(mk.SettingsVersion, 4, 16, QLatin1Char('0')).toUpper();
}

// Where the settings came from ("car.rvset", "МК, считано …"); "—" for none.
QString Origin(const TMK& mk) {
    const QString text = mk.Origin.Text();
    return text.isEmpty() ? QStringLiteral("—") : text;
}

QList<QPair<QString, QString>> Header(const TSettingsEditor& editor, const QDateTime& made) {
    return {
        {QStringLiteral("Устройство"), DeviceName(editor)},
        {QStringLiteral("Версия настроек"), SettingsVersion(editor.Mk)},
        {QStringLiteral("Вариант прошивки"), QString::number(editor.Mk.FirmwareVersion())},
        {QStringLiteral("Протокол"), ProtocolName(editor)},
        {QStringLiteral("Откуда настройки"), Origin(editor.Mk)},
        {QStringLiteral("Отчёт составлен"), made.toString(QStringLiteral("dd.MM.yyyy HH:mm"))},
    };
}

// The pages in the order the tabs show them: each main page, then its sub-pages depth first.
void AddPages(const TSettingsEditor& editor, const QString& parent, const QString& path, int depth,
              std::vector<TSheetPage>& pages) {
    for (const TPageInfo& info : PageTree()) {
        if (info.Parent != parent || !editor.PageVisible(info.Name))
            continue;
        const QString caption =
            path.isEmpty() ? info.Caption : path + QStringLiteral(" › ") + info.Caption;
        pages.push_back({info.Name, caption, depth, {}, {}, {}});
        AddPages(editor, info.Name, caption, depth + 1, pages);
    }
}

} // namespace

TSettingsSheet Build(TSettingsEditor& editor, const QDateTime& made) {
    TSettingsSheet sheet;
    sheet.Title = QStringLiteral("Настройки МК");
    sheet.Header = Header(editor, made);
    AddPages(editor, QString(), QString(), 0, sheet.Pages);

    QHash<QString, TSheetPage*> byName;
    for (TSheetPage& page : sheet.Pages)
        byName.insert(page.Name, &page);
    for (const TControlRow& row : editor.Rows()) {
        if (!editor.Visible(row))
            continue;
        if (TSheetPage* page = byName.value(row.Page))
            page->Lines.push_back({row.Name, row.Group, ShownCaption(editor, row),
                                   ShownText(editor, row), editor.Enabled(row)});
    }

    // The previews are drawn where the editor draws its own; what the editor shows there
    // now stays.
    TMKPreview& preview = *editor.Mk.Preview;
    const QImage surface = preview.PreviewSurface;
    for (TSheetPage& page : sheet.Pages)
        SheetPageData::Add(editor, page);
    preview.PreviewSurface = surface;
    return sheet;
}

} // namespace SettingsSheet
