#pragma once

// Marks what differs from the baseline: a page tab in another text colour with the count in
// its tooltip (up through the nested page controls, the caption left as it is), and a
// changed control's label in bold with the baseline value in the tooltip.

#include <QList>
#include <vector>

class QTabWidget;
class QWidget;
class TBinder;
class TSettingsEditor;

class TChangeMarkers {
public:
    TChangeMarkers(const TSettingsEditor& editor, TBinder& binder, QList<QTabWidget*> pages);

    // Brings every mark up to date with the model (only the marks that change are touched).
    void Update();

    // The tooltip of a changed control and of a marked tab.
    static QString ControlTip(const QString& baselineText);
    static QString PageTip(int changes);

private:
    // The widget carrying the control's caption: its label, or the control itself.
    QWidget* CaptionOf(const QString& name) const;

    const TSettingsEditor& Editor;
    TBinder& Binder;
    QList<QTabWidget*> Pages;
    std::vector<bool> Marked;
};
