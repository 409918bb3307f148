#pragma once

// What a page group adds to the editor dialog beyond its bound controls: the layout of its
// sheets, previews, grids, context menus; and the little of the dialog it may reach.

#include <QString>
#include <memory>
#include <vector>

class QTabWidget;
class QWidget;
class TBinder;
class TSettingsEditor;

// The dialog as a page group sees it. A group changes the record through the model only;
// the model tells the dialog, which redraws every group once per change.
class TEditorPageHost {
public:
    virtual TSettingsEditor& Editor() = 0; // the model
    // The bound controls, for a group to place where its layout wants them.
    virtual TBinder& Binder() = 0;
    // The sheet of a page or sub-page by its object name (TabSheet2, tsDisp4_1, ...).
    virtual QWidget* Sheet(const QString& page) const = 0;
    // A page control by object name: pcMain, pcDisp, pcColorDisp, pcColorDig and the
    // screen sub-page controls pcDisp4, pcDisp7, pcDispGraph, pcDispArrow.
    virtual QTabWidget* PageControl(const QString& name) const = 0;

protected:
    ~TEditorPageHost() = default;
};

class TEditorPage {
public:
    virtual ~TEditorPage() = default;
    // Places the group's controls (from the host's binder) and builds its own widgets.
    virtual void Build(TEditorPageHost& host) = 0;
    // Showing: after the bulk load, before the dialog appears.
    virtual void Shown() {}
    // Redraws what the group draws from the record; runs after every change.
    virtual void Refresh() {}
    // The current main page changed (object name of the new one).
    virtual void MainPageChanged(const QString& page) { (void)page; }
};

std::unique_ptr<TEditorPage> MakeServiceInfoPage(); // the service information grid
std::unique_ptr<TEditorPage> MakeVoiceWarnings(); // the warnings of "Озвуч.сообщения"
std::unique_ptr<TEditorPage> MakeDisplayPages();  // "Дисплей" and its sub-pages
std::unique_ptr<TEditorPage> MakeTankPage();      // "Бак"
std::unique_ptr<TEditorPage> MakeBlocksPage();    // "Допсистемы"
