#pragma once

#include <QString>

// Texts the user sees from the read and write workflows, exactly as the program shows them.
namespace WorkflowTexts {
inline QString ConnectingLabel() {
    return QStringLiteral("Не могу подключиться к МК...");
}
inline QString ReadingLabel() {
    return QStringLiteral("Чтение настроек...");
}
inline QString WritingLabel() {
    return QStringLiteral("Запись настроек...");
}
inline QString DeviceVersionMismatch() {
    return QStringLiteral("Версия настроек не совпадает с версией устройства!");
}
inline QString FirmwareVersionMismatch() {
    return QStringLiteral("Версия настроек не совпадает с версией прошивки!");
}
inline QString SettingsWritten() {
    return QStringLiteral("Настройки записаны в МК");
}
inline QString UnsavedChangesQuestion() {
    return QStringLiteral(
        "Возможно, настройки были изменены, но не сохранены на диске. Сохранить?");
}
inline QString FileExistsQuestion() {
    return QStringLiteral("Файл уже существует. Переписать?");
}
// The open and save dialogs of settings files.
inline QString SettingsFileFilter() {
    return QStringLiteral("Файлы настроек (*.rvset)");
}
inline QString SettingsFileSuffix() {
    return QStringLiteral("rvset");
}

// Our own texts.
inline QString DirectoryBroken() {
    return QStringLiteral("Каталог памяти МК повреждён. Запись отменена.");
}
inline QString BackupFailed(const QString& reason) {
    return QStringLiteral("Не удаётся сохранить резервную копию памяти МК (%1). Запись отменена.")
        .arg(reason);
}
inline QString BackupNotice(const QString& path) {
    return QStringLiteral("Перед записью содержимое памяти МК было сохранено в файле\n%1\n"
                          "Чтобы вернуть прежние настройки, считайте этот файл с диска и "
                          "запишите его в МК.")
        .arg(path);
}
inline QString VerifyingLabel() {
    return QStringLiteral("Проверка записи...");
}
// entries: the directory entries whose sections read back differently, "3, 7".
inline QString WriteNotConfirmed(const QString& entries, const QString& backup) {
    return QStringLiteral("Запись не подтверждена: разделы %1 отличаются.\n%2")
        .arg(entries, backup);
}
// The link failed after `written` of `count` sections had gone into the MK. The last line
// says it all (mktool's error text is the last line it prints).
inline QString WriteInterrupted(const QString& linkError, int written, int count,
                                const QString& backup) {
    return QStringLiteral("%1\nЗапись настроек в МК прервана: записано разделов %2 из %3, и МК "
                          "теперь хранит частично записанные настройки. Чтобы вернуть прежние "
                          "настройки, считайте с диска резервную копию \"%4\" и запишите её в МК.")
        .arg(linkError, QString::number(written), QString::number(count), backup);
}
// Follows the link's "no connection" text when the port was refused for lack of rights.
inline QString PortPermissionHint(const QString& device) {
    return QStringLiteral("Нет прав на доступ к порту %1. Установите пакет программы (правило "
                          "udev 60-params32.rules) или войдите в группу dialout: sudo usermod "
                          "-aG dialout $USER, затем войдите в систему заново.")
        .arg(device);
}
inline QString WriteChangesQuestion() {
    return QStringLiteral("Записать эти изменения в МК?");
}
// Asked after a version message stopped a write.
inline QString CarryQuestion() {
    return QStringLiteral("Перенести настройки на этот МК? Настройки будут приведены к его типу и "
                          "версии прошивки; то, что не подходит, будет показано списком.");
}
} // namespace WorkflowTexts
