#include "editor/ChangesDialog.h"

#include "app/Dialogs.h"
#include "base/MKError.h"
#include "editing/PageTree.h"
#include "editing/SettingsEditor.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// "Дисплей › Цветовые схемы › Цвет #3"
QString Where(const TSettingChange& change) {
    QStringList path;
    for (const TPageInfo* p = FindPage(change.Page); p;
         p = p->Parent.isEmpty() ? nullptr : FindPage(p->Parent))
        path.prepend(p->Caption);
    path.append(change.Caption);
    return path.join(QStringLiteral(" › "));
}

} // namespace

TChangesDialog::TChangesDialog(TSettingsEditor& editor, QWidget* parent)
    : QDialog(parent), Editor(editor) {
    setObjectName(QStringLiteral("ChangesDlg"));
    setWindowTitle(QStringLiteral("Изменения"));
    resize(760, 420);
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(
        QStringLiteral("Отличия от настроек, прочитанных из МК или файла (было → стало). "
                       "Двойной щелчок — перейти к настройке."),
        this);
    note->setWordWrap(true);
    layout->addWidget(note);
    List = new QTreeWidget(this);
    List->setObjectName(QStringLiteral("lvChanges"));
    List->setAccessibleName(QStringLiteral("Изменения"));
    List->setHeaderLabels(
        {QStringLiteral("Настройка"), QStringLiteral("Было"), QStringLiteral("Стало")});
    List->setRootIsDecorated(false);
    List->setSelectionMode(QAbstractItemView::ExtendedSelection);
    List->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    layout->addWidget(List, 1);
    auto* buttons = new QDialogButtonBox(this);
    RevertButton = buttons->addButton(QStringLiteral("Вернуть"), QDialogButtonBox::ActionRole);
    RevertButton->setObjectName(QStringLiteral("bRevert"));
    RevertButton->setAccessibleName(QStringLiteral("Вернуть выбранные изменения"));
    QPushButton* close =
        buttons->addButton(QStringLiteral("Закрыть"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("bClose"));
    layout->addWidget(buttons);
    connect(RevertButton, &QPushButton::clicked, this, &TChangesDialog::Revert);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(List, &QTreeWidget::itemSelectionChanged, this,
            [this] { RevertButton->setEnabled(!List->selectedItems().isEmpty()); });
    connect(List, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const auto at = std::size_t(List->indexOfTopLevelItem(item));
        if (at < Changes.size()) {
            Picked = Changes[at];
            accept();
        }
    });
    Reload();
}

void TChangesDialog::Reload() {
    Changes = Editor.Baseline().Changes(Editor);
    List->clear();
    for (const TSettingChange& change : Changes) {
        auto* item = new QTreeWidgetItem(List, {Where(change), change.Was, change.Now});
        item->setToolTip(0, change.Line());
    }
    for (int c = 1; c < List->columnCount(); ++c)
        List->resizeColumnToContents(c);
    RevertButton->setEnabled(false);
}

void TChangesDialog::Revert() {
    std::vector<TSettingChange> selected;
    for (QTreeWidgetItem* item : List->selectedItems()) {
        const auto at = std::size_t(List->indexOfTopLevelItem(item));
        if (at < Changes.size())
            selected.push_back(Changes[at]);
    }
    try {
        RevertChanges(Editor, selected);
    } catch (const TMKError& e) {
        Dialogs::ShowError(e.Text());
    }
    Reload();
}
