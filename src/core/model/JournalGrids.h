#pragma once

// The journals viewer's grids as texts, row by row, built from the journal decoding. The
// viewer and mktool show the same texts.

#include "model/Journals.h"
#include "model/DeviceModel.h"

#include <QList>
#include <QStringList>
#include <span>

namespace Journals {

// Rows of cells; row 0 is the header row.
using TGridTexts = QList<QStringList>;

constexpr int JournalGridColumns = 9;
constexpr int JournalGridRows = JournalRecords + 1;
constexpr int FaultGridColumns = 3;
constexpr int FaultGridRows = FaultRecords + 1;

// The trip or refuel journal: header, then "Посл." and 1..20 with the records' cells.
TGridTexts JournalGridTexts(std::span<const TJournalRecord, JournalRecords> records,
                            const TTripSettings& prices);
// The fault journal: header, then rows numbered from 0; empty records show only their number.
TGridTexts FaultGridTexts(const TErrorJournal& journal, int errorFormat,
                          const TProtocolSettings& protocol);

// Rebuilds the protocol list for the record's device and returns the error format of its
// protocol; NoText when the record names no protocol of the list.
int DeviceErrorFormat(TMK& mk);

} // namespace Journals
