#pragma once

// TMK, the device model: the memory image with its directory, the settings record
// unpacked from it and packed back, and the services the editor and viewers share.

#include "catalog/DeviceCatalog.h"
#include "model/Record.h"
#include "model/SettingsOrigin.h"

#include <QByteArray>
#include <QColor>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class TMKPreview;

enum class TBlock : int {
    TripTotals,
    ParkingSettings,
    TankSensorSettings,
    TankCalibration,
    ServiceSettings,
    LimitsSettings,
    TripSettings,
    Block8,
    AlarmSounds,
    DisplaySettings,
    ProtocolSettings,
    ErrorJournal,
};

constexpr int BlockCount = 12;

struct TBlockInfo {
    TBlock Block;
    const char* Name;
    int DirectoryEntry; // 1-based entry of the image directory
    std::size_t RecordOffset;
    std::size_t Size;
};

// The twelve blocks in unpack/pack order.
const std::array<TBlockInfo, BlockCount>& BlockTable();
const TBlockInfo& BlockInfo(TBlock block);

struct TRgb5 {
    int R = 0, G = 0, B = 0; // 5-bit channels, 0..31
    bool operator==(const TRgb5&) const = default;
};

// Image positions of the two oscilloscope capture areas.
constexpr int OscArea0Position = 3542;
constexpr int OscArea1Position = 7606;
constexpr int DirectorySize = 64;
// Image position 0 is MK address 32; a directory length counts 4 bytes more than are sent.
constexpr int MKAddressBase = 32;
constexpr int DirectoryLengthOverhead = 4;
constexpr int FactorySchemeCount = 4;

class TMK {
public:
    TMK();
    ~TMK();
    TMK(const TMK&) = delete;
    TMK& operator=(const TMK&) = delete;

    QByteArray Image;             // the MK's memory from address 32 upward
    uint16_t SettingsVersion = 1; // device type and settings layout code
    TImageDirectory ImageDirectory{};
    TSettingsRecord Record{};
    TOscilloscopeRecord Oscilloscope{};
    TSettingsOrigin Origin; // where the settings came from
    // Factory colour schemes 1..4 (index 0..3); scheme 4 is the user scheme.
    std::array<TColorTable, FactorySchemeCount> FactorySchemes{};

    // The catalogue the settings are read with (flags, protocols and the current one, menu
    // items, measured parameters, the device's name); RebuildProtocolList renews it.
    TDeviceCatalog Catalog;
    // The 320 x 240 surface the MK's screens are previewed on.
    std::unique_ptr<TMKPreview> Preview;
    // The settings as last read from the MK, loaded from a file, saved to one or written into
    // the MK (the image and its settings version): what the editor marks changes against.
    // Empty until one of those happened.
    QByteArray Baseline;
    uint16_t BaselineVersion = 0;

    // The image's firmware layout variant (directory offset 56); 0 for a short image.
    uint32_t FirmwareVersion() const;

    void ReadDirectory();
    void UnpackBlock(TBlock block);
    void PackBlock(TBlock block);
    void UnpackAll();
    void PackAll();
    // The image as it is now, or what a write sent the MK, becomes the baseline.
    void MarkBaseline();
    void MarkBaseline(const QByteArray& image);
    // The edited blocks of the baseline over `record`; false (the record as it was) without
    // a baseline of this settings version and firmware variant.
    bool UnpackBaseline(TSettingsRecord& record) const;
    void LoadOscilloscope();

    uint8_t* BlockBytes(TBlock block);
    const uint8_t* BlockBytes(TBlock block) const;

    // Resets the record, the oscilloscope capture and the hot menus to the factory state.
    void SetRecordDefaults();

    // The settings a road builds in a model of its own and hands over on success: image,
    // SettingsVersion, directory, record, oscilloscope capture, origin and the catalogue
    // they are read with. The preview stays with its model, so widgets holding the model
    // keep it.
    void SwapSettings(TMK& other) noexcept;
    void CopySettingsFrom(const TMK& other);
    // Builds the catalogue for the settings in hand; settings no catalogue describes keep
    // an empty one (whatever opens them refuses them then).
    void RefreshCatalogue() noexcept;

    // Unpacks blocks 1-11, rebuilds the catalogue, runs the editor; packs on true, restores
    // the blocks and the catalogue otherwise. Returns the editor's answer.
    bool EditSettings(const std::function<bool()>& runEditor);
    // Unpacks the journal blocks, runs the viewer, packs them back on true.
    bool ViewJournals(const std::function<bool()>& runViewer);
    // Refuses devices without an oscilloscope (throws), else loads the capture and runs
    // the viewer.
    void ViewOscilloscope(const std::function<void()>& runViewer);

    // Renews Catalog for (SettingsVersion, FirmwareVersion) and selects Protocol; throws
    // TRangeError when the protocol or the variant does not fit a byte, and the catalogue's
    // error (leaving no current protocol) when the index is outside the list.
    void RebuildProtocolList();

    static uint16_t PackColor(int r, int g, int b);
    static TRgb5 UnpackColor(uint16_t word);
    static QColor ColorToRgb(uint16_t word); // how the colour looks on the PC

private:
    void SetDefaultHotMenus();
    void FillFactorySchemes();
};
