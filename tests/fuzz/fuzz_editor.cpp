// Arbitrary record bytes of a known (settings version, variant) pair, chosen by the input,
// opened in the editor's model as the dialog opens it; every control read, then a sequence
// of assignments from the input (in range and out of it), the cascades, and the pack.
// Anything may be refused with a clean error; a refused store leaves the record as it was.
//
// Input: [pair] [assignment count, up to 31]
//        [record bytes laid over blocks 1-11 from their start]
//        [count x 7 bytes at the end: control u16, mode u8, value u32].
// The assignments sit at the end so the record keeps its place when the count changes.
// The sweep_rows_* inputs assign every row in turn on two well-equipped devices.
// MK_FUZZ_ROWS=1 prints, at exit, which rows' load and store the run reached.
#include "FuzzKit.h"

#include "base/Cp1251.h"
#include "base/MKError.h"
#include "editing/EditorSession.h"
#include "editing/EditorTables.h"
#include "editing/SettingAssignment.h"
#include "editing/SettingsEditor.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace {

// Which rows' load and store ran, by row position (alike in both service forms). Counting,
// the editors run on copies of the binding tables with their load and store wrapped.
struct TRowReach {
    bool On = qEnvironmentVariableIntValue("MK_FUZZ_ROWS") != 0;
    std::map<const std::vector<TControlRow>*, std::vector<TControlRow>> Wrapped;
    std::vector<int> Loads = std::vector<int>(EditorRows().size());
    std::vector<int> Stores = std::vector<int>(EditorRows().size());

    // The table for an editor of the device the model holds now.
    const std::vector<TControlRow>& Rows() {
        const std::vector<TControlRow>& shared = EditorRows();
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
        const std::vector<TControlRow>& Rows = EditorRows();
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

// Three picks in four are among the controls the editor shows and enables now (the first
// such row from the index on), so assignments reach the stores; the fourth is any row,
// hidden or disabled ones included, which must be refused cleanly.
const TControlRow& PickRow(const TSettingsEditor& editor, uint16_t control) {
    const std::vector<TControlRow>& rows = editor.Rows();
    const std::size_t from = std::size_t(control / 4) % rows.size();
    if (control % 4 == 0)
        return rows[from];
    for (std::size_t n = 0; n < rows.size(); ++n) {
        const TControlRow& row = rows[(from + n) % rows.size()];
        if (editor.Visible(row) && editor.Enabled(row))
            return row;
    }
    return rows[from];
}

QVariant SpinValue(const TSettingsEditor& editor, const TControlRow& row,
                   const TAssignmentBytes& a) {
    const TRange r = editor.Range(row);
    switch (a.Mode % 6) {
    case 0:
        return r.Min;
    case 1:
        return r.Max;
    case 2:
        return r.Min - row.Step * (1 + a.Value % 3);
    case 3:
        return r.Max + row.Step * (1 + a.Value % 3);
    case 4: { // a step of the range
        const double steps =
            row.Step > 0 ? std::max(0.0, std::floor((r.Max - r.Min) / row.Step)) : 0;
        return r.Min + row.Step * std::fmod(double(a.Value), steps + 1);
    }
    default:
        return double(int32_t(a.Value)) / std::pow(10.0, row.Decimals);
    }
}

// An enabled item, any item, or one before or after the list.
QVariant ItemValue(const TSettingsEditor& editor, const TControlRow& row,
                   const TAssignmentBytes& a) {
    const QList<bool> enabled = editor.ItemsEnabled(row);
    const int count = int(enabled.size());
    switch (a.Mode % 4) {
    case 0: {
        QList<int> open;
        for (int i = 0; i < count; ++i)
            if (enabled[i])
                open.append(i);
        if (!open.isEmpty())
            return open[int(a.Value % uint32_t(open.size()))];
        [[fallthrough]];
    }
    case 1:
    case 2:
        return count ? int(a.Value % uint32_t(count)) : 0;
    default:
        return a.Mode & 4 ? -1 - int(a.Value % 3) : count + int(a.Value % 3);
    }
}

// Times and dates valid and two-digit, code page 1251 text, numbers, long text.
QVariant EditValue(const TAssignmentBytes& a) {
    const uint8_t* b = reinterpret_cast<const uint8_t*>(&a.Value);
    switch (a.Mode % 7) {
    case 0:
        return Two(b[0] % 24) + QLatin1Char(':') + Two(b[1] % 60);
    case 1:
        return Two(b[0] % 100) + QLatin1Char(':') + Two(b[1] % 100);
    case 2:
        return Two(1 + b[0] % 28) + QLatin1Char('.') + Two(1 + b[1] % 12) + QLatin1Char('.') +
               Two(b[2] % 100);
    case 3:
        return Two(b[0] % 100) + QLatin1Char('.') + Two(b[1] % 100) + QLatin1Char('.') +
               Two(b[2] % 100);
    case 4:
        return Cp1251::Decode(QByteArray(reinterpret_cast<const char*>(b), 4));
    case 5:
        return QString::number(int32_t(a.Value));
    default:
        return QString(int(a.Mode / 7 % 40), QChar(0x0410 + b[0] % 64));
    }
}

// A value for the control from the input's bytes: at, inside and beyond the range's ends,
// items inside and outside the list, times, dates and code page 1251 text.
QVariant ValueFor(const TSettingsEditor& editor, const TControlRow& row,
                  const TAssignmentBytes& a) {
    switch (row.Kind) {
    case TControlKind::Spin:
        return SpinValue(editor, row, a);
    case TControlKind::Radio:
    case TControlKind::List:
        return ItemValue(editor, row, a);
    case TControlKind::Check:
        return bool(a.Value & 1);
    case TControlKind::Edit:
        return EditValue(a);
    }
    return {};
}

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
    const TPair pair = s.Pairs[data[0] % s.Pairs.size()];
    const std::size_t count = std::min<std::size_t>(data[1] % 32, (size - 2) / AssignmentSize);
    const std::size_t recordSize = size - 2 - count * AssignmentSize;
    std::vector<TAssignmentBytes> assignments(count);
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t* p = data + 2 + recordSize + i * AssignmentSize;
        assignments[i].Control = uint16_t(p[0] | p[1] << 8);
        assignments[i].Mode = p[2];
        std::memcpy(&assignments[i].Value, p + 3, 4);
    }

    TMK& mk = s.Mk;
    DeclareRecord(mk, s.Image, pair, data + 2, recordSize);
    try {
        mk.EditSettings([&] {
            TSettingsEditor editor(mk, s.Reach.Rows());
            editor.Show();
            ReadEverything(editor);
            bool stored = false;
            for (const TAssignmentBytes& a : assignments) {
                const TControlRow& row = PickRow(editor, a.Control);
                const QVariant value = ValueFor(editor, row, a);
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
