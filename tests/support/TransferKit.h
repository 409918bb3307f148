#pragma once

// Shared pieces of the transfer tests: a progress that records what it is told, the
// requests the simulator heard, and memories with directories made to order.

#include "link/MKProtocol.h"
#include "model/Record.h"
#include "sim/FactoryMemory.h"
#include "sim/FrameLog.h"
#include "sim/MemoryImage.h"
#include "readwrite/TransferProgress.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QtEndian>
#include <cstring>
#include <functional>

class TRecordingProgress : public TTransferProgress {
public:
    void ShowPhase(const QString& label, bool withGauge) override {
        Phases << label;
        PhaseStarts << int(Gauges.size());
        GaugeShown << withGauge;
        if (OnPhase)
            OnPhase(label);
    }
    void SetGauge(int percent) override {
        Gauges << percent;
        if (OnGauge)
            OnGauge(int(Gauges.size()));
    }
    bool Cancelled() const override {
        ++Polls;
        return CancelAfterPolls >= 0 && Polls > CancelAfterPolls;
    }

    // The gauge values set during the last phase of that label.
    QList<int> GaugesOf(const QString& label) const {
        const qsizetype phase = Phases.lastIndexOf(label);
        if (phase < 0)
            return {};
        const int end = phase + 1 < Phases.size() ? PhaseStarts[phase + 1] : int(Gauges.size());
        return Gauges.mid(PhaseStarts[phase], end - PhaseStarts[phase]);
    }

    QStringList Phases;
    QList<int> PhaseStarts; // index into Gauges where each phase began
    QList<bool> GaugeShown;
    QList<int> Gauges;
    int CancelAfterPolls = -1; // never
    mutable int Polls = 0;
    std::function<void(const QString& label)> OnPhase;
    std::function<void(int gaugeCalls)> OnGauge;
};

// One request as the simulator heard it.
struct TRequest {
    quint8 Address = 0;
    quint8 Code = 0;
    QByteArray Params;

    quint16 Word(int index) const {
        return qFromLittleEndian<quint16>(Params.constData() + 2 * index);
    }
};

inline QList<TRequest> Requests(const TFrameLog& log) {
    QList<TRequest> requests;
    for (const TFrameLogEntry& entry : log.Requests()) {
        const QByteArray& b = entry.Bytes;
        if (b.size() < MKProtocol::MinFrameLength)
            continue;
        requests.append({quint8(b[1]), quint8(b[4]), b.mid(5, b.size() - 6)});
    }
    return requests;
}

inline QList<TRequest> WriteRequests(const TFrameLog& log) {
    QList<TRequest> writes;
    for (const TRequest& r : Requests(log))
        if (r.Code != MKProtocol::Identify && r.Code != MKProtocol::ReadBlock)
            writes << r;
    return writes;
}

inline QList<quint8> Codes(const QList<TRequest>& requests) {
    QList<quint8> codes;
    for (const TRequest& r : requests)
        codes << r.Code;
    return codes;
}

// An image of the given size whose directory is exactly the given entries.
inline QByteArray ImageWithDirectory(qsizetype size, quint32 count,
                                     const QList<QPair<quint16, quint16>>& entries,
                                     quint32 firmware = FactoryFirmwareVersion) {
    QByteArray image(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        image[i] = char((i * 31 + 7) & 0xFF);
    TImageDirectory directory{};
    directory.DirectoryCount = count;
    for (qsizetype i = 0; i < entries.size() && i < DirectoryEntries; ++i)
        directory.Entries[i] = {entries[i].first, entries[i].second};
    directory.FirmwareVersion = firmware;
    std::memcpy(image.data(), &directory, sizeof directory);
    return image;
}

inline TImageDirectory DirectoryOf(const QByteArray& image) {
    TImageDirectory directory{};
    std::memcpy(&directory, image.constData(), sizeof directory);
    return directory;
}
