#include "model/Journals.h"

#include "base/MKError.h"
#include "catalog/Protocols.h"
#include "model/DayNumber.h"

#include <QLocale>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace Journals {
namespace {

// The six groups that share the GasFuel array, by their position in it.
constexpr TCounterGroup TTripTotals::*SharedGroups[] = {
    &TTripTotals::AllSum,  &TTripTotals::TripSum,   &TTripTotals::ResetSum,
    &TTripTotals::StopSum, &TTripTotals::NoStopSum, &TTripTotals::TankSum};

const char* const NoAverage = "---";
const char* const NoGroupAverage = "-----";

QString DayMonthText(uint8_t day, uint8_t month) {
    return QString::number(day) + QLatin1Char('.') + TwoDigits(month);
}

// The divisor guard every average goes through.
QString AverageText(double numerator, double divisor, int decimals, const char* noValue) {
    if (divisor == 0)
        return QString::fromUtf8(noValue);
    return FixedText(numerator / divisor, decimals);
}

uint64_t TotalFuel(uint32_t petrol, uint32_t gas) {
    return uint64_t(petrol) + gas;
}

QString HexText(uint32_t value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QString ObdLetterText(uint32_t code) {
    const char* letter = code < 0x4000    ? "P"
                         : code < 0x8000  ? "C"
                         : code < 0xC000  ? "B"
                         : code < 0x10000 ? "U"
                                          : "";
    return QLatin1String(letter) + HexText(code & 0x3FFF, 4);
}

QString DecimalStateText(uint32_t code) {
    QString text = QString::number(code);
    if (code & 0x8000)
        text += QStringLiteral("п");
    else if (code & 0x4000)
        text += QStringLiteral("н");
    else if (code & 0x2000)
        text += QStringLiteral("м");
    return text;
}

QString HexSubText(uint32_t code) {
    QString text = HexText(code, 4);
    if (code < 0x100 || code >= 0x1000)
        text += QStringLiteral("Sub");
    return text;
}

QString J1939Text(uint32_t code) {
    const uint32_t spn = (code & 0xFFFF) + ((code >> 5) & 0x70000);
    const uint32_t fmi = (code >> 16) & 0x1F;
    const uint32_t q = code >> 24;
    const QString qText = q >= 127 ? QStringLiteral("----") : QString::number(q);
    return QStringLiteral("SPN = %1  FMI = %2  Q = %3").arg(spn).arg(fmi).arg(qText);
}

// Codes of the four 0x400-wide ranges from 0x4000 become the hex-looking number of their
// decimal offset (0x407B, offset 123, becomes 0x123); codes above them become 0.
uint32_t VagDecimalCode(uint32_t code) {
    if (code > 0x4FFF)
        return 0;
    const uint32_t x = code - (code & ~uint32_t(0x3FF));
    return x % 10 + 16 * (x / 10 % 10) + 256 * (x / 100 % 10);
}

enum class TFreezeKind { FuelSystem1, FuelSystem2, Integer, Tenths, Hundredths, SecondaryAir };

struct TFreezeRowDef {
    int Pid;
    int Offset; // inside the fault record
    TFreezeKind Kind;
    const char* Caption;
};

const TFreezeRowDef FreezeRowDefs[] = {
    {3, 12, TFreezeKind::FuelSystem1, "Сост. топливной системы 1"},
    {3, 12, TFreezeKind::FuelSystem2, "Сост. топливной системы 2"},
    {4, 14, TFreezeKind::Integer, "Нагрузка на двигатель, %"},
    {5, 16, TFreezeKind::Integer, "ТОЖ, С"},
    {6, 18, TFreezeKind::Integer, "Краткосрочная корр.подачи топл.Б1, %"},
    {8, 20, TFreezeKind::Integer, "Краткосрочная корр.подачи топл.Б2, %"},
    {7, 22, TFreezeKind::Integer, "Долгосрочная корр.продачи топл.Б1, %"},
    {9, 24, TFreezeKind::Integer, "Долгосрочная корр.продачи топл.Б2, %"},
    {10, 26, TFreezeKind::Tenths, "Давление топлива, кПа"},
    {11, 28, TFreezeKind::Integer, "Давление во впускном коллекторе, кПа"},
    {12, 32, TFreezeKind::Integer, "Обороты/мин"},
    {13, 30, TFreezeKind::Integer, "Скорость, км/час"},
    {14, 34, TFreezeKind::Tenths, "Угол опережения зажигания, ВМТ"},
    {15, 36, TFreezeKind::Integer, "Температура всасываемого воздуха, С"},
    {16, 38, TFreezeKind::Tenths, "Массовый расход воздуха, кг/час"},
    {17, 40, TFreezeKind::Integer, "Дроссель, %"},
    {18, 42, TFreezeKind::SecondaryAir, "Состояние вторичного воздуха"},
    {20, 44, TFreezeKind::Hundredths, "Датчик кислорода 1, В"},
    {21, 46, TFreezeKind::Hundredths, "Датчик кислорода 2, В"},
    {31, 48, TFreezeKind::Integer, "Время с момента запуска двигателя, с"},
    {33, 50, TFreezeKind::Integer, "Пробег с вкл. лампой неиспр., км"},
    {34, 52, TFreezeKind::Integer, "Давление в топл.рампе отн.вакуума, кПа"},
    {35, 54, TFreezeKind::Tenths, "Давление в топл.рампе (выс.диап.), кПа"},
    {44, 56, TFreezeKind::Integer, "Желаемый расход системы EGR, %"},
    {45, 58, TFreezeKind::Integer, "Ошибка регул.расхода сис.EGR, %"},
    {46, 60, TFreezeKind::Integer, "Жел.уровень продувки паров топлива, %"},
    {48, 62, TFreezeKind::Integer, "Число прогревов двиг.с момента сброса ошибок"},
    {49, 64, TFreezeKind::Integer, "Пробег с момента сброса ошибок, км"},
    {50, 66, TFreezeKind::Integer, "Давление паров топ.в системе продувки"},
    {51, 68, TFreezeKind::Integer, "Атмосферное давление, кПа"},
    {60, 70, TFreezeKind::Integer, "Температура катализатора B1 S1, С"},
    {61, 72, TFreezeKind::Integer, "Температура катализатора B2 S1, С"},
    {62, 74, TFreezeKind::Integer, "Температура катализатора B1 S2, С"},
    {63, 76, TFreezeKind::Integer, "Температура катализатора B2 S2, С"},
    {66, 78, TFreezeKind::Tenths, "Напряжение питания БУ, В"},
    {68, 80, TFreezeKind::Hundredths, "Желаемое значение лямбда"},
    {69, 82, TFreezeKind::Integer, "Отн.положение дросс.заслонки, %"},
    {70, 84, TFreezeKind::Integer, "Температура внешнего воздуха, C"},
    {76, 86, TFreezeKind::Integer, "Жел. положение привода дросселя, %"},
    {77, 88, TFreezeKind::Integer, "Время с момента вкл.лампы неиспр., мин"},
    {78, 90, TFreezeKind::Integer, "Время с момента сброса ошибок, мин"},
};

// The status rows read their named fields; the table's offsets must agree with them.
static_assert(offsetof(TFaultRecord, FuelSystemStatus) == 12);
static_assert(offsetof(TFaultRecord, SecondaryAirStatus) == 42);

QString FuelSystemText(int status) {
    switch (status) {
    case 1:
        return QStringLiteral("Разомкнута");
    case 2:
        return QStringLiteral("Замкнута");
    case 4:
        return QStringLiteral("Разомк.(Раз/Тор)");
    case 8:
        return QStringLiteral("Разомк.(Ошибка)");
    case 16:
        return QStringLiteral("Замкн.(Датчик)");
    default:
        return QStringLiteral("Неизвестно");
    }
}

QString SecondaryAirText(int status) {
    switch (status) {
    case 1:
        return QStringLiteral("В катализатор");
    case 2:
        return QStringLiteral("Из катализатора");
    case 4:
        return QStringLiteral("Выключено");
    default:
        return QStringLiteral("Неизвестно");
    }
}

template <class T> T FieldAt(const TFaultRecord& record, int offset) {
    T value;
    std::memcpy(&value, reinterpret_cast<const char*>(&record) + offset, sizeof value);
    return value;
}

QString FreezeValueText(const TFaultRecord& record, const TFreezeRowDef& def) {
    switch (def.Kind) {
    case TFreezeKind::FuelSystem1:
        return FuelSystemText(record.FuelSystemStatus >> 8);
    case TFreezeKind::FuelSystem2:
        return FuelSystemText(record.FuelSystemStatus & 0xFF);
    case TFreezeKind::SecondaryAir:
        return SecondaryAirText(record.SecondaryAirStatus);
    case TFreezeKind::Integer:
        return QString::number(FieldAt<int16_t>(record, def.Offset));
    case TFreezeKind::Tenths:
        return FixedText(FieldAt<int16_t>(record, def.Offset) / 10.0, 1);
    case TFreezeKind::Hundredths:
        return FixedText(FieldAt<int16_t>(record, def.Offset) / 100.0, 2);
    }
    return {};
}

} // namespace

QString FixedText(double value, int decimals) {
    QString text = QString::number(value, 'f', decimals);
    const QString point = QLocale::system().decimalPoint();
    if (point != QLatin1String("."))
        text.replace(QLatin1Char('.'), point);
    return text;
}

QString JournalDateText(const TJournalRecord& record) {
    return TwoDigits(record.TimeOfDay / 60 % 24) + QLatin1Char(':') +
           TwoDigits(record.TimeOfDay % 60) + QLatin1String("   ") +
           DayMonthText(record.Day, record.Month);
}

QString FaultDateText(const TFaultRecord& record) {
    return QString::number(record.TimeOfDay / 60) + QLatin1Char(':') +
           TwoDigits(record.TimeOfDay % 60) + QLatin1Char(' ') +
           DayMonthText(record.Day, record.Month);
}

QString DurationText(uint32_t minutes) {
    return QString::number(minutes / 60) + QLatin1Char(':') + TwoDigits(minutes % 60);
}

double TripCost(const TJournalRecord& record, const TTripSettings& prices) {
    return (record.Path / 1000.0 * prices.PricePath + record.Fuel / 1000.0 * prices.PriceExpense +
            record.GasFuel / 1000.0 * prices.PriceGas +
            record.TripTime / 360.0 * prices.PriceTime) /
           10;
}

QStringList TripRowCells(const TJournalRecord& record, const TTripSettings& prices) {
    if (record.Day == 0) {
        QStringList cells(TripCellCount);
        cells[0] = QStringLiteral("Пусто");
        return cells;
    }
    const double fuel = double(TotalFuel(record.Fuel, record.GasFuel));
    const QString speed =
        record.TripTime == 0
            ? QString::fromUtf8(NoAverage)
            : QString::number(qint64(std::nearbyint(record.Path * 3.6 / record.TripTime)));
    return {JournalDateText(record),
            DurationText(record.TripTime / 60),
            FixedText(record.Path / 1000.0, 3),
            FixedText(fuel / 1000, 3),
            speed,
            AverageText(fuel * 100, record.Path, 1, NoAverage),
            AverageText(fuel * 3.6, record.TripTime, 2, NoAverage),
            FixedText(TripCost(record, prices), 1)};
}

const char* CounterGroupName(TCounterGroupId group) {
    static const char* const names[CounterGroupCount] = {"AllSum",     "TripSum",   "ResetSum",
                                                         "StopSum",    "NoStopSum", "TankSum",
                                                         "OilOnlySum", "GasOnlySum"};
    return names[int(group)];
}

TCounterValues CounterGroupValues(const TTripTotals& totals, TCounterGroupId group) {
    switch (group) {
    case TCounterGroupId::OilOnlySum: {
        const TCounterGroup& g = totals.OilOnlySum;
        return {g.Time, g.Path, g.Fuel, 0, 0};
    }
    case TCounterGroupId::GasOnlySum: {
        const TGasCounterGroup& g = totals.GasOnlySum;
        return {g.Time, g.Path, 0, g.GasFuel, 0};
    }
    default: {
        const int index = int(group);
        const TCounterGroup& g = totals.*SharedGroups[index];
        const int32_t start = group == TCounterGroupId::AllSum ? totals.AllPathStart : 0;
        return {g.Time, g.Path, g.Fuel, totals.GasFuel[index], start};
    }
    }
}

TCaptionValues CounterRows(const TCounterValues& group) {
    const double fuel = double(TotalFuel(group.Petrol, group.Gas));
    const int64_t shownPath = int64_t(group.Path) + int64_t(group.StartPathKm) * 1000;
    const QString time =
        QString::number(group.Time / 3600) + QLatin1Char(':') + TwoDigits(group.Time / 60 % 60);
    return {
        {QStringLiteral("Время"), time},
        {QStringLiteral("Пробег, км"), FixedText(double(shownPath) / 1000, 3)},
        {QStringLiteral("Расход, л"), FixedText(fuel / 1000, 3)},
        {QStringLiteral("Ср.скорость, км/час"),
         AverageText(group.Path * 3.6, group.Time, 1, NoGroupAverage)},
        {QStringLiteral("Ср.расход, л/100"),
         AverageText(fuel * 100, group.Path, 1, NoGroupAverage)},
        {QStringLiteral("Ср.расход, л/час"),
         AverageText(fuel * 3.6, group.Time, 1, NoGroupAverage)},
    };
}

QString ErrorCodeText(int format, uint32_t code, const TProtocolSettings& protocol) {
    switch (format) {
    case ErrorFormats::ByOption2Is1:
        format = protocol.ProtTypeAdd2 != 1 ? ErrorFormats::Hex : ErrorFormats::ObdLetter;
        break;
    case ErrorFormats::Vag:
        if (code > 0x3FFF) {
            code = VagDecimalCode(code);
            format = ErrorFormats::ObdLetter;
        } else if (protocol.ProtTypeMain == 1) {
            format = ErrorFormats::Decimal;
        } else {
            return {};
        }
        break;
    case ErrorFormats::ByOption2Not0:
        format = protocol.ProtTypeAdd2 != 0 ? ErrorFormats::ObdLetter : ErrorFormats::Decimal;
        break;
    default:
        break;
    }
    switch (format) {
    case ErrorFormats::ObdLetter:
        return ObdLetterText(code);
    case ErrorFormats::Hex:
        return HexText(code & 0x3FFF, 4);
    case ErrorFormats::Decimal:
        return QString::number(code);
    case ErrorFormats::DecimalState:
        return DecimalStateText(code);
    case ErrorFormats::HexSub:
        return HexSubText(code);
    case ErrorFormats::J1939:
        return J1939Text(code);
    default:
        return {};
    }
}

bool PidSupported(const uint8_t (&supportedPids)[12], int n) {
    if (n < 1 || n > SupportedPidCount)
        return false;
    return supportedPids[(n - 1) / 8] & (0x80 >> ((n - 1) % 8));
}

TFreezeFrame FreezeFrameRows(const TFaultRecord& record, const uint8_t (&supportedPids)[12]) {
    TFreezeFrame frame;
    frame.Rows.append({QStringLiteral("Код ошибки"),
                       ErrorCodeText(ErrorFormats::ObdLetter, record.FreezeCode, {})});
    for (const TFreezeRowDef& def : FreezeRowDefs) {
        if (!PidSupported(supportedPids, def.Pid))
            continue;
        // The status is a byte on the MK; a larger value cannot be named.
        if (def.Kind == TFreezeKind::SecondaryAir && record.SecondaryAirStatus > 255) {
            frame.Error = TRangeError().Text();
            break;
        }
        frame.Rows.append({QString::fromUtf8(def.Caption), FreezeValueText(record, def)});
    }
    return frame;
}

void ResetTripJournal(TTripSettings& trip) {
    for (TJournalRecord& r : trip.TripJournal)
        r.Day = 0;
}

void ResetTankJournal(TTripSettings& trip) {
    for (TJournalRecord& r : trip.TankJournal)
        r.Day = 0;
}

void ResetFaultJournal(TErrorJournal& journal) {
    std::memset(journal.SupportedPids, 0, sizeof journal.SupportedPids);
    for (TFaultRecord& f : journal.Faults) {
        f.Code = 0;
        f.FreezeCode = 0;
    }
}

void ResetCounterGroup(TTripTotals& totals, TCounterGroupId group) {
    switch (group) {
    case TCounterGroupId::OilOnlySum:
        totals.OilOnlySum = {};
        break;
    case TCounterGroupId::GasOnlySum:
        totals.GasOnlySum = {};
        break;
    default: {
        const int index = int(group);
        totals.*SharedGroups[index] = {};
        totals.GasFuel[index] = 0;
    }
    }
}

} // namespace Journals
