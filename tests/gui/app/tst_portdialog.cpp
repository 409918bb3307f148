// The manual port dialog, run through the dialogs seam as the main window runs it.
#include "FakePorts.h"
#include "ScriptedDialogs.h"
#include "app/PortDialog.h"
#include "link/LinkTexts.h"
#include "link/MKLink.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

// Ports COM1, COM3 and COM9 plugged in; the link shows its boxes and the dialog for real.
struct TDialogFixture {
    TDialogFixture() : System(std::make_shared<TFakeSystem>()) {
        PlugIn(*System, {1, 3, 9});
        TLinkEnvironment environment = FakeEnvironment(System);
        environment.Prompts = LinkDialogPrompts();
        Link = std::make_unique<TML_RS>(std::move(environment));
    }
    std::shared_ptr<TFakeSystem> System;
    TScriptedDialogs Dialogs;
    std::unique_ptr<TML_RS> Link;
};

// Answers the dialog: selects the item with the given text (none for ""), then clicks.
std::function<int(QDialog&)> Answer(const QString& item, const QString& button) {
    return [item, button](QDialog& dialog) {
        auto* list = dialog.findChild<QComboBox*>(QStringLiteral("PCB"));
        if (!item.isEmpty())
            list->setCurrentIndex(list->findText(item));
        dialog.findChild<QPushButton*>(button)->click();
        return dialog.result();
    };
}

} // namespace

class TestPortDialog : public QObject {
    Q_OBJECT

private slots:
    void dialogShape();
    void listsAvailablePortsWithCurrentSelected();
    void answers_data();
    void answers();
    void okWithoutSelectionKeepsPortNumber();
    void noPortShowsErrorInsteadOfDialog();
};

void TestPortDialog::dialogShape() {
    TML_RS232_SetNumDlg dialog;
    QCOMPARE(dialog.windowTitle(), LinkTexts::PortDialogCaption());
    QVERIFY(!dialog.PCB->isEditable());
    QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("OKBtn")));
    QVERIFY(dialog.findChild<QPushButton*>(QStringLiteral("CancelBtn")));
    bool labelFound = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labelFound = labelFound || label->text() == LinkTexts::PortDialogLabel();
    QVERIFY(labelFound);
    QVERIFY(!(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint));
    QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
}

void TestPortDialog::listsAvailablePortsWithCurrentSelected() {
    TDialogFixture f;
    f.Link->PortNumber = 3;
    QStringList items;
    QString selected;
    QString device;
    QString deviceAfterChange;
    f.Dialogs.ExecAnswers << [&](QDialog& dialog) {
        auto* d = static_cast<TML_RS232_SetNumDlg*>(&dialog);
        for (int i = 0; i < d->PCB->count(); ++i)
            items << d->PCB->itemText(i);
        selected = d->PCB->currentText();
        device = d->lDevicePath->text();
        d->PCB->setCurrentIndex(2);
        deviceAfterChange = d->lDevicePath->text();
        d->CancelBtn->click();
        return d->result();
    };
    f.Link->ChoosePort();
    QCOMPARE(items, (QStringList{"COM1", "COM3", "COM9"}));
    QCOMPARE(selected, QStringLiteral("COM3"));
    QCOMPARE(device, QStringLiteral("/fake/com3"));
    QCOMPARE(deviceAfterChange, QStringLiteral("/fake/com9"));
    QCOMPARE(f.Dialogs.Texts(QStringLiteral("Exec")), QStringList{"TML_RS232_SetNumDlg"});
    QCOMPARE(f.Link->PortNumber, 3); // Cancel keeps 3
    QVERIFY(f.Link->IsOpen);
}

void TestPortDialog::answers_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("port");
    QTest::newRow("OK on COM9") << "COM9"
                                << "OKBtn" << 9;
    QTest::newRow("OK on COM1") << "COM1"
                                << "OKBtn" << 1;
    QTest::newRow("Cancel after choosing COM9") << "COM9"
                                                << "CancelBtn" << 3;
}

void TestPortDialog::answers() {
    QFETCH(QString, item);
    QFETCH(QString, button);
    QFETCH(int, port);
    TDialogFixture f;
    f.Link->PortNumber = 3;
    f.Dialogs.ExecAnswers << Answer(item, button);
    f.Link->ChoosePort();
    QCOMPARE(f.Link->PortNumber, port);
    QVERIFY(f.Link->IsOpen);
    QCOMPARE(f.System->Opened.last(), QStringLiteral("/fake/com%1").arg(port));
    QCOMPARE(f.Dialogs.Unanswered, 0);
}

void TestPortDialog::okWithoutSelectionKeepsPortNumber() {
    TDialogFixture f;
    f.Link->PortNumber = 4; // not among the available ports, so nothing is selected
    int selectedIndex = 0;
    f.Dialogs.ExecAnswers << [&](QDialog& dialog) {
        selectedIndex = static_cast<TML_RS232_SetNumDlg&>(dialog).PCB->currentIndex();
        return Answer(QString(), QStringLiteral("OKBtn"))(dialog);
    };
    f.Link->ChoosePort();
    QCOMPARE(selectedIndex, -1);
    // The number stays 4; opening it then falls back on the first available port.
    QCOMPARE(f.Link->PortNumber, 1);
    QVERIFY(f.Link->IsOpen);
}

void TestPortDialog::noPortShowsErrorInsteadOfDialog() {
    TDialogFixture f;
    f.System->Plugged.clear();
    f.Link->ChoosePort();
    QCOMPARE(f.Dialogs.Errors(), QStringList{LinkTexts::NoFreePort()});
    QVERIFY(f.Dialogs.Texts(QStringLiteral("Exec")).isEmpty());
}

QTEST_MAIN(TestPortDialog)
#include "tst_portdialog.moc"
