#include "editor/SettingSearch.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QStringListModel>

TSettingSearch::TSettingSearch(const TSettingsEditor& editor, QWidget* parent)
    : QLineEdit(parent), Editor(editor), Completer(new QCompleter(this)),
      Model(new QStringListModel(this)) {
    setObjectName(QStringLiteral("eFindSetting"));
    setPlaceholderText(QStringLiteral("Найти настройку"));
    setClearButtonEnabled(true);
    Completer->setModel(Model);
    Completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    Completer->setWidget(this);
    Completer->setMaxVisibleItems(12);
    connect(this, &QLineEdit::textEdited, this, &TSettingSearch::Search);
    connect(Completer, qOverload<const QString&>(&QCompleter::activated), this,
            &TSettingSearch::Pick);
}

void TSettingSearch::Search(const QString& text) {
    Found = FindSettings(Editor, text);
    QStringList texts;
    for (const TFoundSetting& f : Found)
        texts.append(f.Text);
    Model->setStringList(texts);
    if (texts.isEmpty()) {
        Completer->popup()->hide();
        return;
    }
    Completer->complete(rect().adjusted(0, 0, 360, 0));
}

void TSettingSearch::Pick(const QString& text) {
    for (const TFoundSetting& f : Found)
        if (f.Text == text) {
            if (Go)
                Go(f);
            return;
        }
}

void TSettingSearch::keyPressEvent(QKeyEvent* event) {
    // Enter goes to the first match; it never reaches the dialog's default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (Found.empty())
            Search(text());
        if (!Found.empty() && Go)
            Go(Found.front());
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
