#include "editor/Binder.h"

#include "app/Dialogs.h"
#include "base/MKError.h"
#include "editing/EditorSession.h"
#include "editing/SettingsEditor.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace {

const char* const RowProperty = "mkRow";
constexpr int GroupMinWidth = 300;

QButtonGroup* ButtonsOf(QWidget* group) {
    return group->findChild<QButtonGroup*>();
}

// Rows write their masks the editor's way ("!99.99.99;1;_": '9' an optional digit, '0' a
// required one, then whether literals are kept and the blank); Qt swaps the digit marks.
QString QtInputMask(const QString& mask) {
    const QStringList parts = mask.split(QLatin1Char(';'));
    QString body = parts.value(0);
    if (body.startsWith(QLatin1Char('!')))
        body.remove(0, 1);
    for (QChar& c : body)
        c = c == u'9' ? QChar(u'0') : c == u'0' ? QChar(u'9') : c;
    const QString blank = parts.value(2).left(1);
    return blank.isEmpty() ? body : body + QLatin1Char(';') + blank;
}

bool HasLabel(const TControlRow& row) {
    return row.Kind == TControlKind::Spin || row.Kind == TControlKind::List ||
           row.Kind == TControlKind::Edit;
}

} // namespace

TBinder::TBinder(TSettingsEditor& editor, QObject* parent) : QObject(parent), Editor(editor) {}

TBinder::~TBinder() {
    // Widgets no page placed have no parent to delete them.
    QSet<QWidget*> roots;
    for (const auto* list : {&Controls, &Fields})
        for (QWidget* w : *list)
            if (!w->parentWidget())
                roots.insert(w);
    for (QLabel* label : std::as_const(Labels))
        if (!label->parentWidget())
            roots.insert(label);
    qDeleteAll(roots);
}

void TBinder::CreateAll() {
    for (const TControlRow& row : Editor.Rows()) {
        QWidget* control = Make(row);
        control->setObjectName(row.Name);
        control->setProperty(RowProperty, row.Name);
        Controls.insert(row.Name, control);
        const bool captioned =
            !row.Caption.isEmpty() || row.CaptionRule || !row.LineLabel.isEmpty();
        if (HasLabel(row) && !row.Unlabelled && captioned) {
            auto* label = new QLabel(row.LineLabel.isEmpty() ? row.Caption : row.LineLabel);
            label->setBuddy(control);
            Labels.insert(row.Name, label);
        }
        Wire(row, control);
    }
}

QWidget* TBinder::Make(const TControlRow& row) {
    switch (row.Kind) {
    case TControlKind::Spin: {
        auto* spin = new QDoubleSpinBox;
        spin->setDecimals(row.Decimals);
        spin->setSingleStep(row.Step);
        spin->setMinimumWidth(80);
        return spin;
    }
    case TControlKind::Radio: {
        auto* group = new QGroupBox(row.Caption);
        auto* buttons = new QButtonGroup(group);
        buttons->setExclusive(true);
        auto* layout = new QGridLayout(group);
        layout->setContentsMargins(6, 2, 6, 2);
        layout->setVerticalSpacing(0);
        const QStringList items = row.ItemsRule ? row.ItemsRule(Editor) : row.Items;
        const int columns = row.Columns <= 0 ? std::max<int>(1, int(items.size())) : row.Columns;
        const int perColumn = (int(items.size()) + columns - 1) / std::max(columns, 1);
        for (int i = 0; i < items.size(); ++i) {
            auto* button = new QRadioButton(items[i], group);
            buttons->addButton(button, i);
            layout->addWidget(button, perColumn ? i % perColumn : 0, perColumn ? i / perColumn : i);
        }
        return group;
    }
    case TControlKind::List: {
        auto* list = new QComboBox;
        list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        return list;
    }
    case TControlKind::Check:
        return new QCheckBox(row.Caption);
    case TControlKind::Edit: {
        auto* edit = new QLineEdit;
        if (!row.InputMask.isEmpty())
            edit->setInputMask(QtInputMask(row.InputMask));
        if (row.MaxLength > 0)
            edit->setMaxLength(row.MaxLength);
        return edit;
    }
    }
    return new QWidget;
}

