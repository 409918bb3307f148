#include "editor/ChangeControls.h"

#include "app/Dialogs.h"
#include "editing/SettingsEditor.h"
#include "editor/Binder.h"
#include "editor/ChangeMarkers.h"
#include "editor/ChangesDialog.h"
#include "editor/UndoKeys.h"

#include <QApplication>
#include <QBoxLayout>
#include <QPushButton>

namespace {

QPushButton* Button(QBoxLayout* row, const char* name, const QString& text,
                    const QString& accessible) {
    auto* button = new QPushButton(text);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(accessible);
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

} // namespace

TChangeControls::TChangeControls(TSettingsEditor& editor, TBinder& binder, QBoxLayout* row,
                                 QWidget* window)
    : Editor(editor), Binder(binder), Window(window) {
    UndoButton = Button(row, "bUndo", QStringLiteral("Отменить"),
                        QStringLiteral("Отменить последнее изменение"));
    UndoButton->setToolTip(QStringLiteral("Отменить (Ctrl+Z)"));
    RedoButton = Button(row, "bRedo", QStringLiteral("Повторить"),
                        QStringLiteral("Повторить отменённое изменение"));
    RedoButton->setToolTip(QStringLiteral("Повторить (Ctrl+Shift+Z, Ctrl+Y)"));
    ChangesButton =
        Button(row, "bChanges", QStringLiteral("Изменения…"), QStringLiteral("Список изменений"));
    ChangesButton->setToolTip(QStringLiteral("Отличия от настроек из МК или файла"));
    QObject::connect(UndoButton, &QPushButton::clicked, window, [this] { Editor.Undo(); });
    QObject::connect(RedoButton, &QPushButton::clicked, window, [this] { Editor.Redo(); });
    QObject::connect(ChangesButton, &QPushButton::clicked, window, [this] { ShowChanges(); });
    new TUndoKeys(
        window, [this](QWidget* focus) { return Binder.HoldsTyping(focus); },
        [this] { Editor.Undo(); }, [this] { Editor.Redo(); });
    Markers = std::make_unique<TChangeMarkers>(editor, binder, QList<QTabWidget*>());
    Update();
}

TChangeControls::~TChangeControls() = default;

void TChangeControls::WatchPages(const QList<QTabWidget*>& pages) {
    Markers = std::make_unique<TChangeMarkers>(Editor, Binder, pages);
}

void TChangeControls::Update() {
    UndoButton->setEnabled(Editor.CanUndo());
    RedoButton->setEnabled(Editor.CanRedo());
    Markers->Update();
}

void TChangeControls::ShowChanges() {
    TChangesDialog list(Editor, Window);
    Dialogs::Exec(list);
    if (list.Chosen() && GoTo)
        GoTo(list.Chosen()->Page, list.Chosen()->Control);
}

QList<QWidget*> TChangeControls::Buttons() const {
    return {UndoButton, RedoButton, ChangesButton};
}
