#pragma once

#include <QtGlobal>

// Millisecond ticks and sleeping for the link; a test can stand in a clock of its own.
class TLinkClock {
public:
    virtual ~TLinkClock() = default;
    virtual qint64 NowMs() = 0;
    // Sleeps, letting pending UI events run meanwhile.
    virtual void SleepMicroseconds(qint64 micros) = 0;
    void Sleep(int msecs) { SleepMicroseconds(qint64(msecs) * 1000); }
};

class TSystemClock : public TLinkClock {
public:
    TSystemClock();
    qint64 NowMs() override;
    void SleepMicroseconds(qint64 micros) override;

private:
    qint64 StartNs;
};
