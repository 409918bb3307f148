#include "ScriptedDialogs.h"

#include <QDialog>
#include <QPrintPreviewDialog>

TScriptedDialogs::TScriptedDialogs() : Previous(Dialogs::SetHandler(this)) {}

TScriptedDialogs::~TScriptedDialogs() {
    Dialogs::SetHandler(Previous);
}

QStringList TScriptedDialogs::Texts(const QString& kind) const {
    QStringList texts;
    for (const TPrompt& p : Prompts)
        if (p.Kind == kind)
            texts << p.Text;
    return texts;
}

void TScriptedDialogs::Error(const QString& text) {
    Prompts.append({"Error", text});
}

void TScriptedDialogs::Information(const QString& text) {
    Prompts.append({"Information", text});
}

bool TScriptedDialogs::Confirm(const QString& text) {
    Prompts.append({"Confirm", text});
    if (ConfirmAnswers.isEmpty()) {
        ++Unanswered;
        return false;
    }
    return ConfirmAnswers.takeFirst();
}

QString TScriptedDialogs::OpenFile(QWidget*, const Dialogs::TFileDialogRequest& request) {
    Prompts.append({"OpenFile", request.Caption});
    if (FileAnswers.isEmpty()) {
        ++Unanswered;
        return {};
    }
    return FileAnswers.takeFirst();
}

QString TScriptedDialogs::SaveFile(QWidget*, const Dialogs::TFileDialogRequest& request) {
    Prompts.append({"SaveFile", request.Caption});
    if (FileAnswers.isEmpty()) {
        ++Unanswered;
        return {};
    }
    return FileAnswers.takeFirst();
}

int TScriptedDialogs::Exec(QDialog& dialog) {
    Prompts.append({"Exec", dialog.objectName()});
    if (ExecAnswers.isEmpty()) {
        ++Unanswered;
        return QDialog::Rejected;
    }
    return ExecAnswers.takeFirst()(dialog);
}

std::optional<QList<int>> TScriptedDialogs::Choose(const Dialogs::TChoiceRequest& request) {
    Choices.append(request);
    const QList<int> unticked = UntickAnswers.isEmpty() ? QList<int>() : UntickAnswers.takeFirst();
    if (!Confirm(request.Text()))
        return std::nullopt;
    return request.TickedWithout(unticked);
}

void TScriptedDialogs::PrintPreview(QPrintPreviewDialog& dialog) {
    Prompts.append({"PrintPreview", dialog.objectName()});
    if (PreviewAnswers.isEmpty()) {
        ++Unanswered;
        return;
    }
    PreviewAnswers.takeFirst()(dialog);
}
