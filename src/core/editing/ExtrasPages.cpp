// Pages "Унив.вход" (the universal analogue input) and "Допсистемы" (the two "Показывать"
// groups; the block grids are in BlockChoice).

#include "base/MKError.h"
#include "editing/BlockChoice.h"
#include "editing/Conversions.h"
#include "editing/EditorTables.h"
#include "editing/SettingsEditor.h"

namespace {

const QString InputPage = QStringLiteral("tsUniMeas");
const QString BlocksPage = QStringLiteral("tsBlocks");
const QString Calibration = QStringLiteral("Калибровка");
constexpr int InputNameLength = 6;

TControlRow On(TControlRow row, const QString& page, const QString& group = {}) {
    row.Page = page;
    row.Group = group;
    return row;
}

// An ADC count equal to the other point's is refused: the line would have no slope.
TControlRow AdcCount(const QString& name, const QString& caption, const QString& other) {
    TControlRow row = On(Spin(name, caption, 0, 1023), InputPage, Calibration);
    const auto store = row.Store;
    row.Store = [store, other](TSettingsEditor& e, const QVariant& v) {
        if (v.toDouble() == e.Shown(other).toDouble())
            throw TMKError(QStringLiteral("Значения АЦП Мин и Макс должны различаться."));
        store(e, v);
    };
    return row;
}

TControlRow Show(const QString& name, const QStringList& items, int shift, int mask,
                 void (*apply)(TSettingsEditor&, int)) {
    TControlRow row = On(Radio(name, QStringLiteral("Показывать"), items), BlocksPage);
    row.Columns = 1;
    row.Load = [shift, mask, count = int(items.size())](const TSettingsEditor& e) {
        const int bits = int(ReadField(e.Mk, RecordField(u"Blocks", 0)) >> shift & mask);
        return QVariant(bits < count ? bits : -1);
    };
    row.Store = [apply](TSettingsEditor& e, const QVariant& v) { apply(e, v.toInt()); };
    return row;
}

} // namespace

std::vector<TControlRow> ExtrasRows() {
    std::vector<TControlRow> rows;
    rows.push_back(
        On(Check(QStringLiteral("cbUseUniMeas"), QStringLiteral("Использовать")), InputPage));

    TControlRow name =
        On(Edit(QStringLiteral("eUniMeasStr"), QStringLiteral("Название"), InputNameLength),
           InputPage);
    Bind::Name(name);
    // At most six characters show, whatever the seventh byte holds.
    name.Load = [load = name.Load](const TSettingsEditor& e) {
        return QVariant(load(e).toString().left(InputNameLength));
    };
    rows.push_back(name);

    rows.push_back(
        On(Spin(QStringLiteral("seUniMeasDat0"), QStringLiteral("Мин, показания"), -180, 2500),
           InputPage, Calibration));
    rows.push_back(AdcCount(QStringLiteral("seUniMeasADC0"), QStringLiteral("Мин, АЦП"),
                            QStringLiteral("seUniMeasADC1")));
    rows.push_back(
        On(Spin(QStringLiteral("seUniMeasDat1"), QStringLiteral("Макс, показания"), -180, 2500),
           InputPage, Calibration));
    rows.push_back(AdcCount(QStringLiteral("seUniMeasADC1"), QStringLiteral("Макс, АЦП"),
                            QStringLiteral("seUniMeasADC0")));

    rows.push_back(
        Show(BlockChoice::ShowName,
             {QStringLiteral("Все"), QStringLiteral("Протокол"), QStringLiteral("Подключ.")}, 0, 3,
             BlockChoice::ApplyShow));
    rows.push_back(Show(BlockChoice::ViewName,
                        {QStringLiteral("Списком"), QStringLiteral("По типам")}, 7, 1,
                        BlockChoice::ApplyView));
    return rows;
}
