// Pages "Унив.вход" (the universal analogue input) and "Допсистемы" (the two "Показывать"
// groups; the block grids are in BlockChoice).

#include "editing/BlockChoice.h"
#include "editing/EditorTables.h"
#include "editing/RowBuilders.h"
#include "editing/SettingsEditor.h"

namespace {

const QString InputPage = QStringLiteral("tsUniMeas");
const QString BlocksPage = QStringLiteral("tsBlocks");
const QString Calibration = QStringLiteral("Калибровка");
constexpr int InputNameLength = 6;

// An ADC count equal to the other point's is refused: the line would have no slope.
TControlRow AdcCount(const QString& name, const QString& caption, const QString& other) {
    TControlRow row = Placed(Spin(name, caption, 0, 1023), InputPage, Calibration);
    Bind::DiffersFrom(row, other, QStringLiteral("Значения АЦП Мин и Макс должны различаться."));
    return row;
}

TControlRow Show(const QString& name, const QStringList& items, int shift, int mask,
                 void (*apply)(TSettingsEditor&, int)) {
    TControlRow row =
        Placed(ItemColumns(Radio(name, QStringLiteral("Показывать"), items), 1), BlocksPage);
    Bind::BitsItem(row, QStringLiteral("Blocks"), 0, shift, mask);
    Bind::ItemAction(row, apply);
    return row;
}

} // namespace

std::vector<TControlRow> ExtrasRows() {
    std::vector<TControlRow> rows;
    rows.push_back(
        Placed(Check(QStringLiteral("cbUseUniMeas"), QStringLiteral("Использовать")), InputPage));

    TControlRow name =
        Placed(Edit(QStringLiteral("eUniMeasStr"), QStringLiteral("Название"), InputNameLength),
               InputPage);
    // At most six characters show, whatever the seventh byte holds.
    Bind::Name(name);
    rows.push_back(name);

    rows.push_back(
        Placed(Spin(QStringLiteral("seUniMeasDat0"), QStringLiteral("Мин, показания"), -180, 2500),
               InputPage, Calibration));
    rows.push_back(Beside(AdcCount(QStringLiteral("seUniMeasADC0"), QStringLiteral("Мин, АЦП"),
                                   QStringLiteral("seUniMeasADC1"))));
    rows.push_back(
        Placed(Spin(QStringLiteral("seUniMeasDat1"), QStringLiteral("Макс, показания"), -180, 2500),
               InputPage, Calibration));
    rows.push_back(Beside(AdcCount(QStringLiteral("seUniMeasADC1"), QStringLiteral("Макс, АЦП"),
                                   QStringLiteral("seUniMeasADC0"))));

    rows.push_back(
        Show(BlockChoice::ShowName,
             {QStringLiteral("Все"), QStringLiteral("Протокол"), QStringLiteral("Подключ.")}, 0, 3,
             BlockChoice::ApplyShow));
    rows.push_back(Show(BlockChoice::ViewName,
                        {QStringLiteral("Списком"), QStringLiteral("По типам")}, 7, 1,
                        BlockChoice::ApplyView));
    return rows;
}
