#pragma once

#include "base/MKError.h"
#include "link/MKProtocol.h"
#include "readwrite/SectionPlan.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

class TBackupStore;
class TMK;
class TML_RS;
class TTransferProgress;

// The transfers between the MK and the device model: connecting, reading the whole
// memory, and writing the settings back. The program's buttons and mktool run the same
// code; both find the port first (FindMK) and show the outcome themselves.
class TMKTransfer {
public:
    enum class TOutcome { Cancelled, Done };

    struct TConnection {
        bool Connected = false;
        quint16 Version = 0;
    };

    static constexpr quint16 ConnectTimeoutMs = 100;
    static constexpr quint16 SectionTimeoutMs = 2000;

    TMKTransfer(TML_RS& link, TMK& mk);

    // The order of one round of connection attempts: `first`, then the others in table
    // order. An address outside the table puts the table in its own order.
    static std::array<MKProtocol::TDeviceKind, 3> ConnectionOrder(quint8 first);
    // Whether the address is one of the device table's.
    static bool IsDeviceAddress(quint8 address);

    // Tries the device table's addresses, LastAddress first, round after round until one
    // answers or the user cancels; DeviceAddress and MemorySize then describe the MK that
    // answered, and LastAddress is that address.
    TConnection ConnectToMK(TTransferProgress& progress);
    // Appends the MK's memory to `image`, block by block.
    void ReadImage(TTransferProgress& progress, QByteArray& image);

    // Opens the port, connects, reads the MK into a model of its own and, when the whole
    // memory was read, hands it to the program's model (origin: the MK, now). The port is
    // closed in every case. Throws TMKError on a link error; the program's model is then as
    // it was, and so it is after a cancel.
    TOutcome ReadSettings(TTransferProgress& progress);
    // Writes the record into the MK over a fresh read of its memory (a model of its own);
    // the fresh memory is kept in backups before the first write command. Every written
    // section is then read back and compared with what was sent. Only a confirmed write
    // changes the program's model: its image becomes what was written, the directory
    // describes it; version, record and origin stay. Throws TMKError when the MK's versions
    // differ from the settings' (VersionMismatch, FirmwareMismatch), its directory is broken,
    // the backup fails, the link fails (WriteInterrupted once a section was written), or a section
    // reads back differently (WriteNotConfirmed, naming the backup); the program's model is then as
    // it was.
    TOutcome WriteSettings(TTransferProgress& progress, TBackupStore& backups);
    // What to tell the user of the backup after the last write failed with `failure`: where
    // it is and how to restore it, or nothing when no backup was kept or the error's own
    // text already names it.
    QString BackupNoticeAfter(TErrorKind failure) const;

    // Asked after the fresh read, before anything is kept or written, with the MK's
    // settings and the ones about to be written; answers the image to send: toWrite's own,
    // or one with only some of its changes (the model keeps all of them). Nothing cancels
    // the write and leaves the model as it was. Unset: write toWrite's image without asking.
    std::function<std::optional<QByteArray>(TMK& device, TMK& toWrite)> ConfirmWrite;

    // Where the MK answered last time: an MK found there once is found there again
    // without waiting for the silent addresses before it.
    quint8 LastAddress = MKProtocol::DeviceTable[0].Address;
    quint8 DeviceAddress = 0;
    quint32 MemorySize = 0;
    // The backup the last write made before sending; empty when it sent nothing.
    QString LastBackup;
    // The sections the last write sent whole. Once there is one, a link failure leaves the
    // MK part new, part old, and the error says so (WriteInterrupted, naming the backup).
    int SectionsWritten = 0;
    // The image the last write sent, what the MK holds since (the baseline of what the
    // user changed); empty when it sent nothing.
    QByteArray LastWritten;
    // The directory entries the last write's read-back found different; empty when the
    // write was confirmed or did not get that far.
    QList<int> Unconfirmed;

private:
    // The MK's whole memory as a model of its own, its record unpacked.
    void ReadDevice(TTransferProgress& progress, quint16 version, TMK& device);
    void WriteSections(TTransferProgress& progress, const QByteArray& image,
                       const QList<TSection>& sections);
    // Reads the sections back from the MK, each block once; the directory entries
    // (from 1) of the sections that differ from the image.
    QList<int> VerifySections(TTransferProgress& progress, const QByteArray& image,
                              const QList<TSection>& sections);

    TML_RS& Link;
    TMK& MK;
};
