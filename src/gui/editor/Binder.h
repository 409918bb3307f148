#pragma once

// Makes one widget per row of the editor's binding tables, shows the model's values in
// them and calls the model's store when a control's trigger fires.

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QWidgetList>
#include <functional>

class QGridLayout;
class QGroupBox;
class QLabel;
class QWidget;
class TSettingsEditor;
struct TControlRow;

class TBinder : public QObject {
    Q_OBJECT
public:
    TBinder(TSettingsEditor& editor, QObject* parent = nullptr);
    ~TBinder() override;

    // Creates every control of the model with its object name, caption and items
    // (parentless until a page places it).
    void CreateAll();
    // The control by its object name; null for an unknown name.
    QWidget* Control(const QString& name) const;
    // The caption label of a spin edit, list or edit; null for radio groups and check boxes,
    // which carry their caption themselves.
    QLabel* Label(const QString& name) const;
    // Control and label side by side in one widget, for placing as a unit.
    QWidget* Field(const QString& name);
    // The rows of a page (in table order) that no page module placed yet.
    QStringList Unplaced(const QString& page) const;
    // Lays the page's unplaced controls out as their rows say, above whatever the page's
    // module put on the sheet: group boxes (and controls without a group) in the rows' page
    // columns, in table order; in a box (or a plain grid for rows without a group) lines,
    // a control alone on its line or beside the one before it; lines of several rows make
    // a table, a label cell and a control cell a row, under the rows' column headings.
    void LayoutPage(QWidget* sheet, const QString& page);
    // The same layout of the page's unplaced controls as one widget, for a page module to
    // place beside its own widgets; null when every control is placed.
    QWidget* Rows(const QString& page);
    // Lays the given controls out in a group box with that title, one line each unless a
    // row stands beside the one before it.
    QGroupBox* Group(const QString& title, const QStringList& names);
    // The stops of Tab on a laid out page in visual order: first the controls LayoutPage
    // placed, in the rows' reading order (they stand above the module's content), then what
    // the page's module placed, in the order it placed it. A page control inside the page
    // stands for its own pages.
    QWidgetList TabStops(QWidget* sheet, const QString& page) const;

    // Pushes the model's values, items, ranges, visibility and enabled state into the widgets.
    void Refresh();
    // Runs the store of a control with the widget's value, as leaving or clicking it does
    // (the model then tells the change, and the dialog redraws); an error is shown in the
    // error box and the widget gets the model's value back.
    void Commit(const QString& name);

    // Whether the widget holds typing of its own, which its own undo takes back: a bound spin
    // or text edit that stores when left and shows another value than the model, or an edit
    // no row binds (the find field, a grid's cell editor).
    bool HoldsTyping(QWidget* widget) const;

    // Called after a control took a value it stores only when left: nothing is stored yet,
    // but what depends on the shown value follows (the dialog redraws its pages).
    std::function<void()> ShownChanged;

private:
    QWidget* Make(const TControlRow& row);
    // Puts the controls in the grid in lines, a table when lines hold several rows.
    void FillGrid(QGridLayout* grid, const QStringList& names);
    QVariant WidgetValue(const TControlRow& row) const;
    void ShowValue(const TControlRow& row);
    void Wire(const TControlRow& row, QWidget* control);
    QString AccessibleName(const TControlRow& row) const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    TSettingsEditor& Editor;
    QHash<QString, QWidget*> Controls;
    QHash<QString, QLabel*> Labels;
    QHash<QString, QWidget*> Fields;
    QSet<QString> Placed;
    QList<QGroupBox*> Boxes;
    QHash<QString, QStringList> LaidOut; // page: the names LayoutPage placed, in reading order
    bool Refreshing = false;
};
