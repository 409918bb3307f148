// Page "Допсистемы": the block grids, their double clicks and the two "Показывать" groups
// beside them. The rules are the model's (editing/BlockChoice.h).

#include "editing/BlockChoice.h"
#include "editing/SettingsEditor.h"
#include "editor/Binder.h"
#include "editor/EditorPage.h"
#include "editor/PageParts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString BlocksPage = QStringLiteral("tsBlocks");

class TBlocksPage : public QObject, public TEditorPage {
public:
    void Build(TEditorPageHost& host) override {
        Model = &host.Editor();
        BuildBlocks(host.Binder(), host.Sheet(BlocksPage));
    }

    void Refresh() override { FillGrids(); }

    void MainPageChanged(const QString& page) override {
        if (!Model)
            return;
        TSettingsEditor& editor = *Model;
        if (page == BlocksPage) {
            Catalogue = BlockChoice::Catalogue(editor);
            BlockChoice::Enter(editor);
        } else if (editor.BlocksPageActive) {
            BlockChoice::Leave(editor);
        }
    }

private:
    void BuildBlocks(TBinder& binder, QWidget* sheet) {
        All = PageParts::Grid(QStringLiteral("sgAllBlocks"),
                              {QStringLiteral("Название"), QStringLiteral("Выбр.")}, {250, 250});
        Chosen =
            PageParts::Grid(QStringLiteral("sgChosenBlocks"), {QStringLiteral("Название")}, {200});
        for (QTableWidget* grid : {All, Chosen}) {
            grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
            grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        }
        All->setFixedWidth(All->frameWidth() * 2 + 500 +
                           All->verticalScrollBar()->sizeHint().width());
        Chosen->setFixedWidth(Chosen->frameWidth() * 2 + 200 +
                              Chosen->verticalScrollBar()->sizeHint().width());
        // The grids show catalogue order; their first data row is row 1 of the model's
        // numbering, whose row 0 is the header.
        connect(All, &QTableWidget::cellDoubleClicked, this,
                [this](int row) { BlockChoice::LeftDoubleClick(*Model, Catalogue, row + 1); });
        connect(Chosen, &QTableWidget::cellDoubleClicked, this,
                [this](int row) { BlockChoice::RightDoubleClick(*Model, Catalogue, row + 1); });

        auto* line = new QHBoxLayout;
        line->addLayout(Titled(QStringLiteral("Все доступные"), All));
        line->addLayout(Titled(QStringLiteral("Выбранные"), Chosen));
        auto* side = new QVBoxLayout;
        side->addWidget(binder.Control(BlockChoice::ShowName));
        side->addWidget(binder.Control(BlockChoice::ViewName));
        side->addSpacing(12);
        auto* note = new QLabel(QStringList{QStringLiteral("Двойной щелчок в левой "),
                                            QStringLiteral("таблице меняет выбор"), QString(),
                                            QStringLiteral("Двойной щелчок в правой "),
                                            QStringLiteral("таблице отменяет выбор")}
                                    .join(QLatin1Char('\n')));
        note->setTextFormat(Qt::PlainText);
        side->addWidget(note);
        side->addStretch(1);
        line->addLayout(side, 1);
        static_cast<QVBoxLayout*>(sheet->layout())->addLayout(line);
    }

    static QVBoxLayout* Titled(const QString& title, QTableWidget* grid) {
        auto* column = new QVBoxLayout;
        column->addWidget(new QLabel(title));
        column->addWidget(grid, 1);
        return column;
    }

    static void SetRow(QTableWidget* grid, int row, const QStringList& texts) {
        for (int c = 0; c < texts.size(); ++c) {
            QTableWidgetItem* item = grid->item(row, c);
            if (!item) {
                item = new QTableWidgetItem;
                grid->setItem(row, c, item);
            }
            item->setText(texts[c]);
        }
    }

    void FillGrids() {
        if (!All)
            return;
        const TMK& mk = Model->Mk;
        const QSignalBlocker blockAll(All);
        const QSignalBlocker blockChosen(Chosen);
        All->setRowCount(int(Catalogue.size()));
        for (int r = 0; r < int(Catalogue.size()); ++r) {
            const TAddSystem& entry = Catalogue[std::size_t(r)];
            const bool chosen = BlockChoice::Chosen(mk, entry.Id);
            SetRow(All, r, {entry.Name, chosen ? QStringLiteral("V") : QString()});
            All->item(r, 1)->setTextAlignment(Qt::AlignCenter);
        }
        const std::vector<TAddSystem> chosen = BlockChoice::ChosenEntries(mk, Catalogue);
        Chosen->setRowCount(int(chosen.size()));
        for (int r = 0; r < int(chosen.size()); ++r)
            SetRow(Chosen, r, {chosen[std::size_t(r)].Name});
    }

    TSettingsEditor* Model = nullptr;
    QTableWidget* All = nullptr;
    QTableWidget* Chosen = nullptr;
    std::vector<TAddSystem> Catalogue; // built each time the page is entered
};

} // namespace

std::unique_ptr<TEditorPage> MakeBlocksPage() {
    return std::make_unique<TBlocksPage>();
}
