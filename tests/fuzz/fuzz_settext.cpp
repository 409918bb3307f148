// Arbitrary text as mktool set takes it: NAME=VALUE split, VALUE read in the control's terms
// (numbers with decimals and signs, item indices, 1/0, times, dates, code page 1251 names)
// and put into the control. A value of the wrong form is refused before the editor; a
// refused store leaves the record as it was.
//
// Input: [selector] [text]. The selector's low bits choose the control when the text has
// no '=' (the text is then the value); bit 7 reads the text as code page 1251, else UTF-8.
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TState s;
    if (size < 1)
        return 0;
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
    const QByteArray before = RecordBytes(s.Mk);
    try {
        SettingAssignment::Assign(*s.Editor, *row, *parsed);
        ShownText(*s.Editor, row->Name);
    } catch (const TMKError&) {
        FUZZ_CHECK(RecordBytes(s.Mk) == before);
    }
    return 0;
}
