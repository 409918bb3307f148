// Arbitrary text as mktool set takes it: NAME=VALUE split, VALUE read in the control's terms
// (numbers with decimals and signs, item indices, 1/0, times, dates, code page 1251 names)
// and put into the control. A value of the wrong form is refused before the editor; a
// refused store leaves the record as it was. Or a whole text as set --from reads it: lines
// with CR LF or LF ends, comments, blank lines, code page 1251 or UTF-8 bytes (read as
// UTF-8, as mktool reads them); each assignment it yields then goes into the editor.
//
// Input: [selector] [text]. Bit 6 of the selector takes the text as a set --from file.
// Otherwise the selector's bits choose the control when the text has no '=' (the text is
// then the value), and bit 7 reads the text as code page 1251, else UTF-8.
#include "FuzzKit.h"

#include "base/Cp1251.h"
#include "base/MKError.h"
#include "editing/EditorSession.h"
#include "editing/SettingAssignment.h"
#include "editing/SettingsEditor.h"

#include <memory>
#include <vector>

namespace {

struct TState {
    TMK Mk;
    QByteArray Valid;
    std::unique_ptr<TSettingsEditor> Editor;
    std::vector<const TControlRow*> Texts; // edits and spins first: they parse the most
    TState() {
        PrepareFactoryModel(Mk);
        Editor = std::make_unique<TSettingsEditor>(Mk);
        Editor->Show();
        Valid = RecordBytes(Mk);
        for (const TControlRow& row : Editor->Rows())
            if (row.Kind == TControlKind::Edit || row.Kind == TControlKind::Spin)
                Texts.push_back(&row);
        for (const TControlRow& row : Editor->Rows())
            if (row.Kind != TControlKind::Edit && row.Kind != TControlKind::Spin)
                Texts.push_back(&row);
    }
};

// Puts the value in as mktool set does; a refused store leaves the record as it was.
void Assign(TState& s, const TControlRow& row, const QVariant& value) {
    const QByteArray before = RecordBytes(s.Mk);
    try {
        SettingAssignment::Assign(*s.Editor, row, value);
        ShownText(*s.Editor, row);
    } catch (const TMKError&) {
        FUZZ_CHECK(RecordBytes(s.Mk) == before);
    }
}

const QString Source = QStringLiteral("set.txt");

// Each assignment the text yields names its line; a refused text names the line it stops at.
void AssignText(TState& s, const QByteArray& text) {
    const QString origin = Source + QStringLiteral(", строка ");
    QList<SettingAssignment::TAssignment> assignments;
    try {
        assignments = SettingAssignment::TextAssignments(Source, text);
    } catch (const TMKError& e) {
        FUZZ_CHECK(e.Text().startsWith(origin));
        return;
    }
    int line = 0;
    for (const SettingAssignment::TAssignment& a : assignments) {
        FUZZ_CHECK(a.Origin.startsWith(origin));
        const int at = QStringView(a.Origin).mid(origin.size()).toInt();
        FUZZ_CHECK(at > line);
        line = at;
        FUZZ_CHECK(!a.Name.isEmpty() && a.Name == a.Name.trimmed());
        FUZZ_CHECK(!a.Name.contains(QLatin1Char(' ')) && !a.Name.contains(QLatin1Char('=')));
        FUZZ_CHECK(!a.Value.contains(QLatin1Char('\n')));
    }
    SetRecordBytes(s.Mk, s.Valid);
    s.Editor->Show();
    for (const SettingAssignment::TAssignment& a : assignments) {
        const TControlRow* row = s.Editor->Row(a.Name);
        if (!row)
            continue;
        if (const std::optional<QVariant> parsed = SettingAssignment::ParseValue(*row, a.Value))
            Assign(s, *row, *parsed);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TState s;
    if (size < 1)
        return 0;
    if (data[0] & 0x40) {
        AssignText(s, Bytes(data + 1, size - 1));
        return 0;
    }
    const QByteArray bytes = Bytes(data + 1, size - 1);
    const QString text = data[0] & 0x80 ? Cp1251::Decode(bytes) : QString::fromUtf8(bytes);
    const TControlRow* row = s.Texts[data[0] % s.Texts.size()];
    QString value = text;
    if (const auto assignment = SettingAssignment::Split(text)) {
        row = s.Editor->Row(assignment->Name);
        value = assignment->Value;
        if (!row)
            return 0;
    }
    const std::optional<QVariant> parsed = SettingAssignment::ParseValue(*row, value);
    if (!parsed)
        return 0;
    SetRecordBytes(s.Mk, s.Valid);
    s.Editor->Show();
    Assign(s, *row, *parsed);
    return 0;
}
