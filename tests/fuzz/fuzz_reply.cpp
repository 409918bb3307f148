// Arbitrary bytes as the MK's replies to each kind of request, through the receive and
// check path of the link; the same bytes as a request to the simulated MK.
#include "base/MKError.h"
#include "link/MKLink.h"
#include "sim/MKDevice.h"

#include <cstddef>
#include <cstdint>

namespace {

// Time moves only when the link waits, so a timeout costs nothing.
class TFuzzClock : public TLinkClock {
public:
    qint64 NowMs() override { return Now; }
    void SleepMicroseconds(qint64 micros) override { Now += micros / 1000; }
    qint64 Now = 0;
};

// A port whose input is the fuzz data, arriving in small uneven pieces. Purging keeps
// the data, so what one attempt leaves over is what the next attempt reads.
class TFuzzPort : public TSerialPort {
public:
    TFuzzPort(const uint8_t* data, size_t size, TFuzzClock& clock)
        : Data(data), Size(size), Clock(clock) {}
    bool Open() override { return true; }
    void Close() override {}
    bool IsOpen() const override { return true; }
    std::optional<TLineSettings> LineSettings() override { return Line; }
    bool SetLineSettings(const TLineSettings& settings) override {
        Line = settings;
        return true;
    }
    bool SetDataTerminalReady(bool) override { return true; }
    bool PurgeInput() override { return true; }
    bool PurgeOutput() override { return true; }
    qint64 Read(char* data, qint64 maxSize) override {
        const size_t piece = 1 + Position % 7;
        size_t n = 0;
        while (n < size_t(maxSize) && n < piece && Position < Size)
            data[n++] = char(Data[Position++]);
        return qint64(n);
    }
    qint64 Write(const char*, qint64 size) override { return size; }
    bool WaitReadable(int msecs) override {
        Clock.Now += msecs;
        return Position < Size;
    }

private:
    const uint8_t* Data;
    size_t Size;
    size_t Position = 0;
    TFuzzClock& Clock;
    TLineSettings Line;
};

void Exchange(TML_RS& link, uint8_t selector) {
    switch (selector % 4) {
    case 0:
        link.Identify(0xFC);
        break;
    case 1:
        link.ReadBlock(0xFC, 1);
        break;
    case 2:
        link.WriteChunk(0xFC, 0, QByteArray(32, '\x5A'));
        break;
    default:
        link.Command(0xFC, 0x21);
        break;
    }
    // Taking more data than the reply holds must be refused, never read stale bytes.
    for (int i = 0; i < TMLBaseInterface::BufferSize + 2; ++i)
        link.GetByte();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    auto clock = std::make_shared<TFuzzClock>();
    TLinkEnvironment environment;
    environment.Ports.Set(1, QStringLiteral("fuzz"));
    environment.Clock = clock;
    environment.CreatePort = [&](const QString&) {
        return std::make_unique<TFuzzPort>(data + 1, size - 1, *clock);
    };
    TML_RS link(std::move(environment));
    link.OpenPort(1);
    link.FirstByteTimeout = 3;
    link.InterByteTimeout = 2;
    try {
        Exchange(link, data[0]);
    } catch (const TMKError&) {
    }

    static TMKDevice device(0xFC, 1, QByteArray(8192, '\0'));
    device.Handle(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
