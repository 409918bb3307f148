#include "sim/FactoryMemory.h"

#include "model/DeviceModel.h"
#include "sim/MemoryImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int Entry12Size = 32; // not a record block; carried unchanged

// Directory entry -> record size; entry 12 holds no record block.
int EntrySize(int entry) {
    for (const TBlockInfo& info : BlockTable())
        if (info.DirectoryEntry == entry)
            return int(info.Size);
    return Entry12Size;
}

// The blocks one after another behind the directory, each on a 4-byte boundary.
TImageDirectory FactoryDirectory() {
    TImageDirectory directory{};
    directory.DirectoryCount = DirectoryEntries;
    int address = MKAddressBase + DirectorySize;
    for (int entry = 1; entry <= DirectoryEntries; ++entry) {
        const int length = EntrySize(entry) + DirectoryLengthOverhead;
        directory.Entries[entry - 1] = {uint16_t(address), uint16_t(length)};
        address += (length + 3) & ~3;
    }
    directory.FirmwareVersion = FactoryFirmwareVersion;
    return directory;
}

void SetPid(TErrorJournal& journal, int pid) {
    journal.SupportedPids[(pid - 1) / 8] |= uint8_t(0x80 >> ((pid - 1) % 8));
}

void FillJournals(TSettingsRecord& record) {
    TTripSettings& trips = record.TripSettings;
    // Record 1 and refuel record 0 are the model's own samples; these go around them.
    trips.TripJournal[0] = {1085, 21, 11, 2710, 31480, 2690, 0};
    trips.TripJournal[2] = {455, 14, 11, 5105, 58210, 4920, 310};
    trips.TripJournal[3] = {1230, 9, 11, 1920, 12050, 1410, 0};
    trips.TankJournal[1] = {1102, 24, 10, 90210, 512300, 40120, 0};
    trips.TankJournal[2] = {498, 30, 9, 87650, 498700, 39870, 120};

    TTripTotals& totals = record.TripTotals;
    totals.AllSum = {4442400, 98765432, 8123456};
    totals.TripSum = {2710, 31480, 2690};
    totals.ResetSum = {361200, 4123400, 338900};
    totals.StopSum = {54000, 0, 21600};
    totals.NoStopSum = {307200, 4123400, 317300};
    totals.TankSum = {28800, 312400, 26100};
    totals.GasFuel[0] = 15400;
    totals.GasFuel[2] = 1200;
    totals.AllPathStart = 1200;
    totals.OilOnlySum = {350000, 4001000, 330100};
    totals.GasOnlySum = {11200, 122400, 9800};

    TErrorJournal& errors = record.ErrorJournal;
    for (const int pid : {3, 4, 5, 6, 7, 11, 12, 13, 14, 15, 17})
        SetPid(errors, pid);
    TFaultRecord& sensor = errors.Faults[0];
    sensor = {};
    sensor.TimeOfDay = 502;
    sensor.Day = 15;
    sensor.Month = 11;
    sensor.Code = 0x0133; // P0133, slow oxygen sensor
    sensor.FreezeCode = 0x0133;
    sensor.FuelSystemStatus = 0x0200; // closed loop on system 1
    const int16_t freeze[14] = {38, 88, -3, 0, 4, 0, 0, 41, 62, 2150, 125, 24, 0, 17};
    std::memcpy(sensor.FreezeValuesLow, freeze, sizeof freeze);
    sensor.SecondaryAirStatus = 4;
    TFaultRecord& misfire = errors.Faults[1];
    misfire = {};
    misfire.TimeOfDay = 1500;
    misfire.Day = 2;
    misfire.Month = 10;
    misfire.Code = 0x0300; // P0300, random misfire, stored without a freeze frame
}

// An injector signal: battery level, the pulse pulled low, the coil's kick-back spike
// decaying as it rings out.
uint8_t InjectorSample(int t) {
    constexpr int Period = 256;
    constexpr int PulseLength = 48;
    constexpr double Battery = 120; // ~12 V at the recorded scale
    const int phase = t % Period;
    if (phase < PulseLength)
        return 6;
    const double since = phase - PulseLength;
    const double kick = 110.0 * std::exp(-since / 6.0) * std::cos(since / 2.5);
    return uint8_t(std::clamp(Battery + kick, 0.0, 255.0));
}

void FillOscilloscope(TOscilloscopeRecord& capture) {
    capture.OscHeader0 = {};
    capture.OscHeader0.TimeDiv = 3; // 5 ms per division
    capture.OscHeader0.TriggerLevel = 60;
    capture.OscHeader0.VoltDiv = 1;
    capture.OscHeader0.InDivider = 1;
    capture.OscHeader1 = {};
    capture.OscHeader1.TimeDiv = 1;
    capture.OscHeader1.TriggerVolts = 60;
    capture.OscHeader1.VoltDiv = 4;
    capture.OscHeader1.InDivider = 1;
    for (int t = 0; t < 2 * OscAreaSamples; ++t)
        capture.OscSamples[t] = InjectorSample(t + 40);
}

void Put(QByteArray& image, qsizetype position, const void* bytes, qsizetype count) {
    std::memcpy(image.data() + position, bytes, std::size_t(count));
}

void PutCapture(QByteArray& image, int position, const TOscHeader& header, const uint8_t* samples) {
    Put(image, position, &header, sizeof header);
    Put(image, position + qsizetype(sizeof header), samples, OscAreaSamples);
}

} // namespace

QByteArray FactoryImage(quint32 memorySize) {
    TMK mk;
    FillJournals(mk.Record);
    FillOscilloscope(mk.Oscilloscope);

    mk.Image = QByteArray(MemoryImage::ImageSize(memorySize), char(0xFF));
    const TImageDirectory directory = FactoryDirectory();
    Put(mk.Image, 0, &directory, DirectorySize);
    const TDirectoryEntry& entry12 = directory.Entries[11];
    std::memset(mk.Image.data() + entry12.Address - MKAddressBase, 0, Entry12Size);
    mk.PackAll();

    PutCapture(mk.Image, OscArea0Position, mk.Oscilloscope.OscHeader0, mk.Oscilloscope.OscSamples);
    PutCapture(mk.Image, OscArea1Position, mk.Oscilloscope.OscHeader1,
               mk.Oscilloscope.OscSamples + OscAreaSamples);
    return mk.Image;
}

QByteArray FactoryMemory(quint32 memorySize) {
    return MemoryImage::ToMemory(FactoryImage(memorySize), memorySize);
}
