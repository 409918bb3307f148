#include "workflow/MKTransfer.h"

#include "workflow/BackupStore.h"
#include "workflow/SectionPlan.h"
#include "workflow/TransferProgress.h"
#include "workflow/WorkflowTexts.h"
#include "link/MKProtocol.h"
#include "link/ML_RS232.h"
#include "base/MKError.h"
#include "model/Pars32.h"

#include <QCoreApplication>
#include <cmath>

namespace {

constexpr quint32 Baud = 115200;

// The port is open for one transfer and closed at its end, whatever the end is.
class TOpenPort {
public:
    explicit TOpenPort(TML_RS& link) : Link(link) {
        Link.SetOpen(true);
        Link.SetBaudRate(Baud);
    }
    ~TOpenPort() { Link.SetOpen(false); }
    TOpenPort(const TOpenPort&) = delete;
    TOpenPort& operator=(const TOpenPort&) = delete;

private:
    TML_RS& Link;
};

int Percent(double part, double whole) {
    return int(std::nearbyint(part * 100.0 / whole));
}

} // namespace

TMKTransfer::TMKTransfer(TML_RS& link, TMK& mk) : Link(link), MK(mk) {}

TMKTransfer::TConnection TMKTransfer::ConnectToMK(TTransferProgress& progress) {
    for (std::size_t entry = 0;; entry = (entry + 1) % MKProtocol::DeviceTable.size()) {
        DeviceAddress = MKProtocol::DeviceTable[entry].Address;
        MemorySize = MKProtocol::DeviceTable[entry].MemorySize;
        Link.FirstByteTimeout = ConnectTimeoutMs;
        try {
            return {true, Link.Identify(DeviceAddress)};
        } catch (const TMKError&) {
            // No MK at this address; the next one is tried.
        }
        QCoreApplication::processEvents();
        if (progress.Cancelled())
            return {};
    }
}

void TMKTransfer::ReadImage(TTransferProgress& progress) {
    const quint32 half = MemorySize / 64;
    const double lastBlock = MemorySize / MKProtocol::BlockSize - 2;
    for (quint32 h = 0; h < 2; ++h)
        for (quint32 i = 1; i < half; ++i) {
            const quint32 block = h * half + i;
            MK.Image.append(Link.ReadBlock(DeviceAddress, quint16(block)));
            progress.SetGauge(Percent(block, lastBlock));
        }
}

void TMKTransfer::ReadFreshImage(TTransferProgress& progress) {
    progress.ShowPhase(WorkflowTexts::ReadingLabel(), true);
    QCoreApplication::processEvents();
    MK.Image.clear();
    ReadImage(progress);
}

TMKTransfer::TOutcome TMKTransfer::ReadSettings(TTransferProgress& progress) {
    const TOpenPort port(Link);
    progress.ShowPhase(WorkflowTexts::ConnectingLabel(), false);
    const TConnection connection = ConnectToMK(progress);
    if (!connection.Connected)
        return TOutcome::Cancelled;
    MK.SettingsVersion = connection.Version;
    ReadFreshImage(progress);
    MK.UnpackAll();
    return TOutcome::Done;
}

TMKTransfer::TOutcome TMKTransfer::WriteSettings(TTransferProgress& progress,
                                                 TBackupStore& backups) {
    LastBackup.clear();
    const TSettingsRecord record = MK.Record;
    const quint32 firmware = MK.ImageDirectory.FirmwareVersion;
    const TOpenPort port(Link);
    progress.ShowPhase(WorkflowTexts::ConnectingLabel(), false);
    const TConnection connection = ConnectToMK(progress);
    if (!connection.Connected)
        return TOutcome::Cancelled;
    if (MK.SettingsVersion != connection.Version)
        throw TMKError(WorkflowTexts::DeviceVersionMismatch());
    ReadFreshImage(progress);
    const QByteArray fresh = MK.Image;
    MK.Record = record;
    MK.PackAll();
    if (MK.ImageDirectory.FirmwareVersion != firmware)
        throw TMKError(WorkflowTexts::FirmwareVersionMismatch());
    const QList<TSection> sections = PlanSections(MK.Image, fresh.size());
    try {
        LastBackup = backups.Keep(connection.Version, fresh);
    } catch (const TMKError& e) {
        throw TMKError(WorkflowTexts::BackupFailed(e.Text()));
    }
    WriteSections(progress, sections);
    return TOutcome::Done;
}

void TMKTransfer::WriteSections(TTransferProgress& progress, const QList<TSection>& sections) {
    progress.ShowPhase(WorkflowTexts::WritingLabel(), true);
    QCoreApplication::processEvents();
    for (qsizetype i = 0; i < sections.size(); ++i) {
        const TSection& section = sections[i];
        const QByteArray bytes = MK.Image.mid(section.ImagePosition(), section.Count);
        Link.FirstByteTimeout = SectionTimeoutMs;
        Link.BeginSectionWrite(DeviceAddress, section.Address, section.Count);
        for (int j = 0; j * MKProtocol::MaxChunkSize < bytes.size(); ++j)
            Link.WriteChunk(DeviceAddress, quint16(j),
                            bytes.mid(j * MKProtocol::MaxChunkSize, MKProtocol::MaxChunkSize));
        Link.EndSectionWrite(DeviceAddress, section.Address, section.Count);
        progress.SetGauge(Percent(double(i + 1), double(sections.size())));
    }
}
