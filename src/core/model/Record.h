#pragma once

// The settings record: twelve packed little-endian blocks whose bytes equal the blocks'
// bytes in the memory image, and the oscilloscope capture.

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "the record structs mirror little-endian image bytes");

#pragma pack(push, 1)

struct TCounterGroup {
    uint32_t Time; // seconds
    uint32_t Path; // metres
    uint32_t Fuel; // millilitres of petrol
};

struct TGasCounterGroup {
    uint32_t Time;
    uint32_t Path;
    uint32_t GasFuel; // millilitres of gas
};

struct TTripTotals {
    TCounterGroup AllSum;
    TCounterGroup TripSum;
    TCounterGroup ResetSum;
    TCounterGroup StopSum;
    TCounterGroup NoStopSum;
    TCounterGroup TankSum;
    uint8_t Reserved72[28];
    int32_t AllPathStart;
    int8_t ResetPeriod0;
    int8_t ResetPeriod1;
    uint8_t Reserved106[2];
    TCounterGroup OilOnlySum;
    TGasCounterGroup GasOnlySum;
    uint8_t Reserved132[2];
    int8_t ResetPeriodOnly;
    uint8_t Reserved135;
    uint32_t GasFuel[6];
    uint8_t Reserved160[4];
};

struct TParkingSettings {
    int8_t ParkUse0, ParkUse1;
    int8_t ParkSense0, ParkSense1;
    int8_t ParkSpeed0, ParkSpeed1;
    int8_t ParkMinLeng0, ParkMinLeng1;
    int8_t ParkStopVel0, ParkStopVel1;
    int8_t ParkStopLeng0, ParkStopLeng1;
    uint8_t Reserved12[2];
    int8_t ParkBeepType;
    int8_t ParkStopLengBeep;
    int8_t ParkForwConstOff;
    int8_t ParkFarkopLen;
    int8_t ParkType;
    uint8_t Reserved19[2];
    int8_t ParkProbesQntReal0, ParkProbesQntReal1;
    uint8_t Reserved23[5];
};

struct TTankSensorSettings {
    int16_t Oil6L;
    int16_t Lit6L;
    int16_t Oil43L;
    int16_t Lit43L;
    int16_t OilCalibrResArr[7];
    int16_t OilCalibrLitArr[7];
    uint8_t OilCalibrQuant;
    int8_t TankMode;
    int8_t TankMeth;
    uint8_t Reserved39[3];
    int16_t K100Manual;
    int16_t TankContFull;
    uint16_t LinkLossCount;
    uint8_t Reserved48[8];
    int16_t GazContFull;
    uint8_t Reserved58[6];
};

constexpr int MaxTarirPoints = 68;

struct TTankCalibration {
    uint8_t TarirReserved; // carried in the tank calibration file
    int8_t TarirFlagFinish;
    uint8_t TarirLeng;
    uint8_t Reserved3[3];
    uint8_t TarirStartHigh;
    uint8_t TarirIncline;
    uint8_t TarirLitres[MaxTarirPoints];
    uint8_t Reserved76[68];
    int16_t TarirUnits[MaxTarirPoints];
    uint8_t Reserved280[140];
};

struct TServiceSettings {
    int8_t AirFiltCntK;
    int8_t KPPOilCntK;
    int8_t ForsTOCntK;
    int8_t GRMStrapCntK;
    int8_t CoolLiqCntK;
    int8_t EngOilCntK;
    int8_t CandleCntK;
    int8_t UseUniMeas;
    int32_t TO;    // day number
    int32_t OSAGO; // day number
    uint8_t Reserved16[4];
    uint8_t Blocks[32];
    int16_t UniMeasADC0;
    int16_t UniMeasADC1;
    int16_t UniMeasDat0;
    int16_t UniMeasDat1;
    char UniMeasStr[7];
    int8_t AirWaterShow;
    char ForsTOName[16];
    char GRMStrapName[16];
    char CandleName[16];
    uint16_t ServiceFlags;
    uint8_t Reserved118[6];
};

