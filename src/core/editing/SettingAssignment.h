#pragma once

// "NAME=VALUE" as a shell user gives it: the text split, VALUE read in the control's terms
// (numbers, item indices, 1/0, text), and the value put into the control as the user
// would put it in the dialog.

#include <QString>
#include <QVariant>
#include <optional>

class TSettingsEditor;
struct TControlRow;

namespace SettingAssignment {

struct TAssignment {
    QString Name;
    QString Value;
};

// Name and value around the first '='; nothing when there is none or the name is empty.
std::optional<TAssignment> Split(const QString& item);

// VALUE in the control's terms: a finite number for spin edits, an integer item index for
// radio groups and lists, "1" or "0" for check boxes, the text itself for edits. Nothing
// for a value of the wrong form.
std::optional<QVariant> ParseValue(const TControlRow& row, const QString& text);

// Puts the value into the control as the editor would take it, or refuses it (TMKError:
// hidden or disabled control, an item out of the list or disabled; the range error from
// the store). A refused value leaves the record as it was.
void Assign(TSettingsEditor& editor, const TControlRow& row, const QVariant& value);

} // namespace SettingAssignment
