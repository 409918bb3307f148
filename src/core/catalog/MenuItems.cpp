#include "catalog/MenuItems.h"

#include "catalog/MenuConditions.h"

#include <initializer_list>

namespace {

struct TMenuRow {
    const char* Name;
    const char* Caption;
    TMenuCondition When = TMenuCondition::Always;
};

// Rows created once, or once per number First..Last: "%1" in a name is the number, in a
// caption the number plus CaptionOffset, right-aligned in CaptionWidth characters.
struct TMenuBlock {
    std::initializer_list<TMenuRow> Rows;
    int First = 0;
    int Last = -1;
    int CaptionOffset = 0;
    int CaptionWidth = 0;
};

// A journal slot: its number right-aligned in four characters, then the date and time mask.
const char* const JournalSlotCaption = "%1     ММ:ЧЧ ДД.ММ";

const TMenuBlock Table[] = {
    {{
        {"VirtLockMenu", "Вирт. замок Вкл/Откл"},
        {"FullTankMenu", "Заправка до полн."},
        {"ToTankMenu", "Заправлено л"},
        {"InTankMenu", "Теперь в баке л"},
        {"VentOnMenu", "Вентилятор Вкл/Откл"},
        {"PrognozMenu", "Прогн.проб.Экон"},
        {"InjTimeHHMenu", "% на впрыск"},
        {"ExpenseHHMenu", "% Расход"},
        {"CorrUOZMenu", "Поправка УОЗ"},
        {"EBUResetMenu", "Сброс ЭБУ"},
        {"CandleDryMenu", "Сушка свечей"},
        {"TankMethMenu", "Бак тип Расчетный/ДУТ/ДУТ ЭБУ"},
        {"LiqTemperLimitMenu", "Граница ТОЖ"},
        {"RevolutionsLimitMenu", "Граница Обор."},
        {"VelocityLimitMenu", "Граница Скор."},
        {"TankLimitMenu", "Ост.бака"},
        {"VentTempLimitMenu", "T Вкл.вент."},
        {"InjTimeLimitMenu", "Впрыск/Расх %"},
        {"LiqTemperReadyMenu", "Прогрев ДВС"},
        {"Vel100Menu", "Разгон до"},
        {"Vel100DownMenu", "Тормож. с"},
        {"Exp100ArrowLimMenu", "P/100 стрелки"},
        {"WakeTimeMenu", "Будильник"},
        {"WakeActiveMenu", "Будильник Акт./Пас."},
        {"Intense0Menu", "Яркость/День"},
        {"Intense1Menu", "Яркость/Ночь"},
        {"DispShowArrowMethMenu", "Динамика Сглаживать/Данные"},
        {"MeasParamsHistoryFlagMenu", "Обратный отсчет"},
        {"AlarmPermJournMenu", "Журнал предупр."},
        {"SoundVolumeMenu", "Громкость", TMenuCondition::Voice},
        {"FlagSoundMenu", "Откл.звук"},
        {"SayParamPeriodMenu", "Автоповтор", TMenuCondition::Voice},
        {"apVelMenu", "Превыш.скорость"},
        {"AlarmVelSecNoSayMaxMenu", "Скор.прореж."},
        {"apRevMenu", "Превыш.обороты"},
        {"apTankMenu", "Остаток бака"},
        {"apHoloMenu", "Гололед", TMenuCondition::AirTemperature},
        {"LightsOnMenu", "Упр.Бл.Свет", TMenuCondition::NoAirTemperature},
        {"apEconomMenu", "Эконометр"},
        {"apGabarMenu", "Габариты"},
        {"apLightsMenu", "Ближн.Свет"},
        {"apTankFullMenu", "Полный бак"},
        {"apInjTimeMenu", "%Впрыск/расход"},
        {"apErrorMenu", "Неисправность"},
        {"apLiqTempHighMenu", "Перегрев ОЖ"},
        {"apLiqTempReadyMenu", "Прогрев ДВС"},
        {"InitTripParamsMenu", "Сброс Поездка"},
        {"InitReset0ParamsMenu", "Сброс Сброс1"},
        {"InitReset1ParamsMenu", "Сброс Cброс2"},
        {"InitStopParamsMenu", "Сброс Пробки"},
        {"InitNoStopParamsMenu", "Сброс БезПробок"},
        {"TripMinStopMenu", "Непрер.Поездки"},
        {"TripJournMenu", "Журнал поездок"},
        {"ContinueTripMenu", "Продолжить"},
        {"WriteTripMenu", "Записать"},
    }},
    {{{"WriteTrip%1Menu", JournalSlotCaption}}, 1, 20, 0, 4},
    {{
        {"ViewTripMenu", "Просмотреть"},
        {"ViewTrip0Menu", "Пoс.     ММ:ЧЧ ДД.ММ"},
    }},
    {{{"ViewTrip%1Menu", JournalSlotCaption}}, 1, 20, 0, 4},
    {{
        {"TankJournMenu", "Журнал заправок"},
        {"ViewTank0Menu", "Пoс.     ММ:ЧЧ ДД.ММ"},
    }},
    {{{"ViewTank%1Menu", JournalSlotCaption}}, 1, 20, 0, 4},
    {{
        {"TaxStartFinishMenu", "Включить/Выключить такс-р"},
        {"TaxTarifDNMenu", "Тариф День/Ночь"},
        {"TaxTarifNumMenu", "Тариф 1/2/3/4/5"},
        {"TaxClearAllSumMenu", "Всего"},
        {"TaxFlagMinMenu", "Подача/Минималка"},
        {"TaxTarifStartMenu", "Стоим.подачи"},
        {"TaxTarifSumMinMenu", "Стоим.миним."},
    }},
    {{{"TaxTimeTarif%1DayMenu", "Тар.%1.Д 1мин"},
      {"TaxPathTarif%1DayMenu", "Тар.%1 Д 1км"},
      {"TaxTimeTarif%1NightMenu", "Тар.%1 Н 1мин"},
      {"TaxPathTarif%1NightMenu", "Тар.%1 Н 1км"}},
     0,
     4,
     1,
     0},
    {{
        {"ParkOffMenu", "Кратковр.откл."},
        {"ParkUseMenu_0", "Парктроник Вкл/Откл"},
        {"ParkSenseMenu_0", "Чувствит."},
        {"ParkSpeedMenu_0", "Быстродействие"},
        {"ParkBeepTypeMenu", "Тип озвуч."},
        {"ParkAlwaysOnMenu", "Отключать Авто/Нет"},
        {"ParkUseMenu_1", "П.Парктроник Вкл/Откл"},
        {"ParkForwConstOffMenu", "Режим работы Вкл/Вкл3с/ДвЗад"},
        {"ParkSenseMenu_1", "П.Чувствит."},
        {"ParkSpeedMenu_1", "П.Быстродействие"},
        {"InitResetOnlyGasParamsMenu", "Сброс Газ"},
        {"IntenseDayTimeMenu", "День"},
        {"IntenseNightTimeMenu", "Ночь"},
        {"ErrorsMenu", "Ошибки ЭБУ"},
        {"BlocksABS9Menu", "ABS 8/9"},
        {"BlocksElPakNMenu", "Электропак.Норма"},
        {"BlocksElPakUAZMenu", "Электропакет УАЗ"},
        {"BlocksClimatUAZMenu", "Пульт клим.уст.УАЗ"},
        {"EBUInitMenu", "Инициализация ЭБУ"},
        {"BlocksABS9UMenu", "ABS 9У"},
        {"InitResetOnlyOilParamsMenu", "Сброс Бенз"},
        {"BlocksBoschESP9Menu", "Bosch ESP9"},
        {"BlocksBoschESP91Menu", "Bosch ABS/ESP9"},
        {"BlocksBoschABSESP9Menu", "Bosch ESP9.1"},
    }},
};

using TMenuItems = std::vector<std::unique_ptr<TMKMenuItem>>;

void Append(TMenuItems& items, QString name, QString caption) {
    auto item = std::make_unique<TMKMenuItem>(std::move(name), std::move(caption));
    item->Id = uint16_t(items.size() + 1);
    items.push_back(std::move(item));
}

} // namespace

TMKMenuItem::TMKMenuItem(QString name, QString caption)
    : Caption(std::move(caption)), Name(std::move(name)) {}

std::vector<std::unique_ptr<TMKMenuItem>> CreateMenuItems(const TDeviceFlags& flags) {
    TMenuItems items;
    for (const TMenuBlock& block : Table) {
        const bool numbered = block.First <= block.Last;
        for (int k = block.First; k <= (numbered ? block.Last : block.First); ++k) {
            for (const TMenuRow& row : block.Rows) {
                if (!Holds(row.When, flags))
                    continue;
                QString name = QString::fromUtf8(row.Name);
                QString caption = QString::fromUtf8(row.Caption);
                if (numbered) {
                    name = name.arg(k);
                    caption = caption.arg(k + block.CaptionOffset, block.CaptionWidth);
                }
                Append(items, std::move(name), std::move(caption));
            }
        }
    }
    return items;
}
