// Page "ТО": a table of service kinds (caption or name, thousands left, in use), then the
// two dates.

#include "editing/SettingsEditor.h"
#include "editor/Binder.h"
#include "editor/EditorPage.h"
#include "editor/MK_SetParams.h"
#include "editor/PageParts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// One row of "ТО": its spin edit or date edit, the box that puts it in use, and the name
// edit of a user-named kind.
struct TServiceRow {
    const char* Value;
    const char* InUse;
    const char* Name;
};

constexpr TServiceRow ServiceTable[] = {
    {"seAirFiltCntK", "cbAirFiltCntK", nullptr},
    {"seKPPOilCntK", "cbKPPOilCntK", nullptr},
    {"seForsTOCntK", "cbForsTOCntK", "eForsTOCntK"},
    {"seGRMStrapCntK", "cbGRMStrapCntK", "eGRMStrapCntK"},
    {"seCoolLiqCntK", "cbCoolLiqCntK", nullptr},
    {"seEngOilCntK", "cbEngOilCntK", nullptr},
    {"seCandleCntK", "cbCandleCntK", "eCandleCntK"},
    {"deTO", "cbTO", nullptr},
    {"deOSAGO", "cbOSAGO", nullptr},
};

constexpr int NameWidth = 150;
constexpr int ValueWidth = 80;

class TServicePages : public TEditorPage {
public:
    void Build(TMK_SetParamsDlg& dialog) override {
        Dialog = &dialog;
        BuildService(dialog.Binder(), dialog.Sheet(QStringLiteral("tsTO")));
    }

    void Refresh() override {
        if (!AirCaption)
            return;
        TSettingsEditor& editor = Dialog->Editor();
        AirCaption->setText(editor.Caption(QStringLiteral("seAirFiltCntK")));
    }

private:
    void BuildService(TBinder& binder, QWidget* sheet) {
        auto* table = new QWidget;
        auto* grid = new QGridLayout(table);
        grid->setHorizontalSpacing(12);
        grid->setVerticalSpacing(4);
        auto* heading =
            new QLabel(QStringLiteral("Осталось до...,               тыс.км        использ."));
        heading->setTextFormat(Qt::PlainText);
        grid->addWidget(heading, 0, 0, 1, 3);
        int r = 1;
        for (const TServiceRow& row : ServiceTable) {
            const QString value = QLatin1String(row.Value);
            QWidget* caption = nullptr;
            if (row.Name)
                caption = binder.Control(QLatin1String(row.Name));
            else if (value == QLatin1String("seAirFiltCntK"))
                caption = AirCaption = new QLabel;
            else
                caption = binder.Label(value);
            if (row.Name)
                caption->setFixedWidth(NameWidth);
            if (caption)
                grid->addWidget(caption, r, 0);
            binder.Control(value)->setFixedWidth(ValueWidth);
            grid->addWidget(binder.Control(value), r, 1);
            grid->addWidget(binder.Control(QLatin1String(row.InUse)), r, 2);
            ++r;
        }
        // The heading's spaces put "тыс.км" over the values and "использ." over the boxes.
        grid->setColumnMinimumWidth(0, NameWidth);
        grid->setColumnMinimumWidth(2, 60);
        grid->setRowStretch(r, 1);
        auto* line = new QHBoxLayout;
        line->addWidget(table);
        line->addStretch(1);
        static_cast<QVBoxLayout*>(sheet->layout())->addLayout(line);
    }

    TMK_SetParamsDlg* Dialog = nullptr;
    QLabel* AirCaption = nullptr;
};

} // namespace

std::unique_ptr<TEditorPage> MakeServiceTable() {
    return std::make_unique<TServicePages>();
}
