#pragma once

// The editor's search field: typing part of a caption lists the matching controls; Enter
// or a click on one goes to it.

#include "editing/SettingFinder.h"

#include <QLineEdit>
#include <functional>

class QCompleter;
class QStringListModel;
class TSettingsEditor;

class TSettingSearch : public QLineEdit {
    Q_OBJECT
public:
    TSettingSearch(const TSettingsEditor& editor, QWidget* parent = nullptr);

    // Goes to a found control (the dialog selects its page and focuses it).
    std::function<void(const TFoundSetting&)> Go;
    // What the list offers now.
    const std::vector<TFoundSetting>& Matches() const { return Found; }
    QCompleter* List() const { return Completer; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Search(const QString& text);
    void Pick(const QString& text);

    const TSettingsEditor& Editor;
    QCompleter* Completer;
    QStringListModel* Model;
    std::vector<TFoundSetting> Found;
};
