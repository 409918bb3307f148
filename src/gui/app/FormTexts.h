#pragma once

#include <QString>

// Captions of the program's windows, exactly as the program shows them.
namespace FormTexts {
inline QString MainCaption() {
    return QStringLiteral("Просмотр и настройка параметров МК (Версия 25.06.19)");
}
inline QString WarningLine1() {
    return QStringLiteral("Внимание! Для правильной работы программы ");
}
inline QString WarningLine2() {
    return QStringLiteral("НЕОБХОДИМО ");
}
inline QString WarningLine3() {
    return QStringLiteral("предварительно загрузить в МК последнюю версию ПО.");
}
inline QString Step1() {
    return QStringLiteral("Шаг 1");
}
inline QString Step2() {
    return QStringLiteral("Шаг 2");
}
inline QString Step2a() {
    return QStringLiteral("Шаг 2a");
}
inline QString Step2b() {
    return QStringLiteral("Шаг 2b");
}
inline QString Step3() {
    return QStringLiteral("Шаг 3");
}
inline QString Step4() {
    return QStringLiteral("Шаг 4");
}
inline QString AutoCaption() {
    return QStringLiteral("Искать МК автоматически");
}
inline QString RS232Caption() {
    return QStringLiteral("Выбрать СОМ-порт вручную");
}
inline QString GetParamsCaption() {
    return QStringLiteral("Считать настройки из МК");
}
inline QString LoadParamsCaption() {
    return QStringLiteral("Считать настройки из файла на диске");
}
inline QString EditParamsCaption() {
    return QStringLiteral("Редактировать настройки");
}
inline QString ViewJournalsCaption() {
    return QStringLiteral("Просмотреть журналы");
}
inline QString ViewOscCaption() {
    return QStringLiteral("Просмотреть данные осциллографа");
}
inline QString SaveParamsCaption() {
    return QStringLiteral("Сохранить настройки в файл на диске");
}
inline QString SetParamsCaption() {
    return QStringLiteral("Записать настройки в МК");
}
inline QString Step1GetLabel() {
    return QStringLiteral(
        "Для адекватного отображения возможных вариантов настроек считайте текущие настройки МК,");
}
inline QString Step1LoadLabel() {
    return QStringLiteral(
        "или, если Вы ранее уже сохраняли настройки на диск, считайте файл с диска.");
}
inline QString Step2Label() {
    return QStringLiteral("Произведите изменения настроек.");
}
inline QString Step2aLabel() {
    return QStringLiteral("Просмотрите журналы поездок, заправок. и ошибок");
}
inline QString Step2bLabel() {
    return QStringLiteral("Просмотрите записанные данные осциллографа");
}
inline QString Step3Label() {
    return QStringLiteral(
        "Для возможности повторного просмотра или редактирования сохраните настройки на диск.");
}
inline QString Step4Label() {
    return QStringLiteral("Запишите настройки в МК");
}
inline QString ProgressCaption() {
    return QStringLiteral("Progress...");
}
inline QString ProgressInitialLabel() {
    return QStringLiteral("Прогресс");
}
} // namespace FormTexts
