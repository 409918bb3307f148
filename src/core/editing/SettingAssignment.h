#pragma once

// "NAME=VALUE" as a shell user gives it, on the command line or a line of a settings text:
// the text split, VALUE read in the control's terms (numbers, item indices, 1/0, text), and
// the value put into the control as the user would put it in the dialog.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

class TSettingsEditor;
struct TControlRow;

namespace SettingAssignment {

struct TAssignment {
    QString Name;
    QString Value;
    QString Origin; // "FILE, строка N" for a line of a text; empty for the command line
};

// Name and value around the first '=': the name trimmed, the value every character after
// it. Nothing when there is no '=', or the name is empty or holds a space.
std::optional<TAssignment> Split(const QString& item);

// The assignments of a UTF-8 text: one NAME=VALUE a line, '#' comments and blank lines
// skipped, CR LF line ends accepted; each carries its origin in `source`. A line that is no
// assignment throws TMKError naming the source and the line.
QList<TAssignment> TextAssignments(const QString& source, const QByteArray& text);

// "FILE, строка N: text", or the text alone for the command line.
QString WithOrigin(const TAssignment& assignment, const QString& text);

// VALUE in the control's terms: a finite number for spin edits, an integer item index for
// radio groups and lists, "1" or "0" for check boxes, the text itself for edits. Nothing
// for a value of the wrong form.
std::optional<QVariant> ParseValue(const TControlRow& row, const QString& text);

// Puts the value into the control as the editor would take it, or refuses it (TMKError:
// hidden or disabled control, an item out of the list or disabled; the range error from
// the store). A refused value leaves the record as it was.
void Assign(TSettingsEditor& editor, const TControlRow& row, const QVariant& value);
// The same without asking whether the user could reach the control or the item (putting
// back a value the control held before).
void Put(TSettingsEditor& editor, const TControlRow& row, const QVariant& value);

} // namespace SettingAssignment
