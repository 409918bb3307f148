#pragma once

// Decoding of the MK's journals and running totals into the texts the journals viewer
// shows, and the resets it offers. Pure functions over record fields.

#include "model/Record.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace Journals {

struct TCaptionValue {
    QString Caption;
    QString Value;
    bool operator==(const TCaptionValue&) const = default;
};
using TCaptionValues = QList<TCaptionValue>;

// A number in fixed-point notation with the system's decimal separator.
QString FixedText(double value, int decimals);

// "hh:mm   d.mm" of a trip or refuel record; hours wrap at 24.
QString JournalDateText(const TJournalRecord& record);
// "h:mm d.mm" of a fault record; hours do not wrap.
QString FaultDateText(const TFaultRecord& record);
// "h:mm" of a number of minutes.
QString DurationText(uint32_t minutes);

double TripCost(const TJournalRecord& record, const TTripSettings& prices);
constexpr int TripCellCount = 8;
// Columns 1..8 of a journal row; an empty record gives "Пусто" and seven empty cells.
QStringList TripRowCells(const TJournalRecord& record, const TTripSettings& prices);

// The eight counter groups of TripTotals, in the viewer's order.
enum class TCounterGroupId {
    AllSum,
    TripSum,
    ResetSum,
    StopSum,
    NoStopSum,
    TankSum,
    OilOnlySum,
    GasOnlySum,
};
constexpr int CounterGroupCount = 8;
// The group's record field name ("AllSum", ...).
const char* CounterGroupName(TCounterGroupId group);

struct TCounterValues {
    uint32_t Time = 0;       // seconds
    uint32_t Path = 0;       // metres
    uint32_t Petrol = 0;     // millilitres
    uint32_t Gas = 0;        // millilitres
    int32_t StartPathKm = 0; // added to the shown distance only
};
TCounterValues CounterGroupValues(const TTripTotals& totals, TCounterGroupId group);
// Time, distance, fuel and the three averages of a group.
TCaptionValues CounterRows(const TCounterValues& group);

// The fault code as the protocol's error format writes it; formats 7, 8 and 9 are resolved
// with the protocol sub-types first. Unknown formats give an empty text.
QString ErrorCodeText(int format, uint32_t code, const TProtocolSettings& protocol);

constexpr int SupportedPidCount = 96;
// Whether the engine unit supports diagnostic parameter n (1..96).
bool PidSupported(const uint8_t (&supportedPids)[12], int n);

struct TFreezeFrame {
    TCaptionValues Rows;
    // Set when a value cannot be shown; the listing stops at that row.
    QString Error;
};
// The freeze frame of a fault record whose FreezeCode is not 0: the triggering code, then
// every supported parameter.
TFreezeFrame FreezeFrameRows(const TFaultRecord& record, const uint8_t (&supportedPids)[12]);

void ResetTripJournal(TTripSettings& trip);
void ResetTankJournal(TTripSettings& trip);
void ResetFaultJournal(TErrorJournal& journal);
// Clears the group's time, distance and fuel; AllPathStart stays.
void ResetCounterGroup(TTripTotals& totals, TCounterGroupId group);

} // namespace Journals
