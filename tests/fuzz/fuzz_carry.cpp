// Two arbitrary records of two devices chosen by the input, the first carried onto the
// second as mktool carry and the program's offer after a version message carry them.
// Either may be refused with a clean error, and then the target is as it was. Otherwise the
// source is as it was, the target keeps its size, settings version, directory, firmware,
// journals, counters and every byte outside blocks 1-11, and the report names each setting
// left out with its page and reason.
//
// Input: [source pair] [target pair]
//        [bit 0 source 32 KB, bit 1 target 32 KB, bit 2 check the report's JSON too]
//        [source length u16] [source record bytes] [target record bytes],
//        each laid over blocks 1-11 from their start.
#include "FuzzKit.h"

#include "base/MKError.h"
#include "carry/SettingsCarry.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

constexpr std::size_t HeaderSize = 5;

struct TSpan {
    qsizetype From;
    qsizetype Size;
};

// Where the directory places blocks 1-11 in the image.
std::vector<TSpan> EditedSpans(const TMK& mk) {
    std::vector<TSpan> spans;
    for (const TBlockInfo& info : BlockTable())
        if (info.Block != TBlock::ErrorJournal)
            spans.push_back({mk.ImageDirectory.Entries[info.DirectoryEntry - 1].Address - 32,
                             qsizetype(info.Size)});
    return spans;
}

// The image with blocks 1-11 blanked: what carrying leaves alone.
QByteArray Outside(const TMK& mk) {
    QByteArray kept = mk.Image;
    for (const TSpan& span : EditedSpans(mk))
        if (span.From >= 0 && span.From < kept.size())
            std::memset(kept.data() + span.From, 0,
                        std::size_t(std::min(span.Size, kept.size() - span.From)));
    return kept;
}

// The journals and the counters a user does not set, as the record holds them.
QByteArray Kept(const TMK& mk) {
    // By offset: the record is packed, so its arrays are not to be bound by reference.
    const char* trips = reinterpret_cast<const char*>(&mk.Record.TripSettings);
    const char* totals = reinterpret_cast<const char*>(&mk.Record.TripTotals);
    const auto span = [](const char* at, std::size_t from, std::size_t to) {
        return QByteArray(at + from, qsizetype(to - from));
    };
    // The start mileage and the reset periods among the counters are settings.
    return span(trips, offsetof(TTripSettings, TripJournal),
                offsetof(TTripSettings, TankJournal) + sizeof(TTripSettings::TankJournal)) +
           span(totals, 0, offsetof(TTripTotals, AllPathStart)) +
           span(totals, offsetof(TTripTotals, OilOnlySum), offsetof(TTripTotals, ResetPeriodOnly)) +
           span(totals, offsetof(TTripTotals, GasFuel), offsetof(TTripTotals, Reserved160));
}

// The JSON form costs more than the carry's own checks; half the inputs ask for it.
void CheckReport(const TCarryReport& report, bool json) {
    FUZZ_CHECK(report.Carried >= 0);
    for (const TCarryEntry& e : report.NotCarried)
        FUZZ_CHECK(!e.Name.isEmpty() && !e.Page.isEmpty() && !e.Reason.isEmpty());
    FUZZ_CHECK(report.Lines().size() == qsizetype(report.NotCarried.size()));
    if (!json)
        return;
    const QJsonObject object = report.Json();
    FUZZ_CHECK(object.value("Carried").toInt(-1) == report.Carried);
    FUZZ_CHECK(object.value("NotCarried").toArray().size() == qsizetype(report.NotCarried.size()));
}

struct TState {
    TMK Source, Target;
    QByteArray Images[2] = {FactoryImage(8192), FactoryImage(32768)};
    std::vector<TPair> Pairs = KnownPairs();
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TState s;
    if (size < HeaderSize)
        return 0;
    const TPair from = s.Pairs[data[0] % s.Pairs.size()];
    const TPair onto = s.Pairs[data[1] % s.Pairs.size()];
    const std::size_t rest = size - HeaderSize;
    const std::size_t sourceSize = std::min<std::size_t>(data[3] | data[4] << 8, rest);
    const uint8_t* record = data + HeaderSize;
    DeclareRecord(s.Source, s.Images[data[2] & 1], from, record, sourceSize);
    DeclareRecord(s.Target, s.Images[data[2] >> 1 & 1], onto, record + sourceSize,
                  rest - sourceSize);

    const QByteArray source = s.Source.Image;
    const QByteArray target = s.Target.Image;
    const QByteArray outside = Outside(s.Target);
    s.Target.UnpackAll();
    const QByteArray kept = Kept(s.Target);
    TCarryReport report;
    try {
        report = CarrySettings(s.Source, s.Target);
    } catch (const TMKError&) {
        FUZZ_CHECK(s.Target.Image == target);
        return 0;
    }
    FUZZ_CHECK(s.Source.Image == source);
    FUZZ_CHECK(s.Target.SettingsVersion == onto.SettingsVersion);
    FUZZ_CHECK(s.Target.Image.size() == target.size());
    FUZZ_CHECK(Outside(s.Target) == outside);
    s.Target.UnpackAll();
    FUZZ_CHECK(Kept(s.Target) == kept);
    CheckReport(report, data[2] & 4);
    return 0;
}
