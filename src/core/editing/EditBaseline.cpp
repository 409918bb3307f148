#include "editing/EditBaseline.h"

#include "base/MKError.h"
#include "editing/EditorSession.h"
#include "editing/PageTree.h"
#include "editing/SettingsEditor.h"
#include "model/DeviceModel.h"

#include <QStringList>
#include <algorithm>

namespace {

const uint8_t* RecordBytes(const TSettingsEditor& editor) {
    return reinterpret_cast<const uint8_t*>(&editor.Mk.Record);
}

const uint8_t* Bytes(const QByteArray& record) {
    return reinterpret_cast<const uint8_t*>(record.constData());
}

// The caption a control is known by: its own, or that of the captioned control before it on
// its line of the page (an "in use" box, a name edit).
QString KnownCaption(const TSettingsEditor& editor, std::size_t i) {
    const std::vector<TControlRow>& rows = editor.Rows();
    for (std::size_t j = i + 1; j-- > 0 && rows[j].Page == rows[i].Page;)
        if (const QString caption = editor.Caption(rows[j]); !caption.isEmpty())
            return caption;
    return rows[i].Name;
}

void Count(QHash<QString, int>& pages, const QString& page) {
    for (const TPageInfo* p = FindPage(page); p;
         p = p->Parent.isEmpty() ? nullptr : FindPage(p->Parent))
        ++pages[p->Name];
}

} // namespace

QString TSettingChange::Line() const {
    QStringList path;
    for (const TPageInfo* p = FindPage(Page); p;
         p = p->Parent.isEmpty() ? nullptr : FindPage(p->Parent))
        path.prepend(p->Caption);
    path.append(Caption);
    return QStringLiteral("%1: %2 → %3").arg(path.join(QStringLiteral(" › ")), Was, Now);
}

void TEditBaseline::Take(const TSettingsEditor& editor) {
    Base = editor.Snapshot();
    const std::vector<TControlRow>& rows = editor.Rows();
    Texts.clear();
    Tracked.clear();
    Texts.reserve(rows.size());
    Tracked.reserve(rows.size());
    for (const TControlRow& row : rows) {
        Texts.push_back(ShownText(editor, row));
        Tracked.push_back(row.Load && row.Store);
    }
    PartList = PageDataParts(editor);
}

bool TEditBaseline::Differs(const TSettingsEditor& editor, const TControlRow& row) const {
    const std::size_t i = std::size_t(&row - editor.Rows().data());
    if (i >= Tracked.size() || !Tracked[i] || i >= Base.Shown.size())
        return false;
    const QVariant now = editor.Shown(row);
    const QVariant& was = Base.Shown[i];
    if (now == was)
        return false;
    // Spin values alike to their decimals show alike.
    if (row.Kind == TControlKind::Spin)
        return QString::number(now.toDouble(), 'f', row.Decimals) !=
               QString::number(was.toDouble(), 'f', row.Decimals);
    return true;
}

QString TEditBaseline::Text(const TSettingsEditor& editor, const TControlRow& row) const {
    const std::size_t i = std::size_t(&row - editor.Rows().data());
    return i < Texts.size() ? Texts[i] : QString();
}

TChangeMarks TEditBaseline::Marks(const TSettingsEditor& editor) const {
    TChangeMarks marks;
    const std::vector<TControlRow>& rows = editor.Rows();
    marks.Controls.resize(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (Differs(editor, rows[i])) {
            marks.Controls[i] = true;
            Count(marks.Pages, rows[i].Page);
            ++marks.Count;
        }
    const uint8_t* now = RecordBytes(editor);
    for (const TPagePart& part : PartList)
        if (part.Differs(now, Bytes(Base.Record))) {
            Count(marks.Pages, part.Page);
            ++marks.Count;
        }
    return marks;
}

std::vector<TSettingChange> TEditBaseline::Changes(const TSettingsEditor& editor) const {
    std::vector<TSettingChange> changes;
    const std::vector<TControlRow>& rows = editor.Rows();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (Differs(editor, rows[i]))
            changes.push_back({rows[i].Page, rows[i].Name, KnownCaption(editor, i), Texts[i],
                               ShownText(editor, rows[i]), int(i)});
    const uint8_t* now = RecordBytes(editor);
    for (std::size_t p = 0; p < PartList.size(); ++p) {
        const TPagePart& part = PartList[p];
        if (part.Differs(now, Bytes(Base.Record)))
            changes.push_back({part.Page, QString(), part.Caption,
                               part.Text(editor, Bytes(Base.Record)), part.Text(editor, now),
                               int(p)});
    }
    return changes;
}

void RevertChanges(TSettingsEditor& editor, const std::vector<TSettingChange>& changes) {
    const TEditBaseline& baseline = editor.Baseline();
    const TEditorSnapshot& base = baseline.State();
    std::vector<const TControlRow*> controls;
    std::vector<const TPagePart*> parts;
    for (const TSettingChange& change : changes) {
        const auto item = std::size_t(change.Item);
        if (change.Control.isEmpty() && item < baseline.Parts().size())
            parts.push_back(&baseline.Parts()[item]);
        else if (const TControlRow* row = editor.Row(change.Control))
            controls.push_back(row);
    }
    // In table order, so a cascade (a protocol's sub-types) comes before what it sets.
    std::sort(controls.begin(), controls.end());
    editor.Change([&] {
        // A value refused beside another changed one (two ADC counts) goes in once the other
        // is back.
        std::vector<const TControlRow*> refused;
        for (int pass = 0; pass < 2 && !controls.empty(); ++pass) {
            refused.clear();
            for (const TControlRow* row : controls) {
                try {
                    editor.Put(*row, base.Shown[std::size_t(row - editor.Rows().data())]);
                } catch (const TMKError&) {
                    if (pass == 1)
                        throw;
                    refused.push_back(row);
                }
            }
            controls.swap(refused);
        }
        // The parts last: a cascade of a control put back (a scheme's table) does not undo them.
        auto* record = reinterpret_cast<uint8_t*>(&editor.Mk.Record);
        for (const TPagePart* part : parts)
            part->Copy(record, Bytes(base.Record));
    });
}
