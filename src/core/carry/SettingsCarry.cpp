#include "carry/SettingsCarry.h"

#include "base/MKError.h"
#include "carry/CarrySource.h"
#include "catalog/MenuItems.h"
#include "catalog/Protocols.h"
#include "editing/BlockChoice.h"
#include "editing/Conversions.h"
#include "editing/EditorSession.h"
#include "editing/EditorTables.h"
#include "editing/HotMenus.h"
#include "editing/PageTree.h"
#include "editing/ScreenEnable.h"
#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace {

const QString DisplayPage = QStringLiteral("Дисплей");
const QString BlocksPage = QStringLiteral("tsBlocks");

// How one control went: Rounded when the target holds the value only rounded.
enum class TOutcome { Carried, Empty, Refused, Rounded };

struct TAttempt {
    TOutcome Outcome = TOutcome::Refused;
    QString Reason;
};

// Where each screen kind's ids live and what the editor calls its page.
struct TScreenNames {
    const char* Field;
    QString Page;
};

TScreenNames ScreenNames(TScreenKind kind) {
    switch (kind) {
    case TScreenKind::Four:
        return {"Screens4", QStringLiteral("Дисплеи х4")};
    case TScreenKind::Nine:
        return {"Screens9", QStringLiteral("Дисплеи х9")};
    case TScreenKind::Seven:
        return {"Screens7", QStringLiteral("Дисплеи х7")};
    case TScreenKind::Six:
        return {"Screen6", QStringLiteral("Дисплей х6")};
    case TScreenKind::Graph:
        return {"GraphScreens", QStringLiteral("Граф. дисплеи")};
    case TScreenKind::Arrow:
        return {"ArrowScreens", QStringLiteral("Стрел. дисплеи")};
    }
    throw TRangeError();
}

class TCarrier {
public:
    TCarrier(TSettingsEditor& editor, const TCarrySource& source, TCarryReport& report)
        : E(editor), S(source), R(report) {}

    // The protocol first: it decides the sub-types, ranges and what shows.
    void Run() {
        CarryProtocol();
        CarryControls();
        CarryOneValues();
        CarryColours();
        CarryScreens();
        CarryHotMenus();
        CarryTank();
        CarryBlocks();
    }

private:
    void Report(const QString& name, const QString& page, const QString& caption,
                const QString& from, const QString& reason) {
        R.NotCarried.push_back({name, page, caption, from, reason});
    }

    void CarryProtocol() {
        const auto& protocols = E.Mk.Catalog.Protocols();
        for (std::size_t i = 0; i < protocols.size(); ++i) {
            const TProtBase& entry = *protocols[i];
            if (entry.ProtName != S.ProtName || entry.ProtCode != S.ProtCode)
                continue;
            if (ReadField(E.Mk, RecordField(u"Protocol")) != int64_t(i))
                E.Put(ProtocolControl, int(i));
            ProtocolCarried = true;
            ++R.Carried;
            return;
        }
        const TControlRow& row = E.RowOrThrow(ProtocolControl);
        Report(row.Name, E.MainPage(row).Caption, row.Caption,
               QStringLiteral("%1 (код %2)").arg(S.ProtName).arg(S.ProtCode),
               CarryReasons::ProtocolNotOffered());
    }

