#include "catalog/HotMenuLayout.h"

#include "base/MKError.h"
#include "catalog/MenuConditions.h"

#include <array>

namespace {

// A node of the layout before the device is known: an item, a sub-menu, or items repeated
// for the numbers First..Last ("%1" in their names).
struct TNode {
    QString Caption;
    QString ItemName;
    TMenuCondition When = TMenuCondition::Always;
    std::vector<TNode> Children;
    int First = 0;
    int Last = -1;
};

TNode Item(const char* name, TMenuCondition when = TMenuCondition::Always) {
    return {{}, QString::fromLatin1(name), when, {}};
}

TNode SubMenu(const char* caption, std::vector<TNode> children) {
    return {QString::fromUtf8(caption), {}, TMenuCondition::Always, std::move(children)};
}

TNode Series(std::vector<TNode> items, int first, int last) {
    return {{}, {}, TMenuCondition::Always, std::move(items), first, last};
}

// The four menus, built once.
std::array<std::vector<TNode>, HotMenuListCount> BuildLayouts() {
    return {
        std::vector<TNode>{
            SubMenu("Управление",
                    {
                        Item("VirtLockMenu"),
                        Item("FullTankMenu"),
                        Item("ToTankMenu"),
                        Item("InTankMenu"),
                        Item("VentOnMenu"),
                        Item("PrognozMenu"),
                        Item("InjTimeHHMenu"),
                        Item("ExpenseHHMenu"),
                        Item("CorrUOZMenu"),
                        Item("CandleDryMenu"),
                        Item("EBUInitMenu"),
                        Item("EBUResetMenu"),
                    }),
            SubMenu("Источники",
                    {
                        Item("TankMethMenu"),
                        Item("LightsOnMenu", TMenuCondition::NoAirTemperature),
                        Item("IntenseDayTimeMenu"),
                        Item("IntenseNightTimeMenu"),
                    }),
            SubMenu("Границы",
                    {
                        Item("LiqTemperLimitMenu"),
                        Item("RevolutionsLimitMenu"),
                        Item("VelocityLimitMenu"),
                        Item("TankLimitMenu"),
                        Item("VentTempLimitMenu"),
                        Item("InjTimeLimitMenu"),
                        Item("LiqTemperReadyMenu"),
                        Item("Vel100Menu"),
                        Item("Vel100DownMenu"),
                        Item("Exp100ArrowLimMenu"),
                    }),
            SubMenu("Время",
                    {
                        Item("WakeTimeMenu"),
                        Item("WakeActiveMenu"),
                    }),
            SubMenu("Дисплей",
                    {
                        Item("Intense0Menu"),
                        Item("Intense1Menu"),
                        SubMenu("Стрелочные",
                                {
                                    Item("DispShowArrowMethMenu"),
                                }),
                        SubMenu("Графические",
                                {
                                    Item("MeasParamsHistoryFlagMenu"),
                                }),
                    }),
            SubMenu("Озвуч.сообщения",
                    {
                        Item("AlarmPermJournMenu"),
                        Item("SoundVolumeMenu"),
                        Item("FlagSoundMenu"),
                        Item("SayParamPeriodMenu"),
                        Item("apVelMenu"),
                        Item("AlarmVelSecNoSayMaxMenu"),
                        Item("apRevMenu"),
                        Item("apTankMenu"),
                        Item("apHoloMenu", TMenuCondition::AirTemperature),
                        Item("apEconomMenu"),
                        Item("apGabarMenu"),
                        Item("apLightsMenu"),
                        Item("apTankFullMenu"),
                        Item("apInjTimeMenu"),
                        Item("apErrorMenu"),
                        Item("apLiqTempHighMenu"),
                        Item("apLiqTempReadyMenu"),
                    }),
            SubMenu("TO",
                    {
                        Item("ErrorsMenu"),
                        Item("BlocksABS9Menu"),
                        Item("BlocksElPakNMenu"),
                        Item("BlocksElPakUAZMenu"),
                        Item("BlocksClimatUAZMenu"),
                        Item("BlocksABS9UMenu"),
                    }),
        },
        std::vector<TNode>{
            Item("InitTripParamsMenu"),
            Item("InitReset0ParamsMenu"),
            Item("InitReset1ParamsMenu"),
            Item("InitStopParamsMenu"),
            Item("InitNoStopParamsMenu"),
            Item("InitResetOnlyParamsMenu"),
            Item("TripMinStopMenu"),
            Item("TripJournMenu"),
            SubMenu("Журнал поездок",
                    {
                        Item("ContinueTripMenu"),
                        Item("WriteTripMenu"),
                        SubMenu("Записать",
                                {
                                    Series({Item("WriteTrip%1Menu")}, 1, 20),
                                }),
                        Item("ViewTripMenu"),
                        SubMenu("Просмотреть",
                                {
                                    Series({Item("ViewTrip%1Menu")}, 0, 20),
                                }),
                    }),
            Item("TankJournMenu"),
            SubMenu("Журнал заправок",
                    {
                        Series({Item("ViewTank%1Menu")}, 0, 20),
                    }),
        },
        std::vector<TNode>{
            Item("TaxStartFinishMenu"),
            Item("TaxTarifDNMenu"),
            Item("TaxTarifNumMenu"),
            Item("TaxClearAllSumMenu"),
            Item("TaxFlagMinMenu"),
            Item("TaxTarifStartMenu"),
            Item("TaxTarifSumMinMenu"),
            Series({Item("TaxTimeTarif%1DayMenu"), Item("TaxPathTarif%1DayMenu"),
                    Item("TaxTimeTarif%1NightMenu"), Item("TaxPathTarif%1NightMenu")},
                   0, 4),
        },
        std::vector<TNode>{
            SubMenu("Парковка",
                    {
                        Item("ParkOffMenu"),
                        Item("ParkUseMenu_0"),
                        Item("ParkSenseMenu_0"),
                        Item("ParkSpeedMenu_0"),
                        Item("ParkBeepTypeMenu"),
                        Item("ParkAlwaysOnMenu"),
                    }),
            SubMenu("Парковка вперед",
                    {
                        Item("ParkUseMenu_1"),
                        Item("ParkForwConstOffMenu"),
                        Item("ParkSenseMenu_1"),
                        Item("ParkSpeedMenu_1"),
                    }),
        },
    };
}

const std::vector<TNode>& Layout(int list) {
    static const std::array<std::vector<TNode>, HotMenuListCount> layouts = BuildLayouts();
    if (list < 0 || list >= HotMenuListCount)
        throw TMKError(QStringLiteral("List index out of bounds (%1)").arg(list));
    return layouts[std::size_t(list)];
}

void Resolve(const std::vector<TNode>& nodes, const TDeviceFlags& flags,
             std::vector<THotMenuEntry>& out) {
    for (const TNode& node : nodes) {
        if (!Holds(node.When, flags))
            continue;
        if (node.First <= node.Last) {
            for (int k = node.First; k <= node.Last; ++k)
                for (const TNode& item : node.Children)
                    out.push_back({{}, item.ItemName.arg(k), {}});
        } else if (node.ItemName.isEmpty()) {
            THotMenuEntry sub{node.Caption, {}, {}};
            Resolve(node.Children, flags, sub.Children);
            out.push_back(std::move(sub));
        } else {
            out.push_back({{}, node.ItemName, {}});
        }
    }
}

} // namespace

std::vector<THotMenuEntry> HotMenuInsertMenu(int list, const TDeviceFlags& flags) {
    std::vector<THotMenuEntry> entries;
    Resolve(Layout(list), flags, entries);
    return entries;
}
