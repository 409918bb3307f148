#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <mutex>

// Every request the simulator heard and every reply it sent, for tests and bug reports.
struct TFrameLogEntry {
    double TimeMs = 0; // since the simulator started
    bool IsRequest = true;
    QByteArray Bytes;
    QString Note; // what the simulator made of it: a fault applied, why it stayed silent

    // "  12.345 > 06 FC 01 00 01 FC  (note)"; '<' marks a reply.
    QString Text() const;
};

class TFrameLog {
public:
    void Add(TFrameLogEntry entry);
    QList<TFrameLogEntry> Entries() const;
    QList<TFrameLogEntry> Requests() const;
    QString Text() const;
    void Clear();
    // Receives every line as it is logged (from the simulator's thread).
    void SetSink(std::function<void(const QString& line)> sink);

private:
    mutable std::mutex Guard;
    QList<TFrameLogEntry> Items;
    std::function<void(const QString&)> Sink;
};