    // A control's visibility may follow another's value (the lock level its lock type, the
    // 7-point rows their count, the ADC points each other): passes repeat while any control
    // is taken, so the order of the tables needs no knowledge of those rules.
    void CarryControls() {
        struct TPending {
            const TShownSetting* Setting;
            const TControlRow* Row; // the target's
            QString Reason;         // why the last pass refused it
        };
        std::vector<TPending> pending;
        for (const TShownSetting& setting : S.Controls) {
            if (IsSubTypeList(setting.Name) && !ProtocolCarried)
                Report(setting.Name, setting.Page, setting.Caption, setting.Text,
                       CarryReasons::ProtocolNotOffered());
            else
                pending.push_back({&setting, &TargetRow(setting), {}});
        }
        for (bool progress = true; progress && !pending.empty();) {
            progress = false;
            std::vector<TPending> left;
            for (TPending& control : pending) {
                TAttempt attempt = CarryControl(*control.Setting, *control.Row);
                if (attempt.Outcome == TOutcome::Refused) {
                    control.Reason = std::move(attempt.Reason);
                    left.push_back(std::move(control));
                    continue;
                }
                progress = true;
                R.Carried += attempt.Outcome == TOutcome::Carried;
                if (attempt.Outcome == TOutcome::Rounded) {
                    const TShownSetting& setting = *control.Setting;
                    Report(setting.Name, setting.Page, setting.Caption, setting.Text,
                           attempt.Reason);
                }
            }
            pending = std::move(left);
        }
        for (const TPending& control : pending) {
            const TShownSetting& setting = *control.Setting;
            Report(setting.Name, setting.Page, setting.Caption, setting.Text, control.Reason);
        }
    }

    // Every MK's editor has the same rows: the target's row is where the source's was, unless
    // their tables differ.
    const TControlRow& TargetRow(const TShownSetting& setting) const {
        const std::vector<TControlRow>& rows = E.Rows();
        if (setting.Position < rows.size() && rows[setting.Position].Name == setting.Name)
            return rows[setting.Position];
        return E.RowOrThrow(setting.Name);
    }

    TAttempt CarryControl(const TShownSetting& setting, const TControlRow& row) {
        if (!E.Visible(row) || !E.Enabled(row))
            return {TOutcome::Refused, CarryReasons::NotOnThisMK()};
        const QVariant shown = E.Shown(row);
        QVariant value = setting.Shown;
        switch (row.Kind) {
        case TControlKind::Radio:
        case TControlKind::List: {
            if (setting.Shown.toInt() < 0)
                return {TOutcome::Empty, {}};
            const QStringList items = E.Items(row);
            const int same = setting.Shown.toInt();
            const int item = same < items.size() && items[same] == setting.Text
                                 ? same
                                 : int(items.indexOf(setting.Text));
            if (item < 0 || !E.ItemEnabled(row, item))
                return {TOutcome::Refused, CarryReasons::ItemNotOffered()};
            if (shown.toInt() == item)
                return {TOutcome::Carried, {}};
            value = item;
            break;
        }
        case TControlKind::Spin: {
            const TRange range = E.Range(row);
            const double v = setting.Shown.toDouble();
            if (v < range.Min || v > range.Max)
                return {TOutcome::Refused,
                        CarryReasons::OutOfRange(range.Min, range.Max, row.Decimals)};
            if (shown.toDouble() == v)
                return {TOutcome::Carried, {}};
            break;
        }
        case TControlKind::Check:
            if (shown.toBool() == setting.Shown.toBool())
                return {TOutcome::Carried, {}};
            break;
        case TControlKind::Edit:
            if (shown.toString() == setting.Shown.toString())
                return {TOutcome::Carried, {}};
            break;
        }
        const TAttempt attempt = Store(row, value);
        return row.Kind == TControlKind::Spin && attempt.Outcome == TOutcome::Carried
                   ? HeldAsGiven(row, value.toDouble())
                   : attempt;
    }

    // The spin shows what the record now holds, as the dialog would after the store; a value
    // the target's precision (decimals, steps) changed is carried rounded and reported.
    TAttempt HeldAsGiven(const TControlRow& row, double given) {
        E.Reload(row);
        const double held = E.Shown(row).toDouble();
        const double noise = 0.25 * std::pow(10.0, -row.Decimals - 1); // a float's last bits
        if (std::abs(held - given) <= noise)
            return {TOutcome::Carried, {}};
        return {TOutcome::Rounded, CarryReasons::Rounded(held, row.Decimals)};
    }