void TBinder::Wire(const TControlRow& row, QWidget* control) {
    const QString name = row.Name;
    const bool storesNow = row.When != TStoreWhen::FocusOut;
    // Changes the user makes: stored at once, or only shown until the control is left (what
    // depends on the shown value, such as rows a count shows, follows at once).
    const auto changed = [this, name, storesNow] {
        if (Refreshing)
            return;
        if (storesNow) {
            Commit(name);
            return;
        }
        Editor.SetShown(name, WidgetValue(*Editor.Row(name)));
        if (ShownChanged)
            ShownChanged();
    };
    // Leaving the control stores the rows that store then.
    control->installEventFilter(this);
    switch (row.Kind) {
    case TControlKind::Spin: {
        auto* spin = static_cast<QDoubleSpinBox*>(control);
        // A row that stores on change stores what is typed, digit by digit.
        spin->setKeyboardTracking(storesNow);
        connect(spin, &QDoubleSpinBox::valueChanged, this, changed);
        break;
    }
    case TControlKind::Radio:
        connect(ButtonsOf(control), &QButtonGroup::idClicked, this, changed);
        for (QAbstractButton* b : ButtonsOf(control)->buttons())
            b->installEventFilter(this);
        break;
    case TControlKind::List:
        connect(static_cast<QComboBox*>(control), &QComboBox::activated, this, changed);
        break;
    case TControlKind::Check:
        connect(static_cast<QCheckBox*>(control), &QCheckBox::clicked, this, changed);
        break;
    case TControlKind::Edit:
        // A text left half typed is read when the control is left; one that stores on
        // change stores every edit.
        if (storesNow)
            connect(static_cast<QLineEdit*>(control), &QLineEdit::textEdited, this, changed);
        break;
    }
}

bool TBinder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusOut || Refreshing)
        return QObject::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    // A radio button passes focus to its group: the group is left when the focus goes
    // outside it.
    QWidget* control = widget;
    while (control && !control->property(RowProperty).isValid())
        control = control->parentWidget();
    if (!control)
        return false;
    const QString name = control->property(RowProperty).toString();
    const TControlRow* row = Editor.Row(name);
    if (!row || row->When != TStoreWhen::FocusOut)
        return false;
    if (row->Kind == TControlKind::Radio) {
        QWidget* next = QApplication::focusWidget();
        if (next && next != widget && control->isAncestorOf(next))
            return false;
    }
    if (row->Kind == TControlKind::Spin)
        static_cast<QAbstractSpinBox*>(control)->interpretText();
    Commit(name);
    return false;
}

QVariant TBinder::WidgetValue(const TControlRow& row) const {
    QWidget* control = Controls.value(row.Name);
    switch (row.Kind) {
    case TControlKind::Spin:
        return static_cast<QDoubleSpinBox*>(control)->value();
    case TControlKind::Radio:
        return ButtonsOf(control)->checkedId();
    case TControlKind::List:
        return static_cast<QComboBox*>(control)->currentIndex();
    case TControlKind::Check:
        return static_cast<QCheckBox*>(control)->isChecked();
    case TControlKind::Edit: {
        // A masked text keeps its positions, blanks read as spaces, as the conversions expect.
        auto* edit = static_cast<QLineEdit*>(control);
        if (edit->inputMask().isEmpty())
            return edit->text();
        const QString blank = edit->inputMask().section(QLatin1Char(';'), 1, 1).left(1);
        return blank.isEmpty() ? edit->displayText()
                               : edit->displayText().replace(blank[0], QLatin1Char(' '));
    }
    }
    return {};
}

