#include "editing/SettingAssignment.h"

#include "base/MKError.h"
#include "editing/BlockChoice.h"
#include "editing/SettingsEditor.h"

#include <QStringList>
#include <cmath>

namespace SettingAssignment {

std::optional<TAssignment> Split(const QString& item) {
    const qsizetype eq = item.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return std::nullopt;
    const QString name = item.left(eq).trimmed();
    if (name.isEmpty() || name.contains(QLatin1Char(' ')))
        return std::nullopt;
    return TAssignment{name, item.mid(eq + 1), {}};
}

QList<TAssignment> TextAssignments(const QString& source, const QByteArray& text) {
    QList<TAssignment> list;
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString bare = line.trimmed();
        if (bare.isEmpty() || bare.startsWith(QLatin1Char('#')))
            continue;
        const QString origin = QStringLiteral("%1, строка %2").arg(source).arg(i + 1);
        std::optional<TAssignment> assignment = Split(line);
        if (!assignment)
            throw TMKError(origin + QStringLiteral(": ожидается ИМЯ=ЗНАЧЕНИЕ"));
        assignment->Origin = origin;
        list.append(*assignment);
    }
    return list;
}

QString WithOrigin(const TAssignment& assignment, const QString& text) {
    return assignment.Origin.isEmpty() ? text : assignment.Origin + QStringLiteral(": ") + text;
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
    if (!editor.Visible(row) || !editor.Enabled(row))
        throw TMKError(QStringLiteral("Элемент %1 скрыт или недоступен").arg(row.Name));
    if (row.Kind == TControlKind::Radio || row.Kind == TControlKind::List) {
        const QList<bool> enabled = editor.ItemsEnabled(row);
        const int item = value.toInt();
        if (item < 0 || item >= enabled.size())
            throw TMKError(QStringLiteral("List index out of bounds (%1)").arg(item));
        if (!enabled[item])
            throw TMKError(
                QStringLiteral("Пункт %1 элемента %2 недоступен").arg(item).arg(row.Name));
    }
    Put(editor, row, value);
}

void Put(TSettingsEditor& editor, const TControlRow& row, const QVariant& value) {
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
