#pragma once

#include <QString>
#include <exception>
#include <string>

// What went wrong, for the code that decides what comes next (whether to offer carrying,
// whether a hint about port rights helps); the user reads the message instead.
enum class TErrorKind {
    General,           // nothing the code tells apart
    Range,             // a value does not fit its record field
    NoConnection,      // the MK did not answer, or the port could not be used
    Link,              // the MK answered, but not as it should (checksum, busy, short)
    NoPort,            // no free port, or no MK among the recorded ones
    VersionMismatch,   // the settings are of another device type
    FirmwareMismatch,  // the settings are laid out for another firmware variant
    DirectoryBroken,   // the MK's memory directory cannot be written by
    BackupFailed,      // the memory could not be kept before a write
    WriteNotConfirmed, // a written section read back differently
    WriteInterrupted,  // the link failed after part of the settings went into the MK
    File,              // a file could not be read or written, or is no settings file
};

// An error of the system; its message is the Russian text the user sees.
class TMKError : public std::exception {
public:
    explicit TMKError(QString message) : TMKError(TErrorKind::General, std::move(message)) {}
    TMKError(TErrorKind kind, QString message)
        : Type(kind), Message(std::move(message)), Utf8(Message.toStdString()) {}
    TErrorKind Kind() const { return Type; }
    const QString& Text() const { return Message; }
    const char* what() const noexcept override { return Utf8.c_str(); }

private:
    TErrorKind Type;
    QString Message;
    std::string Utf8;
};

// A value that does not fit its record field; the field keeps its value.
class TRangeError : public TMKError {
public:
    TRangeError() : TMKError(TErrorKind::Range, QStringLiteral("Range check error")) {}
};
