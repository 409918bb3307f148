#pragma once

// Keys that work from any control of the settings editor: Ctrl+F goes to the find field,
// Ctrl+PgDn and Ctrl+PgUp show the next and previous page of the level the focus is on.
// It filters the application's events, ahead of the control with the focus: a spin edit
// would otherwise take Ctrl+PgDn as ten steps down and change its setting.

#include <QObject>

class QLineEdit;
class QTabWidget;
class QWidget;

class TEditorKeys : public QObject {
    Q_OBJECT
public:
    // Keys pressed in `window` (not in its popups or message boxes); `pages` is the level
    // of a focus outside every page control.
    TEditorKeys(QWidget* window, QTabWidget* pages, QLineEdit* find);
    ~TEditorKeys() override;

    // Shows the next (step 1) or previous (step -1) visible, enabled page, wrapping around.
    static void StepPage(QTabWidget* pages, int step);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The page control whose pages the keys step through for a focus on `w`.
    QTabWidget* Level(QWidget* w) const;

    QWidget* Window;
    QTabWidget* Pages;
    QLineEdit* Find;
};
