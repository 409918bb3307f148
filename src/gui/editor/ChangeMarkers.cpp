#include "editor/ChangeMarkers.h"

#include "editing/EditBaseline.h"
#include "editing/SettingsEditor.h"
#include "editor/Binder.h"

#include <QColor>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <utility>

namespace {

// Dark enough to read on a light tab, distinct from the disabled grey.
const QColor ChangedTabColor(0xB0, 0x40, 0x00);

void SetBold(QWidget* widget, bool bold) {
    // A group box's title alone: a style sheet does not pass its font to the items.
    if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        box->setStyleSheet(bold ? QStringLiteral("QGroupBox { font-weight: bold; }") : QString());
        return;
    }
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

} // namespace

TChangeMarkers::TChangeMarkers(const TSettingsEditor& editor, TBinder& binder,
                               QList<QTabWidget*> pages)
    : Editor(editor), Binder(binder), Pages(std::move(pages)), Marked(editor.Rows().size()) {}

QString TChangeMarkers::ControlTip(const QString& baselineText) {
    return QStringLiteral("Было: %1")
        .arg(baselineText.isEmpty() ? QStringLiteral("—") : baselineText);
}

QString TChangeMarkers::PageTip(int changes) {
    return QStringLiteral("Изменено настроек: %1").arg(changes);
}

QWidget* TChangeMarkers::CaptionOf(const QString& name) const {
    if (QLabel* label = Binder.Label(name))
        return label;
    return Binder.Control(name);
}

void TChangeMarkers::Update() {
    const TChangeMarks marks = Editor.Baseline().Marks(Editor);
    const std::vector<TControlRow>& rows = Editor.Rows();
    for (std::size_t i = 0; i < rows.size() && i < Marked.size(); ++i) {
        if (marks.Controls[i] == Marked[i])
            continue;
        Marked[i] = marks.Controls[i];
        const QString tip =
            Marked[i] ? ControlTip(Editor.Baseline().Text(Editor, rows[i])) : QString();
        if (QWidget* caption = CaptionOf(rows[i].Name)) {
            SetBold(caption, Marked[i]);
            caption->setToolTip(tip);
        }
        if (QWidget* control = Binder.Control(rows[i].Name))
            control->setToolTip(tip);
    }
    for (QTabWidget* pages : std::as_const(Pages)) {
        QTabBar* bar = pages->tabBar();
        for (int t = 0; t < pages->count(); ++t) {
            const int changes = marks.Pages.value(pages->widget(t)->objectName());
            bar->setTabTextColor(t, changes ? ChangedTabColor : QColor());
            bar->setTabToolTip(t, changes ? PageTip(changes) : QString());
        }
    }
}
