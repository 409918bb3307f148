#pragma once

// The question before a write with a tick for each change: the user unticks what should
// stay in the MK as it is. Lines of one group tick and untick together.

#include "app/Dialogs.h"

#include <QDialog>

class QListWidget;
class QListWidgetItem;
class QPushButton;

class TChoiceDialog : public QDialog {
    Q_OBJECT

public:
    explicit TChoiceDialog(const Dialogs::TChoiceRequest& request, QWidget* parent = nullptr);

    // The lines ticked, in order.
    QList<int> Ticked() const;

    QListWidget* lbChanges;
    QPushButton* bYes;
    QPushButton* bNo;

private:
    void FollowGroup(QListWidgetItem* item);

    QList<QList<int>> Groups;
    bool Following = false;
};
