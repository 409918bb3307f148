#include "PagesKit.h"

#include "base/MKError.h"
#include "editing/EditorTables.h"

#include <QtTest>

namespace {

QByteArray RecordBytes(const TMK& mk) {
    return QByteArray(reinterpret_cast<const char*>(&mk.Record), sizeof mk.Record);
}

} // namespace

// The editor's model on the shared binding rows and on a table of the caller's.
class TestSettingsEditor : public QObject {
    Q_OBJECT

private slots:
    void rowsNotTheEditorsAreRefused();
    void copiedTableRunsAsTheSharedOne();
    void editorsSharingRowsKeepTheirOwnValues();
};

// Questions about a row go by its place in the editor's table: a copy of a row, or a row of
// another table, is no row of the editor, before, inside or after the table in memory.
void TestSettingsEditor::rowsNotTheEditorsAreRefused() {
    TPagesKit kit;
    TSettingsEditor& editor = *kit.Editor;
    const std::vector<TControlRow> copy = editor.Rows();
    const TControlRow alone = editor.Rows().front();
    for (const TControlRow* row : {&copy.front(), &copy.back(), &alone}) {
        QVERIFY_THROWS_EXCEPTION(TMKError, editor.Shown(*row));
        QVERIFY_THROWS_EXCEPTION(TMKError, editor.Visible(*row));
        QVERIFY_THROWS_EXCEPTION(TMKError, editor.Reload(*row));
        QVERIFY_THROWS_EXCEPTION(TMKError, editor.MainPage(*row));
        QVERIFY_THROWS_EXCEPTION(TMKError, editor.ItemEnabled(*row, 0));
    }
    QCOMPARE(editor.Shown(editor.Rows().back()), editor.Shown(editor.Rows().back().Name));
}

// An editor on a copy of the rows with counting loads (as a tool wraps them) opens to the
// same values, pages and bytes as one on the shared rows, and every row loads through it.
void TestSettingsEditor::copiedTableRunsAsTheSharedOne() {
    TPagesKit shared;
    TPagesKit counted;
    std::vector<TControlRow> rows = EditorRows(false);
    std::vector<int> loads(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (auto load = rows[i].Load)
            rows[i].Load = [&loads, i, load](const TSettingsEditor& e) {
                ++loads[i];
                return load(e);
            };
    TSettingsEditor editor(counted.Mk, rows);
    editor.Show();
    QCOMPARE(RecordBytes(counted.Mk), RecordBytes(shared.Mk));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TControlRow& row = editor.Rows()[i];
        QCOMPARE(&row, &rows[i]);
        QCOMPARE(editor.Shown(row), shared.Editor->Shown(row.Name));
        QCOMPARE(editor.Visible(row), shared.Editor->Visible(row.Name));
        QCOMPARE(editor.MainPage(row).Name, MainPageOf(row.Page).Name);
        QVERIFY2(!row.Load || loads[i] > 0, qPrintable(row.Name));
    }
}

// The rows are shared; what they show is each editor's own.
void TestSettingsEditor::editorsSharingRowsKeepTheirOwnValues() {
    TPagesKit kit;
    TSettingsEditor other(kit.Mk);
    other.Show();
    QCOMPARE(&other.Rows(), &kit.Editor->Rows());
    const QString name = QStringLiteral("seVelocityCorr");
    const double before = kit.Editor->Shown(name).toDouble();
    other.SetShown(name, before + 5);
    QCOMPARE(kit.Editor->Shown(name).toDouble(), before);
    QCOMPARE(other.Shown(name).toDouble(), before + 5);
}

QTEST_GUILESS_MAIN(TestSettingsEditor)
#include "tst_settingseditor.moc"
