// Pages "Поправки" and "Источники" (group boxes in columns) and the hidden
// service-information sheet with its grid.

#include "editing/ServiceInfo.h"
#include "editing/SettingsEditor.h"
#include "editor/Binder.h"
#include "editor/EditorPage.h"
#include "editor/MK_SetParams.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLayout>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// Puts the columns on the sheet; their widgets become the sheet's children.
void Place(QWidget* sheet, QLayout* columns) {
    auto* area = new QWidget;
    area->setLayout(columns);
    sheet->layout()->addWidget(area);
}

// A group box of the binder (so it hides with its controls) titled as the model groups its
// first control, holding the controls as a grid: one inner list per grid row.
QGroupBox* GridBox(TMK_SetParamsDlg& dialog, const QList<QStringList>& rows) {
    TBinder& binder = dialog.Binder();
    QGroupBox* box = binder.Group(dialog.Editor().RowOrThrow(rows.first().first()).Group, {});
    auto* cells = new QWidget;
    auto* grid = new QGridLayout(cells);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    int columns = 1;
    for (const QStringList& row : rows)
        columns = std::max(columns, int(row.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList& names = rows[r];
        // A lone control spans the whole row.
        const int span = names.size() == 1 ? columns : 1;
        for (int c = 0; c < names.size(); ++c)
            grid->addWidget(binder.Field(names[c]), r, c, 1, span);
    }
    box->layout()->addWidget(cells);
    return box;
}

QVBoxLayout* Column(QHBoxLayout* columns) {
    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    columns->addLayout(column);
    return column;
}

class TCorrectionsPages : public TEditorPage {
public:
    void Build(TMK_SetParamsDlg& dialog) override {
        Dialog = &dialog;
        BuildCorrections(dialog);
        BuildSources(dialog);
        BuildServiceInfo(dialog.Sheet(QStringLiteral("tsServiceInfo")));
    }

    void Shown() override {
        const auto rows = ServiceInfoRows(Dialog->Editor());
        for (int r = 0; r < rows.size() && r < Info->rowCount(); ++r) {
            Info->setItem(r, 0, new QTableWidgetItem(rows[r].first));
            Info->setItem(r, 1, new QTableWidgetItem(rows[r].second));
        }
    }

private:
    static void BuildCorrections(TMK_SetParamsDlg& dialog) {
        auto* columns = new QHBoxLayout;
        QVBoxLayout* left = Column(columns);
        left->addWidget(GridBox(dialog, {{"seVelocityCorr"},
                                         {"seExpenseCorr"},
                                         {"seGazExpenseCorr"},
                                         {"seAirTemperCorr"},
                                         {"seAccCorr"},
                                         {"seTimeCorr"}}));
        left->addWidget(GridBox(dialog, {{"seAllPathStart"}}));
        left->addStretch(1);
        for (int i = 0; i < left->count(); ++i)
            if (QWidget* box = left->itemAt(i)->widget())
                box->setMinimumWidth(340);
        QVBoxLayout* right = Column(columns);
        right->addWidget(GridBox(dialog, {{"rgForsPosFlag"}, {"rgForsCoef"}}));
        right->addStretch(1);
        columns->addStretch(1);
        Place(dialog.Sheet(QStringLiteral("TabSheet2")), columns);
    }

    static void BuildSources(TMK_SetParamsDlg& dialog) {
        auto* columns = new QHBoxLayout;
        columns->setSpacing(8);
        QVBoxLayout* sources = Column(columns);
        sources->addWidget(GridBox(dialog, {{"rgVelocityMeth", "rgRevolutionsMeth"},
                                            {"rgExpenseMeth", "rgGasMeth"},
                                            {"rgUaccMeth"},
                                            {"rgPrognozMeth"},
                                            {"seK100Manual"},
                                            {"rgAirTemperMeth"}}));
        sources->addStretch(1);

        QVBoxLayout* protocol = Column(columns);
        protocol->addWidget(GridBox(dialog, {{"cbProtocolSelectMeth"}, {"cbProtocol"}}));
        protocol->addWidget(GridBox(dialog, {{"cbProtTypeMain"},
                                             {"cbProtTypeAdd1"},
                                             {"cbProtTypeAdd2"},
                                             {"cbProtTypeAdd3"},
                                             {"cbProtTypeAdd4"},
                                             {"cbProtTypeAdd5"},
                                             {"cbProtTypeAdd6"},
                                             {"cbProtTypeAdd7"}}));
        protocol->addWidget(GridBox(dialog, {{"rgIntenseMeth"},
                                             {"seIntense0"},
                                             {"seIntense1"},
                                             {"meIntenseDayTime"},
                                             {"meIntenseNightTime"}}));
        protocol->addStretch(1);

        QVBoxLayout* inputs = Column(columns);
        inputs->addWidget(GridBox(dialog, {{"rgLockType"},
                                           {"seLockTypeLevel"},
                                           {"rgGabarType"},
                                           {"rgGabarInvPol"},
                                           {"cbLightsOn"}}));
        inputs->addWidget(GridBox(dialog, {{"cbTankMeth"},
                                           {"cbTankMode"},
                                           {"cbUseTank2"},
                                           {"seTankContFull"},
                                           {"seGazContFull"}}));
        inputs->addWidget(GridBox(dialog, {{"cbGasOil"}, {"rgGasOilMeth"}}));
        inputs->addStretch(1);
        Place(dialog.Sheet(QStringLiteral("tsCorr")), columns);
    }

    void BuildServiceInfo(QWidget* sheet) {
        Info = new QTableWidget(21, 2);
        Info->setObjectName(QStringLiteral("sgServiceInfo"));
        Info->horizontalHeader()->hide();
        Info->verticalHeader()->hide();
        Info->setColumnWidth(0, 300);
        Info->setColumnWidth(1, 666);
        Info->setEditTriggers(QAbstractItemView::NoEditTriggers);
        sheet->layout()->addWidget(Info);
    }

    TMK_SetParamsDlg* Dialog = nullptr;
    QTableWidget* Info = nullptr;
};

} // namespace

std::unique_ptr<TEditorPage> MakeCorrectionsPages() {
    return std::make_unique<TCorrectionsPages>();
}
