#pragma once

// Undo, redo and the changes since the baseline in the editor dialog: the buttons bUndo
// "Отменить", bRedo "Повторить" and bChanges "Изменения…" of the bottom row, the undo keys,
// and the markers on the pages and controls. The model does the work; this shows it.

#include <QList>
#include <functional>
#include <memory>

class QBoxLayout;
class QPushButton;
class QTabWidget;
class QWidget;
class TBinder;
class TChangeMarkers;
class TSettingsEditor;

class TChangeControls {
public:
    // Adds the three buttons to the row; keys work in `window`.
    TChangeControls(TSettingsEditor& editor, TBinder& binder, QBoxLayout* row, QWidget* window);
    ~TChangeControls();

    // Marks the pages of these page controls too (once they are built).
    void WatchPages(const QList<QTabWidget*>& pages);
    // The buttons' state and the markers, after each change, undo and redo.
    void Update();
    // "Изменения…": the list; a double click goes to the setting through `GoTo`.
    void ShowChanges();
    std::function<void(const QString& page, const QString& control)> GoTo;

    QList<QWidget*> Buttons() const;

private:
    TSettingsEditor& Editor;
    TBinder& Binder;
    QWidget* Window;
    QPushButton* UndoButton;
    QPushButton* RedoButton;
    QPushButton* ChangesButton;
    std::unique_ptr<TChangeMarkers> Markers;
};
