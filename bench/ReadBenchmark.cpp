// Reads a whole 32 KB MK (1022 ReadBlock exchanges) from the simulator over a
// pseudo-terminal: unpaced for the link's own cost per exchange, and paced at 115200 baud
// against the time the bytes need on the wire. Then the whole read as a user starts it
// (connect, read, decode), once trying the table in its order and once starting at the
// address the MK answered at last time.
#include "link/MKLink.h"
#include "model/DeviceModel.h"
#include "sim/SimulatorSession.h"
#include "readwrite/MKTransfer.h"
#include "readwrite/TransferProgress.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <sys/resource.h>
#include <vector>

namespace {

constexpr quint8 Address = 0xFE;
constexpr int MemorySize = 32768;
constexpr int Half = MemorySize / 64;
constexpr int Exchanges = 2 * (Half - 1);
constexpr int BytesPerExchange = 8 + 38;
constexpr int BitsPerByte = 11;
constexpr int IdentifyBytes = 6 + 9;
constexpr int Repeats = 5;

// How often the reading thread went to sleep: each is a wake-up later.
long ThreadSleeps() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

struct TRun {
    double WallSeconds = 0;
    double CpuSeconds = 0;
    long Sleeps = 0;
    double MedianExchangeSeconds = 0; // robust against the odd exchange another process delays
    // From the reply's last byte leaving the MK to the MK hearing the next request: what the
    // link (and the simulator's own wake-up) add to the wire time.
    double MedianTurnaroundSeconds = 0;
};

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

TSimulatorOptions PatternedMK(quint32 baud) {
    TSimulatorOptions options;
    options.Address = Address;
    options.BaudRate = baud;
    options.Memory = QByteArray(MemorySize, '\0');
    for (int i = 0; i < MemorySize; ++i)
        options.Memory[i] = char(i * 13 + i / 512);
    return options;
}

// The read workflow's loop: blocks 1..H-1 and H+1..2H-1, checked against the memory.
TRun ReadWholeMemory(quint32 baud) {
    TSimulatorOptions options = PatternedMK(baud);
    const QByteArray memory = options.Memory;
    TSimulatorSession session(std::move(options));
    TML_RS link(session.Environment());
    link.OpenPort(session.PortNumber());
    link.FirstByteTimeout = 100;

    std::vector<double> exchanges;
    exchanges.reserve(Exchanges);
    QElapsedTimer wall;
    const double cpuStart = ThreadCpuSeconds();
    const long sleepsStart = ThreadSleeps();
    wall.start();
    for (int half = 0; half < 2; ++half) {
        for (int i = 1; i < Half; ++i) {
            const int block = half * Half + i;
            const qint64 startNs = wall.nsecsElapsed();
            const QByteArray bytes = link.ReadBlock(Address, quint16(block));
            exchanges.push_back(double(wall.nsecsElapsed() - startNs) / 1e9);
            if (bytes != memory.mid(block * 32, 32)) {
                std::fprintf(stderr, "block %d read wrong\n", block);
                std::exit(1);
            }
        }
    }
    TRun run;
    run.WallSeconds = double(wall.nsecsElapsed()) / 1e9;
    run.CpuSeconds = ThreadCpuSeconds() - cpuStart;
    run.Sleeps = ThreadSleeps() - sleepsStart;
    run.MedianExchangeSeconds = Median(exchanges);
    std::vector<double> turnarounds;
    const QList<TFrameLogEntry> log = session.Simulator().Log().Entries();
    for (qsizetype i = 1; i + 1 < log.size(); ++i)
        if (!log[i].IsRequest && log[i + 1].IsRequest)
            turnarounds.push_back((log[i + 1].TimeMs - log[i].TimeMs) / 1e3);
    run.MedianTurnaroundSeconds = Median(turnarounds);
    return run;
}

class TSilentProgress : public TTransferProgress {
public:
    void ShowPhase(const QString&, bool) override {}
    void SetGauge(int) override {}
    bool Cancelled() const override { return false; }
};

// The whole read from the button to the decoded settings, in seconds.
double ReadSettingsSeconds(quint32 baud, quint8 lastAddress) {
    TSimulatorSession session(PatternedMK(baud));
    TML_RS link(session.Environment());
    link.PortNumber = session.PortNumber();
    TMK mk;
    TMKTransfer transfer(link, mk);
    transfer.LastAddress = lastAddress;
    TSilentProgress progress;
    QElapsedTimer wall;
    wall.start();
    if (transfer.ReadSettings(progress) != TMKTransfer::TOutcome::Done ||
        mk.Image.size() != MemorySize - 64) {
        std::fprintf(stderr, "the whole read failed\n");
        std::exit(1);
    }
    return double(wall.nsecsElapsed()) / 1e9;
}

double MedianOf(int repeats, const std::function<double()>& measure) {
    std::vector<double> values;
    for (int i = 0; i < repeats; ++i)
        values.push_back(measure());
    return Median(values);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);

    const TRun unpaced = ReadWholeMemory(0);
    std::printf("unpaced: %d exchanges in %.3f s, %.1f us per exchange (median %.1f us), "
                "CPU/wall %.2f\n",
                Exchanges, unpaced.WallSeconds, unpaced.WallSeconds / Exchanges * 1e6,
                unpaced.MedianExchangeSeconds * 1e6, unpaced.CpuSeconds / unpaced.WallSeconds);

    constexpr quint32 Baud = 115200;
    const double wireSeconds = double(Exchanges) * BytesPerExchange * BitsPerByte / Baud;
    const TRun paced = ReadWholeMemory(Baud);
    std::printf(
        "paced at %u baud: wall %.3f s, wire limit %.3f s, wall/limit %.3f (target <= 1.02)\n",
        Baud, paced.WallSeconds, wireSeconds, paced.WallSeconds / wireSeconds);
    std::printf("paced at %u baud: median exchange / its wire time %.3f (target <= 1.02)\n", Baud,
                paced.MedianExchangeSeconds * Exchanges / wireSeconds);
    std::printf("paced at %u baud: median turnaround %.1f us (last reply byte to next request "
                "heard)\n",
                Baud, paced.MedianTurnaroundSeconds * 1e6);
    std::printf("paced at %u baud: reading side CPU %.3f s, CPU/wall %.3f (target <= 0.05), "
                "%.1f sleeps per exchange\n",
                Baud, paced.CpuSeconds, paced.CpuSeconds / paced.WallSeconds,
                double(paced.Sleeps) / Exchanges);

    // Median of five each, in one run, so the machine's load is shared alike.
    const double blocks =
        MedianOf(Repeats, [] { return ReadWholeMemory(Baud).WallSeconds; }) / wireSeconds;
    const double wholeWire =
        double(Exchanges * BytesPerExchange + IdentifyBytes) * BitsPerByte / Baud;
    const double tableOrder = MedianOf(
        Repeats, [] { return ReadSettingsSeconds(Baud, MKProtocol::DeviceTable[0].Address); });
    const double remembered = MedianOf(Repeats, [] { return ReadSettingsSeconds(Baud, Address); });
    std::printf("paced at %u baud, median of %d: block phase / its wire time %.3f\n", Baud, Repeats,
                blocks);
    std::printf("paced at %u baud, median of %d: whole read / wire time, table order %.3f "
                "(%.3f s)\n",
                Baud, Repeats, tableOrder / wholeWire, tableOrder);
    std::printf("paced at %u baud, median of %d: whole read / wire time, answered address first "
                "%.3f (%.3f s, target <= 1.08)\n",
                Baud, Repeats, remembered / wholeWire, remembered);
    return 0;
}
