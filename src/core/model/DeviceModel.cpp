#include "model/DeviceModel.h"

#include "base/Cp1251.h"
#include "base/MKError.h"
#include "catalog/MenuItems.h"
#include "model/Preview.h"

#include <algorithm>
#include <cstring>

namespace {

#define MK_BLOCK(name, entry)                                                                      \
    TBlockInfo {                                                                                   \
        TBlock::name, #name, entry, offsetof(TSettingsRecord, name), sizeof(T##name)               \
    }

const std::array<TBlockInfo, BlockCount> Blocks = {{
    MK_BLOCK(TripTotals, 1),
    MK_BLOCK(ParkingSettings, 2),
    MK_BLOCK(TankSensorSettings, 3),
    MK_BLOCK(TankCalibration, 4),
    MK_BLOCK(ServiceSettings, 5),
    MK_BLOCK(LimitsSettings, 6),
    MK_BLOCK(TripSettings, 7),
    MK_BLOCK(Block8, 8),
    MK_BLOCK(AlarmSounds, 9),
    MK_BLOCK(DisplaySettings, 10),
    MK_BLOCK(ProtocolSettings, 11),
    MK_BLOCK(ErrorJournal, 13),
}};

#undef MK_BLOCK

// Blocks the editor works on (all but ErrorJournal).
constexpr int EditedBlocks = 11;


// The palette entries 9..15 all factory schemes share, and each scheme's own part.
constexpr TRgb5 SharedPalette[7] = {{31, 0, 0},  {0, 31, 0},  {31, 31, 0}, {0, 0, 31},
                                    {31, 0, 31}, {0, 31, 31}, {31, 31, 31}};
struct TFactoryScheme {
    TRgb5 Palette[9];
    uint8_t Indices[23];
};
constexpr TFactoryScheme FactorySchemeTable[FactorySchemeCount] = {
    {{{0, 0, 0},
      {0, 9, 9},
      {31, 13, 0},
      {9, 9, 0},
      {0, 0, 6},
      {9, 0, 9},
      {9, 17, 17},
      {16, 16, 16},
      {12, 5, 3}},
     {15, 4, 11, 12, 15, 15, 9, 10, 15, 4, 9, 11, 0, 4, 15, 14, 13, 0, 15, 0, 0, 0, 9}},
    {{{0, 0, 0},
      {0, 9, 9},
      {31, 13, 0},
      {8, 8, 0},
      {0, 0, 6},
      {9, 0, 9},
      {0, 17, 8},
      {16, 16, 16},
      {12, 5, 3}},
     {0, 11, 15, 3, 0, 15, 9, 12, 15, 3, 11, 14, 0, 3, 15, 14, 11, 0, 0, 0, 0, 0, 9}},
    {{{0, 0, 0},
      {0, 9, 9},
      {31, 13, 0},
      {9, 9, 0},
      {4, 4, 4},
      {9, 0, 9},
      {9, 17, 17},
      {16, 16, 16},
      {12, 5, 3}},
     {15, 0, 11, 4, 15, 15, 9, 10, 15, 0, 11, 15, 4, 0, 15, 0, 0, 15, 11, 15, 11, 4, 9}},
    {{{0, 0, 0},
      {0, 9, 9},
      {31, 13, 0},
      {9, 9, 0},
      {0, 0, 6},
      {9, 0, 9},
      {9, 17, 17},
      {16, 16, 16},
      {5, 1, 0}},
     {15, 9, 11, 8, 15, 15, 13, 10, 15, 8, 9, 11, 0, 8, 15, 11, 9, 0, 15, 0, 0, 0, 9}},
};

// Default hot menus by menu item name; an empty name is an empty slot.
const char* const DefaultHotMenus[4][10] = {
    {"FullTankMenu", "ToTankMenu", "FlagSoundMenu", "VelocityLimitMenu", "PrognozMenu",
     "ExpenseHHMenu", "", "MeasParamsHistoryFlagMenu", "", ""},
    {"TripJournMenu", "InitReset0ParamsMenu", "InitReset1ParamsMenu", "ContinueTripMenu",
     "TankJournMenu", "", "", "", "", ""},
    {"TaxStartFinishMenu", "TaxTarifDNMenu", "TaxTarifNumMenu", "TaxClearAllSumMenu", "", "", "",
     "", "", ""},
    {"ParkOffMenu", "ParkSenseMenu_0", "ParkSpeedMenu_0", "ParkBeepTypeMenu", "ParkAlwaysOnMenu",
     "", "", "", "", ""},
};

template <std::size_t R, std::size_t C>
void Fill2D(uint8_t (&target)[R][C], const uint8_t (&source)[R][C]) {
    std::memcpy(target, source, sizeof(target));
}

void SetTripTotalsDefaults(TTripTotals& t) {
    t.ResetPeriod0 = 0;
    t.ResetPeriod1 = -1;
    t.ResetPeriodOnly = -1;
}

void SetTankDefaults(TTankSensorSettings& s, TTankCalibration& c) {
    s.Oil6L = 1000;
    s.Lit6L = 6;
    s.Oil43L = 10;
    s.Lit43L = 43;
    for (int k = 0; k < 7; ++k) {
        s.OilCalibrResArr[k] = int16_t(100 * k);
        s.OilCalibrLitArr[k] = int16_t(6 * k);
    }
    s.OilCalibrQuant = 7;
    s.TankContFull = 50;
    s.GazContFull = 50;

    c.TarirFlagFinish = 1;
    c.TarirLeng = 15;
    for (int k = 0; k < 15; ++k) {
        c.TarirLitres[k] = uint8_t(16 + 3 * k);
        c.TarirUnits[k] = int16_t(50 * k);
    }
}

void SetServiceDefaults(TServiceSettings& s) {
    s.AirFiltCntK = 15;
    s.KPPOilCntK = 45;
    s.ForsTOCntK = 30;
    s.GRMStrapCntK = 45;
    s.CoolLiqCntK = 30;
    s.EngOilCntK = 15;
    s.CandleCntK = 30;
    s.UseUniMeas = 1;
    s.TO = 4392;
    s.OSAGO = 4392;
    s.UniMeasADC1 = 1023;
    s.UniMeasDat1 = 90;
    Cp1251::ToField(QStringLiteral("Трим"), s.UniMeasStr);
    Cp1251::ToField(QStringLiteral("ТО форсунки"), s.ForsTOName);
    Cp1251::ToField(QStringLiteral("Замена рем.ГРМ"), s.GRMStrapName);
    Cp1251::ToField(QStringLiteral("Замена свечей"), s.CandleName);
    s.ServiceFlags = 511;
}

void SetLimitsDefaults(TLimitsSettings& l) {
    l.VelocityLimit = 40;
    l.RevolutionsLimit = 80;
    l.TankLimit = 10;
    l.LiqTemperLimit = 115;
    l.UaccLowLimit = 115;
    l.StopVelocityLimit = 20;
    l.UaccHighLimit = 155;
    l.VentTempLimit = 115;
    l.ForsPosFlag = 1;
    l.ForsCoef = 1;
    l.InjTimeLimit = 9;
    l.Vel100 = 100;
    l.Vel100Down = 100;
    l.ExpenseCorr = 1.0f;
    l.VelocityCorr = 1.0f;
    l.LiqTemperReady = 70;
    l.GasOilMeth = 1;
    l.VAGSFilterLimit = 25;
    l.GazExpenseCorr = 1.0f;
    l.OilAKPPTemperLimit = 110;
    l.OilEngTemperLimit = 110;
    l.CVTFDeteriorLim = 30;
    l.InvTemperLimit = 120;
    l.RetarderOilTemperLimit = 165;
    l.HVBTemperLimit = 120;
}

void SetTripDefaults(TTripSettings& t) {
    t.PriceExpense = 250;
    t.PricePath = 30;
    for (TJournalRecord& r : t.TripJournal)
        r.Day = 0;
    for (TJournalRecord& r : t.TankJournal)
        r.Day = 0;
    t.TripJournal[1] = {497, 15, 11, 123456, 10123, 1234, 12};
    t.TankJournal[0] = {622, 5, 1, 123456, 100456, 5678, 56};
}

void SetDisplayDefaults(TDisplaySettings& d, const TColorTable& scheme1,
                        const TColorTable& scheme4) {
    const uint8_t screens4[6][4] = {{4, 14, 8, 9}, {13, 10, 11, 4}, {1, 2, 5, 9},
                                    {7, 12, 3, 6}, {7, 10, 8, 12},  {18, 25, 27, 21}};
    const uint8_t screens7[4][7] = {{1, 2, 8, 9, 14, 5, 12},
                                    {13, 10, 11, 6, 15, 5, 12},
                                    {16, 8, 9, 10, 14, 5, 12},
                                    {7, 3, 13, 2, 14, 5, 9}};
    const uint8_t graphs[8][2] = {{13, 10}, {12, 14}, {24, 17}, {20, 18},
                                  {20, 22}, {13, 16}, {13, 0},  {20, 21}};
    const uint8_t arrows[8][2] = {{13, 10}, {14, 12}, {11, 17}, {20, 25},
                                  {20, 16}, {13, 16}, {13, 12}, {20, 21}};
    const uint8_t screens9[3][9] = {{14, 5, 12, 1, 2, 6, 10, 8, 9},
                                    {11, 24, 13, 23, 18, 17, 7, 19, 22},
                                    {1, 2, 3, 5, 14, 6, 20, 24, 25}};
    const uint8_t screen6[6] = {12, 17, 13, 10, 8, 9};
    Fill2D(d.Screens4, screens4);
    Fill2D(d.Screens7, screens7);
    Fill2D(d.GraphScreens, graphs);
    Fill2D(d.ArrowScreens, arrows);
    Fill2D(d.Screens9, screens9);
    std::memcpy(d.Screen6, screen6, sizeof(screen6));
    d.ColorTable0 = scheme1;
    d.ColorTable1 = scheme4;
    d.ColorScheme = 1;
    d.ShowDisp4 = 63;
    d.ShowDisp9 = 7;
    d.ShowDisp7 = 15;
    d.ShowDispG = 255;
    d.ShowDispA = 255;
    d.ShowDispS = 511;
    d.ShowDisp1 = 0xFFFFFFFFull;
    d.ShowDisp6 = 1;
}

void SetOscilloscopeDefaults(TOscilloscopeRecord& o) {
    o.OscHeader0.TimeDiv = 1;
    o.OscHeader0.TriggerLevel = 128;
    o.OscHeader0.VoltDiv = 4;
    o.OscHeader1.TimeDiv = 1;
    o.OscHeader1.TriggerVolts = 128;
    o.OscHeader1.VoltDiv = 4;
}

// Copies up to `count` image bytes from `position`, clipped to the image.
void CopyFromImage(const QByteArray& image, qsizetype position, void* target, qsizetype count) {
    if (position < 0 || position >= image.size() || count <= 0)
        return;
    const qsizetype n = std::min(count, image.size() - position);
    std::memcpy(target, image.constData() + position, std::size_t(n));
}

// A block from an image by its directory entry; nothing when the entry places it nowhere.
void UnpackFrom(const QByteArray& image, const TImageDirectory& directory, TBlock block,
                uint8_t* target) {
    const TBlockInfo& info = BlockInfo(block);
    const TDirectoryEntry& entry = directory.Entries[info.DirectoryEntry - 1];
    if (entry.Length < 4 || entry.Address < MKAddressBase)
        return;
    const qsizetype count = std::min<qsizetype>(entry.Length - 4, qsizetype(info.Size));
    CopyFromImage(image, entry.Address - MKAddressBase, target, count);
}

} // namespace

