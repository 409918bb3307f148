// Arbitrary journal, totals and protocol bytes through the texts the journals viewer shows.
// The first byte picks one grid (and the fault-code format), so each input decodes only
// what its bytes feed and the target stays fast under the sanitizers.
#include "model/JournalGrids.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int Formats[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 1000, -1};
constexpr int FormatCount = int(std::size(Formats));

template <typename T> T From(const uint8_t* data, size_t size) {
    T value{};
    std::memcpy(&value, data, std::min(size, sizeof value));
    return value;
}

struct TFaultInput {
    TErrorJournal Errors;
    TProtocolSettings Protocol;
};

enum TGrid { TripGrid, TankGrid, CounterGrid, FaultGrid, GridCount };

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    using namespace Journals;
    const uint8_t* rest = data + 2;
    const size_t restSize = size - 2;
    switch (data[0] % GridCount) {
    case TripGrid:
    case TankGrid: {
        const auto trip = From<TTripSettings>(rest, restSize);
        JournalGridTexts(data[0] % GridCount == TripGrid ? trip.TripJournal : trip.TankJournal,
                         trip);
        break;
    }
    case CounterGrid: {
        const auto totals = From<TTripTotals>(rest, restSize);
        for (int g = 0; g < CounterGroupCount; ++g)
            CounterRows(CounterGroupValues(totals, TCounterGroupId(g)));
        break;
    }
    default: {
        const auto in = From<TFaultInput>(rest, restSize);
        FaultGridTexts(in.Errors, Formats[data[1] % FormatCount], in.Protocol);
        for (const TFaultRecord& fault : in.Errors.Faults)
            FreezeFrameRows(fault, in.Errors.SupportedPids);
        break;
    }
    }
    return 0;
}
