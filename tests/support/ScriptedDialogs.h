#pragma once

#include "app/Dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

// Installs itself as the dialogs handler for its lifetime. Every prompt is recorded;
// answers are taken from the queues in order. A prompt with no queued answer gets
// No / cancel / Rejected and is marked in Unanswered, so a test can assert on it.
class TScriptedDialogs : public Dialogs::THandler {
public:
    struct TPrompt {
        QString Kind; // "Error", "Information", "Confirm", "OpenFile", "SaveFile", "Exec",
                      // "PrintPreview"
        QString Text; // message text, dialog caption or dialog object name
    };

    TScriptedDialogs();
    ~TScriptedDialogs() override;

    QList<TPrompt> Prompts;
    QList<bool> ConfirmAnswers;
    QStringList FileAnswers; // "" answers a file dialog with cancel
    QList<std::function<int(QDialog&)>> ExecAnswers;
    // A list with ticks is a "Confirm" prompt of its whole text, answered from
    // ConfirmAnswers; the lines to untick before Yes come from here (their groups follow),
    // every line stays ticked when it is empty. Each list asked is kept in Choices.
    QList<QList<int>> UntickAnswers;
    QList<Dialogs::TChoiceRequest> Choices;
    // What the user does in a print preview, in order; without one it is closed at once.
    QList<std::function<void(QPrintPreviewDialog&)>> PreviewAnswers;
    int Unanswered = 0;

    QStringList Texts(const QString& kind) const;
    QStringList Errors() const { return Texts(QStringLiteral("Error")); }

    void Error(const QString& text) override;
    void Information(const QString& text) override;
    bool Confirm(const QString& text) override;
    QString OpenFile(QWidget* parent, const Dialogs::TFileDialogRequest& request) override;
    QString SaveFile(QWidget* parent, const Dialogs::TFileDialogRequest& request) override;
    int Exec(QDialog& dialog) override;
    std::optional<QList<int>> Choose(const Dialogs::TChoiceRequest& request) override;
    void PrintPreview(QPrintPreviewDialog& dialog) override;

private:
    Dialogs::THandler* Previous;
};
