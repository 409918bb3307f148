#pragma once

// Small pieces the page modules build their own widgets with.

#include <QList>
#include <QString>
#include <QStringList>

class QLabel;
class QTableWidget;

namespace PageParts {

// A word-wrapped note.
QLabel* Note(const QString& text);
// A grid with column headers and no row headers.
QTableWidget* Grid(const QString& name, const QStringList& headers, const QList<int>& widths);

} // namespace PageParts
