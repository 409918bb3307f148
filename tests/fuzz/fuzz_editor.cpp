// Arbitrary record bytes of a known (settings version, variant) pair, chosen by the input,
// opened in the editor's model as the dialog opens it; every control read, then a sequence
// of assignments from the input (in range and out of it), the cascades, and the pack.
// Anything may be refused with a clean error; a refused store leaves the record as it was.
// The input's layout is in EditorInput.h. The sweep_rows_* inputs assign every row in turn
// on two well-equipped devices; the reach_* inputs (make_editor_seeds) assign the rows only
// other protocols, devices or controls show.
// MK_FUZZ_ROWS=1 prints, at exit, which rows' load and store the run reached.
#include "EditorInput.h"
#include "FuzzKit.h"

#include "base/MKError.h"
#include "editing/EditorSession.h"
#include "editing/EditorTables.h"
#include "editing/SettingAssignment.h"
#include "editing/SettingsEditor.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace {

// Which rows' load and store ran, by row position (alike in both service forms). Counting,
// the editors run on copies of the binding tables with their load and store wrapped.
struct TRowReach {
    bool On = qEnvironmentVariableIntValue("MK_FUZZ_ROWS") != 0;
    std::map<const std::vector<TControlRow>*, std::vector<TControlRow>> Wrapped;
    std::vector<int> Loads = std::vector<int>(EditorRows(false).size());
    std::vector<int> Stores = std::vector<int>(EditorRows(false).size());

    // The table for an editor of the device the model holds.
    const std::vector<TControlRow>& Rows(const TMK& mk) {
        const std::vector<TControlRow>& shared = EditorRows(mk.Catalog.Flags().ServiceInThousandKm);
        if (!On)
            return shared;
        auto [it, made] = Wrapped.try_emplace(&shared, shared);
        if (made)
            Wrap(it->second);
        return it->second;
    }

    void Wrap(std::vector<TControlRow>& rows) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (auto load = rows[i].Load)
                rows[i].Load = [this, i, load](const TSettingsEditor& e) {
                    ++Loads[i];
                    return load(e);
                };
            if (auto store = rows[i].Store)
                rows[i].Store = [this, i, store](TSettingsEditor& e, const QVariant& v) {
                    ++Stores[i];
                    store(e, v);
                };
        }
    }
    ~TRowReach() {
        if (!On)
            return;
        const std::vector<TControlRow>& Rows = EditorRows(false);
        int loads = 0, stores = 0, withStore = 0;
        QStringList missed;
        for (std::size_t i = 0; i < Rows.size(); ++i) {
            loads += Loads[i] > 0;
            stores += Stores[i] > 0;
            withStore += bool(Rows[i].Store);
            if (Rows[i].Load && !Loads[i])
                missed << Rows[i].Name + QStringLiteral(" (load)");
            if (Rows[i].Store && !Stores[i])
                missed << Rows[i].Name + QStringLiteral(" (store)");
        }
        std::fprintf(stderr, "rows %zu: load reached %d, store reached %d of %d with a store\n",
                     Rows.size(), loads, stores, withStore);
        if (!missed.isEmpty())
            std::fprintf(stderr, "not reached: %s\n",
                         qPrintable(missed.join(QStringLiteral(", "))));
    }
};

// Every control's reads (the items through the shown text and the items' states).
void ReadEverything(const TSettingsEditor& editor) {
    for (const TControlRow& row : editor.Rows()) {
        ShownText(editor, row);
        editor.ItemsEnabled(row);
        editor.Range(row);
        editor.Visible(row);
        editor.Enabled(row);
        editor.Caption(row);
    }
}

struct TState {
    TMK Mk;
    QByteArray Image;
    std::vector<TPair> Pairs = KnownPairs();
    TRowReach Reach;
    TState() {
        PrepareFactoryModel(Mk);
        Image = Mk.Image;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TState s;
    if (size < 2)
        return 0;
    const EditorInput::TParsed input = EditorInput::Parse(data, size);
    const TPair pair = s.Pairs[input.Pair % s.Pairs.size()];

    TMK& mk = s.Mk;
    DeclareRecord(mk, s.Image, pair, input.Record, input.RecordSize);
    try {
        mk.EditSettings([&] {
            TSettingsEditor editor(mk, s.Reach.Rows(mk));
            editor.Show();
            ReadEverything(editor);
            bool stored = false;
            for (const EditorInput::TAssignmentBytes& a : input.Assignments) {
                const TControlRow& row = EditorInput::PickRow(editor, a.Control);
                const QVariant value = EditorInput::ValueFor(editor, row, a);
                const QByteArray before = RecordBytes(mk);
                try {
                    SettingAssignment::Assign(editor, row, value);
                    stored = true;
                } catch (const TMKError&) {
                    FUZZ_CHECK(RecordBytes(mk) == before);
                }
            }
            editor.ApplyProtocol();
            RebuildScreenList(editor);
            // With nothing stored the controls read as they did after the showing steps.
            if (stored)
                ReadEverything(editor);
            return true;
        });
    } catch (const TMKError&) {
    }
    mk.UnpackAll();
    return 0;
}
