#pragma once

// A read-only text grid with fixed (header) rows and columns inside the grid itself, so
// cell (row 0, column 0) is the corner caption and the journals export sees every row.

#include <QList>
#include <QStringList>
#include <QTableWidget>

class TFixedCellGrid : public QTableWidget {
    Q_OBJECT
public:
    TFixedCellGrid(const QString& name, const QList<int>& columnWidths, int rows, int fixedRows,
                   int fixedColumns, QWidget* parent = nullptr);

    QString Cell(int row, int column) const;
    void SetCell(int row, int column, const QString& text);
    void SetRow(int row, const QStringList& cells);
    // Every row's cells, empty cells included.
    QList<QStringList> Texts() const;

    bool IsFixed(int row, int column) const;
    // Cells outside the fixed row and column are drawn flush right.
    void SetRightAligned(bool rightAligned);
    bool RightAligned() const { return RightAlignedCells; }
    // The width that shows every column without a horizontal scroll bar.
    int ContentWidth() const;
    int ContentHeight() const;

signals:
    // A double click anywhere in the grid, on a cell or not.
    void DoubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    int FixedRows;
    int FixedColumns;
    bool RightAlignedCells = false;
};