const std::array<TBlockInfo, BlockCount>& BlockTable() {
    return Blocks;
}

const TBlockInfo& BlockInfo(TBlock block) {
    return Blocks[std::size_t(block)];
}

TMK::TMK() : Catalog(SettingsVersion, 0) {
    FillFactorySchemes();
    SetRecordDefaults();
    Catalog.SelectProtocol(0);
    SetDefaultHotMenus();
    Preview = std::make_unique<TMKPreview>(*this);
}

TMK::~TMK() = default;

void TMK::FillFactorySchemes() {
    for (int s = 0; s < FactorySchemeCount; ++s) {
        TColorTable& table = FactorySchemes[s];
        table = {};
        for (int i = 0; i < 9; ++i) {
            const TRgb5& c = FactorySchemeTable[s].Palette[i];
            table.Palette[i] = PackColor(c.R, c.G, c.B);
        }
        for (int i = 0; i < 7; ++i)
            table.Palette[9 + i] =
                PackColor(SharedPalette[i].R, SharedPalette[i].G, SharedPalette[i].B);
        std::memcpy(table.Indices, FactorySchemeTable[s].Indices, sizeof(table.Indices));
    }
}

void TMK::SetRecordDefaults() {
    Record = {};
    SetTripTotalsDefaults(Record.TripTotals);
    SetTankDefaults(Record.TankSensorSettings, Record.TankCalibration);
    SetServiceDefaults(Record.ServiceSettings);
    SetLimitsDefaults(Record.LimitsSettings);
    SetTripDefaults(Record.TripSettings);
    SetDisplayDefaults(Record.DisplaySettings, FactorySchemes[0], FactorySchemes[3]);
    Oscilloscope = {};
    SetOscilloscopeDefaults(Oscilloscope);
}

