#include "editing/SettingsEditor.h"

#include "base/MKError.h"
#include "catalog/DeviceFlags.h"
#include "catalog/Protocols.h"
#include "editing/ColorSchemes.h"
#include "editing/Conversions.h"
#include "editing/EditorTables.h"
#include "editing/HotMenus.h"
#include "model/DeviceModel.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>

namespace {

// What the editor edits: every block before the error journal.
constexpr std::size_t EditedBytes = offsetof(TSettingsRecord, ErrorJournal);

// Counts an action running; tellings inside it wait for the outermost one's end.
class TActionScope {
public:
    explicit TActionScope(int& depth) : Depth(depth) { ++Depth; }
    ~TActionScope() { --Depth; }
    TActionScope(const TActionScope&) = delete;
    TActionScope& operator=(const TActionScope&) = delete;

private:
    int& Depth;
};

const TProtBase& NoProtocol() {
    static const TProtBase none(QString(), 0, 0, {}, {});
    return none;
}

bool SameShown(const QVariant& a, const QVariant& b) {
    return a.isValid() == b.isValid() && a == b;
}

} // namespace

struct TSettingsEditor::TRowTable {
    explicit TRowTable(const std::vector<TControlRow>& rows) : Rows(rows) {
        for (int i = 0; i < int(rows.size()); ++i) {
            const TControlRow& row = rows[std::size_t(i)];
            Positions.insert(row.Name, i);
            std::vector<const TPageInfo*>& chain = Pages.emplace_back();
            for (const TPageInfo* p = FindPage(row.Page); p;
                 p = p->Parent.isEmpty() ? nullptr : FindPage(p->Parent))
                chain.push_back(p);
        }
    }

    // One per service form of the shared table, made on first use; a caller's own table
    // gets one of its own.
    static std::shared_ptr<const TRowTable> For(const std::vector<TControlRow>& rows) {
        static const auto shortForm = std::make_shared<const TRowTable>(EditorRows(true));
        static const auto longForm = std::make_shared<const TRowTable>(EditorRows(false));
        for (const auto& shared : {shortForm, longForm})
            if (&shared->Rows == &rows)
                return shared;
        return std::make_shared<const TRowTable>(rows);
    }

    const std::vector<TControlRow>& Rows;
    QHash<QString, int> Positions;
    std::vector<std::vector<const TPageInfo*>> Pages; // the row's page, then those holding it
};

TSettingsEditor::TSettingsEditor(TMK& mk)
    : TSettingsEditor(mk, EditorRows(mk.Catalog.Flags().ServiceInThousandKm)) {}

TSettingsEditor::TSettingsEditor(TMK& mk, const std::vector<TControlRow>& rows)
    : Mk(mk), Table(TRowTable::For(rows)) {
    // A fresh dialog: no radio item selected, every check box clear, lists unselected.
    ShownValues.reserve(Rows().size());
    for (const TControlRow& row : Rows()) {
        switch (row.Kind) {
        case TControlKind::Radio:
        case TControlKind::List:
            ShownValues.emplace_back(-1);
            break;
        case TControlKind::Check:
            ShownValues.emplace_back(false);
            break;
        case TControlKind::Spin:
            ShownValues.emplace_back(Range(row).Min);
            break;
        case TControlKind::Edit:
            ShownValues.emplace_back(QString());
            break;
        }
    }
    History.Reset(Snapshot());
}

void TSettingsEditor::Show() {
    TSettingsRecord baseline = Mk.Record;
    const bool ownBaseline =
        Mk.UnpackBaseline(baseline) && std::memcmp(&baseline, &Mk.Record, EditedBytes) != 0;
    RunShowingSteps();
    History.Reset(Snapshot());
    if (!ownBaseline) {
        BaselineState.Take(*this);
        return;
    }
    // The baseline shown as the record was: what opening does to it is no change.
    const TEditorSnapshot opened = History.Current();
    try {
        std::memcpy(&Mk.Record, &baseline, EditedBytes);
        try {
            Mk.Catalog.SelectProtocol(baseline.ProtocolSettings.Protocol);
        } catch (const TMKError&) {
            // Outside the device's list: the baseline shows no protocol.
        }
        RunShowingSteps();
        BaselineState.Take(*this);
    } catch (const TMKError&) {
        Restore(opened);
        BaselineState.Take(*this);
    }
    Restore(opened);
}

