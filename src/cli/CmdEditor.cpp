// mktool get | describe | set: the settings editor's model without a window.

#include "Assignments.h"
#include "CliUtil.h"
#include "CommandTable.h"
#include "Commands.h"
#include "base/FileRead.h"
#include "base/MKError.h"
#include "editing/EditorSession.h"
#include "editing/PageTree.h"
#include "editing/SettingAssignment.h"
#include "editing/SettingsDiff.h"
#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTextStream>
#include <cstdio>

namespace {

// A JSON literal of what the control shows; spin edits keep their decimals.
QString JsonLiteral(const TSettingsEditor& editor, const TControlRow& row) {
    const QVariant shown = editor.Shown(row.Name);
    switch (row.Kind) {
    case TControlKind::Spin:
        return QString::number(shown.toDouble(), 'f', row.Decimals);
    case TControlKind::Radio:
    case TControlKind::List:
        return shown.toInt() < 0 ? QStringLiteral("null") : QString::number(shown.toInt());
    case TControlKind::Check:
        return shown.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case TControlKind::Edit: {
        const QByteArray quoted =
            QJsonDocument(QJsonArray{shown.toString()}).toJson(QJsonDocument::Compact);
        return QString::fromUtf8(quoted.mid(1, quoted.size() - 2));
    }
    }
    return QStringLiteral("null");
}

QString KindName(TControlKind kind) {
    switch (kind) {
    case TControlKind::Spin:
        return QStringLiteral("spin");
    case TControlKind::Radio:
        return QStringLiteral("radio");
    case TControlKind::List:
        return QStringLiteral("list");
    case TControlKind::Check:
        return QStringLiteral("check");
    case TControlKind::Edit:
        return QStringLiteral("edit");
    }
    return {};
}

void LoadFile(TMK& mk, const QString& path) {
    SettingsFile::Load(mk, path);
}

void PrintUtf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
}

QJsonObject Describe(const TSettingsEditor& editor, const TControlRow& row) {
    QJsonObject control{
        {"Page", MainPageOf(row.Page).Caption}, {"Caption", editor.Caption(row.Name)},
        {"Kind", KindName(row.Kind)},           {"Visible", editor.Visible(row.Name)},
        {"Enabled", editor.Enabled(row.Name)},
    };
    if (row.Kind == TControlKind::Spin) {
        const TRange range = editor.Range(row.Name);
        control.insert("Min", range.Min);
        control.insert("Max", range.Max);
        control.insert("Step", row.Step);
        control.insert("Decimals", row.Decimals);
    }
    if (row.Kind == TControlKind::Radio || row.Kind == TControlKind::List) {
        QJsonArray enabled;
        for (bool e : editor.ItemsEnabled(row.Name))
            enabled.append(e);
        control.insert("Items", QJsonArray::fromStringList(editor.Items(row.Name)));
        control.insert("ItemsEnabled", enabled);
    }
    if (row.Kind == TControlKind::Edit)
        control.insert("MaxLength", row.MaxLength);
    return control;
}

// VALUE of NAME=VALUE in the control's terms; TUsageError for a value of the wrong form.
QVariant ParseValue(const TControlRow& row, const QString& text) {
    if (const std::optional<QVariant> value = SettingAssignment::ParseValue(row, text))
        return *value;
    throw Cli::TUsageError{QStringLiteral("Недопустимое значение %1=%2").arg(row.Name, text)};
}

// What `get --visible` prints: a control the editor shows and enables, with a value `set`
// takes back (a group or list without a selection has none).
bool Settable(const TSettingsEditor& editor, const TControlRow& row) {
    if (!editor.Visible(row.Name) || !editor.Enabled(row.Name))
        return false;
    return (row.Kind != TControlKind::Radio && row.Kind != TControlKind::List) ||
           editor.Shown(row.Name).toInt() >= 0;
}

// One assignment; an error the editor shows is told with the line it came from.
void Take(TSettingsEditor& editor, const TControlRow& row,
          const SettingAssignment::TAssignment& assignment) {
    try {
        SettingAssignment::Assign(editor, row, ParseValue(row, assignment.Value));
    } catch (const TMKError&) {
        if (!assignment.Origin.isEmpty())
            Cli::PrintProgress(assignment.Origin + QLatin1Char(':'));
        throw;
    }
}

// The assignments in order; one the editor hides or disables at its turn waits until the
// others were taken (a later control may decide whether it shows) and is refused only when
// it stays hidden.
void ApplyAll(TSettingsEditor& editor, const QList<SettingAssignment::TAssignment>& assignments) {
    QList<QPair<const TControlRow*, SettingAssignment::TAssignment>> pending;
    for (const SettingAssignment::TAssignment& assignment : assignments) {
        const TControlRow* row = editor.Row(assignment.Name);
        if (!row)
            throw Cli::TUsageError{SettingAssignment::WithOrigin(
                assignment, QStringLiteral("Нет элемента %1").arg(assignment.Name))};
        try {
            ParseValue(*row, assignment.Value);
        } catch (const Cli::TUsageError& e) {
            throw Cli::TUsageError{SettingAssignment::WithOrigin(assignment, e.Text)};
        }
        pending.append({row, assignment});
    }
    while (!pending.isEmpty()) {
        QList<QPair<const TControlRow*, SettingAssignment::TAssignment>> waiting;
        for (const auto& [row, assignment] : pending) {
            if (!editor.Visible(row->Name) || !editor.Enabled(row->Name)) {
                waiting.append({row, assignment});
                continue;
            }
            Take(editor, *row, assignment);
        }
        if (waiting.size() == pending.size())
            Take(editor, *waiting.front().first, waiting.front().second); // refused: hidden
        pending = waiting;
    }
}

} // namespace