void TBinder::Commit(const QString& name) {
    const TControlRow* row = Editor.Row(name);
    if (!row)
        return;
    try {
        Editor.Put(*row, WidgetValue(*row));
        // A value that changed nothing redraws nothing, yet the control shows the value as
        // the model holds it (within its range, to its decimals).
        const QSignalBlocker blocker(Controls.value(name));
        ShowValue(*row);
    } catch (const TMKError& e) {
        Refresh();
        Dialogs::ShowError(e.Text());
    }
}

bool TBinder::HoldsTyping(QWidget* widget) const {
    QWidget* control = widget;
    while (control && !control->property(RowProperty).isValid())
        control = control->parentWidget();
    if (!control)
        return qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget);
    const TControlRow* row = Editor.Row(control->property(RowProperty).toString());
    if (!row || row->When != TStoreWhen::FocusOut)
        return false;
    const QVariant shown = Editor.Shown(*row);
    if (row->Kind == TControlKind::Spin) {
        auto* spin = static_cast<QDoubleSpinBox*>(control);
        return spin->cleanText() != spin->textFromValue(shown.toDouble());
    }
    return row->Kind == TControlKind::Edit && WidgetValue(*row).toString() != shown.toString();
}

void TBinder::ShowValue(const TControlRow& row) {
    QWidget* control = Controls.value(row.Name);
    // Every control is shown again after each user action: the row itself, not its name,
    // goes to the editor.
    const QVariant shown = Editor.Shown(row);
    const QString caption = Editor.Caption(row);
    switch (row.Kind) {
    case TControlKind::Spin: {
        auto* spin = static_cast<QDoubleSpinBox*>(control);
        const TRange range = Editor.Range(row);
        spin->setRange(range.Min, range.Max);
        spin->setValue(shown.toDouble());
        break;
    }
    case TControlKind::Radio: {
        auto* group = static_cast<QGroupBox*>(control);
        group->setTitle(caption);
        QButtonGroup* buttons = ButtonsOf(control);
        const QStringList items = Editor.Items(row);
        const QList<bool> enabled = Editor.ItemsEnabled(row);
        const QList<QAbstractButton*> list = buttons->buttons();
        for (int i = 0; i < list.size(); ++i) {
            QAbstractButton* b = buttons->button(i);
            b->setText(i < items.size() ? items[i] : QString());
            b->setAccessibleName(b->text());
            b->setVisible(i < items.size());
            b->setEnabled(i < enabled.size() && enabled[i]);
        }
        const int item = shown.toInt();
        if (QAbstractButton* b = buttons->button(item)) {
            b->setChecked(true);
        } else if (QAbstractButton* checked = buttons->checkedButton()) {
            buttons->setExclusive(false);
            checked->setChecked(false);
            buttons->setExclusive(true);
        }
        break;
    }
    case TControlKind::List: {
        auto* list = static_cast<QComboBox*>(control);
        const QStringList items = Editor.Items(row);
        QStringList current;
        for (int i = 0; i < list->count(); ++i)
            current.append(list->itemText(i));
        if (current != items) {
            list->clear();
            list->addItems(items);
        }
        list->setCurrentIndex(shown.toInt() < items.size() ? shown.toInt() : -1);
        break;
    }
    case TControlKind::Check: {
        auto* box = static_cast<QCheckBox*>(control);
        box->setText(caption);
        box->setChecked(shown.toBool());
        break;
    }
    case TControlKind::Edit: {
        auto* edit = static_cast<QLineEdit*>(control);
        if (edit->text() != shown.toString())
            edit->setText(shown.toString());
        break;
    }
    }
    if (QLabel* label = Labels.value(row.Name))
        label->setText(row.LineLabel.isEmpty() ? caption : row.LineLabel);
    control->setAccessibleName(AccessibleName(row));
    // A widget no page placed stays parentless: showing it would open a window of its own.
    const bool visible = Editor.Visible(row);
    if (control->parentWidget())
        control->setVisible(visible);
    if (QLabel* label = Labels.value(row.Name); label && label->parentWidget())
        label->setVisible(visible);
    control->setEnabled(Editor.Enabled(row));
}

