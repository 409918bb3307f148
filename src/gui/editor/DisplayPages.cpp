// The "Дисплей" page: colour schemes, the screen sub-pages, the hot menus and "Разное",
// each part built by its own module; the rules are the model's.

#include "editing/SettingsEditor.h"
#include "editor/DisplayWidgets.h"
#include "editor/EditorPage.h"

#include <QTabWidget>

namespace {

// Page controls whose tab change shows other previews.
const char* const DisplayPageControls[] = {"pcMain",  "pcDisp",  "pcColorDisp", "pcColorDig",
                                           "pcDisp4", "pcDisp7", "pcDispGraph", "pcDispArrow"};

class TDisplayPages : public TEditorPage {
public:
    TDisplayPages() {
        Parts.push_back(DisplayParts::MakeColorPages());
        Parts.push_back(DisplayParts::MakeScreenPages());
        Parts.push_back(DisplayParts::MakeHotMenuPage());
        Parts.push_back(DisplayParts::MakeMiscPage());
    }

    void Build(TEditorPageHost& host) override {
        for (auto& part : Parts)
            part->Build(host);
        // A sub-page coming to the front is drawn from the record at once. The record did
        // not change, so the model tells nothing: only these pages redraw, here.
        TSettingsEditor* model = &host.Editor();
        for (const char* name : DisplayPageControls)
            if (QTabWidget* tabs = host.PageControl(QString::fromLatin1(name)))
                QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [this, model] {
                    TSettingsEditor& editor = *model;
                    const bool refreshing = editor.RefreshInProgress;
                    editor.RefreshInProgress = true;
                    Refresh();
                    editor.RefreshInProgress = refreshing;
                });
    }

    void Shown() override {
        for (auto& part : Parts)
            part->Shown();
    }

    void Refresh() override {
        for (auto& part : Parts)
            part->Refresh();
    }

    void MainPageChanged(const QString& page) override {
        for (auto& part : Parts)
            part->MainPageChanged(page);
    }

private:
    std::vector<std::unique_ptr<TEditorPage>> Parts;
};

} // namespace

std::unique_ptr<TEditorPage> MakeDisplayPages() {
    return std::make_unique<TDisplayPages>();
}