int RunGet(const QStringList& args) {
    const Cli::TArgs a(args, QStringLiteral("get"));
    if (a.Positional().isEmpty() || (a.Has("--visible") && a.Positional().size() > 1))
        throw Cli::TUsageError{Cli::UsageOf(QStringLiteral("get"))};
    TMK mk;
    LoadFile(mk, a.Positional()[0]);
    const QStringList wanted = a.Positional().mid(1);
    QString out;
    RunEditorModel(mk, [&](TSettingsEditor& editor) {
        QStringList names = wanted;
        if (names.isEmpty())
            for (const TControlRow& row : editor.Rows())
                if (!a.Has("--visible") || Settable(editor, row))
                    names.append(row.Name);
        QStringList entries;
        for (const QString& name : names) {
            const TControlRow* row = editor.Row(name);
            if (!row)
                throw Cli::TUsageError{QStringLiteral("Нет элемента %1").arg(name)};
            if (a.Has("--json")) {
                entries.append(QStringLiteral("\"%1\": %2").arg(name, JsonLiteral(editor, *row)));
            } else {
                const QString literal = JsonLiteral(editor, *row);
                const bool text = row->Kind == TControlKind::Edit;
                const bool none = literal == QLatin1String("null");
                // --visible prints what set takes back: boxes as 1 or 0.
                const bool box = a.Has("--visible") && row->Kind == TControlKind::Check;
                entries.append(name + QLatin1Char('=') +
                               (text   ? editor.Shown(name).toString()
                                : none ? QString()
                                : box  ? QString::number(int(editor.Shown(name).toBool()))
                                       : literal));
            }
        }
        out = a.Has("--json") ? QStringLiteral("{\n  ") + entries.join(QStringLiteral(",\n  ")) +
                                    QStringLiteral("\n}\n")
                              : entries.join(QLatin1Char('\n')) + QLatin1Char('\n');
        return false;
    });
    PrintUtf8(out);
    return Cli::ExitOk;
}

int RunDescribe(const QStringList& args) {
    const Cli::TArgs a(args, QStringLiteral("describe"));
    a.ExpectPositional(1, Cli::UsageOf(QStringLiteral("describe")));
    if (!a.Has("--json"))
        throw Cli::TUsageError{Cli::UsageOf(QStringLiteral("describe"))};
    TMK mk;
    LoadFile(mk, a.Positional()[0]);
    QJsonObject result;
    RunEditorModel(mk, [&](TSettingsEditor& editor) {
        QJsonObject pages;
        for (const TPageInfo& page : PageTree())
            pages.insert(PagePath(page.Name), editor.PageVisible(page.Name));
        QJsonObject controls;
        for (const TControlRow& row : editor.Rows())
            controls.insert(row.Name, Describe(editor, row));
        result = {{"Pages", pages}, {"Controls", controls}};
        return false;
    });
    Cli::PrintJson(QJsonDocument(result));
    return Cli::ExitOk;
}

int RunSet(const QStringList& args) {
    const Cli::TArgs a(args, QStringLiteral("set"));
    if (a.Positional().size() < 2)
        throw Cli::TUsageError{Cli::UsageOf(QStringLiteral("set"))};
    QList<SettingAssignment::TAssignment> assignments =
        Cli::CommandLineAssignments(a.Positional().mid(2), Cli::UsageOf(QStringLiteral("set")));
    if (const std::optional<QString> from = a.Value("--from")) {
        // An unreadable file or a line that is no assignment is a usage error.
        try {
            assignments += SettingAssignment::TextAssignments(
                *from, FileRead::ReadWholeFile(*from, FileRead::SettingsLimit,
                                               FileRead::SettingsTextKind()));
        } catch (const TMKError& e) {
            throw Cli::TUsageError{e.Text()};
        }
    } else if (assignments.isEmpty())
        throw Cli::TUsageError{Cli::UsageOf(QStringLiteral("set"))};
    TMK mk;
    LoadFile(mk, a.Positional()[0]);
    RunEditorModel(mk, [&](TSettingsEditor& editor) {
        ApplyAll(editor, assignments);
        return true;
    });
    SettingsFile::Save(mk, a.Positional()[1]);
    return Cli::ExitOk;
}

int RunDiff(const QStringList& args) {
    // Like diff: 0 equal, 1 different, 2 trouble (any error, not only usage).
    try {
        const Cli::TArgs a(args, QStringLiteral("diff"));
        a.ExpectPositional(2, Cli::UsageOf(QStringLiteral("diff")));
        TMK first, second;
        LoadFile(first, a.Positional()[0]);
        LoadFile(second, a.Positional()[1]);
        const TSettingsDiff diff = CompareSettings(first, second);
        if (a.Has("--json"))
            Cli::PrintJson(QJsonDocument(diff.Json()));
        else if (!diff.Empty())
            PrintUtf8(diff.Lines().join(QLatin1Char('\n')) + QLatin1Char('\n'));
        return diff.Empty() ? Cli::ExitOk : Cli::ExitFailure;
    } catch (const std::exception& e) {
        Cli::PrintError(Cli::ErrorText(e));
        return Cli::ExitUsage;
    }
}