void TMK::SetDefaultHotMenus() {
    for (int list = 0; list < 4; ++list)
        for (int slot = 0; slot < 10; ++slot) {
            const QString name = QString::fromLatin1(DefaultHotMenus[list][slot]);
            const TMKMenuItem* item = name.isEmpty() ? nullptr : Catalog.FindMenuItem(name);
            Record.DisplaySettings.HotMenus[list][slot] = item ? uint16_t(item->Id) : 0;
        }
}

void TMK::SwapSettings(TMK& other) noexcept {
    Image.swap(other.Image);
    std::swap(SettingsVersion, other.SettingsVersion);
    std::swap(ImageDirectory, other.ImageDirectory);
    std::swap(Record, other.Record);
    std::swap(Oscilloscope, other.Oscilloscope);
    std::swap(Origin, other.Origin);
    std::swap(Catalog, other.Catalog);
    Baseline.swap(other.Baseline);
    std::swap(BaselineVersion, other.BaselineVersion);
}

void TMK::CopySettingsFrom(const TMK& other) {
    Image = other.Image;
    SettingsVersion = other.SettingsVersion;
    ImageDirectory = other.ImageDirectory;
    Record = other.Record;
    Oscilloscope = other.Oscilloscope;
    Origin = other.Origin;
    Catalog = other.Catalog;
    Baseline = other.Baseline;
    BaselineVersion = other.BaselineVersion;
}

