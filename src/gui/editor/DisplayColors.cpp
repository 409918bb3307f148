// Sub-page "Цветовые схемы": the palette and element grids with their spin edits, the
// active scheme, copying and resetting, and the sample screens drawn with the table the
// page edits (editing/ColorSchemes.h holds the rules).

#include "app/Dialogs.h"
#include "base/MKError.h"
#include "editing/ColorSchemes.h"
#include "editing/DisplayTexts.h"
#include "editing/SettingsEditor.h"
#include "editor/Binder.h"
#include "editor/DisplayWidgets.h"
#include "editor/EditorPage.h"
#include "editor/PageParts.h"
#include "model/Preview.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>
#include <utility>

using namespace ColorSchemes;

namespace {

constexpr int GridCount = 5;

// The colour column shows its colour whether the row is selected or not.
class TColorCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QVariant brush = index.data(Qt::BackgroundRole);
        painter->fillRect(option.rect, brush.isValid() ? brush.value<QBrush>() : QBrush(Qt::white));
    }
};

struct TGridInfo {
    TColorGrid Grid;
    const char* GridName;
    const char* SpinName; // the palette has three
    const char* LabelName;
    int CaptionWidth;
};

const std::array<TGridInfo, GridCount> GridInfos = {{
    {TColorGrid::Palette, "sgPalette", nullptr, "lColorTab", 70},
    {TColorGrid::Digit, "sgDigit", "seDigit", "lDigit", 150},
    {TColorGrid::Menu, "sgMenu", "seMenu", "lMenu", 200},
    {TColorGrid::Graph, "sgGraph", "seGraph", "lGraph", 170},
    {TColorGrid::Arrow, "sgArrow", "seArrow", "lArrow", 210},
}};

struct TGridState {
    QTableWidget* Table = nullptr;
    QSpinBox* Spin = nullptr;
    QLabel* Label = nullptr;
    int Row = -1;
    int Changed = -1; // the row a current-cell change just chose
};

class TColorPages : public QObject, public TEditorPage {
public:
    void Build(TEditorPageHost& host) override {
        Model = &host.Editor();
        ColorsSheet = host.Sheet(QStringLiteral("tsColors"));
        for (std::size_t g = 0; g < GridInfos.size(); ++g)
            MakeGrid(g);
        BuildSchemes(host);
        BuildDigits(host);
        BuildSingle(host.Sheet(QStringLiteral("tsColorMenu")), TColorGrid::Menu,
                    {{TColorSample::Menu, "pbMenu"}});
        BuildSingle(host.Sheet(QStringLiteral("tsColorGraph")), TColorGrid::Graph,
                    {{TColorSample::Graph, "pbGraph"}});
        BuildArrows(host.Sheet(QStringLiteral("tsColorArrow")));
    }

    // The bulk load chose palette row 0 in the model; the element grids start at row 0 too.
    void Shown() override {
        for (TColorGrid g : {TColorGrid::Palette, TColorGrid::Digit, TColorGrid::Menu,
                             TColorGrid::Graph, TColorGrid::Arrow}) {
            try {
                ChooseRow(g, g == TColorGrid::Palette ? Editor().PaletteRow : 0);
            } catch (const TMKError&) {
                // an index above 127: reported when its row is chosen
            }
        }
    }

    void Refresh() override {
        if (!Model || !DisplayParts::IsCurrent(ColorsSheet))
            return;
        PaintGrid(TColorGrid::Palette);
        ReloadSpins(TColorGrid::Palette);
        for (TColorGrid g :
             {TColorGrid::Digit, TColorGrid::Menu, TColorGrid::Graph, TColorGrid::Arrow}) {
            if (!DisplayParts::IsCurrent(State(g).Table))
                continue;
            PaintGrid(g);
            ReloadSpins(g);
        }
        for (const TSample& sample : Samples)
            if (DisplayParts::IsCurrent(sample.Box)) {
                DrawSample(Model->Mk, sample.Kind);
                sample.Box->SetImage(Model->Mk.Preview->PreviewSurface);
            }
    }

private:
    struct TSample {
        TColorSample Kind;
        TPreviewBox* Box;
    };
    struct TSamplePlace {
        TColorSample Kind;
        const char* Name;
    };

    TGridState& State(TColorGrid grid) { return States[std::size_t(grid)]; }
    TSettingsEditor& Editor() { return *Model; }

    void MakeGrid(std::size_t g) {
        const TGridInfo& info = GridInfos[g];
        TGridState& state = States[g];
        const int rows = RowCount(info.Grid);
        state.Table =
            DisplayParts::ColorGrid(QString::fromLatin1(info.GridName), rows, info.CaptionWidth);
        state.Table->setItemDelegateForColumn(1, new TColorCellDelegate(state.Table));
        for (int r = 0; r < rows; ++r)
            state.Table->item(r, 0)->setText(RowCaption(info.Grid, r));
        state.Label = new QLabel;
        state.Label->setObjectName(QString::fromLatin1(info.LabelName));
        state.Label->setMinimumWidth(info.CaptionWidth);
        const TColorGrid grid = info.Grid;
        // A press on a new row changes the current cell first: that choice is the press's.
        connect(state.Table, &QTableWidget::currentCellChanged, this, [this, grid](int row) {
            State(grid).Changed = row;
            ChooseRowByUser(grid, row);
        });
        connect(state.Table, &QTableWidget::cellPressed, this, [this, grid](int row) {
            if (std::exchange(State(grid).Changed, -1) != row)
                ChooseRowByUser(grid, row);
        });
        if (info.SpinName) {
            state.Spin = MakeSpin(QString::fromLatin1(info.SpinName), EditedIndexMax);
            connect(state.Spin, &QSpinBox::valueChanged, this,
                    [this, grid] { ElementEdited(grid); });
        }
    }

