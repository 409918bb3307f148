#include "app/Dialogs.h"

#include "app/ChoiceDialog.h"
#include "readwrite/ReadWriteTexts.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <algorithm>

namespace Dialogs {
namespace {

QWidget* ActiveParent() {
    return QApplication::activeWindow();
}

class TSystemHandler : public THandler {
public:
    void Error(const QString& text) override {
        QMessageBox::critical(ActiveParent(), QStringLiteral("Error"), text);
    }
    void Information(const QString& text) override {
        QMessageBox::information(ActiveParent(), QStringLiteral("Information"), text);
    }
    bool Confirm(const QString& text) override {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text,
                        QMessageBox::NoButton, ActiveParent());
        QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
        box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes;
    }
    QString OpenFile(QWidget* parent, const TFileDialogRequest& request) override {
        QFileDialog dialog(parent, request.Caption, request.Directory, request.Filter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.MustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::ReadOnly, false);
        dialog.setDefaultSuffix(request.DefaultSuffix);
        dialog.setSizeGripEnabled(true);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    }
    QString SaveFile(QWidget* parent, const TFileDialogRequest& request) override {
        QFileDialog dialog(parent, request.Caption, request.Directory, request.Filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // The program asks about overwriting itself.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        dialog.setDefaultSuffix(request.DefaultSuffix);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    }
    int Exec(QDialog& dialog) override { return dialog.exec(); }
    std::optional<QList<int>> Choose(const TChoiceRequest& request) override {
        TChoiceDialog dialog(request, ActiveParent());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.Ticked();
    }
    void PrintPreview(QPrintPreviewDialog& dialog) override { dialog.exec(); }
};

THandler* Installed = nullptr;

} // namespace

QString TChoiceRequest::Text() const {
    return Header + QLatin1Char('\n') + Lines.join(QLatin1Char('\n')) + QStringLiteral("\n\n") +
           Question;
}

QList<int> TChoiceRequest::TickedWithout(const QList<int>& unticked) const {
    QList<int> ticked;
    for (int line = 0; line < Lines.size(); ++line)
        ticked << line;
    for (const QList<int>& group : Groups)
        if (std::any_of(group.begin(), group.end(),
                        [&](int line) { return unticked.contains(line); }))
            for (const int line : group)
                ticked.removeOne(line);
    for (const int line : unticked)
        ticked.removeOne(line);
    return ticked;
}

std::optional<QList<int>> THandler::Choose(const TChoiceRequest& request) {
    if (!Confirm(request.Text()))
        return std::nullopt;
    return request.TickedWithout({});
}

THandler& SystemHandler() {
    static TSystemHandler handler;
    return handler;
}

THandler* SetHandler(THandler* handler) {
    THandler* previous = Installed;
    Installed = handler;
    return previous;
}

THandler& Current() {
    return Installed ? *Installed : SystemHandler();
}

namespace {

int OpenCount = 0;

// Counts the interaction as open for as long as it runs, whoever answers it.
template <typename TCall> auto Opened(TCall call) {
    struct TOpen {
        TOpen() { ++OpenCount; }
        ~TOpen() { --OpenCount; }
    } open;
    return call(Current());
}

} // namespace

bool AnyOpen() {
    return OpenCount > 0;
}

void ShowError(const QString& text) {
    Opened([&](THandler& h) { h.Error(text); });
}
void ShowInformation(const QString& text) {
    Opened([&](THandler& h) { h.Information(text); });
}
bool Confirm(const QString& text) {
    return Opened([&](THandler& h) { return h.Confirm(text); });
}
QString OpenFile(QWidget* parent, const TFileDialogRequest& request) {
    return Opened([&](THandler& h) { return h.OpenFile(parent, request); });
}
QString SaveFile(QWidget* parent, const TFileDialogRequest& request) {
    return Opened([&](THandler& h) { return h.SaveFile(parent, request); });
}
int Exec(QDialog& dialog) {
    return Opened([&](THandler& h) { return h.Exec(dialog); });
}
std::optional<QList<int>> Choose(const TChoiceRequest& request) {
    return Opened([&](THandler& h) { return h.Choose(request); });
}

bool MayOverwrite(const QString& path) {
    return !QFileInfo::exists(path) || Confirm(WorkflowTexts::FileExistsQuestion());
}

void PrintPreview(QPrintPreviewDialog& dialog) {
    Opened([&](THandler& h) { h.PrintPreview(dialog); });
}

} // namespace Dialogs