void TMK::RefreshCatalogue() noexcept {
    try {
        RebuildProtocolList();
    } catch (const TMKError&) {
        // Settings no catalogue describes: the editor and the viewers refuse them when they
        // open, as they rebuild the catalogue first.
    }
}

uint32_t TMK::FirmwareVersion() const {
    uint32_t value = 0;
    if (Image.size() >= qsizetype(offsetof(TImageDirectory, FirmwareVersion) + 4))
        std::memcpy(&value, Image.constData() + offsetof(TImageDirectory, FirmwareVersion), 4);
    return value;
}

void TMK::ReadDirectory() {
    ImageDirectory = {};
    CopyFromImage(Image, 0, &ImageDirectory, DirectorySize);
}

uint8_t* TMK::BlockBytes(TBlock block) {
    return reinterpret_cast<uint8_t*>(&Record) + BlockInfo(block).RecordOffset;
}

const uint8_t* TMK::BlockBytes(TBlock block) const {
    return reinterpret_cast<const uint8_t*>(&Record) + BlockInfo(block).RecordOffset;
}

void TMK::UnpackBlock(TBlock block) {
    ReadDirectory();
    UnpackFrom(Image, ImageDirectory, block, BlockBytes(block));
}

void TMK::PackBlock(TBlock block) {
    ReadDirectory();
    const TBlockInfo& info = BlockInfo(block);
    const TDirectoryEntry& entry = ImageDirectory.Entries[info.DirectoryEntry - 1];
    // An address below 32 has no place in the image.
    if (entry.Address < MKAddressBase)
        return;
    const qsizetype position = entry.Address - MKAddressBase;
    const qsizetype end = position + qsizetype(info.Size);
    if (Image.size() < end)
        Image.append(QByteArray(end - Image.size(), '\0'));
    std::memcpy(Image.data() + position, BlockBytes(block), info.Size);
}

