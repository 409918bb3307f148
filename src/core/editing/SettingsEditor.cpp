#include "editing/SettingsEditor.h"

#include "base/MKError.h"
#include "catalog/DeviceFlags.h"
#include "catalog/Prots.h"
#include "editing/ColorSchemes.h"
#include "editing/Conversions.h"
#include "editing/EditorTables.h"
#include "editing/HotMenus.h"
#include "model/Pars32.h"

#include <algorithm>

namespace {

const TProtBase& NoProtocol() {
    static const TProtBase none(QString(), 0, 0, {}, {});
    return none;
}

// Row positions by name, alike for every editor.
const QHash<QString, int>& RowPositions() {
    static const QHash<QString, int> positions = [] {
        QHash<QString, int> byName;
        const std::vector<TControlRow>& rows = EditorRows();
        for (int i = 0; i < int(rows.size()); ++i)
            byName.insert(rows[std::size_t(i)].Name, i);
        return byName;
    }();
    return positions;
}

bool SameShown(const QVariant& a, const QVariant& b) {
    return a.isValid() == b.isValid() && a == b;
}

} // namespace

TSettingsEditor::TSettingsEditor(TMK& mk)
    : Mk(mk), RowList(EditorRows()), RowIndex(RowPositions()) {
    // A fresh dialog: no radio item selected, every check box clear, lists unselected.
    for (const TControlRow& row : RowList) {
        switch (row.Kind) {
        case TControlKind::Radio:
        case TControlKind::List:
            ShownValues.insert(row.Name, -1);
            break;
        case TControlKind::Check:
            ShownValues.insert(row.Name, false);
            break;
        case TControlKind::Spin:
            ShownValues.insert(row.Name, Range(row.Name).Min);
            break;
        case TControlKind::Edit:
            ShownValues.insert(row.Name, QString());
            break;
        }
    }
}

void TSettingsEditor::Show() {
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
    for (const TControlRow& row : RowList)
        LoadRow(row, true);
    ColorSchemes::ChoosePaletteRow(*this, 0, false);
    HotMenus::CompactAll(Mk);
}

void TSettingsEditor::Reload(const QString& name) {
    LoadRow(RowOrThrow(name), false);
}

void TSettingsEditor::LoadRow(const TControlRow& row, bool asClick) {
    if (!row.Load)
        return;
    const QVariant loaded = Clamped(row, row.Load(*this));
    QVariant& shown = ShownValues[row.Name];
    const bool changed = !SameShown(shown, loaded);
    shown = loaded;
    // Selecting an item or ticking a box from the program counts as a click.
    if (asClick && changed && row.When == TStoreWhen::Click && row.Store) {
        row.Store(*this, loaded);
        if (row.After)
            row.After(*this);
    }
}

const TControlRow* TSettingsEditor::Row(const QString& name) const {
    const auto it = RowIndex.constFind(name);
    return it == RowIndex.constEnd() ? nullptr : &RowList[std::size_t(*it)];
}

const TControlRow& TSettingsEditor::RowOrThrow(const QString& name) const {
    if (const TControlRow* row = Row(name))
        return *row;
    throw TMKError(QStringLiteral("Нет элемента %1").arg(name));
}

QVariant TSettingsEditor::Shown(const QString& name) const {
    RowOrThrow(name);
    return ShownValues.value(name);
}

QVariant TSettingsEditor::Clamped(const TControlRow& row, const QVariant& value) const {
    if (row.Kind != TControlKind::Spin)
        return value;
    const TRange r = Range(row.Name);
    return std::clamp(value.toDouble(), r.Min, r.Max);
}

void TSettingsEditor::SetShown(const QString& name, const QVariant& value) {
    ShownValues[RowOrThrow(name).Name] = Clamped(RowOrThrow(name), value);
}

void TSettingsEditor::Put(const QString& name, const QVariant& value) {
    const TControlRow& row = RowOrThrow(name);
    const QVariant before = ShownValues.value(name);
    const QVariant shown = Clamped(row, value);
    if (row.Kind == TControlKind::Radio || row.Kind == TControlKind::List) {
        const int item = shown.toInt();
        if (item < -1 || item >= Items(name).size())
            throw TMKError(QStringLiteral("List index out of bounds (%1)").arg(item));
    }
    ShownValues[name] = shown;
    try {
        if (row.Store)
            row.Store(*this, shown);
    } catch (...) {
        ShownValues[name] = before;
        throw;
    }
    if (row.After)
        row.After(*this);
    NotifyRecordChanged();
}

bool TSettingsEditor::Visible(const QString& name) const {
    const TControlRow& row = RowOrThrow(name);
    return (!row.VisibleRule || row.VisibleRule(*this)) && PageVisible(row.Page);
}

bool TSettingsEditor::Enabled(const QString& name) const {
    const TControlRow& row = RowOrThrow(name);
    return !row.EnabledRule || row.EnabledRule(*this);
}

QString TSettingsEditor::Caption(const QString& name) const {
    const TControlRow& row = RowOrThrow(name);
    return row.CaptionRule ? row.CaptionRule(*this) : row.Caption;
}

TRange TSettingsEditor::Range(const QString& name) const {
    const TControlRow& row = RowOrThrow(name);
    return row.RangeRule ? row.RangeRule(*this) : row.Range;
}

QStringList TSettingsEditor::Items(const QString& name) const {
    const TControlRow& row = RowOrThrow(name);
    return row.ItemsRule ? row.ItemsRule(*this) : row.Items;
}

QList<bool> TSettingsEditor::ItemsEnabled(const QString& name) const {
    const TControlRow& row = RowOrThrow(name);
    QList<bool> enabled;
    const int count = int(Items(name).size());
    for (int i = 0; i < count; ++i)
        enabled.append(!row.ItemEnabledRule || row.ItemEnabledRule(*this, i));
    return enabled;
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
    return DeviceFlags;
}

const TProtBase& TSettingsEditor::Protocol() const {
    return CurrentProtocol ? *CurrentProtocol : NoProtocol();
}

bool TSettingsEditor::HasProtocol() const {
    return CurrentProtocol != nullptr;
}

void TSettingsEditor::ProtocolChanged() {
    const int64_t protocol = ReadField(Mk, RecordField(u"Protocol"));
    StoreField(Mk, RecordField(u"PrevProtocol"), protocol);
    for (const char* subType : {"ProtTypeMain", "ProtTypeAdd1", "ProtTypeAdd2", "ProtTypeAdd3",
                                "ProtTypeAdd4", "ProtTypeAdd5", "ProtTypeAdd6", "ProtTypeAdd7"})
        StoreField(Mk, RecordField(QString::fromLatin1(subType)), 0);
    SelectProtocol(int(protocol));
    RebuildScreenList(*this);
    ApplyProtocol();
}

void TSettingsEditor::ApplyProtocol() {
    // Sub-type lists show their fields again; ranges that follow the protocol clamp.
    for (const TControlRow& row : RowList) {
        if (row.Name.startsWith(QLatin1String("cbProtType")))
            LoadRow(row, false);
        else if (row.RangeRule)
            ShownValues[row.Name] = Clamped(row, ShownValues.value(row.Name));
    }
}

void TSettingsEditor::NotifyRecordChanged() {
    if (RecordChanged)
        RecordChanged();
}
