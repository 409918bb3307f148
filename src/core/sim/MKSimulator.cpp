#include "sim/MKSimulator.h"

#include "base/MKError.h"
#include "link/MKProtocol.h"
#include "sim/FactoryMemory.h"
#include "sim/MemoryImage.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <limits>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

using namespace MKProtocol;

// A request that stops half-way is dropped after this pause, so the next one is heard.
constexpr qint64 PartialRequestNs = 100'000'000;
// A reply nobody reads is dropped rather than blocking the simulator.
constexpr int WriteStallMs = 200;
constexpr int BitsPerByte = 11; // start, 8 data, 2 stop
// How early a paced reply wakes before its last byte is due: more than a wake-up is late.
constexpr qint64 FinalSpinNs = 80'000;

QByteArray ReplyFrame(const quint8 header[3], quint8 status, const QByteArray& data) {
    QByteArray frame;
    frame.reserve(data.size() + MinFrameLength);
    frame.append(char(data.size() + MinFrameLength));
    frame.append(reinterpret_cast<const char*>(header), 3);
    frame.append(char(status));
    frame.append(data);
    frame.append(
        char(Checksum(reinterpret_cast<const quint8*>(frame.constData()), int(frame.size()))));
    return frame;
}

bool AddressedTo(const QByteArray& request, quint8 address) {
    return request.size() >= MinFrameLength && quint8(request[AddressOffset]) == address &&
           Checksum(reinterpret_cast<const quint8*>(request.constData()), int(request.size())) == 0;
}

} // namespace

