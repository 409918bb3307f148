// Arbitrary bytes loaded as a tank file (.rvtnk) into the editor on a valid record, then
// the page load. A short file changes only the fields it holds whole, a long one nothing;
// the page load changes nothing outside the tank calibration.
#include "FuzzKit.h"

#include "base/MKError.h"
#include "editing/Conversions.h"
#include "editing/SettingsEditor.h"
#include "editing/TankFile.h"
#include "editing/TankTable.h"

#include <memory>
#include <vector>

namespace {

// The file's fields in file order; an empty name is the first byte of the tank block.
const char16_t* const FileOrder[] = {
    u"Oil6L",           u"Lit6L",          u"Oil43L",     u"Lit43L",          u"OilCalibrResArr",
    u"OilCalibrLitArr", u"OilCalibrQuant", u"",           u"TarirFlagFinish", u"TarirLeng",
    u"TarirStartHigh",  u"TarirLitres",    u"TarirUnits",
};

struct TFileField {
    std::size_t RecordOffset; // from the start of the record
    int Bytes;
};

std::vector<TFileField> FileFields(const TMK& mk) {
    const auto* record = reinterpret_cast<const uint8_t*>(&mk.Record);
    std::vector<TFileField> fields;
    for (const char16_t* name : FileOrder) {
        if (!*name) {
            fields.push_back({std::size_t(mk.BlockBytes(TBlock::TankCalibration) - record), 1});
            continue;
        }
        const TFieldRef ref = RecordField(QStringView(name));
        fields.push_back({std::size_t(mk.BlockBytes(ref.Block) - record) + ref.Field->Offset,
                          ref.Field->Count * ref.Field->ElementSize});
    }
    return fields;
}

struct TState {
    TMK Mk;
    QByteArray Valid;
    std::vector<TFileField> Fields;
    std::unique_ptr<TSettingsEditor> Editor;
    TState() {
        PrepareFactoryModel(Mk);
        Editor = std::make_unique<TSettingsEditor>(Mk);
        Editor->Show();
        Valid = RecordBytes(Mk);
        Fields = FileFields(Mk);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TState s;
    SetRecordBytes(s.Mk, s.Valid);
    const QByteArray file = Bytes(data, size);
    try {
        FUZZ_CHECK(TankFile::Apply(s.Mk, file) == int(size));
        FUZZ_CHECK(size <= std::size_t(TankFile::Size));
    } catch (const TMKError&) {
        FUZZ_CHECK(size > std::size_t(TankFile::Size));
        FUZZ_CHECK(RecordBytes(s.Mk) == s.Valid);
        return 0;
    }
    // Fields held whole come from the file in file order; everything else is as it was.
    QByteArray expected = s.Valid;
    std::size_t at = 0;
    for (const TFileField& f : s.Fields) {
        if (at + std::size_t(f.Bytes) > size)
            break;
        std::memcpy(expected.data() + f.RecordOffset, data + at, std::size_t(f.Bytes));
        at += std::size_t(f.Bytes);
    }
    FUZZ_CHECK(RecordBytes(s.Mk) == expected);

    TankTable::LoadPage(*s.Editor);
    const QByteArray loaded = RecordBytes(s.Mk);
    const TFieldRef leng = RecordField(u"TarirLeng");
    const std::size_t lengAt =
        std::size_t(s.Mk.BlockBytes(leng.Block) - reinterpret_cast<const uint8_t*>(&s.Mk.Record)) +
        leng.Field->Offset;
    // The page load only puts a point count beyond the table back to 0.
    const char* now = loaded.constData();
    const char* want = expected.constData();
    for (std::size_t i = 0; i < sizeof s.Mk.Record; ++i)
        FUZZ_CHECK(now[i] == want[i] || (i == lengAt && now[i] == 0));
    FUZZ_CHECK(TankTable::Points(s.Mk) <= MaxTarirPoints);
    FUZZ_CHECK(TankTable::Cells(s.Mk).size() == TankTable::Points(s.Mk));
    return 0;
}
