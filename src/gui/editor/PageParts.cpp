#include "editor/PageParts.h"

#include "editor/Binder.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

namespace PageParts {

QLabel* Note(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

void HideLabels(TBinder& binder, QWidget* page, const QStringList& names) {
    // A hidden holder: the binder may show a label, its holder keeps it out of sight.
    auto* holder = new QWidget(page);
    holder->setObjectName(page->objectName() + QStringLiteral("_captions"));
    holder->hide();
    for (const QString& name : names)
        if (QLabel* label = binder.Label(name))
            label->setParent(holder);
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

void AddRow(QGridLayout* layout, int row, QLabel* label, const QList<QWidget*>& controls) {
    int column = 0;
    if (label)
        layout->addWidget(label, row, column);
    for (QWidget* control : controls)
        layout->addWidget(control, row, ++column);
}

} // namespace PageParts
