#pragma once

#include <QString>

// Texts the user sees from the link, exactly as the program shows them.
namespace LinkTexts {
inline QString NoConnection() {
    return QStringLiteral("RS232. Нет связи. Проверьте правильность соединения PC и устройства.");
}
inline QString InterByteDelay() {
    return QStringLiteral("RS232. Ошибка задержки приема внутри блока.");
}
inline QString BadChecksum() {
    return QStringLiteral("RS232. Ошибка обмена.(0)");
}
inline QString ShortReply() {
    return QStringLiteral("RS232. Ошибка обмена.(2)");
}
inline QString ZeroHeader() {
    return QStringLiteral("RS232. Ошибка обмена.(4)");
}
inline QString DeviceBusy() {
    return QStringLiteral(
        "Устройство занято. Возможно, оно находится в режиме местного управления.");
}
inline QString NoFreePort() {
    return QStringLiteral("Нет свободного COM-порта!");
}
inline QString MKNotFound() {
    return QStringLiteral("Не вижу МК.");
}
inline QString PortDialogCaption() {
    return QStringLiteral("Выбор номера порта");
}
inline QString PortDialogLabel() {
    return QStringLiteral("Выберите последовательный порт");
}
// A request that does not fit one frame (a program fault, never the MK's).
inline QString FrameTooLong() {
    return QStringLiteral("RS232. Слишком длинный кадр.");
}
} // namespace LinkTexts
