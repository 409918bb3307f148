#include "carry/CarryReport.h"

#include <QJsonArray>

QStringList TCarryReport::Lines() const {
    QStringList lines;
    for (const TCarryEntry& e : NotCarried)
        lines.append(QStringLiteral("%1 › %2: %3 — %4")
                         .arg(e.Page, e.Caption.isEmpty() ? e.Name : e.Caption, e.From, e.Reason));
    return lines;
}

QJsonObject TCarryReport::Json() const {
    QJsonArray list;
    for (const TCarryEntry& e : NotCarried)
        list.append(QJsonObject{{QStringLiteral("Name"), e.Name},
                                {QStringLiteral("Page"), e.Page},
                                {QStringLiteral("Caption"), e.Caption},
                                {QStringLiteral("From"), e.From},
                                {QStringLiteral("Reason"), e.Reason}});
    return {{QStringLiteral("Carried"), Carried}, {QStringLiteral("NotCarried"), list}};
}

namespace CarryReasons {

QString NotOnThisMK() {
    return QStringLiteral("Нет на этом МК");
}

QString OutOfRange(double min, double max, int decimals) {
    return QStringLiteral("Вне диапазона этого МК (%1 … %2)")
        .arg(QString::number(min, 'f', decimals), QString::number(max, 'f', decimals));
}

QString ItemNotOffered() {
    return QStringLiteral("Пункт не предлагается этим МК");
}

QString ProtocolNotOffered() {
    return QStringLiteral("Протокол не предлагается этим МК");
}

QString IdNotInCatalogue() {
    return QStringLiteral("Нет в каталоге этого МК");
}

QString Rounded(double held, int decimals) {
    return QStringLiteral("Записано как %1: точнее этот МК не хранит")
        .arg(QString::number(held, 'f', decimals));
}

} // namespace CarryReasons
