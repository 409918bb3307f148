#include "editing/EditorSession.h"

#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"

#include <algorithm>

bool RunEditorModel(TMK& mk, const std::function<bool(TSettingsEditor&)>& work) {
    return mk.EditSettings([&mk, &work] {
        TSettingsEditor editor(mk);
        editor.Show();
        return work(editor);
    });
}

QString ShownText(const TSettingsEditor& editor, const TControlRow& row) {
    const QVariant shown = editor.Shown(row);
    switch (row.Kind) {
    case TControlKind::Spin:
        return QString::number(shown.toDouble(), 'f', row.Decimals);
    case TControlKind::Radio:
    case TControlKind::List: {
        const QStringList items = editor.Items(row);
        const int item = shown.toInt();
        return item >= 0 && item < items.size() ? items[item] : QString();
    }
    case TControlKind::Check:
        return shown.toBool() ? QStringLiteral("да") : QStringLiteral("нет");
    case TControlKind::Edit:
        return shown.toString();
    }
    return {};
}

QString ShownCaption(const TSettingsEditor& editor, const TControlRow& row) {
    const std::vector<TControlRow>& rows = editor.Rows();
    const auto at = std::find_if(rows.rbegin(), rows.rend(),
                                 [&row](const TControlRow& r) { return &r == &row; });
    for (auto it = at; it != rows.rend() && it->Page == row.Page; ++it)
        if (!it->Caption.isEmpty() || it->CaptionRule)
            return editor.Caption(*it);
    return {};
}
