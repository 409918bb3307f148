#include "app/ReadOnce.h"

#include "app/Dialogs.h"
#include "app/MainForm.h"
#include "model/DeviceModel.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

namespace {

void Say(const QString& text) {
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

// Prints what a box would have shown and answers as a user who declines everything.
class TUnattendedDialogs : public Dialogs::THandler {
public:
    void Error(const QString& text) override { Say(text); }
    void Information(const QString& text) override { Say(text); }
    bool Confirm(const QString& text) override {
        Say(text);
        return false;
    }
    QString OpenFile(QWidget*, const Dialogs::TFileDialogRequest&) override { return {}; }
    QString SaveFile(QWidget*, const Dialogs::TFileDialogRequest&) override { return {}; }
    int Exec(QDialog&) override { return QDialog::Rejected; }
    void PrintPreview(QPrintPreviewDialog&) override {}
};

} // namespace

bool ReadOnce::Requested(const QStringList& arguments) {
    return arguments.contains(QStringLiteral("--read-once"));
}

void ReadOnce::Start(TMainForm& form) {
    static TUnattendedDialogs unattended;
    Dialogs::SetHandler(&unattended);
    QTimer::singleShot(0, &form, [&form] {
        form.bGetParams->click();
        const TMK* mk = form.Model();
        // The data buttons come on only after a complete read.
        const bool read = mk && form.bSaveParams->isEnabled();
        if (read)
            std::printf("Params32: прочитано %lld байт, версия настроек 0x%04X, прошивка %u\n",
                        static_cast<long long>(mk->Image.size()), unsigned(mk->SettingsVersion),
                        unsigned(mk->FirmwareVersion()));
        else
            Say(QStringLiteral("Params32: настройки не прочитаны"));
        std::fflush(stdout);
        QApplication::exit(read ? 0 : 1);
    });
}