TMKSimulator::TMKSimulator(TSimulatorOptions options) : Options(std::move(options)) {
    const std::optional<quint32> memorySize = MemorySizeAt(Options.Address);
    if (!memorySize)
        throw TMKError(QStringLiteral("Адрес устройства 0x%1 не из таблицы устройств.")
                           .arg(Options.Address, 2, 16, QLatin1Char('0')));
    QByteArray memory = Options.Memory.isEmpty() ? FactoryMemory(*memorySize) : Options.Memory;
    if (memory.size() != qsizetype(*memorySize))
        throw TMKError(QStringLiteral("Память МК по адресу 0x%1 занимает %2 байт, а не %3.")
                           .arg(Options.Address, 2, 16, QLatin1Char('0'))
                           .arg(*memorySize)
                           .arg(memory.size()));
    Options.Memory.clear();
    Device =
        std::make_unique<TMKDevice>(Options.Address, Options.SettingsVersion, std::move(memory));
    if (Options.BaudRate > 0)
        ByteNs = qint64(BitsPerByte) * 1'000'000'000 / Options.BaudRate;
    if (pipe2(WakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw TMKError(QStringLiteral("Не удалось запустить симулятор МК."));
    StartNs = NowNs();
    Server = std::thread([this] { Serve(); });
}

TMKSimulator::~TMKSimulator() {
    Stop();
    for (int fd : WakePipe)
        if (fd >= 0)
            ::close(fd);
}

void TMKSimulator::Stop() {
    Stopping = true;
    if (Server.joinable()) {
        const char wake = 1;
        [[maybe_unused]] const ssize_t written = ::write(WakePipe[1], &wake, 1);
        Server.join();
    }
}

void TMKSimulator::Unplug() {
    Stop();
    Terminal.Close();
}

QByteArray TMKSimulator::Memory() const {
    std::lock_guard lock(Guard);
    return Device->Memory();
}

QByteArray TMKSimulator::Image() const {
    return MemoryImage::FromMemory(Memory());
}

void TMKSimulator::UpdateFaults(const std::function<void(TFaultPlan&)>& change) {
    std::lock_guard lock(Guard);
    change(Options.Faults);
}

TFaultPlan TMKSimulator::Faults() const {
    std::lock_guard lock(Guard);
    return Options.Faults;
}

int TMKSimulator::RequestCount() const {
    std::lock_guard lock(Guard);
    return Requests;
}

qint64 TMKSimulator::NowNs() const {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

double TMKSimulator::ToLogMs(qint64 monotonicNs) const {
    return double(monotonicNs - StartNs) / 1e6;
}

void TMKSimulator::WaitUntil(qint64 monotonicNs) const {
    timespec due{};
    due.tv_sec = time_t(monotonicNs / 1'000'000'000);
    due.tv_nsec = long(monotonicNs % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr) == EINTR) {
    }
}

void TMKSimulator::Serve() {
    // Byte pacing needs wake-ups to the microsecond, not the default 50 us slack.
    prctl(PR_SET_TIMERSLACK, 1UL);
    QByteArray pending;
    qint64 firstByteNs = 0;
    qint64 lastByteNs = 0;
    while (!Stopping) {
        int timeoutMs = -1;
        if (!pending.isEmpty())
            timeoutMs =
                int(qMax<qint64>(0, (lastByteNs + PartialRequestNs - NowNs()) / 1'000'000) + 1);
        pollfd fds[2] = {{Terminal.MasterFd(), POLLIN, 0}, {WakePipe[0], POLLIN, 0}};
        const int ready = ::poll(fds, 2, timeoutMs);
        if (ready < 0 && errno != EINTR)
            return;
        if (fds[1].revents != 0)
            return;
        const qint64 now = NowNs();
        if (fds[0].revents & POLLIN) {
            char chunk[512];
            const ssize_t got = ::read(Terminal.MasterFd(), chunk, sizeof chunk);
            if (got > 0) {
                if (pending.isEmpty())
                    firstByteNs = now;
                pending.append(chunk, got);
                lastByteNs = now;
            }
        } else if (fds[0].revents & (POLLERR | POLLHUP)) {
            return;
        } else if (!pending.isEmpty() && now - lastByteNs >= PartialRequestNs) {
            FrameLog.Add(
                {ToLogMs(now), true, pending, QStringLiteral("incomplete request dropped")});
            pending.clear();
        }
        while (!pending.isEmpty()) {
            const int length = quint8(pending[0]);
            if (length < MinFrameLength) {
                FrameLog.Add(
                    {ToLogMs(now), true, pending.left(1), QStringLiteral("not a length byte")});
                pending.remove(0, 1);
                continue;
            }
            if (pending.size() < length)
                break;
            const QByteArray request = pending.left(length);
            pending.remove(0, length);
            QString note;
            const QByteArray reply = Respond(request, note);
            FrameLog.Add({ToLogMs(firstByteNs), true, request, note});
            // The request itself takes its wire time before the MK can answer.
            Send(reply, firstByteNs + ByteNs * length);
            firstByteNs = NowNs();
        }
    }
}

QByteArray TMKSimulator::Respond(const QByteArray& request, QString& note) {
    std::lock_guard lock(Guard);
    TFaultPlan& faults = Options.Faults;
    ++Requests;
    if (Requests <= faults.AnswerAfter) {
        note = QStringLiteral("not answering yet");
        return {};
    }
    if (faults.Silence > 0) {
        --faults.Silence;
        note = QStringLiteral("silence");
        return {};
    }
    if (!faults.RawReplies.isEmpty()) {
        note = QStringLiteral("raw reply");
        return faults.RawReplies.takeFirst();
    }
    const quint8 command = quint8(request[CommandOffset]);
    quint8 header[3] = {Options.Address, 0x01, command};
    if (faults.Busy > 0 && AddressedTo(request, Options.Address)) {
        --faults.Busy;
        note = QStringLiteral("busy");
        return ReplyFrame(header, BusyStatus, {});
    }
    if (faults.DroppedChunk > 0 && command == WriteChunk && AddressedTo(request, Options.Address)) {
        --faults.DroppedChunk;
        note = QStringLiteral("chunk acknowledged, not stored");
        return ReplyFrame(header, 0, {});
    }
    QString why;
    std::optional<TMKDevice::TReply> reply = Device->Handle(request, &why);
    if (!reply) {
        note = why;
        return {};
    }
    if (faults.BusyAfterSections > 0 && command == EndSectionWrite && reply->Status == 0 &&
        --faults.BusyAfterSections == 0)
        faults.Busy = std::numeric_limits<int>::max();
    QStringList applied;
    if (faults.ShortReply > 0 && !reply->Data.isEmpty()) {
        --faults.ShortReply;
        reply->Data.chop(1);
        applied << QStringLiteral("short reply");
    }
    if (faults.ZeroHeader > 0) {
        --faults.ZeroHeader;
        header[0] = header[1] = header[2] = 0;
        applied << QStringLiteral("zero header");
    }
    QByteArray frame = ReplyFrame(header, reply->Status, reply->Data);
    if (faults.BadChecksum > 0) {
        --faults.BadChecksum;
        frame.back() = char(quint8(frame.back()) + 1);
        applied << QStringLiteral("bad checksum");
    }
    if (faults.OverlongLength > 0) {
        --faults.OverlongLength;
        frame[0] = char(qMin(MaxFrameLength, int(quint8(frame[0])) + 3));
        applied << QStringLiteral("length promises more");
    }
    note = applied.join(QStringLiteral(", "));
    return frame;
}

void TMKSimulator::Send(const QByteArray& reply, qint64 startNs) {
    qsizetype sent = 0;
    const qint64 giveUpNs = NowNs() + qint64(WriteStallMs) * 1'000'000 + ByteNs * reply.size();
    while (sent < reply.size() && !Stopping) {
        qsizetype due = reply.size() - sent;
        if (ByteNs > 0) {
            const qint64 nextDue = startNs + ByteNs * (sent + 1);
            const bool last = sent + 1 == reply.size();
            // A late wake-up only delays the bytes still due, so only the last one is
            // timed closely: sleep most of the way, then watch the clock.
            if (NowNs() < nextDue)
                WaitUntil(last ? nextDue - FinalSpinNs : nextDue);
            while (last && NowNs() < nextDue) {
            }
            due = qMin<qsizetype>(due, (NowNs() - startNs) / ByteNs - sent);
            due = qMax<qsizetype>(due, 1);
        }
        const ssize_t written = ::write(Terminal.MasterFd(), reply.constData() + sent, size_t(due));
        if (written > 0) {
            sent += written;
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR)
            break;
        if (NowNs() > giveUpNs) {
            FrameLog.Add({ToLogMs(NowNs()), false, reply, QStringLiteral("nobody reads; dropped")});
            return;
        }
        pollfd out{Terminal.MasterFd(), POLLOUT, 0};
        ::poll(&out, 1, 10);
    }
    if (!reply.isEmpty())
        FrameLog.Add({ToLogMs(NowNs()), false, reply, {}});
}
