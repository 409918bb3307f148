#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QPrintPreviewDialog;
class QWidget;

// The one seam for every modal interaction. The program installs the real handler;
// tests install a scripted one that records every prompt and answers in order.
namespace Dialogs {

struct TFileDialogRequest {
    QString Caption;
    QString Directory;
    QString Filter;         // Qt filter text, e.g. "Файлы настроек (*.rvset)"
    QString DefaultSuffix;  // without the dot
    bool MustExist = false; // open dialogs: the path and the file must exist
};

// A list of changes to choose from, each line with a tick, and a Yes/No question below.
struct TChoiceRequest {
    QString Header;
    QStringList Lines;
    QList<QList<int>> Groups; // lines (indices into Lines) that tick and untick together
    QString Question;

    // Header, lines and question as one message text.
    QString Text() const;
    // Every line, less the groups any of `unticked` belongs to.
    QList<int> TickedWithout(const QList<int>& unticked) const;
};

class THandler {
public:
    virtual ~THandler() = default;
    virtual void Error(const QString& text) = 0;
    virtual void Information(const QString& text) = 0;
    virtual bool Confirm(const QString& text) = 0; // true for Yes
    // An empty result means the user cancelled.
    virtual QString OpenFile(QWidget* parent, const TFileDialogRequest& request) = 0;
    virtual QString SaveFile(QWidget* parent, const TFileDialogRequest& request) = 0;
    // Runs a modal dialog; returns QDialog::Accepted or QDialog::Rejected.
    virtual int Exec(QDialog& dialog) = 0;
    // The lines left ticked (all of them at first) when the user answers Yes; nothing for
    // No. A handler without a list of ticks asks the question about every line.
    virtual std::optional<QList<int>> Choose(const TChoiceRequest& request);
    // Runs a print preview; its pages come from the dialog's paintRequested.
    virtual void PrintPreview(QPrintPreviewDialog& dialog) = 0;
};

// The real boxes and dialogs of the toolkit.
THandler& SystemHandler();
// Installs a handler (nullptr restores the system one) and returns the previous one.
THandler* SetHandler(THandler* handler);
THandler& Current();

void ShowError(const QString& text);       // title "Error"
void ShowInformation(const QString& text); // title "Information"
bool Confirm(const QString& text);         // title "Confirm", Yes/No
QString OpenFile(QWidget* parent, const TFileDialogRequest& request);
QString SaveFile(QWidget* parent, const TFileDialogRequest& request);
int Exec(QDialog& dialog);
// Before a save: true when the file does not exist yet or the user agrees to replace it
// ("Файл уже существует. Переписать?"). The save dialogs ask nothing themselves.
bool MayOverwrite(const QString& path);
std::optional<QList<int>> Choose(const TChoiceRequest& request); // title "Confirm", Yes/No
void PrintPreview(QPrintPreviewDialog& dialog);

// True while any of the above is open (a box, a file dialog, the editor, a viewer).
bool AnyOpen();

} // namespace Dialogs
