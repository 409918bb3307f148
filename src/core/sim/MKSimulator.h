#pragma once

#include "sim/FaultPlan.h"
#include "sim/FrameLog.h"
#include "sim/MKDevice.h"
#include "sim/PseudoTerminal.h"

#include <QByteArray>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

struct TSimulatorOptions {
    quint8 Address = 0xFC;
    quint16 SettingsVersion = 1;
    // The whole memory, as large as the address's device says; empty: the factory memory.
    QByteArray Memory;
    // 0 answers at once; otherwise every byte of a request and a reply takes the time of
    // 11 bits at this rate, as on the real wire.
    quint32 BaudRate = 0;
    TFaultPlan Faults;
};

// An MK on a pseudo-terminal. It serves from a thread of its own from construction until
// destruction, so a caller that waits on the port synchronously still gets its answers.
class TMKSimulator {
public:
    // Throws TMKError for an address outside the device table, a memory of the wrong
    // size, or no pseudo-terminal.
    explicit TMKSimulator(TSimulatorOptions options = {});
    ~TMKSimulator();
    TMKSimulator(const TMKSimulator&) = delete;
    TMKSimulator& operator=(const TMKSimulator&) = delete;

    QString DevicePath() const { return Terminal.DevicePath(); }
    quint8 Address() const { return Options.Address; }
    quint16 SettingsVersion() const { return Options.SettingsVersion; }

    QByteArray Memory() const;
    // The memory in the program's image layout.
    QByteArray Image() const;

    // Changes the faults still to come, e.g. [](TFaultPlan& f) { f.Busy = 2; }.
    void UpdateFaults(const std::function<void(TFaultPlan&)>& change);
    TFaultPlan Faults() const;
    int RequestCount() const;

    TFrameLog& Log() { return FrameLog; }

    // The device vanishes (unplugged): serving stops and the pseudo-terminal closes.
    void Unplug();

private:
    void Serve();
    // The bytes to answer a complete request with; empty for silence.
    QByteArray Respond(const QByteArray& request, QString& note);
    void Send(const QByteArray& reply, qint64 startNs);
    void WaitUntil(qint64 monotonicNs) const;
    qint64 NowNs() const;
    double ToLogMs(qint64 monotonicNs) const;
    void Stop();

    TSimulatorOptions Options;
    TPseudoTerminal Terminal;
    qint64 ByteNs = 0; // wire time of one byte, 0 when unpaced
    qint64 StartNs = 0;

    mutable std::mutex Guard; // the device, the faults and the request count
    std::unique_ptr<TMKDevice> Device;
    int Requests = 0;

    TFrameLog FrameLog;
    int WakePipe[2] = {-1, -1};
    std::thread Server;
    std::atomic<bool> Stopping{false};
};
