// Arbitrary journal, totals and protocol bytes through every text the journals viewer shows,
// in every fault-code format.
#include "model/JournalGrids.h"

#include <cstring>

namespace {

struct TJournalInput {
    TTripTotals Totals;
    TTripSettings Trip;
    TErrorJournal Errors;
    TProtocolSettings Protocol;
};

constexpr int Formats[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 1000, -1};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TJournalInput in{};
    std::memcpy(&in, data, std::min(size, sizeof in));
    using namespace Journals;
    JournalGridTexts(in.Trip.TripJournal, in.Trip);
    JournalGridTexts(in.Trip.TankJournal, in.Trip);
    for (int g = 0; g < CounterGroupCount; ++g)
        CounterRows(CounterGroupValues(in.Totals, TCounterGroupId(g)));
    for (int format : Formats)
        FaultGridTexts(in.Errors, format, in.Protocol);
    for (const TFaultRecord& fault : in.Errors.Faults)
        FreezeFrameRows(fault, in.Errors.SupportedPids);
    return 0;
}
