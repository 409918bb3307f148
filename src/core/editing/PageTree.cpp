#include "editing/PageTree.h"

#include "catalog/DeviceFlags.h"
#include "editing/SettingsEditor.h"

namespace {

std::vector<TPageInfo> BuildTree() {
    const auto flag = [](bool TDeviceFlags::*member, bool shownWhen) {
        return [member, shownWhen](const TSettingsEditor& e) {
            return e.Flags().*member == shownWhen;
        };
    };
    const QString disp = QStringLiteral("tsDisp");
    std::vector<TPageInfo> pages = {
        {"TabSheet2", "Поправки", {}, {}},
        {"tsCorr", "Источники", {}, {}},
        {"TabSheet1", "Границы", {}, {}},
        {disp, "Дисплей", {}, {}},
        {"tsVoice", "Озвуч.сообщения", {}, {}},
        {"tsAver", "Средние", {}, {}},
        {"tsPark", "Парковка", {}, flag(&TDeviceFlags::NoParking, false)},
        {"tsOil", "Бак", {}, {}},
        {"tsTO", "ТО", {}, {}},
        {"tsBlocks", "Допсистемы", {}, flag(&TDeviceFlags::HasBlocks, true)},
        {"tsUniMeas", "Унив.вход", {}, flag(&TDeviceFlags::HasUniversalInput, true)},
        {"tsServiceInfo", "Служ.информ.", {}, [](const TSettingsEditor&) { return false; }},
        {"tsColors", "Цветовые схемы", disp, {}},
        {"tsColorDigit", "Цифровые дисплеи", "tsColors", {}},
        {"tsColorDig17", "х1 и х7", "tsColorDigit", {}},
        {"tsColorDig49", "х4 и х9", "tsColorDigit", {}},
        {"tsColorMenu", "Меню", "tsColors", {}},
        {"tsColorGraph", "Графики", "tsColors", {}},
        {"tsColorArrow", "Стрелочный дисплей", "tsColors", {}},
        {"tsDisp4", "Дисплеи х4", disp, {}},
        {"tsDisp4_1", "Дисплеи 1 .. 3", "tsDisp4", {}},
        {"tsDisp4_2", "Дисплеи 4 .. 6", "tsDisp4", {}},
        {"tsDisp9", "Дисплеи х9", disp, {}},
        {"tsDisp7", "Дисплеи х7", disp, {}},
        {"tsDisp7_1", "Дисплеи 1, 2", "tsDisp7", {}},
        {"tsDisp7_2", "Дисплеи 3, 4", "tsDisp7", {}},
        {"tsDispGraph", "Граф. дисплеи", disp, {}},
        {"tsDispGraph_1", "Дисплеи 1 .. 3", "tsDispGraph", {}},
        {"tsDispGraph_2", "Дисплеи 4 .. 6", "tsDispGraph", {}},
        {"tsDispGraph_3", "Дисплеи 7, 8", "tsDispGraph", {}},
        {"tsDispArrow", "Стрел. дисплеи", disp, {}},
        {"tsDispArrow_1", "Дисплеи 1 .. 3", "tsDispArrow", {}},
        {"tsDispArrow_2", "Дисплеи 4 .. 6", "tsDispArrow", {}},
        {"tsDispArrow_3", "Дисплеи 7, 8", "tsDispArrow", {}},
        {"tsDisp6", "Дисплей х6", disp, {}},
        {"tsHotMenu", "Горячие меню", disp, {}},
        {"tsDispMisc", "Разное", disp, {}},
    };
    return pages;
}

} // namespace

const std::vector<TPageInfo>& PageTree() {
    static const std::vector<TPageInfo> tree = BuildTree();
    return tree;
}

const TPageInfo* FindPage(const QString& name) {
    for (const TPageInfo& p : PageTree())
        if (p.Name == name)
            return &p;
    return nullptr;
}

const TPageInfo& MainPageOf(const QString& name) {
    const TPageInfo* page = FindPage(name);
    Q_ASSERT(page);
    while (!page->Parent.isEmpty())
        page = FindPage(page->Parent);
    return *page;
}

QString PagePath(const QString& name) {
    QString path;
    for (const TPageInfo* p = FindPage(name); p;
         p = p->Parent.isEmpty() ? nullptr : FindPage(p->Parent))
        path = path.isEmpty() ? p->Caption : p->Caption + QLatin1Char('/') + path;
    return path;
}
