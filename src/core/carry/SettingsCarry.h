#pragma once

// Carrying settings to another MK by meaning: the settings a source record's editor shows
// go into a target image through the target's own editor model, the protocol by its
// catalogue entry, items by their text, ids through the target's catalogues, every value
// through the control's own store. What the target cannot take is reported.

#include "carry/CarryReport.h"

class TMK;

// Opens `source` as the editor opens it (it stays as it was), then opens `target` the same
// way, carries the settings onto it and packs blocks 1–11 into its image; the target's
// settings version, directory, journals and counters and every byte outside those blocks
// stay its own. Throws the editor's error when either cannot be opened (the target is
// then unchanged).
TCarryReport CarrySettings(TMK& source, TMK& target);
