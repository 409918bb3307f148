#include "editing/ServiceInfo.h"

#include "catalog/Protocols.h"
#include "editing/Conversions.h"
#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"

namespace {

int64_t Value(const TSettingsEditor& e, const QString& name, int index = 0) {
    return ReadField(e.Mk, RecordField(name, index));
}

QString Hex(int64_t value, int digits) {
    return QStringLiteral("%1").arg(uint64_t(value), digits, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QList<QPair<QString, QString>> ServiceInfoRows(const TSettingsEditor& e) {
    QList<QPair<QString, QString>> rows;
    const auto add = [&rows](const QString& caption, const QString& value) {
        rows.append({caption, value});
    };
    const auto decimal = [&e](const QString& name) { return QString::number(Value(e, name)); };

    add(QStringLiteral("Проект"), e.Mk.Catalog.ProjectName());
    add(QStringLiteral("Протокол"), e.Protocol().ProtName);
    add(QStringLiteral("Вариант реализации"), decimal(QStringLiteral("ProtTypeMain")));
    for (int i = 1; i <= 7; ++i)
        add(QStringLiteral("Подтип %1").arg(i), decimal(QStringLiteral("ProtTypeAdd%1").arg(i)));
    add(QStringLiteral("Виртуальный раход"), decimal(QStringLiteral("VirtualExpenseType")));
    add(QStringLiteral("Адрес ЭБУ"), Hex(Value(e, QStringLiteral("EcuAddress")), 2));
    add(QStringLiteral("Нач. дроссель"), decimal(QStringLiteral("StartThrottle")));
    // Each word is read high byte first, as the MK keeps it.
    QString pids;
    for (int i = 0; i < 16; ++i)
        pids += QLatin1Char(' ') + Hex(Value(e, QStringLiteral("EcuPids"), i), 4);
    add(QStringLiteral("PIDs"), pids);
    add(QStringLiteral("PIDs Consult"), Hex(Value(e, QStringLiteral("ConsultPids")), 4));
    add(QStringLiteral("Пропуски связи"), decimal(QStringLiteral("LinkLossCount")));

    const uint64_t flags = uint64_t(Value(e, QStringLiteral("ProtocolFlags")));
    const struct {
        const char* Caption;
        int Bit;
    } questions[] = {
        {"Нужно проводить автоопр.прот.", 1}, {"Нужно определять PIDы", 2},
        {"Нужно опр. тип вирт. расч.", 3},    {"Это турбодизель", 4},
        {"Расчет турбодиз. по нагр.", 9},
    };
    for (const auto& q : questions)
        add(QString::fromUtf8(q.Caption),
            flags >> q.Bit & 1u ? QStringLiteral("Да") : QStringLiteral("Нет"));
    return rows;
}
