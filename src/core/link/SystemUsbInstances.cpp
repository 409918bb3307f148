#include "link/SystemUsbInstances.h"

#include <QRegularExpression>
#include <QSerialPortInfo>

TSystemUsbInstances::TSystemUsbInstances(TPortMap ports) : Ports(std::move(ports)) {}

QList<TUsbInstance> TSystemUsbInstances::Recorded() const {
    static const QRegularExpression comName(QStringLiteral("^COM([0-9]+)$"));
    QList<TUsbInstance> instances;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (!info.hasVendorIdentifier() || !info.hasProductIdentifier() ||
            info.vendorIdentifier() != VendorId || info.productIdentifier() != ProductId)
            continue;
        // Where the system itself speaks of COM ports, its name is the number.
        const QRegularExpressionMatch match = comName.match(info.portName());
        const int number = match.hasMatch() ? match.captured(1).toInt()
                                            : Ports.PortNumberOf(info.systemLocation());
        QStringList words;
        for (const QString& word : {info.manufacturer().trimmed(), info.description().trimmed()})
            if (!word.isEmpty())
                words << word;
        QString display = words.join(QLatin1Char(' '));
        if (number > 0)
            display += QStringLiteral(" (") + TPortMap::PortName(number) + QLatin1Char(')');
        const QString name = info.serialNumber().isEmpty() ? info.portName() : info.serialNumber();
        instances.append({name, display});
    }
    return instances;
}
