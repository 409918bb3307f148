#include "editing/SettingAssignment.h"

#include "base/MKError.h"
#include "editing/BlockChoice.h"
#include "editing/SettingsEditor.h"

#include <cmath>

namespace SettingAssignment {

std::optional<TAssignment> Split(const QString& item) {
    const qsizetype eq = item.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return std::nullopt;
    return TAssignment{item.left(eq), item.mid(eq + 1)};
}

std::optional<QVariant> ParseValue(const TControlRow& row, const QString& text) {
    bool ok = true;
    QVariant value;
    switch (row.Kind) {
    case TControlKind::Spin: {
        const double v = text.toDouble(&ok);
        ok = ok && std::isfinite(v);
        value = v;
        break;
    }
    case TControlKind::Radio:
    case TControlKind::List:
        value = text.toInt(&ok);
        break;
    case TControlKind::Check:
        ok = text == QLatin1String("1") || text == QLatin1String("0");
        value = text == QLatin1String("1");
        break;
    case TControlKind::Edit:
        value = text;
        break;
    }
    if (!ok)
        return std::nullopt;
    return value;
}

void Assign(TSettingsEditor& editor, const TControlRow& row, const QVariant& value) {
    if (!editor.Visible(row.Name) || !editor.Enabled(row.Name))
        throw TMKError(QStringLiteral("Элемент %1 скрыт или недоступен").arg(row.Name));
    if (row.Kind == TControlKind::Radio || row.Kind == TControlKind::List) {
        const QList<bool> enabled = editor.ItemsEnabled(row.Name);
        const int item = value.toInt();
        if (item < 0 || item >= enabled.size())
            throw TMKError(QStringLiteral("List index out of bounds (%1)").arg(item));
        if (!enabled[item])
            throw TMKError(
                QStringLiteral("Пункт %1 элемента %2 недоступен").arg(item).arg(row.Name));
    }
    // The user has the control in hand: a question it asks on the way is answered Yes.
    editor.SchemeRadioFocused = row.Name == QLatin1String("rgActiveColorScheme");
    // The "Показывать" groups act only on their page, where the user clicks them.
    if (row.Page == QLatin1String("tsBlocks"))
        BlockChoice::Enter(editor);
    try {
        editor.Put(row.Name, value);
    } catch (...) {
        editor.SchemeRadioFocused = false;
        throw;
    }
    editor.SchemeRadioFocused = false;
}

} // namespace SettingAssignment
