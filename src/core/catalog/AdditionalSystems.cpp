#include "catalog/AdditionalSystems.h"

namespace {

using enum TCap;

struct TAddSystemRow {
    uint8_t Id;
    const char* Name;
    TCapMask Needs;
};

const TAddSystemRow AddSystemRows[] = {
    {93, "Доп.устройства", {HasCanBlocks, J1939Extended}},
    {8, "Иммо АПС-4", {}},
    {10, "Иммо АПС-6", {}},
    {11, "Иммо АПС-6.1Люкс", {}},
    {12, "Отопитель/Климат", {}},
    {13, "ЭМУР Калуга", {}},
    {14, "ЭМУР Махачкала", {}},
    {15, "ЭМУР Mando", {}},
    {16, "СНПБ (подушки)", {}},
    {17, "Электропак.Приора", {}},
    {18, "Электропак.Норма", {}},
    {19, "Электропак.Люкс", {}},
    {20, "МДВ Калина Люкс", {}},
    {21, "ABS 5.3", {}},
    {22, "ABS 8/9", {}},
    {23, "ABS 9У", {}},
    {24, "Бл.Упр.Стеклоочист.", {}},
    {26, "СНПБ Ш-Н(подушки)", {}},
    {31, "Электропакет УАЗ", {}},
    {32, "Пульт клим.уст.УАЗ", {}},
    {34, "UAZ AWD Dymos", {}},
    {35, "UAZ AWD Dymos2", {}},
    {51, "ABS Largus", {}},
    {52, "ЭП Largus", {}},
    {66, "Электропак. УАЗ 1", {}},
    {67, "Под.Нива TRW", {}},
    {68, "Под.Нива Siemens", {}},
    {116, "Duster ABS 1", {}},
    {117, "Duster подушки 1", {}},
    {118, "Duster ЭМУР 1", {}},
    {25, "Таката (подушки)", {HasCanBlocks}},
    {27, "Bosch ESP9", {HasCanBlocks}},
    {28, "Bosch ABS/ESP9", {HasCanBlocks}},
    {29, "АКПП Jatco AY-K3", {HasCanBlocks}},
    {30, "Электропакет Гранта", {HasCanBlocks}},
    {36, "Клим.уст. Visteon", {HasCanBlocks}},
    {37, "АКПП AMT ZF 2180", {HasCanBlocks}},
    {38, "ABS Ford", {HasCanBlocks}},
    {39, "АКПП Ford", {HasCanBlocks}},
    {40, "HEC (приборка) Ford", {HasCanBlocks}},
    {41, "ЭГУР Ford", {HasCanBlocks}},
    {42, "HCM (фары) Ford", {HasCanBlocks}},
    {43, "FACM (впрыск) Ford", {HasCanBlocks}},
    {44, "AWD Ford", {HasCanBlocks}},
    {45, "АКПП Niss2", {HasCanBlocks}},
    {46, "CVT Outlander", {HasCanBlocks}},
    {47, "АКПП Pajero", {HasCanBlocks}},
    {48, "АКПП Captiva", {HasCanBlocks}},
    {49, "АКПП SsangYong", {HasCanBlocks}},
    {50, "АКПП Hover H5", {HasCanBlocks}},
    {53, "АКПП Niss3", {HasCanBlocks}},
    {54, "АКПП Outl 3.0", {HasCanBlocks}},
    {55, "Веста ABS9", {HasCanBlocks}},
    {56, "Веста под.Takata", {HasCanBlocks}},
    {57, "Веста приб.панель", {HasCanBlocks}},
    {58, "Веста ЭМУР", {HasCanBlocks}},
    {59, "Веста ЭП BCM", {HasCanBlocks}},
    {60, "Веста ЭП EMM", {HasCanBlocks}},
    {61, "X-Ray ABS 9.1", {HasCanBlocks}},
    {62, "X-Ray EPS", {HasCanBlocks}},
    {63, "X-Ray приб.панель", {HasCanBlocks}},
    {64, "X-Ray ЭП BCM", {HasCanBlocks}},
    {65, "X-Ray подушки", {HasCanBlocks}},
    {69, "АКПП Hyund/Kia", {HasCanBlocks}},
    {71, "АКПП Mazda1", {HasCanBlocks}},
    {72, "АКПП Mazda23", {HasCanBlocks}},
    {73, "АКПП Suzuki1", {HasCanBlocks}},
    {74, "CVT Outlander16", {HasCanBlocks}},
    {75, "АКПП Astra", {HasCanBlocks}},
    {76, "Климат.Valeo", {HasCanBlocks}},
    {77, "Bosch ESP9.1", {HasCanBlocks}},
    {78, "HV ECU Estima", {HasCanBlocks}},
    {79, "HV Battery Prius2", {HasCanBlocks}},
    {80, "HV ECU Prius3", {HasCanBlocks}},
    {81, "Климат Тойота", {HasCanBlocks}},
    {82, "HV ECU Aqua", {HasCanBlocks}},
    {84, "HV ECU RX450H", {HasCanBlocks}},
    {85, "HV ECU ES300H", {HasCanBlocks}},
    {115, "HV ECU RX400H", {HasCanBlocks}},
    {119, "HV ECU Camry", {HasCanBlocks}},
    {120, "HV ECU Sai", {HasCanBlocks}},
    {121, "HV ECU Harrier", {HasCanBlocks}},
    {130, "Сист.рекупер.1", {HasCanBlocks}},
    {131, "Сист.рекупер.2", {HasCanBlocks}},
    {83, "Веста Эра-Глонас", {HasCanBlocks}},
    {86, "АКПП Niss4", {HasCanBlocks}},
    {87, "АКПП Niss1", {HasCanBlocks}},
    {88, "АКПП Chery QR019", {HasCanBlocks}},
    {89, "АКПП Kuga1", {HasCanBlocks}},
    {133, "АКПП Kuga2", {HasCanBlocks}},
    {90, "АКПП Niss5", {HasCanBlocks}},
    {91, "АКПП Suzuki2", {HasCanBlocks}},
    {92, "АКПП Suzuki3", {HasCanBlocks}},
    {94, "Duster Упр.впрыском", {HasCanBlocks}},
    {95, "Duster ABS", {HasCanBlocks}},
    {96, "Duster приборка", {HasCanBlocks}},
    {97, "Duster ЦЭКБС", {HasCanBlocks}},
    {98, "Duster подушки", {HasCanBlocks}},
    {99, "Duster климат", {HasCanBlocks}},
    {100, "Duster АКПП", {HasCanBlocks}},
    {101, "Duster ЭМУР", {HasCanBlocks}},
    {102, "Duster коммутация", {HasCanBlocks}},
    {103, "Duster полн.привод", {HasCanBlocks}},
    {104, "Duster Радио", {HasCanBlocks}},
    {105, "Duster телематика", {HasCanBlocks}},
    {106, "Duster HandsFree", {HasCanBlocks}},
    {107, "Duster Multimedia", {HasCanBlocks}},
    {108, "CVT Patriot", {HasCanBlocks}},
    {109, "АКПП Hyund/Kia3", {HasCanBlocks}},
    {110, "АКПП A13 Bonus/Very", {HasCanBlocks}},
    {111, "АКПП Chery A16 Arr 3", {HasCanBlocks}},
    {112, "CVT Geely Emgr EC7", {HasCanBlocks}},
    {113, "CVT Punch VT2", {HasCanBlocks}},
    {114, "CVT TCU", {HasCanBlocks}},
    {122, "Creta конд.", {HasCanBlocks}},
    {123, "Creta ус.руля", {HasCanBlocks}},
    {124, "Creta ABS", {HasCanBlocks}},
    {125, "Creta подушки", {HasCanBlocks}},
    {126, "Creta ЭП BCM", {HasCanBlocks}},
    {127, "Creta приборка", {HasCanBlocks}},
    {128, "Creta смарт-ключ", {HasCanBlocks}},
    {129, "Creta соед.блок", {HasCanBlocks}},
    {132, "АКПП Hyund/Kia3", {HasCanBlocks}},
};
static_assert(std::size(AddSystemRows) <= MaxAddSystems);

} // namespace

std::vector<TAddSystem> BuildAddSystemList(const TDeviceFlags& flags) {
    // Every list shares the names, decoded once: the page, carrying and mktool ask often.
    static const std::vector<TAddSystem> All = [] {
        std::vector<TAddSystem> all;
        for (const TAddSystemRow& row : AddSystemRows)
            all.push_back({row.Id, QString::fromUtf8(row.Name)});
        return all;
    }();
    const TCapMask caps = flags.Caps();
    std::vector<TAddSystem> list;
    list.reserve(All.size());
    for (std::size_t i = 0; i < All.size(); ++i)
        if (caps.Contains(AddSystemRows[i].Needs))
            list.push_back(All[i]);
    return list;
}
