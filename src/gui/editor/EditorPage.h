#pragma once

// What a page group adds to the editor dialog beyond its bound controls: the layout of its
// sheets, previews, grids, context menus.

#include <QString>
#include <memory>
#include <vector>

class TMK_SetParamsDlg;

class TEditorPage {
public:
    virtual ~TEditorPage() = default;
    // Places the group's controls (from the dialog's binder) and builds its own widgets.
    virtual void Build(TMK_SetParamsDlg& dialog) = 0;
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
