// A value the model refuses when the control is left: the error box shows, the record keeps
// its bytes and the control shows the stored value again, not the one typed into it. Every
// control that stores on leaving is tried with the values that can be refused (its range's
// ends, the values of the page's other spin edits, texts that are no number, date or name);
// each refusal found is one case.
#include "catalog/Variants.h"
#include "editing/EditHistory.h"
#include "editing/SettingsEditor.h"

#include "EditorDialogKit.h"

#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QtTest>

namespace {

// The device with the universal input, whose two ADC counts refuse each other's value.
std::unique_ptr<TEditorDialogKit> Kit() {
    const auto [version, variant] = DeviceWith(TCapMask{TCap::HasUniversalInput});
    return std::make_unique<TEditorDialogKit>(nullptr, nullptr, version, variant);
}

QByteArray RecordBytes(const TMK& mk) {
    return QByteArray(reinterpret_cast<const char*>(&mk.Record), sizeof mk.Record);
}

// Types the value into the control (a spin edit's text, an edit's text) and leaves it.
void TypeAndLeave(TEditorDialogKit& kit, const QString& name, const QString& typed) {
    QWidget* control = kit.Find(name);
    if (auto* spin = qobject_cast<QDoubleSpinBox*>(control))
        spin->findChild<QLineEdit*>()->setText(typed);
    else
        static_cast<QLineEdit*>(control)->setText(typed);
    TEditorDialogKit::Leave(control);
}

QString ControlText(TEditorDialogKit& kit, const QString& name) {
    QWidget* control = kit.Find(name);
    if (auto* spin = qobject_cast<QDoubleSpinBox*>(control))
        return spin->text();
    return static_cast<QLineEdit*>(control)->text();
}

QStringList Candidates(TEditorDialogKit& kit, const TControlRow& row) {
    TSettingsEditor& editor = kit.Editor();
    if (row.Kind == TControlKind::Edit)
        return {QStringLiteral("1"), QStringLiteral("99"), QStringLiteral("ab"),
                QString(40, QChar(u'Я')), QString()};
    const auto text = [&row](double v) { return QLocale().toString(v, 'f', row.Decimals); };
    // A value outside the range the spin edit takes never reaches the model.
    const TRange range = editor.Range(row);
    QStringList values = {text(range.Min), text(range.Max)};
    for (const TControlRow& other : editor.Rows()) {
        if (&other == &row || other.Page != row.Page || other.Kind != TControlKind::Spin)
            continue;
        const double value = editor.Shown(other).toDouble();
        if (value >= range.Min && value <= range.Max)
            values.append(text(value));
    }
    values.removeDuplicates();
    return values;
}

} // namespace

class TestRefusedStores : public QObject {
    Q_OBJECT

private slots:
    void refusedStoreShowsTheStoredValue_data();
    void refusedStoreShowsTheStoredValue();
};

void TestRefusedStores::refusedStoreShowsTheStoredValue_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("typed");
    auto kit = Kit();
    TSettingsEditor& editor = kit->Editor();
    QStringList found;
    for (const TControlRow& row : editor.Rows()) {
        if (row.When != TStoreWhen::FocusOut ||
            (row.Kind != TControlKind::Spin && row.Kind != TControlKind::Edit))
            continue;
        for (const QString& typed : Candidates(*kit, row)) {
            const TEditorSnapshot before = editor.Snapshot();
            const qsizetype errors = kit->Dialogs.Errors().size();
            TypeAndLeave(*kit, row.Name, typed);
            if (kit->Dialogs.Errors().size() > errors) {
                QTest::addRow("%s '%s'", qPrintable(row.Name), qPrintable(typed))
                    << row.Name << typed;
                found.append(row.Name);
                break;
            }
            // Taken: the editor as it was for the next try.
            const TEditorSnapshot after = editor.Snapshot();
            if (after.Record != before.Record || after.Shown != before.Shown) {
                editor.Restore(before);
                kit->Dialog->RefreshAll();
            }
        }
    }
    // The refusal the ADC counts make is among them.
    QVERIFY(found.contains(QStringLiteral("seUniMeasADC1")));
    QVERIFY(found.contains(QStringLiteral("seUniMeasADC0")));
}

void TestRefusedStores::refusedStoreShowsTheStoredValue() {
    QFETCH(QString, control);
    QFETCH(QString, typed);
    auto kit = Kit();
    TSettingsEditor& editor = kit->Editor();
    const QByteArray bytes = RecordBytes(kit->Mk);
    const QVariant stored = editor.Shown(control);
    const QString storedText = ControlText(*kit, control);
    TypeAndLeave(*kit, control, typed);
    QCOMPARE(kit->Dialogs.Errors().size(), 1);
    QCOMPARE(RecordBytes(kit->Mk), bytes);
    QCOMPARE(editor.Shown(control), stored);
    QCOMPARE(ControlText(*kit, control), storedText);
}

QTEST_MAIN(TestRefusedStores)
#include "tst_refusedstores.moc"
