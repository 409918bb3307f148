// The hidden service-information sheet with its grid.

#include "editing/ServiceInfo.h"
#include "editing/SettingsEditor.h"
#include "editor/EditorPage.h"

#include <QHeaderView>
#include <QLayout>
#include <QTableWidget>

namespace {

class TServiceInfoPage : public TEditorPage {
public:
    void Build(TEditorPageHost& host) override {
        Model = &host.Editor();
        BuildServiceInfo(host.Sheet(QStringLiteral("tsServiceInfo")));
    }

    void Shown() override {
        const auto rows = ServiceInfoRows(*Model);
        for (int r = 0; r < rows.size() && r < Info->rowCount(); ++r) {
            Info->setItem(r, 0, new QTableWidgetItem(rows[r].first));
            Info->setItem(r, 1, new QTableWidgetItem(rows[r].second));
        }
    }

private:
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

    const TSettingsEditor* Model = nullptr;
    QTableWidget* Info = nullptr;
};

} // namespace

std::unique_ptr<TEditorPage> MakeServiceInfoPage() {
    return std::make_unique<TServiceInfoPage>();
}
