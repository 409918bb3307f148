// Writes fuzz_editor inputs that reach the stores of rows the factory record keeps hidden.
// For every known device and each of its protocols the record takes that protocol, a few
// assignments show what other controls hide (the protocol chosen by hand, seven tank
// points, the universal input on), and the rows shown then that no earlier input assigned
// are assigned. Run by hand when the tables change: make_editor_seeds OUTDIR
#include "EditorInput.h"
#include "FuzzKit.h"

#include "base/MKError.h"
#include "catalog/Protocols.h"
#include "editing/Conversions.h"
#include "editing/SettingAssignment.h"
#include "editing/SettingsEditor.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace {

using EditorInput::TAssignmentBytes;
constexpr std::size_t MaxAssignments = 31;

// An assignment the target decodes back to this row (index × 4 picks the row itself) and
// value: item `item` of a list (mode 1: value modulo the count), the top of a spin edit's
// range (mode 1), a ticked box, a valid time, date or number for an edit.
TAssignmentBytes Assignment(const TSettingsEditor& editor, const TControlRow& row,
                            uint32_t item = 0) {
    const auto control = uint16_t(4 * (&row - editor.Rows().data()));
    switch (row.Kind) {
    case TControlKind::Radio:
    case TControlKind::List:
    case TControlKind::Spin:
        return {control, 1, item};
    case TControlKind::Check:
        return {control, 0, 1};
    case TControlKind::Edit:
        break;
    }
    const uint8_t mode = row.InputMask.contains(u':') ? 0 : row.InputMask.contains(u'.') ? 2 : 5;
    return {control, mode, 0x01020304};
}

// What opens hidden rows, assigned first.
std::vector<TAssignmentBytes> Openers(TSettingsEditor& editor) {
    std::vector<TAssignmentBytes> openers;
    const auto open = [&](const char* name, int item) {
        const TControlRow& row = editor.RowOrThrow(QString::fromLatin1(name));
        const TAssignmentBytes a = Assignment(editor, row, uint32_t(item));
        try {
            SettingAssignment::Assign(editor, row, EditorInput::ValueFor(editor, row, a));
            openers.push_back(a);
        } catch (const TMKError&) {
        }
    };
    open("cbProtocolSelectMeth",
         int(editor.Items(QStringLiteral("cbProtocolSelectMeth")).size()) - 1);
    open("cbTankMode", 1);
    open("seOilCalibrQuant", 0);
    open("cbUseUniMeas", 1);
    return openers;
}

// The factory record declared as the pair's device, with protocol `protocol`.
QByteArray RecordWith(TMK& mk, const QByteArray& image, const QByteArray& factory, TPair pair,
                      int protocol) {
    DeclareRecord(mk, image, pair, reinterpret_cast<const uint8_t*>(factory.constData()),
                  EditedRecordBytes);
    mk.UnpackAll();
    StoreField(mk, RecordField(u"Protocol"), protocol);
    StoreField(mk, RecordField(u"PrevProtocol"), protocol);
    mk.PackAll();
    return RecordBytes(mk).left(qsizetype(EditedRecordBytes));
}

int ProtocolCount(TPair pair) {
    return int(TDeviceCatalog(pair.SettingsVersion, uint8_t(pair.Variant)).Protocols().size());
}

// The rows shown and enabled now that no earlier input assigned, the protocol list last at
// the protocol in force (so the rows before it keep the protocol they were shown for).
std::vector<TAssignmentBytes> NewRows(const TSettingsEditor& editor, QSet<QString>& assigned,
                                      int protocol) {
    std::vector<TAssignmentBytes> rows;
    bool protocolList = false;
    for (const TControlRow& row : editor.Rows()) {
        if (!row.Store || assigned.contains(row.Name) || !editor.Visible(row) ||
            !editor.Enabled(row))
            continue;
        assigned.insert(row.Name);
        if (row.Name == QLatin1String("cbProtocol"))
            protocolList = true;
        else
            rows.push_back(Assignment(editor, row));
    }
    if (protocolList)
        rows.push_back(Assignment(editor, editor.RowOrThrow(QStringLiteral("cbProtocol")),
                                  uint32_t(protocol)));
    return rows;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_editor_seeds OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    TMK mk;
    PrepareFactoryModel(mk);
    const QByteArray image = mk.Image;
    const QByteArray factory = RecordBytes(mk);
    const std::vector<TPair> pairs = KnownPairs();
    FUZZ_CHECK(pairs.size() <= 256);
    QSet<QString> assigned;
    int written = 0;
    for (std::size_t p = 0; p < pairs.size(); ++p) {
        const int protocols = ProtocolCount(pairs[p]);
        for (int protocol = 0; protocol < protocols; ++protocol) {
            const QByteArray record = RecordWith(mk, image, factory, pairs[p], protocol);
            std::vector<TAssignmentBytes> openers, rows;
            try {
                mk.EditSettings([&] {
                    TSettingsEditor editor(mk);
                    editor.Show();
                    openers = Openers(editor);
                    rows = NewRows(editor, assigned, protocol);
                    return false;
                });
            } catch (const TMKError&) {
                continue;
            }
            const std::size_t room = MaxAssignments - openers.size();
            for (std::size_t from = 0; from < rows.size(); from += room) {
                std::vector<TAssignmentBytes> input = openers;
                input.insert(input.end(), rows.begin() + qsizetype(from),
                             rows.begin() + qsizetype(std::min(rows.size(), from + room)));
                QFile file(out.filePath(
                    QStringLiteral("reach_%1").arg(++written, 3, 10, QLatin1Char('0'))));
                FUZZ_CHECK(file.open(QIODevice::WriteOnly));
                file.write(EditorInput::Write(uint8_t(p), record, input));
            }
        }
    }
    std::fprintf(stderr, "%d inputs, %lld rows assigned\n", written, qlonglong(assigned.size()));
    return 0;
}
