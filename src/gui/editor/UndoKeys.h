#pragma once

// Undo and redo from any control of the settings editor: Ctrl+Z undoes the editor's last
// change, Ctrl+Shift+Z and Ctrl+Y redo it. While an edit holds typing of its own (a spin or
// text edit not yet left, the find field, a grid's cell editor) the keys are that edit's.

#include <QObject>
#include <functional>

class QWidget;

class TUndoKeys : public QObject {
    Q_OBJECT
public:
    // Keys pressed in `window`; `ownUndo` tells whether the focus widget keeps them.
    TUndoKeys(QWidget* window, std::function<bool(QWidget* focus)> ownUndo,
              std::function<void()> undo, std::function<void()> redo);
    ~TUndoKeys() override;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;

    QWidget* Window;
    std::function<bool(QWidget*)> OwnUndo;
    std::function<void()> Undo, Redo;
};