void TBinder::Refresh() {
    Refreshing = true;
    for (const TControlRow& row : Editor.Rows()) {
        QWidget* control = Controls.value(row.Name);
        const QSignalBlocker blocker(control);
        ShowValue(row);
    }
    // A group box whose controls are all hidden hides too.
    for (QGroupBox* box : std::as_const(Boxes)) {
        bool any = false;
        for (QWidget* w : box->findChildren<QWidget*>())
            if (w->property(RowProperty).isValid() && !w->isHidden())
                any = true;
        box->setVisible(any);
    }
    Refreshing = false;
}

QWidget* TBinder::Control(const QString& name) const {
    return Controls.value(name);
}

QLabel* TBinder::Label(const QString& name) const {
    return Labels.value(name);
}

QWidget* TBinder::Field(const QString& name) {
    if (QWidget* field = Fields.value(name))
        return field;
    QWidget* control = Controls.value(name);
    if (!control)
        return nullptr;
    QWidget* field = control;
    if (QLabel* label = Labels.value(name)) {
        field = new QWidget;
        auto* layout = new QHBoxLayout(field);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(label, 1);
        layout->addWidget(control);
    }
    Fields.insert(name, field);
    Placed.insert(name);
    return field;
}

QStringList TBinder::Unplaced(const QString& page) const {
    QStringList names;
    for (const TControlRow& row : Editor.Rows())
        if (row.Page == page && !Placed.contains(row.Name) &&
            !Controls.value(row.Name)->parentWidget())
            names.append(row.Name);
    return names;
}

QGroupBox* TBinder::Group(const QString& title, const QStringList& names) {
    auto* box = new QGroupBox(title);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    FillGrid(grid, names);
    Boxes.append(box);
    return box;
}

void TBinder::FillGrid(QGridLayout* grid, const QStringList& names) {
    QList<QStringList> lines;
    bool table = false;
    for (const QString& name : names) {
        const TControlRow* row = Editor.Row(name);
        if (lines.isEmpty() || !row || !row->Beside)
            lines.append(QStringList());
        lines.last().append(name);
        table = table || lines.last().size() > 1 || (row && !row->Headings.isEmpty());
    }
    // Lines of one row each: a caption-and-control field across the line.
    if (!table) {
        for (int r = 0; r < lines.size(); ++r)
            if (QWidget* field = Field(lines[r].first()))
                grid->addWidget(field, r, 0);
        return;
    }
    // A table: on a line of several rows a row takes a label cell and a control cell (a
    // control cell alone without a label of its own), so those lines stand in columns; a
    // row alone on its line keeps its caption and control together across the line.
    QList<QList<QWidget*>> cells;
    int width = 1;
    for (const QStringList& line : std::as_const(lines)) {
        QList<QWidget*> lineCells;
        if (line.size() == 1) {
            lineCells.append(Field(line.first()));
            cells.append(lineCells);
            continue;
        }
        for (const QString& name : line) {
            if (QLabel* label = Labels.value(name))
                lineCells.append(label);
            lineCells.append(Controls.value(name));
            Placed.insert(name);
        }
        width = std::max(width, int(lineCells.size()));
        cells.append(lineCells);
    }
    // Room to spare goes to the controls, not to the first column's labels.
    for (int c = 1; c < width; ++c)
        grid->setColumnStretch(c, 1);
    int r = 0;
    for (int l = 0; l < lines.size(); ++l) {
        const QStringList headings = Editor.Row(lines[l].first())->Headings;
        for (int c = 0; c < headings.size(); ++c) {
            auto* heading = new QLabel(headings[c]);
            heading->setTextFormat(Qt::PlainText);
            grid->addWidget(heading, r, c);
        }
        r += headings.isEmpty() ? 0 : 1;
        // The last cell of a short line takes the rest of it.
        for (int c = 0; c < cells[l].size(); ++c)
            grid->addWidget(cells[l][c], r, c, 1, c + 1 == cells[l].size() ? width - c : 1);
        ++r;
    }
}

