// Arbitrary record bytes of a known (settings version, variant) pair, chosen by the input,
// opened in the editor's model as the dialog opens it; every control read, then a sequence
// of assignments from the input (in range and out of it), the cascades, and the pack.
// Anything may be refused with a clean error; a refused store leaves the record as it was.
//
// Input: [pair] [assignment count] [count x 7 bytes: control u16, mode u8, value u32]
//        [record bytes laid over blocks 1-11 from their start].
// MK_FUZZ_ROWS=1 prints, at exit, which rows' load and store the run reached.
#include "FuzzKit.h"

#include "base/Cp1251.h"
#include "base/MKError.h"
#include "editing/EditorSession.h"
#include "editing/EditorTables.h"
#include "editing/SettingAssignment.h"
#include "editing/SettingsEditor.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {

// Which rows' load and store ran, by row index (rows come in the same order every time).
struct TRowReach {
    bool On = qEnvironmentVariableIntValue("MK_FUZZ_ROWS") != 0;
    std::vector<TControlRow> Rows = EditorRows();
    std::vector<int> Loads = std::vector<int>(Rows.size());
    std::vector<int> Stores = std::vector<int>(Rows.size());

    // Counts through the editor's own rows: the table is the editor's, the functions ours.
    void Wrap(const TSettingsEditor& editor) {
        auto& rows = const_cast<std::vector<TControlRow>&>(editor.Rows());
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

struct TAssignmentBytes {
    uint16_t Control;
    uint8_t Mode;
    uint32_t Value;
};
constexpr std::size_t AssignmentSize = 7;

QString Two(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

// A value for the control from the input's bytes: at and beyond the range's ends, items
// before and after the list, times, dates and code page 1251 text.
QVariant ValueFor(const TSettingsEditor& editor, const TControlRow& row,
                  const TAssignmentBytes& a) {
    const int32_t v = int32_t(a.Value);
    switch (row.Kind) {
    case TControlKind::Spin: {
        const TRange r = editor.Range(row.Name);
        switch (a.Mode % 5) {
        case 0:
            return r.Min;
        case 1:
            return r.Max;
        case 2:
            return r.Min - row.Step * (1 + a.Value % 3);
        case 3:
            return r.Max + row.Step * (1 + a.Value % 3);
        default:
            return double(v) / std::pow(10.0, row.Decimals);
        }
    }
    case TControlKind::Radio:
    case TControlKind::List:
        return a.Mode % 2 ? int(int8_t(v))
                          : int(editor.Items(row.Name).size()) + int(int8_t(v)) % 3;
    case TControlKind::Check:
        return bool(v & 1);
    case TControlKind::Edit: {
        const uint8_t* b = reinterpret_cast<const uint8_t*>(&a.Value);
        switch (a.Mode % 5) {
        case 0:
            return Two(b[0] % 100) + QLatin1Char(':') + Two(b[1] % 100);
        case 1:
            return Two(b[0] % 100) + QLatin1Char('.') + Two(b[1] % 100) + QLatin1Char('.') +
                   Two(b[2] % 100);
        case 2:
            return Cp1251::Decode(QByteArray(reinterpret_cast<const char*>(b), 4));
        case 3:
            return QString::number(v);
        default:
            return QString(int(a.Mode / 5 % 40), QChar(0x0410 + b[0] % 64));
        }
    }
    }
    return {};
}

void ReadEverything(const TSettingsEditor& editor) {
    for (const TControlRow& row : editor.Rows()) {
        ShownText(editor, row.Name);
        editor.Items(row.Name);
        editor.ItemsEnabled(row.Name);
        editor.Range(row.Name);
        editor.Visible(row.Name);
        editor.Enabled(row.Name);
        editor.Caption(row.Name);
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
    const TPair pair = s.Pairs[data[0] % s.Pairs.size()];
    const std::size_t count = std::min<std::size_t>(data[1] % 16, (size - 2) / AssignmentSize);
    std::vector<TAssignmentBytes> assignments(count);
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t* p = data + 2 + i * AssignmentSize;
        assignments[i].Control = uint16_t(p[0] | p[1] << 8);
        assignments[i].Mode = p[2];
        std::memcpy(&assignments[i].Value, p + 3, 4);
    }
    const std::size_t recordAt = 2 + count * AssignmentSize;

    TMK& mk = s.Mk;
    DeclareRecord(mk, s.Image, pair, data + recordAt, size - recordAt);
    try {
        RunEditorModel(mk, [&](TSettingsEditor& editor) {
            if (s.Reach.On) {
                s.Reach.Wrap(editor);
                editor.Show();
            }
            ReadEverything(editor);
            const std::vector<TControlRow>& rows = editor.Rows();
            for (const TAssignmentBytes& a : assignments) {
                const TControlRow& row = rows[a.Control % rows.size()];
                const QVariant value = ValueFor(editor, row, a);
                const QByteArray before = RecordBytes(mk);
                try {
                    SettingAssignment::Assign(editor, row, value);
                } catch (const TMKError&) {
                    FUZZ_CHECK(RecordBytes(mk) == before);
                }
            }
            editor.ApplyProtocol();
            RebuildScreenList(editor);
            ReadEverything(editor);
            return true;
        });
    } catch (const TMKError&) {
    }
    mk.UnpackAll();
    return 0;
}
