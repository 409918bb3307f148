#include "CliUtil.h"
#include "CommandTable.h"
#include "Commands.h"
#include "base/FileRead.h"
#include "base/MKError.h"
#include "link/MKProtocol.h"
#include "sim/MKSimulator.h"
#include "sim/MemoryImage.h"

#include <QFile>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Fault options and the plan counter each one sets.
const QList<QPair<QString, int TFaultPlan::*>> FaultOptions = {
    {QStringLiteral("--bad-checksum"), &TFaultPlan::BadChecksum},
    {QStringLiteral("--busy"), &TFaultPlan::Busy},
    {QStringLiteral("--silence"), &TFaultPlan::Silence},
    {QStringLiteral("--zero-header"), &TFaultPlan::ZeroHeader},
    {QStringLiteral("--overlong-length"), &TFaultPlan::OverlongLength},
    {QStringLiteral("--short-reply"), &TFaultPlan::ShortReply},
    {QStringLiteral("--answer-after"), &TFaultPlan::AnswerAfter},
    {QStringLiteral("--dropped-chunk"), &TFaultPlan::DroppedChunk},
    {QStringLiteral("--busy-after-sections"), &TFaultPlan::BusyAfterSections},
};

long long NumberIn(const Cli::TArgs& args, const QString& name, long long fallback, long long low,
                   long long high) {
    const long long value = args.Number(name, fallback);
    if (value < low || value > high)
        throw Cli::TUsageError{QStringLiteral("Значение %1 вне диапазона %2..%3: %4")
                                   .arg(name)
                                   .arg(low)
                                   .arg(high)
                                   .arg(value)};
    return value;
}

TSimulatorOptions OptionsFrom(const Cli::TArgs& args) {
    TSimulatorOptions options;
    options.Address = quint8(NumberIn(args, QStringLiteral("--address"), 0xFC, 0, 255));
    const std::optional<quint32> memorySize = MKProtocol::MemorySizeAt(options.Address);
    if (!memorySize)
        throw Cli::TUsageError{QStringLiteral("Адрес устройства должен быть 0xFC, 0xFD или 0xFE.")};
    options.SettingsVersion =
        quint16(NumberIn(args, QStringLiteral("--settings-version"), 1, 0, 0xFFFF));
    options.BaudRate = quint32(NumberIn(args, QStringLiteral("--baud"), 0, 0, 10'000'000));
    if (const std::optional<QString> image = args.Value(QStringLiteral("--image")))
        options.Memory = MemoryImage::ToMemory(
            FileRead::ReadWholeFile(*image, FileRead::SettingsLimit, FileRead::MemoryImageKind()),
            *memorySize);
    for (const auto& [name, counter] : FaultOptions)
        options.Faults.*counter = int(NumberIn(args, name, 0, 0, 1'000'000'000));
    return options;
}

// SIGINT and SIGTERM end the serving; the handler only wakes the waiting main thread.
int StopPipe[2] = {-1, -1};

extern "C" void OnStopSignal(int) {
    const char wake = 1;
    [[maybe_unused]] const ssize_t written = ::write(StopPipe[1], &wake, 1);
}

void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void WaitForStopSignal() {
    char wake = 0;
    while (::read(StopPipe[0], &wake, 1) < 0 && errno == EINTR) {
    }
}

} // namespace

int RunSimulate(const QStringList& arguments) {
    const Cli::TArgs args(arguments, QStringLiteral("simulate"));
    args.ExpectPositional(0, Cli::UsageOf(QStringLiteral("simulate")));
    if (pipe2(StopPipe, O_CLOEXEC) != 0)
        throw TMKError(QStringLiteral("Не удалось запустить симулятор МК."));

    TMKSimulator simulator(OptionsFrom(args));
    std::unique_ptr<QFile> logFile;
    if (const std::optional<QString> log = args.Value(QStringLiteral("--log"))) {
        logFile = std::make_unique<QFile>();
        const bool opened = *log == QStringLiteral("-")
                                ? logFile->open(stderr, QIODevice::WriteOnly)
                                : (logFile->setFileName(*log), logFile->open(QIODevice::WriteOnly));
        if (!opened)
            throw TMKError(QStringLiteral("Не удаётся записать файл %1: %2")
                               .arg(*log, logFile->errorString()));
        QFile* sink = logFile.get();
        simulator.Log().SetSink([sink](const QString& line) {
            sink->write((line + QLatin1Char('\n')).toUtf8());
            sink->flush();
        });
    }
    // Whoever reads the path may stop us at once; the image must still be saved then.
    CatchStopSignals();
    std::printf("%s\n", simulator.DevicePath().toLocal8Bit().constData());
    std::fflush(stdout);

    WaitForStopSignal();
    simulator.Unplug();
    simulator.Log().SetSink({});
    if (const std::optional<QString> saveTo = args.Value(QStringLiteral("--save-on-exit")))
        Cli::WriteFileBytes(*saveTo, simulator.Image());
    return Cli::ExitOk;
}
