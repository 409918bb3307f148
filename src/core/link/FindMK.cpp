#include "link/FindMK.h"

#include "link/LinkTexts.h"
#include "link/SerialLinkBase.h"

int PortNumberInDisplayName(const QString& displayName) {
    const qsizetype at = displayName.indexOf(QStringLiteral("COM"));
    if (at < 0)
        return 0;
    int number = 0;
    for (qsizetype i = at + 3; i < displayName.size() && i < at + 5; ++i) {
        const QChar ch = displayName.at(i);
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            break;
        number = number * 10 + (ch.unicode() - '0');
    }
    return number;
}

bool FindMK(TML_RS_Base& link, bool autoSearch) {
    if (!autoSearch)
        return true;
    link.ScanPorts();
    const auto& instances = link.Environment().Instances;
    const QList<TUsbInstance> recorded = instances ? instances->Recorded() : QList<TUsbInstance>{};
    for (const TUsbInstance& instance : recorded) {
        if (!instance.DisplayName.contains(MakerWord(), Qt::CaseSensitive))
            continue;
        const int number = PortNumberInDisplayName(instance.DisplayName);
        if (number == 0)
            continue;
        link.OpenPort(number);
        link.SetBaudRate(115200);
        if (number == link.PortNumber)
            return true;
    }
    link.ShowError(TMKError(TErrorKind::NoPort, LinkTexts::MKNotFound()));
    return false;
}
