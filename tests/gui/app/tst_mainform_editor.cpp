// "Редактировать настройки" from the main window: OK marks the settings modified, Cancel
// leaves the image and the mark as they were.
#include "MainFormKit.h"
#include "ModelState.h"
#include "model/SettingsFile.h"
#include "sim/FactoryMemory.h"

#include <QDialog>
#include <QDoubleSpinBox>
#include <QFocusEvent>

class TestMainFormEditor : public QObject {
    Q_OBJECT
    std::unique_ptr<TFormBench> Bench;
    TMainForm* Form = nullptr;

    void LoadFactoryFile() {
        const QString path = Bench->Dir.filePath(QStringLiteral("in.rvset"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(SettingsFile::Encode(1, FactoryImage(8192)));
        file.close();
        Bench->Dialogs.FileAnswers << path;
        Bench->Click(QStringLiteral("bLoadParams"));
        QVERIFY(Bench->DataButtonsEnabled());
        QVERIFY(!Form->Modified);
    }

private slots:
    void init() {
        Bench = std::make_unique<TFormBench>();
        Form = &Bench->Show();
        LoadFactoryFile();
    }
    void cleanup() {
        Form->Modified = false;
        Bench.reset();
    }

    void cancelAfterEditsKeepsImageAndMark() {
        // A record the image does not hold (as a journals viewer closed without OK leaves
        // it): the editor's own unpacking must not reach the program's record either.
        Form->Model()->Record.TripTotals.AllPathStart = 4321;
        Form->Model()->Record.LimitsSettings.VelocityLimit = 77;
        const TModelState before = StateOf(*Form->Model());
        int edited = 0;
        Bench->Dialogs.ExecAnswers << [&edited](QDialog& d) {
            for (auto* spin : d.findChildren<QDoubleSpinBox*>()) {
                if (spin->isHidden() || spin->value() == spin->maximum())
                    continue;
                spin->setValue(spin->maximum());
                QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
                QApplication::sendEvent(spin, &out);
                if (++edited == 5)
                    break;
            }
            return int(QDialog::Rejected);
        };
        Bench->Click(QStringLiteral("bEditParams"));
        QCOMPARE(edited, 5);
        MK_COMPARE_STATE(StateOf(*Form->Model()), before);
        QVERIFY(!Form->Modified);
        QCOMPARE(Bench->Dialogs.Errors(), QStringList());
    }

    void okMarksTheSettingsModified() {
        Bench->Dialogs.ExecAnswers << [](QDialog& d) {
            return d.objectName() == QLatin1String("MK_SetParamsDlg") ? int(QDialog::Accepted)
                                                                      : int(QDialog::Rejected);
        };
        Bench->Click(QStringLiteral("bEditParams"));
        QVERIFY(Form->Modified);
        QCOMPARE(Bench->Dialogs.Unanswered, 0);
    }
};

QTEST_MAIN(TestMainFormEditor)
#include "tst_mainform_editor.moc"