void TMK::UnpackAll() {
    for (const TBlockInfo& info : Blocks)
        UnpackBlock(info.Block);
}

void TMK::PackAll() {
    for (const TBlockInfo& info : Blocks)
        PackBlock(info.Block);
}

void TMK::MarkBaseline() {
    MarkBaseline(Image);
}

void TMK::MarkBaseline(const QByteArray& image) {
    Baseline = image;
    BaselineVersion = SettingsVersion;
}

bool TMK::UnpackBaseline(TSettingsRecord& record) const {
    if (Baseline.isEmpty() || BaselineVersion != SettingsVersion)
        return false;
    TImageDirectory directory{};
    CopyFromImage(Baseline, 0, &directory, DirectorySize);
    if (directory.FirmwareVersion != FirmwareVersion())
        return false;
    for (int b = 0; b < EditedBlocks; ++b)
        UnpackFrom(Baseline, directory, Blocks[b].Block,
                   reinterpret_cast<uint8_t*>(&record) + Blocks[b].RecordOffset);
    return true;
}

void TMK::LoadOscilloscope() {
    constexpr qsizetype HeaderSize = sizeof(TOscHeader);
    CopyFromImage(Image, OscArea0Position, &Oscilloscope.OscHeader0, HeaderSize);
    CopyFromImage(Image, OscArea0Position + HeaderSize, Oscilloscope.OscSamples, OscAreaSamples);
    CopyFromImage(Image, OscArea1Position, &Oscilloscope.OscHeader1, HeaderSize);
    CopyFromImage(Image, OscArea1Position + HeaderSize, Oscilloscope.OscSamples + OscAreaSamples,
                  OscAreaSamples);
}

void TMK::RebuildProtocolList() {
    const uint32_t variant = FirmwareVersion();
    const uint16_t protocol = Record.ProtocolSettings.Protocol;
    if (variant > 255 || protocol > 255)
        throw TRangeError();
    Catalog = TDeviceCatalog(SettingsVersion, uint8_t(variant));
    Catalog.SelectProtocol(protocol);
}

bool TMK::EditSettings(const std::function<bool()>& runEditor) {
    for (int b = 0; b < EditedBlocks; ++b)
        UnpackBlock(Blocks[b].Block);
    RebuildProtocolList();
    const std::size_t editedBytes = offsetof(TSettingsRecord, ErrorJournal);
    QByteArray kept(reinterpret_cast<const char*>(&Record), qsizetype(editedBytes));
    // The editor's protocol change selects another entry; the record's own comes back with it.
    const TDeviceCatalog keptCatalog = Catalog;
    const auto restore = [&] {
        std::memcpy(&Record, kept.constData(), editedBytes);
        Catalog = keptCatalog;
    };
    bool confirmed = false;
    try {
        confirmed = runEditor();
    } catch (...) {
        restore();
        throw;
    }
    if (confirmed) {
        for (int b = 0; b < EditedBlocks; ++b)
            PackBlock(Blocks[b].Block);
    } else {
        restore();
    }
    return confirmed;
}

bool TMK::ViewJournals(const std::function<bool()>& runViewer) {
    const TBlock journalBlocks[] = {TBlock::TripSettings, TBlock::TripTotals, TBlock::ErrorJournal};
    for (TBlock b : journalBlocks)
        UnpackBlock(b);
    const bool confirmed = runViewer();
    if (confirmed)
        for (TBlock b : journalBlocks)
            PackBlock(b);
    return confirmed;
}

uint16_t TMK::PackColor(int r, int g, int b) {
    return uint16_t((r & 31) << 11 | (g & 31) << 6 | (g & 1) << 5 | (b & 31));
}

TRgb5 TMK::UnpackColor(uint16_t word) {
    return {word >> 11 & 31, word >> 6 & 31, word & 31};
}

QColor TMK::ColorToRgb(uint16_t word) {
    const auto wide = [](int c) { return int((uint32_t(c) * 541052u) >> 16); };
    const int green6 = word >> 5 & 63;
    return QColor(wide(word >> 11 & 31), int((uint32_t(green6) * 266294u) >> 16), wide(word & 31));
}
