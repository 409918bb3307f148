// Page "Парковка": rear and front parking sensors. Distances are shown in centimetres and
// stored in decimetres.

#include "catalog/DeviceFlags.h"
#include "editing/EditorTables.h"
#include "editing/RowBuilders.h"
#include "editing/SettingsEditor.h"

namespace {

const QString Page = QStringLiteral("tsPark");
const QString Rear = QStringLiteral("Задний");
const QString Front = QStringLiteral("Передний");

// The rear sensors (and the type above them) stand in the left column, the front ones right.
int Side(const QString& group) {
    return group == Front ? 1 : 0;
}

TControlRow Plain(const QString& name, const QString& caption, int min, int max,
                  const QString& group) {
    return Placed(Spin(name, caption, min, max), Page, group, Side(group));
}

TControlRow Centimetres(const QString& name, const QString& caption, int min, int max,
                        const QString& group) {
    return Placed(Tens(Spin(name, caption, min, max, 10)), Page, group, Side(group));
}

TControlRow Choice(const QString& name, const QString& caption, const QStringList& items,
                   const QString& group) {
    return Placed(InLine(Radio(name, caption, items)), Page, group, Side(group));
}

} // namespace

std::vector<TControlRow> ParkingRows() {
    std::vector<TControlRow> rows;
    rows.push_back(Shows(Choice(QStringLiteral("rgParkType"), QStringLiteral("Тип "),
                                {QStringLiteral("PT"), QStringLiteral("PU")}, QString()),
                         Unless(&TDeviceFlags::NoParkType)));

    rows.push_back(
        Placed(Check(QStringLiteral("cbParkUse0"), QStringLiteral("Использовать")), Page, Rear));
    rows.push_back(Plain(QStringLiteral("seParkProbesQntReal0"),
                         QStringLiteral("Количество датчиков"), 2, 4, Rear));
    rows.push_back(
        Plain(QStringLiteral("seParkSense0"), QStringLiteral("Чувствительность"), 1, 7, Rear));
    rows.push_back(
        Plain(QStringLiteral("seParkSpeed0"), QStringLiteral("Быстродействие"), 1, 3, Rear));
    rows.push_back(Centimetres(QStringLiteral("seParkMinLeng0"), QStringLiteral("Граница тревога"),
                               30, 90, Rear));
    rows.push_back(Choice(QStringLiteral("rgParkBeepType"), QStringLiteral("Тип озвучки"),
                          {QStringLiteral("Нет"), QStringLiteral("Zumm"), QStringLiteral("Пред."),
                           QStringLiteral("Голос")},
                          Rear));
    rows.push_back(
        Plain(QStringLiteral("seParkStopVel0"), QStringLiteral("ПаркStop скорость"), 0, 20, Rear));
    rows.push_back(Centimetres(QStringLiteral("seParkStopLeng0"), QStringLiteral("ПаркStop cм"), 40,
                               250, Rear));
    rows.push_back(Centimetres(QStringLiteral("seParkStopLengBeep"), QStringLiteral("Бип Stop cм"),
                               40, 250, Rear));
    rows.push_back(
        Plain(QStringLiteral("seParkFarkopLen"), QStringLiteral("Фаркоп см"), 0, 50, Rear));

    rows.push_back(Placed(Check(QStringLiteral("cbParkUse1"), QStringLiteral("Использовать")), Page,
                          Front, Side(Front)));
    rows.push_back(Plain(QStringLiteral("seParkProbesQntReal1"),
                         QStringLiteral("Количество датчиков"), 2, 4, Front));
    rows.push_back(
        Plain(QStringLiteral("seParkSense1"), QStringLiteral("Чувствительность"), 1, 7, Front));
    rows.push_back(
        Plain(QStringLiteral("seParkSpeed1"), QStringLiteral("Быстродействие"), 1, 3, Front));
    rows.push_back(Centimetres(QStringLiteral("seParkMinLeng1"), QStringLiteral("Граница тревога"),
                               30, 90, Front));
    rows.push_back(
        Plain(QStringLiteral("seParkStopVel1"), QStringLiteral("Парк скорость"), 0, 90, Front));
    rows.push_back(
        Centimetres(QStringLiteral("seParkStopLeng1"), QStringLiteral("Парк cм"), 50, 250, Front));
    rows.push_back(Choice(QStringLiteral("rgParkForwConstOff"), QStringLiteral("Режим работы"),
                          {QStringLiteral("Вкл"), QStringLiteral("Вкл3с"), QStringLiteral("ДвЗад")},
                          Front));
    return rows;
}
