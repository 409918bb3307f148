#pragma once

#include <QString>
#include <exception>
#include <string>

// An error of the system; its message is the Russian text the user sees.
class TMKError : public std::exception {
public:
    explicit TMKError(QString message) : Message(std::move(message)), Utf8(Message.toStdString()) {}
    const QString& Text() const { return Message; }
    const char* what() const noexcept override { return Utf8.c_str(); }

private:
    QString Message;
    std::string Utf8;
};

// A value that does not fit its record field; the field keeps its value.
class TRangeError : public TMKError {
public:
    TRangeError() : TMKError(QStringLiteral("Range check error")) {}
};