    QSpinBox* MakeSpin(const QString& name, int max) {
        auto* spin = new QSpinBox;
        spin->setObjectName(name);
        spin->setRange(0, max);
        spin->setMinimumWidth(56);
        return spin;
    }

    TPreviewBox* AddSample(TColorSample kind, const char* name) {
        auto* box = new TPreviewBox(QString::fromLatin1(name), 0);
        Samples.push_back({kind, box});
        return box;
    }

    QHBoxLayout* SampleRow(const std::vector<TSamplePlace>& places) {
        auto* row = new QHBoxLayout;
        row->setSpacing(6);
        for (const TSamplePlace& place : places)
            row->addWidget(AddSample(place.Kind, place.Name));
        row->addStretch(1);
        return row;
    }

    // The element grid with its spin edit, its label and the hint beside it.
    QHBoxLayout* GridWithEditor(TColorGrid grid) {
        TGridState& state = State(grid);
        auto* edit = new QGroupBox(DisplayTexts::EditColor);
        auto* column = new QVBoxLayout(edit);
        column->setContentsMargins(6, 2, 6, 4);
        column->addWidget(state.Label);
        auto* spinRow = new QHBoxLayout;
        spinRow->addWidget(state.Spin);
        spinRow->addStretch(1);
        column->addLayout(spinRow);
        column->addWidget(PageParts::Note(DisplayTexts::ColorHint));
        column->addStretch(1);
        edit->setFixedWidth(210);
        auto* row = new QHBoxLayout;
        row->addWidget(state.Table, 0, Qt::AlignTop);
        row->addWidget(edit, 0, Qt::AlignTop);
        row->addStretch(1);
        return row;
    }

    static QVBoxLayout* SheetLayout(QWidget* sheet) {
        auto* layout = static_cast<QVBoxLayout*>(sheet->layout());
        layout->setContentsMargins(4, 4, 4, 4);
        layout->setSpacing(6);
        return layout;
    }

    void BuildSchemes(TEditorPageHost& host) {
        TBinder& binder = host.Binder();
        QTabWidget* pages = host.PageControl(QStringLiteral("pcColorDisp"));
        auto* layout = SheetLayout(ColorsSheet);
        layout->removeWidget(pages);

        auto* left = new QVBoxLayout;
        left->setSpacing(4);
        left->addWidget(new QLabel(DisplayTexts::PaletteCaption));
        TGridState& palette = State(TColorGrid::Palette);
        left->addWidget(palette.Table);

        auto* edit = new QGroupBox(DisplayTexts::EditColor);
        auto* grid = new QGridLayout(edit);
        grid->setContentsMargins(6, 2, 6, 4);
        grid->setVerticalSpacing(2);
        grid->addWidget(palette.Label, 0, 0, 1, 3);
        const QString captions[3] = {DisplayTexts::Red, DisplayTexts::Green, DisplayTexts::Blue};
        const char* names[3] = {"seR", "seG", "seB"};
        for (int c = 0; c < 3; ++c) {
            Components[std::size_t(c)] = MakeSpin(QString::fromLatin1(names[c]), ComponentMax);
            grid->addWidget(new QLabel(captions[c]), 1, c);
            grid->addWidget(Components[std::size_t(c)], 2, c);
            connect(Components[std::size_t(c)], &QSpinBox::valueChanged, this,
                    [this] { PaletteEdited(); });
        }
        left->addWidget(edit);

        left->addWidget(binder.Control(ColorSchemes::SchemeControl));

        auto* copy = new QPushButton(DisplayTexts::CopyToUser);
        copy->setObjectName(QStringLiteral("bCopyToUser"));
        auto* reset = new QPushButton(DisplayTexts::ResetAll);
        reset->setObjectName(QStringLiteral("bPaletteInit"));
        connect(copy, &QPushButton::clicked, this,
                [this] { Editor().Change([this] { CopyToUser(Editor().Mk); }); });
        connect(reset, &QPushButton::clicked, this, [this] { ResetSchemes(Editor()); });
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(copy);
        buttons->addWidget(reset);
        left->addLayout(buttons);
        left->addStretch(1);

        auto* panel = new QWidget;
        panel->setLayout(left);
        left->setContentsMargins(0, 0, 0, 0);
        auto* row = new QHBoxLayout;
        row->addWidget(panel);
        row->addWidget(pages, 1);
        layout->addLayout(row);
    }

