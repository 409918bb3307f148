#include "readwrite/MKTransfer.h"

#include "base/MKError.h"
#include "link/MKLink.h"
#include "link/MKProtocol.h"
#include "model/DeviceModel.h"
#include "readwrite/BackupStore.h"
#include "readwrite/ReadWriteTexts.h"
#include "readwrite/SectionPlan.h"
#include "readwrite/TransferProgress.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <set>

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

std::array<MKProtocol::TDeviceKind, 3> TMKTransfer::ConnectionOrder(quint8 first) {
    std::array<MKProtocol::TDeviceKind, 3> order = MKProtocol::DeviceTable;
    // A stable move of `first` to the front keeps the others in table order.
    const auto found = std::find_if(order.begin(), order.end(),
                                    [first](const auto& kind) { return kind.Address == first; });
    if (found != order.end())
        std::rotate(order.begin(), found, found + 1);
    return order;
}

bool TMKTransfer::IsDeviceAddress(quint8 address) {
    return MKProtocol::MemorySizeAt(address).has_value();
}

TMKTransfer::TConnection TMKTransfer::ConnectToMK(TTransferProgress& progress) {
    const auto order = ConnectionOrder(LastAddress);
    for (std::size_t entry = 0;; entry = (entry + 1) % order.size()) {
        DeviceAddress = order[entry].Address;
        MemorySize = order[entry].MemorySize;
        Link.FirstByteTimeout = ConnectTimeoutMs;
        try {
            const quint16 version = Link.Identify(DeviceAddress);
            LastAddress = DeviceAddress;
            return {true, version};
        } catch (const TMKError&) {
            // No MK at this address; the next one is tried.
        }
        QCoreApplication::processEvents();
        if (progress.Cancelled())
            return {};
    }
}

void TMKTransfer::ReadImage(TTransferProgress& progress, QByteArray& image) {
    const quint32 half = MemorySize / 64;
    const double lastBlock = MemorySize / MKProtocol::BlockSize - 2;
    for (quint32 h = 0; h < 2; ++h)
        for (quint32 i = 1; i < half; ++i) {
            const quint32 block = h * half + i;
            image.append(Link.ReadBlock(DeviceAddress, quint16(block)));
            progress.SetGauge(Percent(block, lastBlock));
        }
}

void TMKTransfer::ReadDevice(TTransferProgress& progress, quint16 version, TMK& device) {
    progress.ShowPhase(WorkflowTexts::ReadingLabel(), true);
    QCoreApplication::processEvents();
    device.SettingsVersion = version;
    ReadImage(progress, device.Image);
    device.UnpackAll();
}

TMKTransfer::TOutcome TMKTransfer::ReadSettings(TTransferProgress& progress) {
    const TOpenPort port(Link);
    progress.ShowPhase(WorkflowTexts::ConnectingLabel(), false);
    const TConnection connection = ConnectToMK(progress);
    if (!connection.Connected)
        return TOutcome::Cancelled;
    TMK device;
    ReadDevice(progress, connection.Version, device);
    device.Origin = TSettingsOrigin::FromDevice(QDateTime::currentDateTime());
    device.RefreshCatalogue();
    MK.SwapSettings(device);
    return TOutcome::Done;
}

