#pragma once

// TMK, the device model: the memory image with its directory, the settings record
// unpacked from it and packed back, and the services the editor and viewers share.

#include "catalog/DeviceFlags.h"
#include "catalog/ListsByFlags.h"
#include "model/Record.h"
#include "model/SettingsOrigin.h"

#include <QByteArray>
#include <QColor>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class TMeasParBase;
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

    // Measured-parameter descriptors, in their fixed order; the list owns them.
    std::vector<std::unique_ptr<TMeasParBase>> MeasParams;
    // The device flags MeasParams was built for, and its descriptors by identifier (the
    // screen menus look every protocol parameter up).
    TDeviceFlags MeasParamsFlags;
    std::array<TMeasParBase*, 256> MeasParamsById{};
    // The lists built for other flags before (a carry's devices change from one to the next).
    TListsByFlags<std::vector<std::unique_ptr<TMeasParBase>>> KeptMeasParams;
    // The 320 x 240 surface the MK's screens are previewed on.
    std::unique_ptr<TMKPreview> Preview;

    // The image's firmware layout variant (directory offset 56); 0 for a short image.
    uint32_t FirmwareVersion() const;

    void ReadDirectory();
    void UnpackBlock(TBlock block);
    void PackBlock(TBlock block);
    void UnpackAll();
    void PackAll();
    void LoadOscilloscope();

    uint8_t* BlockBytes(TBlock block);
    const uint8_t* BlockBytes(TBlock block) const;

    // Resets the record, the oscilloscope capture and the hot menus to the factory state.
    void SetRecordDefaults();

    // The settings a road builds in a model of its own and hands over on success: image,
    // SettingsVersion, directory, record, oscilloscope capture and origin. The preview and
    // the catalogues stay with their model, so widgets holding the model keep it.
    void SwapSettings(TMK& other) noexcept;
    void CopySettingsFrom(const TMK& other);
    // Catalogues are still program-wide: a model built for a road rebuilds them for its own
    // device. The program's model rebuilds them for itself when such a road ends.
    void ReestablishCatalogues();

    // Unpacks blocks 1-11, rebuilds the catalogues, runs the editor; packs on true,
    // restores the blocks otherwise. Returns the editor's answer.
    bool EditSettings(const std::function<bool()>& runEditor);
    // Unpacks the journal blocks, runs the viewer, packs them back on true.
    bool ViewJournals(const std::function<bool()>& runViewer);
    // Refuses devices without an oscilloscope (throws), else loads the capture and runs
    // the viewer.
    void ViewOscilloscope(const std::function<void()>& runViewer);

    // Builds MeasParams for the flags in force, unless it was built for them already.
    void CreateMeasParams();
    TMeasParBase* FindMeasParam(int id) const;
    // Builds the protocol list for (SettingsVersion, Protocol, FirmwareVersion); throws
    // TRangeError when the protocol or the variant does not fit a byte.
    void RebuildProtocolList();

    static uint16_t PackColor(int r, int g, int b);
    static TRgb5 UnpackColor(uint16_t word);
    static QColor ColorToRgb(uint16_t word); // how the colour looks on the PC

private:
    void SetDefaultHotMenus();
    void FillFactorySchemes();
};
