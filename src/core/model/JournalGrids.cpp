#include "model/JournalGrids.h"

#include "base/MKError.h"
#include "catalog/Protocols.h"

namespace Journals {

TGridTexts JournalGridTexts(std::span<const TJournalRecord, JournalRecords> records,
                            const TTripSettings& prices) {
    TGridTexts rows;
    rows.append({QStringLiteral("#"), QStringLiteral("Дата и время записи"),
                 QStringLiteral("Время в пути"), QStringLiteral("Пробег, км"),
                 QStringLiteral("Расход топлива, л"), QStringLiteral("Ср. скорость, км/час"),
                 QStringLiteral("Ср. расход на 100 км"), QStringLiteral("Ср. расход в час"),
                 QStringLiteral("Стоимость")});
    for (int k = 0; k < JournalRecords; ++k) {
        const QString number = k == 0 ? QStringLiteral("Посл.") : QString::number(k);
        rows.append(QStringList{number} + TripRowCells(records[std::size_t(k)], prices));
    }
    return rows;
}

TGridTexts FaultGridTexts(const TErrorJournal& journal, int errorFormat,
                          const TProtocolSettings& protocol) {
    TGridTexts rows;
    rows.append({QStringLiteral("#"), QStringLiteral("Время"), QStringLiteral("Код ошибки")});
    for (int i = 0; i < FaultRecords; ++i) {
        const TFaultRecord& fault = journal.Faults[i];
        QStringList row{QString::number(i), QString(), QString()};
        if (fault.Code != 0) {
            row[1] = FaultDateText(fault);
            row[2] = ErrorCodeText(errorFormat, fault.Code, protocol);
        }
        rows.append(row);
    }
    return rows;
}

int DeviceErrorFormat(TMK& mk) {
    try {
        mk.RebuildProtocolList();
    } catch (const TMKError&) {
        // An index outside the list, or one that does not fit the catalogue's byte, names no
        // protocol; the journals still show, their codes without text.
        return ErrorFormats::NoText;
    }
    const TProtBase* protocol = mk.Catalog.CurrentProtocol();
    return protocol ? protocol->ErrorFormat : ErrorFormats::NoText;
}

} // namespace Journals