struct TLimitsSettings {
    int8_t VelocityLimit;
    int8_t RevolutionsLimit;
    int8_t TankLimit;
    int8_t TimeCorr;
    int16_t LiqTemperLimit;
    int16_t UaccLowLimit;
    int16_t StopVelocityLimit;
    int16_t UaccHighLimit;
    int16_t VentTempLimit;
    int8_t GasMeth;
    int8_t AirTemperMeth;
    int8_t PrognozMeth;
    int8_t VelocityMeth;
    int8_t ExpenseMeth;
    int8_t RevolutionsMeth;
    int8_t ForsPosFlag;
    uint8_t ForsCoef;
    int8_t InjTimeLimit;
    int8_t AirTemperCorr;
    int16_t Reserved24;
    int16_t Reserved26;
    int16_t Vel100;
    int16_t Vel100Down;
    float ExpenseCorr;
    float VelocityCorr;
    int8_t AccCorr;
    int8_t LiqTemperReady;
    int8_t Reserved42[3];
    int8_t GasOilMeth;
    int8_t Exp100ArrowLim;
    int8_t VAGSFilterLimit;
    float GazExpenseCorr;
    int16_t OilAKPPTemperLimit;
    int16_t OilEngTemperLimit;
    int16_t CVTFDeteriorLim;
    int8_t UaccMeth;
    int8_t InvTemperLimit;
    int16_t RetarderOilTemperLimit;
    int8_t HVBTemperLimit;
    uint8_t Reserved63[6];
};

// One trip or refuel journal entry; Day 0 marks an empty record.
struct TJournalRecord {
    uint16_t TimeOfDay; // minutes since midnight
    uint8_t Day;
    uint8_t Month;
    uint32_t TripTime; // seconds
    uint32_t Path;     // metres
    uint32_t Fuel;     // millilitres of petrol
    uint32_t GasFuel;  // millilitres of gas
};

constexpr int JournalRecords = 21;

struct TTripSettings {
    int16_t PriceExpense;
    int16_t PriceTime;
    int16_t PricePath;
    int16_t PriceGas;
    int8_t TripShowFlag;
    int8_t TripJournAuto;
    uint16_t TripMinStop;
    uint8_t Reserved12[4];
    TJournalRecord TripJournal[JournalRecords];
    TJournalRecord TankJournal[JournalRecords];
    uint8_t Reserved856[4];
};

struct TBlock8 {
    uint8_t Data[80];
};

constexpr int AlarmEvents = 24;

struct TAlarmSounds {
    uint8_t AlarmPresentation[AlarmEvents];
    uint8_t Reserved24[3];
    int8_t AlarmVelSecNoSayMax;
    uint8_t Reserved28[4];
};

// 16 palette colour words and the palette indices of the screen elements.
struct TColorTable {
    uint16_t Palette[16];
    uint8_t Indices[23]; // digits 0..4, menu 5..7, graph 8..12, pointer dial 13..22
    uint8_t Reserved;
};

struct TDisplaySettings {
    uint8_t Reserved0[9];
    uint8_t DispVar4;
    uint8_t DispVar9;
    uint8_t Reserved11;
    uint8_t Screens4[6][4];
    uint8_t Screens7[4][7];
    uint8_t GraphScreens[8][2];
    uint8_t ArrowScreens[8][2];
    uint8_t Screens9[3][9];
    uint8_t DispSpeed;
    uint16_t HotMenus[4][10];
    uint8_t Reserved204[44];
    TColorTable ColorTable0;
    TColorTable ColorTable1;
    uint8_t ColorScheme;
    int8_t SayHelloMode;
    int8_t SoundVolume;
    int8_t FlagSound;
    uint8_t Intense0;
    uint8_t Intense1;
    int8_t SayEconomPeriod;
    int8_t SayParamPeriod;
    uint8_t Reserved368[2];
    int8_t DispShowTitle;
    uint8_t Reserved371;
    int8_t IntenseMeth;
    int8_t SoundKeys;
    int8_t SoundLock;
    int8_t ShowDispName;
    int16_t IntenseDayTime;
    int16_t IntenseNightTime;
    uint16_t ShowDisp4;
    uint16_t ShowDisp9;
    uint16_t ShowDisp7;
    uint16_t ShowDispG;
    uint16_t ShowDispA;
    uint16_t ShowDispS;
    uint64_t ShowDisp1;
    uint8_t Screen6[6];
    uint16_t ShowDisp6;
    uint8_t Reserved408[4];
};

