#pragma once

#include <QStringList>

class TMainForm;

// "Params32 --read-once": the shown window reads the MK once as "Считать настройки из МК"
// does, prints one line about what it read and ends the program. Every box the read would
// show goes to stderr instead and is answered No, so nothing waits for a person; with
// QT_QPA_PLATFORM=offscreen the whole start of the program runs without a display.
namespace ReadOnce {

bool Requested(const QStringList& arguments);
// Schedules the read on the running event loop; the program's exit code then tells
// whether the settings were read (0) or not (1).
void Start(TMainForm& form);

} // namespace ReadOnce
