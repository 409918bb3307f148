#pragma once

// A simulated MK serving a memory image at an address, and on it the program's link, model
// and transfer with a backup folder of their own: the bench of the write and read-back tests.

#include "TransferKit.h"
#include "link/MKLink.h"
#include "model/DeviceModel.h"
#include "model/SettingsFile.h"
#include "readwrite/BackupStore.h"
#include "readwrite/MKTransfer.h"
#include "sim/SimulatorSession.h"

#include <QTemporaryDir>
#include <QtTest>

// The settings version of the bench's simulated MK.
constexpr quint16 BenchSettingsVersion = 0x0105;

// A simulated MK holding `image` and answering at `address`.
inline TSimulatorOptions Serving(const QByteArray& image, quint8 address = 0xFC) {
    TSimulatorOptions options;
    options.Address = address;
    options.SettingsVersion = BenchSettingsVersion;
    options.Memory = MemoryImage::ToMemory(image, image.size() + 64);
    return options;
}

struct TTransferBench {
    explicit TTransferBench(const QByteArray& image, quint8 address = 0xFC)
        : Session(Serving(image, address)), Link(Session.Environment()), Transfer(Link, MK),
          Backups(Dir.filePath(QStringLiteral("backups"))) {}

    // Reads the MK, so the model holds its settings, and forgets the traffic so far.
    void ReadFirst() {
        TRecordingProgress progress;
        QCOMPARE(Transfer.ReadSettings(progress), TMKTransfer::TOutcome::Done);
        Sim().Log().Clear();
    }
    // Loads settings of the MK's device and firmware from a file of the test's own.
    void LoadFile(const QByteArray& image) {
        const QString path = Dir.filePath(QStringLiteral("settings.rvset"));
        TMK file;
        file.SettingsVersion = BenchSettingsVersion;
        file.Image = image;
        SettingsFile::Save(file, path);
        SettingsFile::Load(MK, path);
    }
    TMKTransfer::TOutcome Write() { return Transfer.WriteSettings(Progress, Backups); }
    TMKSimulator& Sim() { return Session.Simulator(); }
    // The write requests the MK heard, and its memory now.
    QList<TRequest> Writes() { return WriteRequests(Sim().Log()); }
    QByteArray Memory() { return Sim().Image(); }

    TSimulatorSession Session;
    TML_RS Link;
    TMK MK;
    TMKTransfer Transfer;
    QTemporaryDir Dir;
    TBackupStore Backups;
    TRecordingProgress Progress;
};