// A word the MK stores high byte first.
struct TBigEndianWord {
    uint8_t High;
    uint8_t Low;
    uint16_t Value() const { return uint16_t(High << 8 | Low); }
};

struct TProtocolSettings {
    uint32_t ProtocolFlags;
    uint16_t Protocol;
    uint16_t PrevProtocol;
    int8_t ProtocolSelectMeth;
    uint8_t EcuAddress;
    uint8_t VirtualExpenseType;
    uint8_t LockTypeLevel;
    uint8_t ProtTypeMain;
    uint8_t ProtTypeAdd1;
    uint8_t ProtTypeAdd2;
    uint8_t ProtTypeAdd3;
    uint16_t ConsultPids;
    int16_t StartThrottle;
    TBigEndianWord EcuPids[16];
    uint8_t ProtTypeAdd4;
    uint8_t ProtTypeAdd5;
    uint8_t ProtTypeAdd6;
    uint8_t ProtTypeAdd7;
    uint8_t Reserved56[4];
};

// A stored fault with its freeze frame; Code 0 marks an empty record.
struct TFaultRecord {
    uint16_t TimeOfDay;
    uint8_t Day;
    uint8_t Month;
    uint32_t Code;
    uint32_t FreezeCode; // 0: no freeze frame
    uint16_t FuelSystemStatus;
    int16_t FreezeValuesLow[14]; // record offsets 14..41
    uint16_t SecondaryAirStatus;
    int16_t FreezeValuesHigh[24]; // record offsets 44..91
};

constexpr int FaultRecords = 7;

struct TErrorJournal {
    uint8_t Reserved0[4];
    uint8_t SupportedPids[12];
    TFaultRecord Faults[FaultRecords];
    uint8_t Reserved660[4];
};

struct TOscHeader {
    uint8_t TimeDiv;
    uint8_t Reserved1[3];
    union {
        int16_t TriggerLevel; // header 0: sample units
        int16_t TriggerVolts; // header 1: tenths of a volt before the divider
    };
    uint8_t VoltDiv;
    uint8_t InDivider;
};

constexpr int OscAreaSamples = 512;

struct TOscilloscopeRecord {
    TOscHeader OscHeader0;
    TOscHeader OscHeader1;
    uint8_t OscSamples[2 * OscAreaSamples];
};

// The image directory: the first 64 bytes of the memory image.
struct TDirectoryEntry {
    uint16_t Address; // MK address; the block starts at image position Address - 32
    uint16_t Length;  // includes a 4-byte trailer the program never touches
};

constexpr int DirectoryEntries = 13;

struct TImageDirectory {
    uint32_t DirectoryCount;
    TDirectoryEntry Entries[DirectoryEntries]; // entry i (1..13) is Entries[i - 1]
    uint32_t FirmwareVersion;
    uint8_t Reserved60[4];
};

struct TSettingsRecord {
    TTripTotals TripTotals;
    TParkingSettings ParkingSettings;
    TTankSensorSettings TankSensorSettings;
    TTankCalibration TankCalibration;
    TServiceSettings ServiceSettings;
    TLimitsSettings LimitsSettings;
    TTripSettings TripSettings;
    TBlock8 Block8;
    TAlarmSounds AlarmSounds;
    TDisplaySettings DisplaySettings;
    TProtocolSettings ProtocolSettings;
    TErrorJournal ErrorJournal;
};

#pragma pack(pop)