QWidget* TBinder::Rows(const QString& page) {
    const QStringList names = Unplaced(page);
    if (names.isEmpty())
        return nullptr;
    // Each column's items in table order: a group box, or a control without a group.
    struct TItem {
        QString Group;
        QStringList Names;
    };
    std::map<int, std::vector<TItem>> columns;
    for (const QString& name : names) {
        const TControlRow& row = *Editor.Row(name);
        std::vector<TItem>& items = columns[row.Column];
        // Rows without a group that follow each other share one plain grid.
        const auto same = [&row](const TItem& item) {
            return !row.Group.isEmpty() && item.Group == row.Group;
        };
        if (auto it = std::find_if(items.begin(), items.end(), same); it != items.end())
            it->Names.append(name);
        else if (row.Group.isEmpty() && !items.empty() && items.back().Group.isEmpty())
            items.back().Names.append(name);
        else
            items.push_back({row.Group, {name}});
    }
    auto* area = new QWidget;
    auto* line = new QHBoxLayout(area);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(8);
    for (const auto& [column, items] : columns) {
        auto* stack = new QVBoxLayout;
        stack->setSpacing(6);
        for (const TItem& item : items) {
            if (item.Group.isEmpty()) {
                auto* plain = new QWidget;
                auto* grid = new QGridLayout(plain);
                grid->setContentsMargins(0, 0, 0, 0);
                grid->setHorizontalSpacing(8);
                grid->setVerticalSpacing(stack->spacing());
                FillGrid(grid, item.Names);
                stack->addWidget(plain);
                continue;
            }
            // Room between a caption and its control, and boxes of a column alike.
            QGroupBox* box = Group(item.Group, item.Names);
            box->setMinimumWidth(GroupMinWidth);
            stack->addWidget(box);
        }
        for (const TItem& item : items)
            LaidOut[page] += item.Names;
        stack->addStretch(1);
        line->addLayout(stack);
    }
    line->addStretch(1);
    return area;
}

void TBinder::LayoutPage(QWidget* sheet, const QString& page) {
    QWidget* area = Rows(page);
    if (!area)
        return;
    if (!sheet->layout())
        new QVBoxLayout(sheet);
    static_cast<QBoxLayout*>(sheet->layout())->insertWidget(0, area);
}

QString TBinder::AccessibleName(const TControlRow& row) const {
    return ShownCaption(Editor, row);
}

QWidgetList TBinder::TabStops(QWidget* sheet, const QString& page) const {
    // Every widget Tab can reach on the sheet, in the window's focus chain; the parts of a
    // spin edit, list, grid or inner page control are reached through it.
    const auto inside = [sheet](QWidget* w) {
        for (QWidget* p = w->parentWidget(); p && p != sheet; p = p->parentWidget())
            if (qobject_cast<QAbstractSpinBox*>(p) || qobject_cast<QComboBox*>(p) ||
                qobject_cast<QAbstractScrollArea*>(p) || qobject_cast<QTabWidget*>(p))
                return true;
        return false;
    };
    QWidgetList chain;
    QWidget* w = sheet;
    do {
        if (sheet->isAncestorOf(w) && !inside(w) &&
            (qobject_cast<QTabWidget*>(w) || (w->focusPolicy() & Qt::TabFocus)))
            chain.append(w);
        w = w->nextInFocusChain();
    } while (w != sheet);
    QWidgetList stops;
    for (const QString& name : LaidOut.value(page)) {
        QWidget* control = Controls.value(name);
        for (QWidget* stop : std::as_const(chain))
            if (stop == control || control->isAncestorOf(stop))
                stops.append(stop);
    }
    for (QWidget* stop : std::as_const(chain))
        if (!stops.contains(stop))
            stops.append(stop);
    return stops;
}
