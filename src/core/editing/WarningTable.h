#pragma once

// The 24 warnings of "Озвуч.сообщения": one byte each in AlarmPresentation, shown as a row
// with a group for the first occurrence and, where the warning repeats, one for later ones.

#include "model/Record.h"

#include <QString>
#include <QStringList>
#include <array>

class TSettingsEditor;

struct TWarningRow {
    const char* Key;     // rgap<Key>_F, rgap<Key>_N
    const char* Caption; // the row caption
    bool HasLater;       // has a group for later occurrences
};

// Items "О" "Н" "Б" "М" "Г": a choice is an index below this.
constexpr int PresentationItems = 5;

// In AlarmPresentation order.
const std::array<TWarningRow, AlarmEvents>& WarningRows();
QString WarningGroupName(const TWarningRow& row, bool later);
QStringList PresentationLetters();
// Whether the current protocol and the flags show warning `index`.
bool WarningRowVisible(const TSettingsEditor& editor, int index);
