#include "editor/UndoKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <utility>

namespace {

enum class TUndoKey { None, Undo, Redo };

TUndoKey UndoKeyOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    if (event.key() == Qt::Key_Z && mods == Qt::ControlModifier)
        return TUndoKey::Undo;
    if ((event.key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier)) ||
        (event.key() == Qt::Key_Y && mods == Qt::ControlModifier))
        return TUndoKey::Redo;
    return TUndoKey::None;
}

} // namespace

TUndoKeys::TUndoKeys(QWidget* window, std::function<bool(QWidget*)> ownUndo,
                     std::function<void()> undo, std::function<void()> redo)
    : QObject(window), Window(window), OwnUndo(std::move(ownUndo)), Undo(std::move(undo)),
      Redo(std::move(redo)) {
    qApp->installEventFilter(this);
}

TUndoKeys::~TUndoKeys() {
    qApp->removeEventFilter(this);
}

bool TUndoKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != Window)
        return false;
    const TUndoKey key = UndoKeyOf(*static_cast<QKeyEvent*>(event));
    if (key == TUndoKey::None || OwnUndo(widget))
        return false;
    // Taking the override keeps the widget's own undo off the key; the press comes here.
    event->accept();
    if (event->type() == QEvent::ShortcutOverride)
        return true;
    if (key == TUndoKey::Undo)
        Undo();
    else
        Redo();
    return true;
}