    // The value goes in as the user puts it; the "Показывать" groups act on their page only.
    TAttempt Store(const TControlRow& row, const QVariant& value) {
        const bool onBlocksPage = row.Page == BlocksPage;
        if (onBlocksPage)
            BlockChoice::Enter(E);
        TAttempt attempt{TOutcome::Carried, {}};
        try {
            E.Put(row, value);
        } catch (const TMKError& e) {
            attempt = {TOutcome::Refused, e.Text()};
        }
        if (onBlocksPage)
            BlockChoice::Leave(E);
        return attempt;
    }

    // The target's id for what `id` stands for on the source: the same id where it means the
    // same here, else the id of the same parameter here; -1 when the target lacks it. An id
    // the source's catalogue lacks goes as it is.
    int TargetParamId(int id, const TParamMeaning& meaning) const {
        if (!meaning || ParamMeaning(E.Mk, id) == meaning)
            return id;
        for (const auto& param : E.Mk.Catalog.MeasParams())
            if (param->Kind() == *meaning)
                return param->Id;
        return -1;
    }

    // x1 boxes by the parameter each stands for.
    void CarryOneValues() {
        const TProtBase& protocol = E.Protocol();
        const int count = std::min(protocol.ParamCount, ScreenEnable::OneValueBoxes);
        const std::span<const TControlRow> rows = ScreenEnable::OneValueRows(E);
        for (const TShownOneValue& source : S.OneValues) {
            const int id = TargetParamId(source.ParamId, source.Meaning);
            const auto* first = protocol.ParamIds.data();
            const auto* found = id < 0 ? first + count : std::find(first, first + count, id);
            if (found == first + count) {
                if (source.Checked)
                    Report(ScreenEnable::BoxName('1', source.Box), DisplayPage, source.Caption,
                           QStringLiteral("да"), CarryReasons::IdNotInCatalogue());
                continue;
            }
            const TControlRow& row = rows[std::size_t(found - first)];
            if (E.Shown(row).toBool() != source.Checked)
                E.Put(row, source.Checked);
            ++R.Carried;
        }
    }

    // The scheme was carried with the controls (a factory scheme copies its table); the
    // tables themselves are alike on every MK and go whole.
    void CarryColours() {
        TDisplaySettings& display = E.Mk.Record.DisplaySettings;
        const auto same = [](const TColorTable& a, const TColorTable& b) {
            return std::memcmp(&a, &b, sizeof a) == 0;
        };
        if (same(display.ColorTable0, S.ColorTable0) && same(display.ColorTable1, S.ColorTable1) &&
            display.ColorScheme >> 4 == S.FactoryScheme)
            return;
        display.ColorTable0 = S.ColorTable0;
        display.ColorTable1 = S.ColorTable1;
        StoreField(E.Mk, RecordField(u"ColorScheme"),
                   S.FactoryScheme << 4 | (display.ColorScheme & 0x0F));
        ApplySchemeChoice(E);
        E.NotifyRecordChanged();
    }

    void CarryScreens() {
        ScreenChoice::TPartMenus menus(E);
        for (const TShownScreens& screens : S.Screens) {
            const TScreenNames names = ScreenNames(screens.Kind);
            const int parts = ScreenChoice::PartCount(screens.Kind);
            for (int slot = 0; slot < int(screens.Ids.size()); ++slot) {
                if (screens.Ids[std::size_t(slot)] < 0)
                    continue;
                const int id = TargetParamId(screens.Ids[std::size_t(slot)],
                                             screens.Meanings[std::size_t(slot)]);
                const int display = slot / parts;
                const int part = slot % parts;
                if (id >= 0 && ScreenChoice::StoredId(E.Mk, screens.Kind, display, part) == id)
                    continue;
                if (id >= 0 && menus.Find(screens.Kind, part, id)) {
                    ScreenChoice::StoreId(E.Mk, screens.Kind, display, part, id);
                    continue;
                }
                Report(QString::fromLatin1(names.Field), DisplayPage,
                       QStringLiteral("%1 › дисплей %2, поле %3")
                           .arg(names.Page)
                           .arg(display + 1)
                           .arg(part + 1),
                       screens.Names[std::size_t(slot)], CarryReasons::IdNotInCatalogue());
            }
        }
    }

