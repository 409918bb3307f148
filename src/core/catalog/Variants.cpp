#include "catalog/Variants.h"

namespace {

using enum TCap;
using enum TGroup;

constexpr TGroupMask SetA = {
    UseCanFamily, UseM74Can,   UseM86,   UseCanToyota, UseCanFord, UseEdc16Iveco, UseJ1939,
    UseChrysler,  UseJ1850,    UseTobd1, UseMikas,     UseDaewoo,  UseNissan,     UseMikas103,
    UseJanuary,   UseMikas76,  UseM74,   UseBoschM797, UseUaz1797, UseSonata,     UseTiggo,
    UseSubaru,    UseRenault,  UseVag,   UseMitsu3,    UseObd2,    UseToyota,     UseToyota1,
    UseDaihatsu,  UseMitsu,    UseOpel,  UseSsangYong, UseMitsu4,  UseConsult,    UseHonda,
    UseSuzuki,    UseUniversal};

// Columns: settings version, variants, designation, capabilities, protocol groups.
// clang-format off
const TVariantRow VariantRows[] = {
    {0x0001, Variants({0}), Designated, {HasCanBlocks}, SetA},
    {0x0001, Variants({1}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseEdc16Iveco, UseJ1850, UseMikas, UseDaewoo, UseMikas103, UseKorvet, UseJanuary, UseMikas76, UseM74, UseBoschM797, UseUaz1797, UseObd2, UseUniversal}},
    {0x0001, Variants({2}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseCanFord, UseJ1850, UseChrysler, UseNissan, UseRenault, UseVag, UseObd2, UseUniversal}},
    {0x0001, Variants({3}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseCanToyota, UseJ1850, UseTobd1, UseSonata, UseTiggo, UseSubaru, UseMitsu3, UseObd2, UseToyota, UseToyota1, UseDaihatsu, UseMitsu, UseSsangYong, UseMitsu4, UseConsult, UseHonda, UseSuzuki, UseUniversal}},
    {0x0001, Variants({4}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseEms3125, UseJ1850, UseDaewoo, UseJanuary, UseM74, UseBoschM797, UseObd2, UseOpel, UseUniversal}},
    {0x0001, Variants({5}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseUaz17971, UseEdc16Iveco, UseJ1939, UseJ1850, UseMikas103, UseMikas76, UseUaz1797, UseObd2, UseUniversal}},
    {0x0003, Variants({0}), Designated, {HasCanBlocks}, SetA},
    {0x0003, Variants({1}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseEdc16Iveco, UseJ1850, UseMikas, UseDaewoo, UseMikas103, UseKorvet, UseJanuary, UseMikas76, UseM74, UseBoschM797, UseUaz1797, UseObd2, UseUniversal}},
    {0x0003, Variants({2}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseCanFord, UseJ1850, UseChrysler, UseNissan, UseRenault, UseVag, UseObd2, UseUniversal}},
    {0x0003, Variants({3}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseCanToyota, UseJ1850, UseTobd1, UseSonata, UseTiggo, UseSubaru, UseMitsu3, UseObd2, UseToyota, UseToyota1, UseDaihatsu, UseMitsu, UseSsangYong, UseMitsu4, UseConsult, UseHonda, UseSuzuki, UseUniversal}},
    {0x0003, Variants({4}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseEms3125, UseJ1850, UseDaewoo, UseJanuary, UseM74, UseBoschM797, UseObd2, UseOpel, UseUniversal}},
    {0x0003, Variants({5}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseUaz17971, UseEdc16Iveco, UseJ1939, UseJ1850, UseMikas103, UseMikas76, UseUaz1797, UseObd2, UseUniversal}},
    {0x0101, Variants({0}), Designated, {HasCanBlocks}, SetA},
    {0x0101, Variants({1}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseEdc16Iveco, UseJ1850, UseMikas, UseDaewoo, UseMikas103, UseKorvet, UseJanuary, UseMikas76, UseM74, UseBoschM797, UseUaz1797, UseObd2, UseUniversal}},
    {0x0101, Variants({2}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseCanFord, UseJ1850, UseChrysler, UseNissan, UseRenault, UseVag, UseObd2, UseOpel, UseUniversal}},
    {0x0101, Variants({3}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseCanToyota, UseEms3125, UseJ1850, UseTobd1, UseSonata, UseTiggo, UseSubaru, UseMitsu3, UseObd2, UseToyota, UseToyota1, UseDaihatsu, UseMitsu, UseSsangYong, UseMitsu4, UseConsult, UseHonda, UseSuzuki, UseUniversal}},
    {0x0101, Variants({4}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseJ1850, UseDaewoo, UseJanuary, UseM74, UseBoschM797, UseObd2, UseUniversal}},
    {0x0101, Variants({5}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseUaz17971, UseEdc16Iveco, UseJ1939, UseJ1850, UseMikas103, UseKorvet, UseMikas76, UseUaz1797, UseObd2, UseUniversal}},
    {0x0103, Variants({0}), Designated, {HasCanBlocks}, SetA},
    {0x0103, Variants({1}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseEdc16Iveco, UseJ1850, UseMikas, UseDaewoo, UseMikas103, UseKorvet, UseJanuary, UseMikas76, UseM74, UseBoschM797, UseUaz1797, UseObd2, UseUniversal}},
    {0x0103, Variants({2}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseCanFord, UseJ1850, UseChrysler, UseNissan, UseRenault, UseVag, UseObd2, UseOpel, UseUniversal}},
    {0x0103, Variants({3}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseCanToyota, UseJ1850, UseTobd1, UseSonata, UseTiggo, UseSubaru, UseMitsu3, UseObd2, UseToyota, UseToyota1, UseDaihatsu, UseMitsu, UseSsangYong, UseMitsu4, UseConsult, UseHonda, UseSuzuki, UseUniversal}},
    {0x0103, Variants({4}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseEms3125, UseJ1850, UseDaewoo, UseJanuary, UseM74, UseBoschM797, UseObd2, UseUniversal}},
    {0x0103, Variants({5}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseUaz17971, UseEdc16Iveco, UseJ1939, UseJ1850, UseMikas103, UseKorvet, UseMikas76, UseUaz1797, UseObd2, UseUniversal}},
    {0x0104, AnyVariant, Designated, {HasTaximeter, HasOscilloscope, HasCanBlocks}, SetA},
    {0x0105, Variants({6}), Designated, {HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseCanToyota, UseEstima, UsePrius2, UsePrius3, UseRx400h, UseObd2}},
    {0x0201, AnyVariant, Designated, {NoParkType, NoDsSwitch, ObdEOnly, HasBlocks, HasTaximeter, HasOscilloscope}, {UseJanuary, UseM74, UseBoschM797, UseObd2}},
    {0x0202, AnyVariant, Designated, {NoDsSwitch, ObdEOnly, HasBlocks, HasTaximeter, HasOscilloscope}, {UseJanuary, UseM74, UseBoschM797, UseObd2}},
    {0x0301, AnyVariant, Designated, {NoParkType, NoVoice, NoDsSwitch, ObdEOnly, HasBlocks, HasTaximeter, HasOscilloscope}, {UseJanuary, UseM74, UseBoschM797, UseObd2}},
    {0x0302, AnyVariant, Designated, {NoVoice, NoDsSwitch, ObdEOnly, HasBlocks, HasTaximeter, HasOscilloscope}, {UseJanuary, UseM74, UseBoschM797, UseObd2}},
    {0x0401, AnyVariant, Designated, {NoVoice, NoVag, HasBlocks, HasTaximeter, HasOscilloscope}, {UseMikas, UseDaewoo, UseNissan, UseMikas103, UseJanuary, UseMikas76, UseM74, UseBoschM797, UseUaz1797, UseSonata, UseTiggo, UseSubaru, UseRenault, UseVag, UseObd2, UseUniversal}},
    {0x0501, AnyVariant, Designated, {NoVoice, HasBlocks, HasTaximeter, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseCanToyota, UseEdc16Iveco, UseMikas, UseDaewoo, UseNissan, UseMikas103, UseJanuary, UseMikas76, UseM74, UseBoschM797, UseUaz1797, UseSonata, UseTiggo, UseRenault, UseObd2, UseSsangYong, UseUniversal}},
    {0x0511, Variants({0}), Designated, {NoVoice, HasBlocks, HasTaximeter, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseCanToyota, UseEdc16Iveco, UseMikas, UseDaewoo, UseNissan, UseMikas103, UseJanuary, UseMikas76, UseM74, UseBoschM797, UseUaz1797, UseSonata, UseTiggo, UseRenault, UseObd2, UseSsangYong, UseObdPwm, UseUniversal}},
    {0x0511, Variants({1}), Designated, {NoVoice, HasBlocks, HasTaximeter, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseEdc16Iveco, UseMikas, UseDaewoo, UseMikas103, UseKorvet, UseJanuary, UseMikas76, UseM74, UseBoschM797, UseUaz1797, UseObd2, UseObdPwm, UseUniversal}},
    {0x0511, Variants({2}), Designated, {NoVoice, HasBlocks, HasTaximeter, HasCanBlocks}, {UseCanFamily, UseCanToyota, UseNissan, UseSonata, UseTiggo, UseRenault, UseObd2, UseSsangYong, UseObdPwm, UseUniversal}},
    {0x0511, Variants({4}), Designated, {NoVoice, HasBlocks, HasTaximeter, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseEms3125, UseDaewoo, UseJanuary, UseM74, UseBoschM797, UseObd2, UseObdPwm, UseUniversal}},
    {0x0511, Variants({5}), Designated, {NoVoice, HasBlocks, HasTaximeter, HasCanBlocks}, {UseCanFamily, UseUaz17971, UseEdc16Iveco, UseMikas, UseMikas103, UseKorvet, UseMikas76, UseUaz1797, UseObd2, UseObdPwm, UseUniversal}},
    {0x0512, Variants({6}), Designated, {NoVoice, HasBlocks, HasTaximeter, HasCanBlocks}, {UseCanFamily, UseCanToyota, UseEstima, UsePrius2, UsePrius3, UseRx400h, UseObd2, UseObdPwm}},
    {0x0601, AnyVariant, Designated, {NoVoice, NoAirTemperature, HasLightsControl, NoDsSwitch, ObdEOnly, HasBlocks, HasTaximeter, HasOscilloscope}, {UseJanuary, UseM74, UseBoschM797, UseObd2}},
    {0x0701, AnyVariant, Designated, {NoAirTemperature, HasLightsControl, NoDsSwitch, ObdEOnly, HasBlocks, HasTaximeter, HasOscilloscope}, {UseJanuary, UseM74, UseBoschM797, UseObd2}},
    {0x0801, Variants({0}), Designated, {NoVoice, HasLightsControl, NoDsSwitch, HasTank2, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseUaz17971, UseCanToyota, UseEdc16Iveco, UseJ1939, UseMikas, UseMikas103, UseJanuary, UseMikas76, UseM74, UseBoschM797, UseUaz1797, UseObd2}},
    {0x0801, Variants({1}), Designated, {NoVoice, HasLightsControl, NoDsSwitch, HasTank2, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseEdc16Iveco, UseMikas, UseMikas103, UseKorvet, UseJanuary, UseMikas76, UseM74, UseBoschM797, UseUaz1797, UseObd2}},
    {0x0801, Variants({2}), Designated, {NoVoice, HasLightsControl, NoDsSwitch, HasTank2, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseCanToyota, UseKorvet, UseObd2}},
    {0x0801, Variants({3, 6, 7, 8, 9, 10, 11}), NoDesignation, {NoVoice, HasLightsControl, NoDsSwitch, HasTank2, HasOscilloscope}, {}},
    {0x0801, Variants({4}), Designated, {NoVoice, HasLightsControl, NoDsSwitch, HasTank2, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseEms3125, UseJanuary, UseM74, UseBoschM797, UseObd2}},
    {0x0801, Variants({5}), Designated, {NoVoice, HasLightsControl, NoDsSwitch, HasTank2, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseUaz17971, UseEdc16Iveco, UseJ1939, UseMikas, UseMikas103, UseMikas76, UseUaz1797, UseObd2}},
    {0x0901, Variants({0}), Designated, {HasLightsControl, NoDsSwitch, HasTank2, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseUaz17971, UseCanToyota, UseEdc16Iveco, UseJ1939, UseMikas, UseMikas103, UseJanuary, UseMikas76, UseM74, UseBoschM797, UseUaz1797, UseObd2}},
    {0x0901, Variants({1}), Designated, {HasLightsControl, NoDsSwitch, HasTank2, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseEdc16Iveco, UseMikas, UseMikas103, UseKorvet, UseJanuary, UseMikas76, UseM74, UseBoschM797, UseUaz1797, UseObd2}},
    {0x0901, Variants({2}), Designated, {HasLightsControl, NoDsSwitch, HasTank2, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseCanToyota, UseKorvet, UseObd2}},
    {0x0901, Variants({3, 6, 7, 8, 9, 10, 11}), NoDesignation, {HasLightsControl, NoDsSwitch, HasTank2, HasOscilloscope}, {}},
    {0x0901, Variants({4}), Designated, {HasLightsControl, NoDsSwitch, HasTank2, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseEms3125, UseJanuary, UseM74, UseBoschM797, UseObd2}},
    {0x0901, Variants({5}), Designated, {HasLightsControl, NoDsSwitch, HasTank2, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseUaz17971, UseEdc16Iveco, UseJ1939, UseMikas, UseMikas103, UseMikas76, UseUaz1797, UseObd2}},
    {0x0A01, Variants({0}), Designated, {NoVoice, NoDsSwitch, NoVag, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseCanToyota, UseEdc16Iveco, UseJ1939, UseMikas, UseNissan, UseMikas103, UseJanuary, UseMikas76, UseM74, UseBoschM797, UseRenault, UseVag, UseObd2, UseSsangYong}},
    {0x0A01, Variants({1}), Designated, {NoVoice, NoDsSwitch, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseEdc16Iveco, UseMikas, UseMikas103, UseKorvet, UseJanuary, UseMikas76, UseM74, UseBoschM797, UseObd2}},
    {0x0A01, Variants({2}), Designated, {NoVoice, NoDsSwitch, NoVag, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseCanToyota, UseNissan, UseRenault, UseVag, UseObd2, UseSsangYong}},
    {0x0A01, Variants({3, 6, 7, 8, 9, 11}), NoDesignation, {NoVoice, NoDsSwitch, HasTaximeter, HasOscilloscope}, {}},
    {0x0A01, Variants({4}), Designated, {NoVoice, NoDsSwitch, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseEms3125, UseJanuary, UseM74, UseBoschM797, UseObd2}},
    {0x0A01, Variants({5}), Designated, {NoVoice, NoDsSwitch, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseUaz17971, UseEdc16Iveco, UseJ1939, UseMikas103, UseKorvet, UseMikas76, UseObd2}},
    {0x0A01, Variants({10}), Designated, {NoVoice, NoDsSwitch, HasUniversalInput, NoParking, NoGas, NoVag, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseCanToyota, UseEdc16Iveco, UseJ1939, UseTobd1, UseMikas, UseNissan, UseMikas103, UseKorvet, UseJanuary, UseMikas76, UseM74, UseBoschM797, UseRenault, UseVag, UseObd2, UseSsangYong, UseUniversal}},
    {0x0B01, Variants({0}), Designated, {NoDsSwitch, NoVag, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseCanToyota, UseEdc16Iveco, UseJ1939, UseMikas, UseNissan, UseMikas103, UseJanuary, UseMikas76, UseM74, UseBoschM797, UseRenault, UseVag, UseObd2, UseSsangYong}},
    {0x0B01, Variants({1}), Designated, {NoDsSwitch, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseEdc16Iveco, UseMikas, UseMikas103, UseKorvet, UseJanuary, UseMikas76, UseM74, UseBoschM797, UseObd2}},
    {0x0B01, Variants({2}), Designated, {NoDsSwitch, NoVag, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseCanToyota, UseNissan, UseRenault, UseVag, UseObd2, UseSsangYong}},
    {0x0B01, Variants({3, 6, 7, 8, 9, 10, 11}), NoDesignation, {NoDsSwitch, HasTaximeter, HasOscilloscope}, {}},
    {0x0B01, Variants({4}), Designated, {NoDsSwitch, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseM74Can, UseM86, UseEms3125, UseJanuary, UseM74, UseBoschM797, UseObd2}},
    {0x0B01, Variants({5}), Designated, {NoDsSwitch, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, {UseCanFamily, UseUaz17971, UseEdc16Iveco, UseJ1939, UseMikas103, UseKorvet, UseMikas76, UseObd2}},
    {0x0C01, Variants({0}), Designated, {NoVoice, NoDsSwitch, NoParking, NoGas, ServiceInThousandKm}, {UseTiggo, UseDelphi}},
    {0x0C01, VariantRange(1, 11), NoDesignation, {NoVoice, NoDsSwitch}, {}},
    {0x8001, AnyVariant, NoDesignation, {HasTank2, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, SetA | TGroupMask{UseUaz17971, UseEms3125, UseKorvet}},
    {0x8002, AnyVariant, NoDesignation, {HasTank2, J1939Extended, Is24V, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, SetA | TGroupMask{UseUaz17971, UseEms3125, UseNmea2000, UseKorvet}},
    {0x8003, AnyVariant, NoDesignation, {HasTank2, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, SetA | TGroupMask{UseUaz17971, UseEstima, UsePrius2, UsePrius3, UseRx400h, UseEms3125, UseKorvet}},
    {0x8004, AnyVariant, NoDesignation, {HasTank2, HasBlocks, HasTaximeter, HasOscilloscope, HasCanBlocks}, SetA | TGroupMask{UseUaz17971, UseEms3125, UseKorvet}},
};
// clang-format on

// Our model designations: the settings version in hex names the device, a variant other than
// 0 is appended after an underscore ("MK-0801_5").
QString Designation(uint16_t settingsVersion, uint8_t variant) {
    QString text = QStringLiteral("MK-%1").arg(settingsVersion, 4, 16, QLatin1Char('0')).toUpper();
    if (variant != 0)
        text += QStringLiteral("_%1").arg(variant);
    return text;
}

} // namespace

std::span<const TVariantRow> DeviceVariantRows() {
    return VariantRows;
}

TDeviceVariant LookUpDeviceVariant(uint16_t settingsVersion, uint8_t variant) {
    for (const TVariantRow& row : VariantRows) {
        if (row.SettingsVersion != settingsVersion || !row.Variants.Contains(variant))
            continue;
        TDeviceVariant found;
        if (row.Designation == Designated)
            found.ProjectName = Designation(settingsVersion, variant);
        found.Flags = TDeviceFlags::From(row.Caps, row.Groups);
        return found;
    }
    return {};
}