void TSettingsEditor::RunShowingSteps() {
    const TActionScope showing(ActionDepth);
    SchemeRadioFocused = false;
    LoadAll();
    TarirEdited = false;
    RefreshInProgress = false;
    ApplySchemeChoice(*this);
    ApplyProtocol();
    RebuildScreenList(*this);
    BlocksPageActive = false;
}

void TSettingsEditor::LoadAll() {
    // Opening keeps the stored sub-types: only the previous protocol is brought up to date.
    TFieldRef prev = RecordField(u"PrevProtocol");
    StoreField(Mk, prev, ReadField(Mk, RecordField(u"Protocol")));
    for (const TControlRow& row : Rows())
        LoadRow(row, true);
    ColorSchemes::ChoosePaletteRow(*this, 0, false);
    HotMenus::CompactAll(Mk);
}

void TSettingsEditor::Reload(const QString& name) {
    LoadRow(RowOrThrow(name), false);
}

void TSettingsEditor::Reload(const TControlRow& row) {
    Position(row);
    LoadRow(row, false);
}

void TSettingsEditor::LoadRow(const TControlRow& row, bool asClick) {
    if (!row.Load)
        return;
    const QVariant loaded = Clamped(row, row.Load(*this));
    QVariant& shown = ShownOf(row);
    const bool changed = !SameShown(shown, loaded);
    shown = loaded;
    // Selecting an item or ticking a box from the program counts as a click.
    if (asClick && changed && row.When == TStoreWhen::Click && row.Store) {
        row.Store(*this, loaded);
        if (row.After)
            row.After(*this);
    }
}

const std::vector<TControlRow>& TSettingsEditor::Rows() const {
    return Table->Rows;
}

const TControlRow* TSettingsEditor::Row(const QString& name) const {
    const auto it = Table->Positions.constFind(name);
    return it == Table->Positions.constEnd() ? nullptr : &Rows()[std::size_t(*it)];
}

const TControlRow& TSettingsEditor::RowOrThrow(const QString& name) const {
    if (const TControlRow* row = Row(name))
        return *row;
    throw TMKError(QStringLiteral("Нет элемента %1").arg(name));
}

std::size_t TSettingsEditor::Position(const TControlRow& row) const {
    // By address: a row before the table wraps round to a large offset.
    const std::vector<TControlRow>& rows = Table->Rows;
    const std::uintptr_t offset =
        reinterpret_cast<std::uintptr_t>(&row) - reinterpret_cast<std::uintptr_t>(rows.data());
    if (offset >= rows.size() * sizeof(TControlRow))
        throw TMKError(QStringLiteral("Нет элемента %1").arg(row.Name));
    return offset / sizeof(TControlRow);
}

QVariant& TSettingsEditor::ShownOf(const TControlRow& row) {
    return ShownValues[Position(row)];
}

QVariant TSettingsEditor::Shown(const QString& name) const {
    return Shown(RowOrThrow(name));
}

QVariant TSettingsEditor::Shown(const TControlRow& row) const {
    return ShownValues[Position(row)];
}

QVariant TSettingsEditor::Clamped(const TControlRow& row, const QVariant& value) const {
    if (row.Kind != TControlKind::Spin)
        return value;
    const TRange r = Range(row);
    return std::clamp(value.toDouble(), r.Min, r.Max);
}

void TSettingsEditor::SetShown(const QString& name, const QVariant& value) {
    const TControlRow& row = RowOrThrow(name);
    ShownOf(row) = Clamped(row, value);
}

