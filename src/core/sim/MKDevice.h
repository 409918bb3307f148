#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What the MK does with one request frame: the MK's side of the five commands over a
// whole memory. Knows nothing of timing or faults.
class TMKDevice {
public:
    struct TReply {
        quint8 Status = 0;
        QByteArray Data;
    };

    // Memory must be as large as the address's device table entry says.
    TMKDevice(quint8 address, quint16 settingsVersion, QByteArray memory);

    // The reply to a complete request frame, or nullopt when the MK stays silent: another
    // address, a bad checksum, an unknown command or parameters it cannot take. why, when
    // given, receives the reason for the silence.
    std::optional<TReply> Handle(const QByteArray& request, QString* why = nullptr);

    quint8 Address() const { return DeviceAddress; }
    quint16 SettingsVersion() const { return Version; }
    const QByteArray& Memory() const { return Bytes; }

    // Data byte 0 of the Identify reply; it means nothing to the program.
    static constexpr quint8 IdentifyLeadByte = 0x5A;

private:
    struct TSection {
        quint16 Address = 0;
        quint16 Count = 0;
        QByteArray Bytes;
    };

    std::optional<TReply> ReadBlockReply(const QByteArray& request, QString* why);
    std::optional<TReply> BeginSectionReply(const QByteArray& request, QString* why);
    std::optional<TReply> WriteChunkReply(const QByteArray& request, QString* why);
    std::optional<TReply> EndSectionReply(const QByteArray& request, QString* why);

    quint8 DeviceAddress;
    quint16 Version;
    QByteArray Bytes;
    std::optional<TSection> Pending;
    // The section applied last, so that a repeated EndSectionWrite (its reply was lost)
    // is answered again instead of failing the write.
    std::optional<TSection> Applied;
};
