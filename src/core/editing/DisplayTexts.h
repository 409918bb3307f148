#pragma once

// What the display pages show and ask, letter for letter.

#include <QString>
#include <QStringList>

namespace DisplayTexts {

inline const QString SchemeQuestion = QStringLiteral("Сменить цветовую схему?");
inline const QString ResetQuestion =
    QStringLiteral("Привести все настройки цветовых схем в исходное состояние?");
inline const QString PaletteRow = QStringLiteral("Цвет #");
inline const QString PaletteCaption = QStringLiteral("Палитра цветов");
inline const QString Red = QStringLiteral("Красный");
inline const QString Green = QStringLiteral("Зеленый");
inline const QString Blue = QStringLiteral("Синий");
inline const QString EditColor = QStringLiteral("Редактировать цвет");
inline const QString ColorHint =
    QStringLiteral("Для выбора цвета для редактирования выберите нужную строку таблицы");
inline const QString Type4 = QStringLiteral("Тип х4");
inline const QString Type9 = QStringLiteral("Тип х9");
inline const QString SchemeGroup = QStringLiteral("Цветовая схема");
inline const QString Scheme1 = QStringLiteral("Схема 1");
inline const QString Scheme2 = QStringLiteral("Схема 2");
inline const QString Scheme3 = QStringLiteral("Схема 3");
inline const QString SchemeUser = QStringLiteral("Схема пользователя");
inline const QString CopyToUser = QStringLiteral("Скопировать в польз.");
inline const QString ResetAll = QStringLiteral("Все в исх.состояние");
inline const QString Preview17 = QStringLiteral("х1 и х7");
inline const QString Preview49 = QStringLiteral("х4 и х9");
inline const QString PreviewMenu = QStringLiteral("Меню");
inline const QString PreviewGraph = QStringLiteral("Графики");
inline const QString PreviewArrow = QStringLiteral("Стрелочный дисплей");
inline const QString Absent = QStringLiteral("Отсутствует");
inline const QString HintDigits =
    QStringLiteral("Для изменения отображаемого параметра щелкните ПРАВОЙ кнопкой мыши в нужной "
                   "части соответствующего дисплея.");
inline const QString HintGraphs =
    QStringLiteral("Для изменения отображаемого параметра щелкните ПРАВОЙ кнопкой мыши в ВЕРХНЕЙ "
                   "или НИЖНЕЙ графической части  соответствующего дисплея.");
inline const QString HintDials =
    QStringLiteral("Для изменения отображаемого параметра щелкните ПРАВОЙ кнопкой мыши в ПРАВОЙ "
                   "или ЛЕВОЙ ПОЛОВИНЕ соответствующего дисплея.");
inline const QString ShowScreens = QStringLiteral("Показывать дисплеи");
inline const QString GroupArrows = QStringLiteral("Стрелки");
inline const QString GroupAverages = QStringLiteral("Средние");
inline const QString GroupGraphs = QStringLiteral("Графики");
inline const QString ShowTitle = QStringLiteral("Заставка показывать");
inline const QString ShowName = QStringLiteral("Подпись дисп. показывать");
inline const QString AirWater = QStringLiteral("Подпись температура");
inline const QString Air = QStringLiteral("Воздуха");
inline const QString Water = QStringLiteral("Воды");
inline const QString Speed = QStringLiteral("Скорость вывода информации, раз/сек");
inline const QString HotParams = QStringLiteral("Параметры");
inline const QString HotAverages = QStringLiteral("Средние");
inline const QString HotTaximeter = QStringLiteral("Таксометр");
inline const QString HotParking = QStringLiteral("Парктроник");
inline const QString HotHint1 =
    QStringLiteral("Для того, чтобы добавить или удалить пункт меню или очистить всю таблицу, "
                   "щелкните ПРАВОЙ кнопкой мыши в соответствующей строке таблицы.");
inline const QString HotHint2 =
    QStringLiteral("Для того, чтобы поменять местами пункты меню, нажмите ЛЕВУЮ кнопку мыши на "
                   "левой колонке нужного пункта,  потяните и отпустите в нужной строке таблицы.");
inline const QString InsertItem = QStringLiteral("Вставить пункт");
inline const QString DeleteItem = QStringLiteral("Удалить пункт");
inline const QString ClearList = QStringLiteral("Очистить список");
inline const QStringList DigitRows = {QStringLiteral("Цвет 1"), QStringLiteral("Фон 1"),
                                      QStringLiteral("Цвет 2"), QStringLiteral("Фон 2"),
                                      QStringLiteral("Рамка")};
inline const QStringList MenuRows = {QStringLiteral("Цвет активного пункта"),
                                     QStringLiteral("Фон активного пункта"),
                                     QStringLiteral("Цвет номера горячего пункта")};
inline const QStringList GraphRows = {
    QStringLiteral("Оси / Временные метки"), QStringLiteral("Фон графиков"),
    QStringLiteral("Цвет графика 1"), QStringLiteral("Цвет графика 2"),
    QStringLiteral("Фон подписей")};
inline const QStringList ArrowRows = {
    QStringLiteral("Фон под шкалами"),  QStringLiteral("Левый циферблат"),
    QStringLiteral("Правый циферблат"), QStringLiteral("Левая шкала"),
    QStringLiteral("Правая шкала"),     QStringLiteral("Левая стрелка"),
    QStringLiteral("Правая стрелка"),   QStringLiteral("Шкала при большом расходе"),
    QStringLiteral("Подписи цвет"),     QStringLiteral("Подписи фон")};
inline const QStringList AverageBoxes = {
    QStringLiteral("Поездка"),   QStringLiteral("Сброс 1"),   QStringLiteral("Сброс 2"),
    QStringLiteral("Общие"),     QStringLiteral("В пробках"), QStringLiteral("Без пробок"),
    QStringLiteral("Таксометр"), QStringLiteral("Бензин"),    QStringLiteral("Газ")};
} // namespace DisplayTexts
