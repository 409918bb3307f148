#pragma once

// A write of some of the changes only: what the program would write, with the MK's own
// value put back for every change the user did not choose. The program's list before a
// write and `mktool write --only` share it.

#include <QByteArray>

class TMK;
struct TSettingsDiff;

// The image to send: toWrite's image (the program's record laid over the MK's fresh
// memory) with the MK's value back for every line of `notChosen`, a part of
// CompareSettings(device, toWrite). Controls take the MK's value through the editor's
// model, so their cascades apply; page data, journals and totals are copied from the MK's
// record (unpacked, as CompareSettings leaves it). Without lines to put back this is
// toWrite's image itself. Both models keep their records. Throws TMKError when a control cannot
// hold the MK's value beside the chosen changes.
QByteArray ChosenImage(TMK& device, TMK& toWrite, const TSettingsDiff& notChosen);
