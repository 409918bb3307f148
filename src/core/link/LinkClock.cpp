#include "link/LinkClock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace {

// Short enough that a window repaints smoothly while the link sleeps.
constexpr int SleepSliceMs = 10;

qint64 MonotonicNs() {
    static const QElapsedTimer origin = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return origin.nsecsElapsed();
}

} // namespace

TSystemClock::TSystemClock() : StartNs(MonotonicNs()) {}

qint64 TSystemClock::NowMs() {
    return (MonotonicNs() - StartNs) / 1000000;
}

void TSystemClock::SleepMicroseconds(qint64 micros) {
    const qint64 endNs = MonotonicNs() + micros * 1000;
    for (;;) {
        QCoreApplication::processEvents();
        const qint64 leftNs = endNs - MonotonicNs();
        if (leftNs <= 0)
            return;
        QThread::usleep(quint64(qMin<qint64>(leftNs / 1000, SleepSliceMs * 1000)));
    }
}
