#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QGridLayout;

// A captioned group of mutually exclusive choices laid out in columns, filled column by
// column. Clicked reports only the user's choices; selecting in code stays silent.
class TChoiceGroup : public QGroupBox {
    Q_OBJECT
public:
    TChoiceGroup(const QString& objectName, const QString& caption, int columns,
                 QWidget* parent = nullptr);

    void SetItems(const QStringList& items);
    int ItemCount() const;
    // -1 when nothing is chosen.
    int ItemIndex() const;
    // An index outside the items clears the choice.
    void SetItemIndex(int index);

signals:
    void Clicked(int index);

private:
    QButtonGroup* Buttons;
    QGridLayout* Grid;
    int Columns;
};
