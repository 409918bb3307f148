#pragma once

// Small pieces the tank, service, parking and extras pages are laid out with.

#include <QList>
#include <QString>
#include <QStringList>

class QGridLayout;
class QLabel;
class QTableWidget;
class QWidget;
class TBinder;

namespace PageParts {

// A word-wrapped note.
QLabel* Note(const QString& text);
// Keeps the binder's caption labels of these controls out of sight: the page shows its
// own row labels and column headers instead.
void HideLabels(TBinder& binder, QWidget* page, const QStringList& names);
// A grid with column headers and no row headers.
QTableWidget* Grid(const QString& name, const QStringList& headers, const QList<int>& widths);
// Adds the controls as one row of a table of controls: a row label, then the controls.
void AddRow(QGridLayout* layout, int row, QLabel* label, const QList<QWidget*>& controls);

} // namespace PageParts
