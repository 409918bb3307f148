#include "viewers/FixedCellGrid.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

constexpr int DefaultRowHeight = 24;
constexpr int TextMargin = 2;

// Fixed cells on the button face, text 2 pixels in from the left (or the right) and the top.
class TGridCellDelegate : public QStyledItemDelegate {
public:
    explicit TGridCellDelegate(TFixedCellGrid& grid) : QStyledItemDelegate(&grid), Grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool fixed = Grid.IsFixed(index.row(), index.column());
        const bool selected = !fixed && option.state.testFlag(QStyle::State_Selected);
        const QPalette& palette = option.palette;
        const QRect& cell = option.rect;
        painter->save();
        painter->fillRect(cell, fixed      ? palette.button()
                                : selected ? palette.highlight()
                                           : palette.base());
        painter->setPen(fixed      ? palette.color(QPalette::ButtonText)
                        : selected ? palette.color(QPalette::HighlightedText)
                                   : palette.color(QPalette::Text));
        painter->setFont(option.font);
        const QString text = index.data().toString();
        const QFontMetrics metrics(option.font);
        const int left = !fixed && Grid.RightAligned()
                             ? cell.right() + 1 - TextMargin - metrics.horizontalAdvance(text)
                             : cell.left() + TextMargin;
        painter->setClipRect(cell);
        painter->drawText(QPoint(left, cell.top() + TextMargin + metrics.ascent()), text);
        painter->restore();
    }

private:
    TFixedCellGrid& Grid;
};

} // namespace

TFixedCellGrid::TFixedCellGrid(const QString& name, const QList<int>& columnWidths, int rows,
                               int fixedRows, int fixedColumns, QWidget* parent)
    : QTableWidget(rows, int(columnWidths.size()), parent), FixedRows(fixedRows),
      FixedColumns(fixedColumns) {
    setObjectName(name);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(
        std::max(DefaultRowHeight, fontMetrics().height() + 2 * TextMargin));
    for (int c = 0; c < columnWidths.size(); ++c)
        setColumnWidth(c, columnWidths[c]);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setWordWrap(false);
    setItemDelegate(new TGridCellDelegate(*this));
}

QString TFixedCellGrid::Cell(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void TFixedCellGrid::SetCell(int row, int column, const QString& text) {
    if (QTableWidgetItem* cell = item(row, column)) {
        cell->setText(text);
        return;
    }
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(IsFixed(row, column) ? Qt::ItemIsEnabled
                                        : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setItem(row, column, cell);
}

void TFixedCellGrid::SetRow(int row, const QStringList& cells) {
    for (int c = 0; c < columnCount(); ++c)
        SetCell(row, c, cells.value(c));
}

QList<QStringList> TFixedCellGrid::Texts() const {
    QList<QStringList> rows;
    for (int r = 0; r < rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < columnCount(); ++c)
            cells << Cell(r, c);
        rows << cells;
    }
    return rows;
}

bool TFixedCellGrid::IsFixed(int row, int column) const {
    return row < FixedRows || column < FixedColumns;
}

void TFixedCellGrid::SetRightAligned(bool rightAligned) {
    RightAlignedCells = rightAligned;
    viewport()->update();
}

int TFixedCellGrid::ContentWidth() const {
    int width = 2 * frameWidth();
    for (int c = 0; c < columnCount(); ++c)
        width += columnWidth(c);
    return width;
}

int TFixedCellGrid::ContentHeight() const {
    return 2 * frameWidth() + rowCount() * verticalHeader()->defaultSectionSize();
}

void TFixedCellGrid::mousePressEvent(QMouseEvent* event) {
    // Fixed cells are captions: clicking them selects nothing.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && IsFixed(index.row(), index.column())) {
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
}

void TFixedCellGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    emit DoubleClicked();
    event->accept();
}

QModelIndex TFixedCellGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex next = QTableWidget::moveCursor(action, modifiers);
    if (!next.isValid())
        return next;
    const int row = std::max(next.row(), std::min(FixedRows, rowCount() - 1));
    const int column = std::max(next.column(), std::min(FixedColumns, columnCount() - 1));
    return model()->index(row, column);
}