void TSettingsEditor::Put(const QString& name, const QVariant& value) {
    Put(RowOrThrow(name), value);
}

void TSettingsEditor::Put(const TControlRow& row, const QVariant& value) {
    const QVariant before = ShownOf(row);
    const QVariant shown = Clamped(row, value);
    if (row.Kind == TControlKind::Radio || row.Kind == TControlKind::List) {
        const int item = shown.toInt();
        if (item < -1 || item >= Items(row).size())
            throw TMKError(QStringLiteral("List index out of bounds (%1)").arg(item));
    }
    ShownOf(row) = shown;
    {
        // What the store and its cascade tell is told once, below.
        const TActionScope action(ActionDepth);
        try {
            if (row.Store)
                row.Store(*this, shown);
        } catch (...) {
            // Refused: the control shows the stored value again, not the one typed into it
            // (a control that stores on leaving shows what is typed before it is stored).
            ShownOf(row) = row.Load ? Clamped(row, row.Load(*this)) : before;
            throw;
        }
        if (row.After)
            row.After(*this);
    }
    if (ActionDepth > 0)
        return;
    // A control left as it was changed nothing: no step to undo, nothing to redraw.
    if (History.Add(Snapshot()) && RecordChanged)
        RecordChanged();
}

bool TSettingsEditor::Visible(const QString& name) const {
    return Visible(RowOrThrow(name));
}

bool TSettingsEditor::Visible(const TControlRow& row) const {
    if (row.VisibleRule && !row.VisibleRule(*this))
        return false;
    for (const TPageInfo* page : Table->Pages[Position(row)])
        if (page->VisibleRule && !page->VisibleRule(*this))
            return false;
    return true;
}

bool TSettingsEditor::Enabled(const QString& name) const {
    return Enabled(RowOrThrow(name));
}

bool TSettingsEditor::Enabled(const TControlRow& row) const {
    return !row.EnabledRule || row.EnabledRule(*this);
}

QString TSettingsEditor::Caption(const QString& name) const {
    return Caption(RowOrThrow(name));
}

QString TSettingsEditor::Caption(const TControlRow& row) const {
    return row.CaptionRule ? row.CaptionRule(*this) : row.Caption;
}

TRange TSettingsEditor::Range(const QString& name) const {
    return Range(RowOrThrow(name));
}

TRange TSettingsEditor::Range(const TControlRow& row) const {
    return row.RangeRule ? row.RangeRule(*this) : row.Range;
}

QStringList TSettingsEditor::Items(const QString& name) const {
    return Items(RowOrThrow(name));
}

QStringList TSettingsEditor::Items(const TControlRow& row) const {
    return row.ItemsRule ? row.ItemsRule(*this) : row.Items;
}

QList<bool> TSettingsEditor::ItemsEnabled(const QString& name) const {
    return ItemsEnabled(RowOrThrow(name));
}

QList<bool> TSettingsEditor::ItemsEnabled(const TControlRow& row) const {
    QList<bool> enabled(Items(row).size());
    for (int i = 0; i < enabled.size(); ++i)
        enabled[i] = ItemEnabled(row, i);
    return enabled;
}

bool TSettingsEditor::ItemEnabled(const TControlRow& row, int item) const {
    Position(row);
    return item >= 0 && (!row.ItemEnabledRule || row.ItemEnabledRule(*this, item));
}

const TPageInfo& TSettingsEditor::MainPage(const TControlRow& row) const {
    const std::vector<const TPageInfo*>& chain = Table->Pages[Position(row)];
    if (chain.empty())
        throw TMKError(QStringLiteral("Нет страницы %1").arg(row.Page));
    return *chain.back();
}

const std::vector<TPageInfo>& TSettingsEditor::Pages() const {
    return PageTree();
}

