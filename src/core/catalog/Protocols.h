#pragma once

#include "catalog/DeviceFlags.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// The vehicle protocol catalogue: the protocols a device offers, in the order the settings
// record's protocol index counts them (a device model's TDeviceCatalog holds its list).

class TProtBase {
public:
    static constexpr int MaxIds = 101;
    static constexpr int OptionSlots = 8;
    // How many value names each option can hold.
    static constexpr std::array<int, OptionSlots> OptionCapacity = {21, 21, 21, 21, 61, 21, 21, 21};

    // Lists 1..16 first (every protocol delivers them), then the given parameters.
    TProtBase(QString name, uint8_t code, int errorFormat, std::span<const uint8_t> params,
              std::span<const uint8_t> blocks);

    // Appends a parameter identifier; 0 is ignored. TRangeError past MaxIds.
    void AddParam(uint8_t id);
    bool HasBlock(uint8_t id) const;
    // Sets caption and count of an option and overwrites its first value names; the default
    // names stay beyond them. TRangeError when count or names exceed the option's capacity.
    void SetOption(int option, const QString& caption, int count, const QStringList& names);
    // The first OptionCount names of an option.
    QStringList ShownOptionValues(int option) const;

    QString ProtName;
    uint8_t ProtCode = 0;
    std::array<uint8_t, MaxIds> ParamIds{};
    int ParamCount = 0;
    std::array<uint8_t, MaxIds> BlockIds{};
    int BlockCount = 0;
    int ErrorFormat = 0;
    std::array<QString, OptionSlots> OptionCaption;
    std::array<int, OptionSlots> OptionCount{};
    std::array<QStringList, OptionSlots> OptionValues; // each holds OptionCapacity names
    uint8_t HasCoolantTemp = 1;
    uint8_t HasEcuErrors = 1;
    uint8_t HasGearboxOilTemp = 0;
    uint8_t HasEngineOilTemp = 0;
    uint8_t HasFanControl = 0;
    uint8_t HasLightsType = 0;
    uint8_t HasBatteryVoltageSource = 0;
    uint8_t IsHybrid = 0;
    int EcuFuelSensors = 0;
};

// Error code layouts of ErrorFormat.
namespace ErrorFormats {
constexpr int ObdLetter = 0;     // P/C/B/U and four hex digits
constexpr int Hex = 1;           // four hex digits
constexpr int Decimal = 2;       // decimal
constexpr int DecimalState = 3;  // decimal with a state mark
constexpr int HexSub = 4;        // four hex digits, "Sub" outside 256..4095
constexpr int J1939 = 5;         // SPN / FMI / Q
constexpr int ByOption2Is1 = 7;  // ObdLetter when option 2 is 1, else Hex
constexpr int Vag = 8;           // by option 0 (see the journals)
constexpr int ByOption2Not0 = 9; // ObdLetter when option 2 is not 0, else Decimal
constexpr int NoText = 1000;     // no code text
} // namespace ErrorFormats

using TProtocolEntries = std::vector<std::unique_ptr<TProtBase>>;

// The entries a device with these flags offers, in list order.
TProtocolEntries CreateProtocolEntries(const TDeviceFlags& flags);