TMKTransfer::TOutcome TMKTransfer::WriteSettings(TTransferProgress& progress,
                                                 TBackupStore& backups) {
    LastBackup.clear();
    LastWritten.clear();
    Unconfirmed.clear();
    SectionsWritten = 0;
    const quint32 firmware = MK.ImageDirectory.FirmwareVersion;
    const TOpenPort port(Link);
    progress.ShowPhase(WorkflowTexts::ConnectingLabel(), false);
    const TConnection connection = ConnectToMK(progress);
    if (!connection.Connected)
        return TOutcome::Cancelled;
    if (MK.SettingsVersion != connection.Version)
        throw TMKError(TErrorKind::VersionMismatch, WorkflowTexts::DeviceVersionMismatch());
    TMK device;
    ReadDevice(progress, connection.Version, device);
    // What goes to the MK: its present memory with the program's record laid over it.
    TMK toWrite;
    toWrite.CopySettingsFrom(MK);
    toWrite.Image = device.Image;
    toWrite.PackAll();
    if (toWrite.ImageDirectory.FirmwareVersion != firmware)
        throw TMKError(TErrorKind::FirmwareMismatch, WorkflowTexts::FirmwareVersionMismatch());
    // The image to send: toWrite's own, or one with only the changes the user chose.
    const std::optional<QByteArray> image =
        ConfirmWrite ? ConfirmWrite(device, toWrite) : std::optional<QByteArray>(toWrite.Image);
    if (!image)
        return TOutcome::Cancelled;
    const QList<TSection> sections = PlanSections(*image, device.Image.size());
    try {
        LastBackup = backups.Keep(connection.Version, device.Image);
    } catch (const TMKError& e) {
        throw TMKError(TErrorKind::BackupFailed, WorkflowTexts::BackupFailed(e.Text()));
    }
    try {
        WriteSections(progress, *image, sections);
    } catch (const TMKError& e) {
        if (SectionsWritten == 0)
            throw;
        throw TMKError(TErrorKind::WriteInterrupted,
                       WorkflowTexts::WriteInterrupted(e.Text(), SectionsWritten,
                                                       int(sections.size()), LastBackup));
    }
    LastWritten = *image;
    Unconfirmed = VerifySections(progress, *image, sections);
    if (!Unconfirmed.isEmpty()) {
        QStringList entries;
        for (const int entry : Unconfirmed)
            entries << QString::number(entry);
        throw TMKError(
            TErrorKind::WriteNotConfirmed,
            WorkflowTexts::WriteNotConfirmed(entries.join(QStringLiteral(", ")), LastBackup));
    }
    toWrite.RefreshCatalogue();
    MK.SwapSettings(toWrite);
    return TOutcome::Done;
}

QString TMKTransfer::BackupNoticeAfter(TErrorKind failure) const {
    const bool namedInError =
        failure == TErrorKind::WriteInterrupted || failure == TErrorKind::WriteNotConfirmed;
    if (LastBackup.isEmpty() || namedInError)
        return {};
    return WorkflowTexts::BackupNotice(LastBackup);
}

void TMKTransfer::WriteSections(TTransferProgress& progress, const QByteArray& image,
                                const QList<TSection>& sections) {
    progress.ShowPhase(WorkflowTexts::WritingLabel(), true);
    QCoreApplication::processEvents();
    for (qsizetype i = 0; i < sections.size(); ++i) {
        const TSection& section = sections[i];
        const QByteArray bytes = image.mid(section.ImagePosition(), section.Count);
        Link.FirstByteTimeout = SectionTimeoutMs;
        Link.BeginSectionWrite(DeviceAddress, section.Address, section.Count);
        for (int j = 0; j * MKProtocol::MaxChunkSize < bytes.size(); ++j)
            Link.WriteChunk(DeviceAddress, quint16(j),
                            bytes.mid(j * MKProtocol::MaxChunkSize, MKProtocol::MaxChunkSize));
        Link.EndSectionWrite(DeviceAddress, section.Address, section.Count);
        ++SectionsWritten;
        progress.SetGauge(Percent(double(i + 1), double(sections.size())));
    }
}

QList<int> TMKTransfer::VerifySections(TTransferProgress& progress, const QByteArray& image,
                                       const QList<TSection>& sections) {
    // The image is made of whole blocks: unit u is block u + 1 in the first half and
    // block u + 2 in the second, as ReadImage lays them down.
    constexpr qsizetype Unit = MKProtocol::BlockSize;
    const qsizetype unitsPerHalf = qsizetype(MemorySize / 64) - 1;
    std::set<qsizetype> units;
    for (const TSection& section : sections)
        for (qsizetype u = section.ImagePosition() / Unit;
             section.Count > 0 && u * Unit < section.ImagePosition() + section.Count; ++u)
            units.insert(u);
    if (units.empty())
        return {};
    progress.ShowPhase(WorkflowTexts::VerifyingLabel(), true);
    QCoreApplication::processEvents();
    QByteArray readBack(image.size(), '\0');
    int done = 0;
    for (const qsizetype u : units) {
        const qsizetype block = u < unitsPerHalf ? u + 1 : u + 2;
        const QByteArray bytes = Link.ReadBlock(DeviceAddress, quint16(block));
        std::copy_n(bytes.constData(), qMin(bytes.size(), readBack.size() - u * Unit),
                    readBack.data() + u * Unit);
        progress.SetGauge(Percent(++done, double(units.size())));
    }
    QList<int> differing;
    for (qsizetype i = 0; i < sections.size(); ++i) {
        const qsizetype from = sections[i].ImagePosition();
        if (readBack.mid(from, sections[i].Count) != image.mid(from, sections[i].Count))
            differing << int(i + 1);
    }
    return differing;
}
