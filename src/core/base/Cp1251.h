#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>

// Code page 1251, the MK's text encoding. Characters without a 1251 code become '?'.
namespace Cp1251 {
QString Decode(const char* bytes, std::size_t maxLength);
QString Decode(const QByteArray& bytes);
QByteArray Encode(const QString& text);
char EncodeChar(QChar ch);
QChar DecodeChar(unsigned char byte);

// Reads a zero-terminated string from a fixed field (stops at the field's end).
template <std::size_t N> QString FromField(const char (&field)[N]) {
    return Decode(field, N);
}
// Writes text into a fixed field: at most N-1 characters, then zeros to the end.
void ToField(const QString& text, char* field, std::size_t size);
template <std::size_t N> void ToField(const QString& text, char (&field)[N]) {
    ToField(text, field, N);
}
} // namespace Cp1251
