#include "viewers/ChoiceGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

TChoiceGroup::TChoiceGroup(const QString& objectName, const QString& caption, int columns,
                           QWidget* parent)
    : QGroupBox(caption, parent), Buttons(new QButtonGroup(this)), Grid(new QGridLayout(this)),
      Columns(columns) {
    setObjectName(objectName);
    connect(Buttons, &QButtonGroup::idClicked, this, &TChoiceGroup::Clicked);
}

void TChoiceGroup::SetItems(const QStringList& items) {
    for (QAbstractButton* button : Buttons->buttons()) {
        Buttons->removeButton(button);
        delete button;
    }
    const int rows = (int(items.size()) + Columns - 1) / Columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(objectName() + QString::number(i));
        Buttons->addButton(button, i);
        Grid->addWidget(button, i % rows, i / rows);
    }
}

int TChoiceGroup::ItemCount() const {
    return int(Buttons->buttons().size());
}

int TChoiceGroup::ItemIndex() const {
    return Buttons->checkedId();
}

void TChoiceGroup::SetItemIndex(int index) {
    if (QAbstractButton* button = Buttons->button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group never unchecks its last choice by itself.
    Buttons->setExclusive(false);
    if (QAbstractButton* checked = Buttons->checkedButton())
        checked->setChecked(false);
    Buttons->setExclusive(true);
}
