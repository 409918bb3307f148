#include "editing/EditorSession.h"

#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"

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
    for (std::size_t at = editor.Position(row) + 1; at-- > 0 && rows[at].Page == row.Page;)
        if (!rows[at].Caption.isEmpty() || rows[at].CaptionRule)
            return editor.Caption(rows[at]);
    return {};
}
