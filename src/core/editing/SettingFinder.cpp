#include "editing/SettingFinder.h"

#include "editing/PageTree.h"
#include "editing/SettingsEditor.h"

std::vector<TFoundSetting> FindSettings(const TSettingsEditor& editor, const QString& part) {
    std::vector<TFoundSetting> found;
    const QString wanted = part.simplified();
    if (wanted.isEmpty())
        return found;
    for (const TPageInfo& page : PageTree()) {
        for (const TControlRow& row : editor.Rows()) {
            if (row.Page != page.Name || !editor.Visible(row))
                continue;
            const QString caption = editor.Caption(row).simplified();
            const QString shown = caption.isEmpty() ? row.Group.simplified() : caption;
            if (shown.isEmpty() || (!caption.contains(wanted, Qt::CaseInsensitive) &&
                                    !row.Group.contains(wanted, Qt::CaseInsensitive)))
                continue;
            QString path = PagePath(page.Name).replace(QLatin1Char('/'), QStringLiteral(" › "));
            // A row of twin controls (first and later warning) is offered once.
            const QString text = path + QStringLiteral(" › ") + shown;
            if (found.empty() || found.back().Text != text)
                found.push_back({row.Name, row.Page, text});
        }
    }
    return found;
}
