#pragma once

// The settings editor dialog "Настройки МК": the page tree, OK and Cancel, the binder
// and the page groups; everything it edits goes through the editor's model, whose
// RecordChanged redraws every page.

#include "editor/EditorPage.h"

#include <QDialog>
#include <QHash>
#include <memory>
#include <vector>

class TMK;

class TMK_SetParamsDlg : public QDialog, public TEditorPageHost {
    Q_OBJECT
public:
    explicit TMK_SetParamsDlg(TMK& mk, QWidget* parent = nullptr);
    ~TMK_SetParamsDlg() override;

    TSettingsEditor& Editor() override { return *Model; }
    TBinder& Binder() override { return *Bind; }
    QWidget* Sheet(const QString& page) const override;
    QTabWidget* PageControl(const QString& name) const override;
    // Makes a page (and its parents) the current tab.
    void SelectPage(const QString& page);
    // Selects the control's page and gives it the focus.
    void GoTo(const QString& page, const QString& control);

    // Controls from the model, then every page group's drawing, with RefreshInProgress set:
    // what each change the model tells runs.
    void RefreshAll();

    // The showing steps: first tabs selected, the bulk load, pages shown or hidden, drawn.
    // Runs once, before the dialog appears; throws the error that refuses to open it. From
    // then on each change the model tells redraws the pages once.
    void Prepare();

    // Runs the editor on the device model: true when closed with "OK".
    static bool Run(TMK& mk, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildPages();
    void ApplyPageVisibility();
    void OrderTabs();
    QWidgetList PageStops(QTabWidget* pages); // names the unnamed ones on the way

    std::unique_ptr<TSettingsEditor> Model;
    std::unique_ptr<TBinder> Bind;
    std::vector<std::unique_ptr<TEditorPage>> Groups;
    QHash<QString, QWidget*> Sheets;
    QHash<QString, QTabWidget*> PageControls;
    bool Refreshing = false;
    bool Prepared = false;
};
