#include "editor/EditorKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>

namespace {

enum class TKey { None, Find, NextPage, PreviousPage };

TKey KeyOf(const QKeyEvent& event) {
    if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier)
        return TKey::None;
    switch (event.key()) {
    case Qt::Key_F:
        return TKey::Find;
    case Qt::Key_PageDown:
        return TKey::NextPage;
    case Qt::Key_PageUp:
        return TKey::PreviousPage;
    default:
        return TKey::None;
    }
}

} // namespace

TEditorKeys::TEditorKeys(QWidget* window, QTabWidget* pages, QLineEdit* find)
    : QObject(window), Window(window), Pages(pages), Find(find) {
    qApp->installEventFilter(this);
}

TEditorKeys::~TEditorKeys() {
    qApp->removeEventFilter(this);
}

void TEditorKeys::StepPage(QTabWidget* pages, int step) {
    const int count = pages->count();
    for (int i = 1; i < count; ++i) {
        const int index = ((pages->currentIndex() + step * i) % count + count) % count;
        if (pages->isTabVisible(index) && pages->isTabEnabled(index)) {
            pages->setCurrentIndex(index);
            return;
        }
    }
}

QTabWidget* TEditorKeys::Level(QWidget* w) const {
    for (; w && w != Window; w = w->parentWidget())
        if (auto* pages = qobject_cast<QTabWidget*>(w))
            return pages;
    return Pages;
}

bool TEditorKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != Window)
        return false;
    const TKey key = KeyOf(*static_cast<QKeyEvent*>(event));
    if (key == TKey::None)
        return false;
    // Taking the override keeps any shortcut off the key; the press then comes here.
    event->accept();
    if (event->type() == QEvent::ShortcutOverride)
        return true;
    if (key == TKey::Find) {
        Find->setFocus(Qt::ShortcutFocusReason);
        Find->selectAll();
        return true;
    }
    // The focus stays on the level: on its tabs, which the hidden page's control leaves.
    QTabWidget* pages = Level(widget);
    StepPage(pages, key == TKey::NextPage ? 1 : -1);
    pages->tabBar()->setFocus(Qt::TabFocusReason);
    return true;
}
