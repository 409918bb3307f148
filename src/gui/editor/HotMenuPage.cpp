// Sub-page "Горячие меню": the four lists, the right-click menu of a row with its
// insertion menus, and dragging a row by its number to another row (editing/HotMenus.h
// holds the rules).

#include "app/Dialogs.h"
#include "base/MKError.h"
#include "editing/DisplayTexts.h"
#include "editing/HotMenus.h"
#include "editing/SettingsEditor.h"
#include "editor/DisplayWidgets.h"
#include "editor/EditorPage.h"
#include "editor/PageParts.h"
#include "model/DeviceModel.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>
#include <functional>

namespace {

const QString HotMenuPageName = QStringLiteral("tsHotMenu");
constexpr int NumberWidth = 26;
constexpr int CaptionWidth = 196;

class THotMenuPage : public QObject, public TEditorPage {
public:
    void Build(TEditorPageHost& host) override {
        Model = &host.Editor();
        Sheet = host.Sheet(HotMenuPageName);
        RowMenu = new QMenu(Sheet);
        RowMenu->setObjectName(QStringLiteral("pmHotMenu"));
        const QStringList actions = HotMenus::RowMenu();
        for (int a = 0; a < actions.size(); ++a)
            connect(RowMenu->addAction(actions[a]), &QAction::triggered, this,
                    [this, a] { RowAction(a); });
        InsertMenu = new QMenu(Sheet);
        InsertMenu->setObjectName(QStringLiteral("pmHotInsert"));

        auto* layout = static_cast<QVBoxLayout*>(Sheet->layout());
        layout->setContentsMargins(4, 4, 4, 4);
        auto* row = new QHBoxLayout;
        for (int list = 0; list < HotMenus::ListCount; ++list) {
            auto* box = new QGroupBox(HotMenus::ListCaption(list));
            auto* column = new QVBoxLayout(box);
            column->setContentsMargins(4, 2, 4, 4);
            column->addWidget(MakeGrid(list));
            row->addWidget(box);
        }
        row->addStretch(1);
        layout->addLayout(row);
        layout->addWidget(PageParts::Note(DisplayTexts::HotHint1 + QStringLiteral("\n\n") +
                                          DisplayTexts::HotHint2));
        layout->addStretch(1);
    }

    void Shown() override { Reload(); }

    void Refresh() override {
        if (Sheet && DisplayParts::IsCurrent(Sheet))
            Reload();
    }

private:
    QTableWidget* MakeGrid(int list) {
        auto* grid = new QTableWidget(HotMenus::RowCount, 2);
        grid->setObjectName(HotMenus::GridName(list));
        grid->horizontalHeader()->hide();
        grid->verticalHeader()->hide();
        grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
        grid->setColumnWidth(0, NumberWidth);
        grid->setColumnWidth(1, CaptionWidth);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setFixedSize(NumberWidth + CaptionWidth + 2 * grid->frameWidth(),
                           HotMenus::RowCount * grid->verticalHeader()->defaultSectionSize() +
                               2 * grid->frameWidth());
        for (int r = 0; r < HotMenus::RowCount; ++r) {
            grid->setItem(r, 0, new QTableWidgetItem(QString::number(r)));
            grid->setItem(r, 1, new QTableWidgetItem);
        }
        grid->viewport()->installEventFilter(this);
        Grids[std::size_t(list)] = grid;
        return grid;
    }

    int ListOf(QObject* viewport) const {
        for (int list = 0; list < HotMenus::ListCount; ++list)
            if (Grids[std::size_t(list)]->viewport() == viewport)
                return list;
        return -1;
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
            return QObject::eventFilter(watched, event);
        const int list = ListOf(watched);
        if (list < 0)
            return false;
        QTableWidget* grid = Grids[std::size_t(list)];
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        const int row = grid->rowAt(at.y());
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton) {
            if (row >= 0)
                RightClick(list, row, grid->viewport()->mapToGlobal(at));
            return true;
        }
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
            // Only the number column picks a row up.
            DragList = grid->columnAt(at.x()) == 0 && row >= 0 ? list : -1;
            DragRow = row;
            if (DragList >= 0)
                grid->viewport()->setCursor(Qt::DragMoveCursor);
            return false;
        }
        if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton &&
            DragList >= 0) {
            grid->viewport()->unsetCursor();
            const int from = DragRow;
            DragList = -1;
            if (ListOf(watched) == list && row >= 0 && row != from)
                Edit([&] { HotMenus::Move(Model->Mk, list, from, row); });
            return false;
        }
        return false;
    }

    void RightClick(int list, int row, const QPoint& global) {
        TSettingsEditor& editor = *Model;
        Grids[std::size_t(list)]->selectRow(row);
        editor.PopupList = list;
        editor.PopupSlot = row;
        PopupPoint = global;
        DisplayParts::OpenMenu(*RowMenu, PopupPoint);
    }

    void RowAction(int action) {
        TSettingsEditor& editor = *Model;
        const int list = editor.PopupList;
        const int row = editor.PopupSlot;
        switch (action) {
        case HotMenus::InsertAction:
            try {
                FillInsertMenu(list);
            } catch (const TMKError& e) {
                Dialogs::ShowError(e.Text());
                return;
            }
            DisplayParts::OpenMenu(*InsertMenu, PopupPoint);
            break;
        case HotMenus::DeleteAction:
            Edit([&] { HotMenus::Delete(editor.Mk, list, row); });
            break;
        case HotMenus::ClearAction:
            Edit([&] { HotMenus::Clear(editor.Mk, list); });
            break;
        }
    }

    void FillInsertMenu(int list) {
        InsertMenu->clear();
        AddChoices(InsertMenu, HotMenus::InsertChoices(Model->Mk.Catalog, list));
    }

    void AddChoices(QMenu* menu, const std::vector<HotMenus::TChoice>& choices) {
        for (const HotMenus::TChoice& choice : choices) {
            if (choice.IsSubMenu()) {
                AddChoices(menu->addMenu(choice.Caption), choice.Children);
                continue;
            }
            QAction* action = menu->addAction(choice.Caption);
            action->setData(choice.Id);
            const uint16_t id = choice.Id;
            connect(action, &QAction::triggered, this, [this, id] {
                TSettingsEditor& editor = *Model;
                Edit([&] { HotMenus::Insert(editor.Mk, editor.PopupList, editor.PopupSlot, id); });
            });
        }
    }

    // A list edit through the model, which has the pages redrawn.
    void Edit(const std::function<void()>& change) {
        try {
            Model->Change(change);
        } catch (const TMKError& e) {
            Dialogs::ShowError(e.Text());
        }
    }

    // Shows the lists; the model keeps them compact (the bulk load and every edit).
    void Reload() {
        const TMK& mk = Model->Mk;
        for (int list = 0; list < HotMenus::ListCount; ++list) {
            QTableWidget* grid = Grids[std::size_t(list)];
            const QSignalBlocker blocker(grid);
            for (int r = 0; r < HotMenus::RowCount; ++r)
                grid->item(r, 1)->setText(
                    HotMenus::Caption(mk.Catalog, HotMenus::Entry(mk, list, r)));
        }
    }

    TSettingsEditor* Model = nullptr;
    QWidget* Sheet = nullptr;
    std::array<QTableWidget*, HotMenus::ListCount> Grids{};
    QMenu* RowMenu = nullptr;
    QMenu* InsertMenu = nullptr;
    QPoint PopupPoint;
    int DragList = -1;
    int DragRow = -1;
};

} // namespace

std::unique_ptr<TEditorPage> DisplayParts::MakeHotMenuPage() {
    return std::make_unique<THotMenuPage>();
}