    // Each list keeps the items the target's menu item catalogue holds, in their order, each
    // under the target's id for its name (ids count the items a device has, so they differ).
    void CarryHotMenus() {
        for (int list = 0; list < HotMenus::ListCount; ++list) {
            std::vector<uint16_t> carried;
            for (const TShownMenuItem& item : S.HotMenus[std::size_t(list)]) {
                const TMKMenuItem* target =
                    item.Name.isEmpty() ? nullptr : E.Mk.Catalog.FindMenuItem(item.Name);
                if (target) {
                    carried.push_back(target->Id);
                    continue;
                }
                Report(QStringLiteral("HotMenus"), DisplayPage,
                       QStringLiteral("Горячие меню › %1").arg(HotMenus::ListCaption(list)),
                       item.Caption.isEmpty() ? QString::number(item.Id) : item.Caption,
                       CarryReasons::IdNotInCatalogue());
            }
            // Empty rows are no setting: the same items in the same order are the same list.
            std::vector<uint16_t> held;
            for (int row = 0; row < HotMenus::RowCount; ++row)
                if (const uint16_t id = HotMenus::Entry(E.Mk, list, row))
                    held.push_back(id);
            if (held == carried)
                continue;
            HotMenus::Clear(E.Mk, list);
            for (std::size_t row = 0; row < carried.size(); ++row)
                HotMenus::Insert(E.Mk, list, int(row), carried[row]);
        }
        E.NotifyRecordChanged();
    }

    // After the point count: the table stores as the grid stores what was typed into it.
    void CarryTank() {
        if (TankTable::Cells(E.Mk) == S.Tank)
            return;
        E.TarirEdited = true;
        try {
            TankTable::Store(E, S.Tank);
        } catch (const TMKError& e) {
            Report(QStringLiteral("TarirLitres"), MainPageOf(QStringLiteral("tsOil")).Caption,
                   QStringLiteral("Таблица тарировки"),
                   QStringLiteral("%1 точек").arg(S.Tank.size()), e.Text());
        }
        E.TarirEdited = false;
    }

    // Systems both pages offer follow the source; those only the target offers stay its own.
    void CarryBlocks() {
        if (!S.BlocksShown)
            return;
        const QString page = MainPageOf(BlocksPage).Caption;
        const bool shown = E.PageVisible(BlocksPage);
        const std::vector<TAddSystem> catalogue =
            shown ? BlockChoice::Catalogue(E) : std::vector<TAddSystem>{};
        const auto offered = [&catalogue](int id) {
            return std::any_of(catalogue.begin(), catalogue.end(),
                               [id](const TAddSystem& entry) { return entry.Id == id; });
        };
        for (const TAddSystem& block : S.Blocks)
            if (!offered(block.Id))
                Report(QStringLiteral("Blocks"), page, page, block.Name,
                       shown ? CarryReasons::IdNotInCatalogue() : CarryReasons::NotOnThisMK());
        for (const TAddSystem& entry : catalogue) {
            if (std::find(S.BlockCatalogue.begin(), S.BlockCatalogue.end(), entry.Id) ==
                S.BlockCatalogue.end())
                continue;
            const bool chosen =
                std::any_of(S.Blocks.begin(), S.Blocks.end(),
                            [&entry](const TAddSystem& block) { return block.Id == entry.Id; });
            if (BlockChoice::Chosen(E.Mk, entry.Id) != chosen)
                BlockChoice::SetChosen(E.Mk, entry.Id, chosen);
        }
    }

    TSettingsEditor& E;
    const TCarrySource& S;
    TCarryReport& R;
    bool ProtocolCarried = false;
};

} // namespace

TCarryReport CarrySettings(TMK& source, TMK& target) {
    const TCarrySource taken = TakeCarrySource(source);
    TCarryReport report;
    RunEditorModel(target, [&](TSettingsEditor& editor) {
        TCarrier(editor, taken, report).Run();
        return true;
    });
    return report;
}