bool TSettingsEditor::PageVisible(const QString& pageName) const {
    for (const TPageInfo* p = FindPage(pageName); p;
         p = p->Parent.isEmpty() ? nullptr : FindPage(p->Parent))
        if (p->VisibleRule && !p->VisibleRule(*this))
            return false;
    return true;
}

const TDeviceFlags& TSettingsEditor::Flags() const {
    return Mk.Catalog.Flags();
}

const TProtBase& TSettingsEditor::Protocol() const {
    const TProtBase* current = Mk.Catalog.CurrentProtocol();
    return current ? *current : NoProtocol();
}

bool TSettingsEditor::HasProtocol() const {
    return Mk.Catalog.CurrentProtocol() != nullptr;
}

void TSettingsEditor::ProtocolChanged() {
    const int64_t protocol = ReadField(Mk, RecordField(u"Protocol"));
    StoreField(Mk, RecordField(u"PrevProtocol"), protocol);
    for (const char* subType : {"ProtTypeMain", "ProtTypeAdd1", "ProtTypeAdd2", "ProtTypeAdd3",
                                "ProtTypeAdd4", "ProtTypeAdd5", "ProtTypeAdd6", "ProtTypeAdd7"})
        StoreField(Mk, RecordField(QString::fromLatin1(subType)), 0);
    Mk.Catalog.SelectProtocol(int(protocol));
    RebuildScreenList(*this);
    ApplyProtocol();
}

void TSettingsEditor::ApplyProtocol() {
    // Sub-type lists show their fields again; ranges that follow the protocol clamp.
    for (const TControlRow& row : Rows()) {
        if (row.Name.startsWith(QLatin1String("cbProtType")))
            LoadRow(row, false);
        else if (row.RangeRule)
            ShownOf(row) = Clamped(row, ShownOf(row));
    }
}

void TSettingsEditor::Change(const std::function<void()>& edit) {
    try {
        const TActionScope action(ActionDepth);
        edit();
    } catch (...) {
        NotifyRecordChanged();
        throw;
    }
    NotifyRecordChanged();
}

void TSettingsEditor::NotifyRecordChanged() {
    if (ActionDepth > 0)
        return;
    History.Add(Snapshot());
    if (RecordChanged)
        RecordChanged();
}

bool TSettingsEditor::CanUndo() const {
    return History.CanUndo();
}

bool TSettingsEditor::CanRedo() const {
    return History.CanRedo();
}

void TSettingsEditor::Undo() {
    if (!CanUndo())
        return;
    Restore(History.Undo());
    if (RecordChanged)
        RecordChanged();
}

void TSettingsEditor::Redo() {
    if (!CanRedo())
        return;
    Restore(History.Redo());
    if (RecordChanged)
        RecordChanged();
}

TEditorSnapshot TSettingsEditor::Snapshot() const {
    TEditorSnapshot s;
    s.Record = QByteArray(reinterpret_cast<const char*>(&Mk.Record), qsizetype(EditedBytes));
    s.Shown = ShownValues;
    s.Protocol = Mk.Catalog.CurrentProtocol();
    s.SchemeIsUser = ColorSchemes::SchemeIsUser(Mk);
    s.PaletteRow = PaletteRow;
    s.PaletteShown = PaletteShown;
    s.TarirEdited = TarirEdited;
    s.PopupList = PopupList;
    s.PopupSlot = PopupSlot;
    return s;
}

void TSettingsEditor::Restore(const TEditorSnapshot& s) {
    std::memcpy(&Mk.Record, s.Record.constData(),
                std::min(EditedBytes, std::size_t(s.Record.size())));
    if (s.Shown.size() == ShownValues.size())
        ShownValues = s.Shown;
    Mk.Catalog.RestoreProtocol(s.Protocol);
    ColorSchemes::SetSchemeIsUser(Mk, s.SchemeIsUser != 0);
    PaletteRow = s.PaletteRow;
    PaletteShown = s.PaletteShown;
    TarirEdited = s.TarirEdited;
    PopupList = s.PopupList;
    PopupSlot = s.PopupSlot;
}
