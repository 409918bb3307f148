#pragma once

// "Изменения": every change since the baseline, a line each (page › caption, the baseline
// value, the value now). "Вернуть" puts the selected ones back as one undo step; a double
// click closes the list and goes to the setting.

#include "editing/EditBaseline.h"

#include <QDialog>
#include <optional>
#include <vector>

class QPushButton;
class QTreeWidget;
class TSettingsEditor;

class TChangesDialog : public QDialog {
    Q_OBJECT
public:
    explicit TChangesDialog(TSettingsEditor& editor, QWidget* parent = nullptr);

    // The change double-clicked, once the dialog closed on it.
    const std::optional<TSettingChange>& Chosen() const { return Picked; }
    // Reads the changes from the model again.
    void Reload();

private:
    void Revert();

    TSettingsEditor& Editor;
    std::vector<TSettingChange> Changes;
    QTreeWidget* List;
    QPushButton* RevertButton;
    std::optional<TSettingChange> Picked;
};