    void BuildDigits(TEditorPageHost& host) {
        auto* layout = SheetLayout(host.Sheet(QStringLiteral("tsColorDigit")));
        QHBoxLayout* top = GridWithEditor(TColorGrid::Digit);
        auto* types = new QVBoxLayout;
        for (const char* name : {"sgDispVar4", "sgDispVar9"})
            types->addWidget(host.Binder().Control(QString::fromLatin1(name)));
        types->addStretch(1);
        top->insertLayout(top->count() - 1, types);
        layout->insertLayout(0, top);

        auto* ones = SheetLayout(host.Sheet(QStringLiteral("tsColorDig17")));
        ones->addLayout(
            SampleRow({{TColorSample::One, "pbDigit1"}, {TColorSample::Seven, "pbDigit7"}}));
        ones->addStretch(1);
        auto* fours = SheetLayout(host.Sheet(QStringLiteral("tsColorDig49")));
        fours->addLayout(
            SampleRow({{TColorSample::Four, "pbDigit4"}, {TColorSample::Nine, "pbDigit9"}}));
        fours->addStretch(1);
    }

    // Grid and spin edit above the samples.
    void BuildSingle(QWidget* sheet, TColorGrid grid, const std::vector<TSamplePlace>& samples) {
        auto* layout = SheetLayout(sheet);
        layout->addLayout(GridWithEditor(grid));
        layout->addLayout(SampleRow(samples));
        layout->addStretch(1);
    }

    void BuildArrows(QWidget* sheet) {
        BuildSingle(
            sheet, TColorGrid::Arrow,
            {{TColorSample::DialsLeft, "pbArrowLeft"}, {TColorSample::DialsRight, "pbArrowRight"}});
    }

    void ChooseRowByUser(TColorGrid grid, int row) {
        try {
            ChooseRow(grid, row);
        } catch (const TMKError& e) {
            Dialogs::ShowError(e.Text());
        }
    }

    // A row was chosen: its caption, and its value into the spin edit(s); the guard keeps
    // the loads from storing anything.
    void ChooseRow(TColorGrid grid, int row) {
        TGridState& state = State(grid);
        if (row < 0 || row >= RowCount(grid))
            return;
        state.Row = row;
        if (state.Table->currentRow() != row) {
            const QSignalBlocker blocker(state.Table);
            state.Table->setCurrentCell(row, 0);
        }
        state.Label->setText(RowCaption(grid, row));
        TSettingsEditor& editor = Editor();
        const bool refreshing = std::exchange(editor.RefreshInProgress, true);
        try {
            LoadSpins(grid);
        } catch (...) {
            editor.RefreshInProgress = refreshing;
            throw;
        }
        editor.RefreshInProgress = refreshing;
    }

    void LoadSpins(TColorGrid grid) {
        TGridState& state = State(grid);
        TSettingsEditor& editor = Editor();
        if (grid == TColorGrid::Palette) {
            ChoosePaletteRow(editor, state.Row, true);
            for (std::size_t c = 0; c < Components.size(); ++c)
                Components[c]->setValue(editor.PaletteShown[c]);
        } else {
            state.Spin->setValue(ElementIndex(editor.Mk, grid, state.Row));
        }
    }

    // While refreshing (the guard is set) the spin edits follow the table being edited.
    void ReloadSpins(TColorGrid grid) {
        if (State(grid).Row < 0)
            return;
        try {
            LoadSpins(grid);
        } catch (const TMKError&) {
            // an index above 127: reported when its row is chosen
        }
    }

    void PaletteEdited() {
        const int row = State(TColorGrid::Palette).Row;
        if (!Model || Editor().RefreshInProgress || row < 0)
            return;
        const TRgb5 shown{Components[0]->value(), Components[1]->value(), Components[2]->value()};
        Editor().Change([this, &shown] { EditPalette(Editor(), shown); });
    }

    void ElementEdited(TColorGrid grid) {
        TGridState& state = State(grid);
        if (!Model || Editor().RefreshInProgress || state.Row < 0)
            return;
        try {
            Editor().Change([this, grid, &state] {
                StoreElementIndex(Editor().Mk, grid, state.Row, state.Spin->value());
            });
        } catch (const TMKError& e) {
            Dialogs::ShowError(e.Text());
        }
    }

    void PaintGrid(TColorGrid grid) {
        TGridState& state = State(grid);
        const TMK& mk = Editor().Mk;
        for (int r = 0; r < RowCount(grid); ++r) {
            QColor color;
            try {
                color = CellColor(mk, grid, r);
            } catch (const TMKError&) {
                // an index above 127 has no colour
            }
            state.Table->item(r, 1)->setBackground(color.isValid() ? QBrush(color) : QBrush());
        }
    }

    TSettingsEditor* Model = nullptr;
    QWidget* ColorsSheet = nullptr;
    std::array<TGridState, GridCount> States;
    std::array<QSpinBox*, 3> Components{};
    std::vector<TSample> Samples;
};

} // namespace

std::unique_ptr<TEditorPage> DisplayParts::MakeColorPages() {
    return std::make_unique<TColorPages>();
}
