#include "editor/PageParts.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

namespace PageParts {

QLabel* Note(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

QTableWidget* Grid(const QString& name, const QStringList& headers, const QList<int>& widths) {
    auto* grid = new QTableWidget(0, int(headers.size()));
    grid->setObjectName(name);
    grid->setHorizontalHeaderLabels(headers);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    for (int c = 0; c < widths.size(); ++c)
        grid->setColumnWidth(c, widths[c]);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    return grid;
}

} // namespace PageParts
