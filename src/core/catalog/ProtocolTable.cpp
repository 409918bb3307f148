#include "catalog/ProtocolTable.h"

namespace {

using enum TCap;
using enum TGroup;

// Option definitions, each written once and shared by the entries that offer it.
const TOptionDef CanPollRate = {1, "Опрос CAN раз/сек", {"4", "1"}};
const TOptionDef GearboxOilCanSet = {
    4,
    "Темп. масла АКПП",
    {"Нет",      "Paj.Sport", "Outlndr",  "Niss1",      "Captiva",    "Toy1",       "Toy2",
     "HovH5,St", "Niss2",     "Wrangler", "Rexton",     "Kyr/Act",    "Niss3",      "Outl3.0",
     "Paj.WF",   "Duster",    "Mazda1",   "Hyund/Kia1", "Hyund/Kia2", "Mazda2",     "Mazda3",
     "Subaru",   "Niss4",     "Suz1",     "Outl16",     "Astra",      "Toy3",       "Chery",
     "Kuga1",    "Niss5",     "Suz2",     "Suz3",       "Patrt",      "Hyund/Kia3", "A13",
     "A16",      "Emgrd",     "Punch",    "TCU",        "Toy4",       "Hyund/Kia4", "Kuga2"}};
const TOptionDef GearboxOilToyotaSet = {
    4, "Темп. масла АКПП", {"Нет", "Toy1", "Toy2", "Toy3", "Toy4"}};
const TOptionDef FanChannel = {1, "Канал включения вентилятора", {"1", "2", "1+2"}};
const TOptionDef GearboxOilM74 = {4, "Темп. масла АКПП", {"Нет", "Jatco", "ZF 2180"}};
const TOptionDef FuelCalcCan = {2, "Расчет расхода", {"1", "2", "Круиз", "4", "5D", "DustD"}};
const TOptionDef ThrottleType = {3, "Тип дросселя", {"1", "2", "3", "4", "5", "6"}};
const TOptionDef FuelCalcTwo = {2, "Расчет расхода", {"1", "2"}};
const TOptionDef GearboxOilEms = {4, "Темп. масла АКПП", {"Нет", "ZF 2180"}};
const TOptionDef FuelCalcThree = {2, "Расчет расхода", {"1", "2", "3"}};
const TOptionDef ErrorRequest = {1, "Запрос ошибок", {"Авто", "Руч."}};
const TOptionDef Tobd1ProtocolType = {1, "Тип протокола", {"MAP1", "MAP2", "VAF"}};
const TOptionDef Tobd1CoolantVariant = {2, "Вариант ТОЖ", {"с 92", "до 92"}};
const TOptionDef Tobd1IdleValveVariant = {3, "Вариант ШД", {"ШД", "ЭМК"}};
const TOptionDef ErrorTypeThree = {2, "Тип ошибок", {"1", "2", "3"}};
const TOptionDef CoolantIntakeVariant = {3, "Вариант ТОЖ/ТВВ", {"1", "2"}};
const TOptionDef FuelCalcMitsu2 = {3, "Расчет расхода", {"1", "2"}};
const TOptionDef EngineType = {1, "Тип двигателя", {"Бензин", "Дизель"}};
const TOptionDef ErrorTypeTwo = {2, "Тип ошибок", {"1", "2"}};
const TOptionDef SonataType = {0, "Тип", {"1", "2"}};
const TOptionDef HondaType = {1, "Тип", {"2", "1"}};
const TOptionDef Probe2Type = {3, "Тип ДК2", {"Lambda", "O2 Пер"}};
const TOptionDef ProbeType = {1, "Тип ДК", {"1", "2"}};
const TOptionDef ObdType = {0, "Тип ОБД", {"Авто", "1", "2", "3", "4", "5"}};
const TOptionDef FuelCalcCruise = {2, "Расчет расхода", {"1", "Круиз"}};
const TOptionDef GearboxOilYesNo = {4, "Темп. масла АКПП", {"Нет", "Да"}};
const TOptionDef Opel4CoolantVariant = {3, "Вариант ТОЖ", {"1", "2"}};
const TOptionDef SsangYongProtocolType = {
    0, "Тип протокола", {"K20E3", "K20E4", "R27E3", "R27E4", "R27  "}};

// The two shared option sets also set HasGearboxOilTemp.
const TOptionSet CanSet = {{&CanPollRate, &GearboxOilCanSet}, Flags("G")};
const TOptionSet ToyotaSet = {{&CanPollRate, &GearboxOilToyotaSet}, Flags("G")};

// Columns: name, code, error format, enabled when, parameters after 1..16, blocks, ECU fuel
// sensors, flags, own options, shared option set, what changes under a condition. The number
// after each row is its place in the full catalogue.

// Created only when UseCanFamily is set.
// clang-format off
const TProtRow CanFamilyRows[] = {
    {"M74CAN", 11, 1, When(UseM74Can), {17, 18, 25, 20, 33, 22, 23, 24, 36, 37, 19}, {8, 10, 11, 15, 25, 27, 77, 28, 29, 30, 36, 37, 55, 56, 57, 58, 59, 60, 76, 83}, 2, Flags("CEGFL"), {&FanChannel, &GearboxOilM74}, nullptr}, // 1
    {"M86", 16, 1, When(UseM86), {17, 25, 20, 33, 22, 23, 24, 36, 37, 19}, {55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 76, 83}, 3, Flags("CEGFL"), {&FanChannel, &GearboxOilM74}, nullptr}, // 2
    {"УАЗ 17971E5", 18, 1, When(UseUaz17971), {17, 18, 25, 20, 33, 22, 23, 24, 19}, {22, 23, 31, 32, 34, 35, 66, 25}, 0, Flags("CEFL"), {&FanChannel}, nullptr}, // 3
    {"CAN Toyota", 12, 0, When(UseCanToyota), {17, 18, 19, 24, 25, 27, 20, 22, 23, 36}, {}, 1, Flags("CEG"), {}, &ToyotaSet}, // 4
    {"Estima", 230, 0, When(UseEstima), {17, 18, 19, 24, 25, 27, 20, 22, 23, 36, 44, 45, 46, 47, 48, 49, 50, 51, 53, 54}, {78, 81}, 1, Flags("CEGH"), {}, &ToyotaSet}, // 5
    {"Toyota Sai", 234, 0, When(UseEstima), {17, 18, 19, 24, 25, 27, 20, 22, 23, 36, 44, 45, 46, 47, 48, 49, 53, 54}, {120, 81}, 1, Flags("CEGH"), {}, &ToyotaSet}, // 6
    {"Prius2.0", 231, 0, When(UsePrius2), {17, 18, 19, 24, 25, 27, 20, 22, 23, 36, 44, 45, 46, 47, 48, 49, 52, 53, 54}, {79, 130}, 0, Flags("CEGH"), {}, &ToyotaSet}, // 7
    {"Prius3.0", 232, 0, When(UsePrius3), {17, 18, 19, 24, 25, 27, 20, 22, 23, 36, 37, 44, 45, 46, 47, 48, 49, 52, 53, 54}, {80, 82, 81, 85, 119, 131}, 0, Flags("CEGH"), {}, &CanSet}, // 8
    {"Lex RX400H", 235, 0, When(UsePrius3), {17, 18, 19, 24, 25, 27, 20, 22, 23, 36, 37, 44, 45, 46, 47, 48, 52, 53, 54}, {84, 81}, 0, Flags("CEGH"), {}, &CanSet}, // 9
    {"Harrier", 236, 0, When(UsePrius3), {17, 18, 19, 24, 25, 27, 20, 22, 23, 36, 37, 44, 45, 46, 47, 48, 49, 52, 53, 54}, {121, 81}, 0, Flags("CEGH"), {}, &CanSet}, // 10
    {"Prius3.5", 237, 0, When(UsePrius3), {17, 18, 19, 24, 25, 27, 20, 22, 23, 36, 37, 44, 45, 46, 47, 48, 49, 52, 53, 54}, {134, 81}, 0, Flags("CEGH"), {}, &CanSet}, // 11
    {"Lex RX400H", 233, 0, When(UseRx400h), {17, 18, 19, 24, 25, 27, 20, 22, 23, 36, 44, 45, 46, 47, 48, 50, 51, 53, 54}, {115, 81}, 1, Flags("CEGH"), {}, &ToyotaSet}, // 12
    {"CAN Ford", 15, 0, When(UseCanFord), {17, 18, 19, 24, 25, 27, 20, 22, 23, 36, 37, 38, 39}, {38, 39, 40, 41, 42, 43, 44}, 1, Flags("CEGOL"), {&ThrottleType}, nullptr}, // 13
    {"EDC16 Iveco", 13, 1, When(UseEdc16Iveco), {17, 18, 24, 25, 20, 35, 38}, {22, 23, 31, 32, 34, 35, 66, 77}, 0, Flags("CEO"), {&CanPollRate}, nullptr}, // 14
    {"CAN", 1, 0, Always, {17, 18, 19, 24, 25, 27, 20, 22, 23, 36, 37}, {45, 46, 47, 48, 49, 50, 53, 54, 69, 71, 72, 73, 74, 75, 77, 86, 87, 88, 89, 133, 90, 91, 92, 94, 95, 96, 97, 98, 99, 100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 132, 110, 111, 112, 113, 114, 116, 117, 118, 122, 123, 124, 125, 126, 127, 128, 129}, 1, Flags("CEG"), {&FuelCalcCan, &ThrottleType}, &CanSet}, // 15
    {"EMS3125", 17, 0, When(UseEms3125), {17, 18, 19, 24, 25, 20, 33, 27, 38, 37, 22, 23, 36}, {61, 62, 63, 64, 65, 76, 83}, 2, Flags("CE"), {&FuelCalcTwo, &GearboxOilEms}, nullptr}, // 16
    {"J1939", 14, 5, When(UseJ1939), {17, 19, 27, 24, 37}, {22, 23}, 1, Flags("CEB"), {&FuelCalcThree}, nullptr, {When(J1939Extended), nullptr, {true, {17, 19, 27, 24, 37, 35, 38, 41, 42, 36, 43}}, {true, {93, 22, 23}}, Flags("GO")}}, // 17
    {"NMEA2000", 19, 5, When(UseNmea2000), {17, 27, 37, 35, 38, 41, 42}, {}, 1, Flags("CEOB")}, // 18
};
// clang-format on

// clang-format off
const TProtRow OtherRows[] = {
    {"Крайслер", 21, 0, When(UseJ1850).And(UseChrysler), {17, 20, 18, 21}, {21}, 0, Flags("CE"), {&ErrorRequest}, nullptr}, // 19
    {"J1850", 22, 0, When(UseJ1850), {17, 20, 18, 22, 19}, {21}, 1, Flags("CE")}, // 20
    {"TOBD1", 27, 1000, When(UseTobd1), {17, 20, 28, 19, 25, 21, 29, 31, 30}, {}, 0, Flags("C"), {&Tobd1ProtocolType, &Tobd1CoolantVariant, &Tobd1IdleValveVariant}, nullptr}, // 21
    {"Микас", 29, 3, When(UseMikas), {17, 18, 26, 20, 21, 25}, {}, 0, Flags("CEF")}, // 22
    {"ДЭУ-1", 31, 2, When(UseDaewoo), {17, 20, 21}, {}, 0, Flags("CE")}, // 23
    {"ДЭУ-2", 32, 2, When(UseDaewoo), {17, 20, 21}, {}, 0, Flags("CE")}, // 24
    {"ДЭУ-3", 33, 2, When(UseDaewoo), {17, 20, 21}, {}, 0, Flags("CE")}, // 25
    {"Nissan", 36, 1, When(UseNissan), {17, 18, 22, 23}, {45}, 0, Flags("CE")}, // 26
    {"Aveo", 37, 7, When(UseNissan), {17, 20, 21}, {}, 1, Flags("CE"), {&ErrorTypeThree}, nullptr}, // 27
    {"Aveo 2", 38, 7, When(UseNissan), {17, 20, 32, 19, 18, 27, 24, 25, 22, 23, 21, 37}, {}, 1, Flags("CE"), {&ErrorTypeThree}, nullptr}, // 28
    {"Микас 10.3", 48, 1, When(UseMikas103), {17, 18, 25, 20, 33, 22, 23, 21, 27, 19, 24}, {22, 23}, 0, Flags("CEF"), {&FanChannel}, nullptr}, // 29
    {"10/11Корвет", 51, 1, When(UseKorvet), {17, 25, 20, 21, 38, 37, 35}, {22, 23}, 0, Flags("CEF")}, // 30
    {"Январь", 41, 1, When(UseJanuary), {17, 18, 25, 20, 22, 21}, {8, 12}, 0, Flags("CEF"), {&FanChannel}, nullptr}, // 31
    {"Микас 7.6", 42, 1, When(UseMikas76), {17, 18, 25, 20, 22, 21, 19, 24}, {}, 0, Flags("CE"), {&FanChannel}, nullptr}, // 32
    {"Микас 11", 43, 1, When(UseMikas76), {17, 18, 20, 21}, {21, 22, 23}, 0, Flags("CE"), {&FanChannel}, nullptr}, // 33
    {"M74", 44, 1, When(UseM74), {17, 18, 25, 20, 33, 22, 23, 24}, {8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 22, 23, 24, 67, 68}, 0, Flags("CEF"), {&FanChannel}, nullptr}, // 34
    {"Бош M7.9.7", 45, 1, When(UseBoschM797), {17, 18, 25, 20, 22, 23, 21, 24, 27}, {8, 10, 11, 12, 13, 14, 16, 17, 18, 19, 20, 22, 23, 24, 26, 67, 68}, 0, Flags("CEF"), {&FanChannel}, nullptr}, // 35
    {"Микас 11E3", 46, 1, When(UseMikas76), {17, 18, 20, 21, 22}, {22, 23}, 0, Flags("CEF"), {&FanChannel}, nullptr}, // 36
    {"М12", 47, 1, When(UseMikas76), {17, 24, 18, 22, 23, 20, 33, 25}, {22, 23}, 1, Flags("CEF"), {&FanChannel}, nullptr}, // 37
    {"UAZ1797", 49, 1, When(UseUaz1797), {17, 18, 25, 20, 33, 24, 22, 23}, {22, 23, 31, 32, 34, 35, 66}, 0, Flags("CEF"), {&FanChannel}, nullptr}, // 38
    {"EDC16 ЗМЗ", 50, 1, When(UseUaz1797), {17, 18, 20, 27, 24, 35}, {}, 0, Flags("CE")}, // 39
    {"Бош M7.0", 61, 1, When(UseJanuary), {17, 18, 25, 20, 22, 21}, {8, 12}, 0, Flags("CE"), {&FanChannel}, nullptr}, // 40
    {"Sonata", 62, 1, When(UseSonata), {17, 19, 25, 20, 22, 21, 24, 18}, {}, 0, Flags("CE"), {&SonataType}, nullptr}, // 41
    {"Tiggo", 63, 1, When(UseTiggo), {17, 20, 21, 22, 19, 24}, {}, 0, Flags("CE"), {&FanChannel}, nullptr, {When(UseDelphi), "Bosch", {}, {}, Flags("")}}, // 42
    {"Subaru", 64, 4, When(UseSubaru), {17, 20, 27, 21, 22, 23, 19, 25, 28}, {}, 1, Flags("CE"), {&Probe2Type}, nullptr}, // 43
    {"Рено", 65, 1, When(UseRenault), {17, 20, 22, 23, 19, 24, 21}, {51, 52}, 0, Flags("CE")}, // 44
    {"VAG 1", 82, 8, When(UseVag).AndNot(NoVag), {17, 20, 19, 24, 18}, {}, 0, Flags("CE")}, // 45
    {"VAG 2", 83, 8, When(UseVag).AndNot(NoVag), {17, 20, 22, 18}, {}, 0, Flags("CE")}, // 46
    {"VAG 3", 84, 8, When(UseVag).AndNot(NoVag), {17, 20, 22, 23, 18, 27, 24}, {}, 0, Flags("CE")}, // 47
    {"VAG 4", 85, 8, When(UseVag).AndNot(NoVag), {17, 20, 19, 27}, {}, 0, Flags("CE")}, // 48
    {"VAG 5", 86, 8, When(UseVag).AndNot(NoVag), {17, 20, 24, 27}, {}, 0, Flags("CE")}, // 49
    {"VAG 6", 87, 8, When(UseVag).AndNot(NoVag), {17, 20, 24, 27, 22}, {}, 0, Flags("CE")}, // 50
    {"VAG 7", 88, 8, When(UseVag).AndNot(NoVag), {17, 20, 18, 24, 27, 22, 23}, {}, 0, Flags("CE")}, // 51
    {"VAG 8", 89, 8, When(UseVag).AndNot(NoVag), {17, 20, 18, 22}, {}, 0, Flags("CE")}, // 52
    {"VAG 9", 90, 8, When(UseVag).AndNot(NoVag), {17, 20, 27, 22, 24}, {}, 0, Flags("CE")}, // 53
    {"VAG 10", 91, 8, When(UseVag).AndNot(NoVag), {17, 20, 18, 22, 24}, {}, 0, Flags("CE")}, // 54
    {"VAG 11", 92, 8, When(UseVag).AndNot(NoVag), {17, 20, 27, 23, 24}, {}, 0, Flags("CE")}, // 55
    {"VAG 12", 93, 8, When(UseVag).AndNot(NoVag), {17, 20, 18, 27, 22, 23, 24}, {}, 0, Flags("CE"), {&ProbeType}, nullptr}, // 56
    {"VAG 13", 94, 8, When(UseVag).AndNot(NoVag), {17, 27, 22, 24}, {}, 0, Flags("CE")}, // 57
    {"VAG 14", 95, 8, When(UseVag).AndNot(NoVag), {17, 18, 27, 22, 23, 24}, {}, 0, Flags("CE")}, // 58
    {"GreatWall", 81, 2, When(UseVag), {17, 19, 22, 24, 21}, {}, 0, Flags("CE")}, // 59
    {"VAG CE", 96, 8, When(UseVag).AndNot(NoVag), {}, {}, 0, Flags("E")}, // 60
    {"Mitsu3", 101, 0, When(UseMitsu3), {17, 20, 19, 18}, {}, 0, Flags("CE")}, // 61
    {"OBD2E", 102, 0, When(UseObd2).And(ObdEOnly), {17, 20, 22, 19, 18, 24}, {}, 0, Flags("CE")}, // 62
    {"OBD2Q", 103, 0, When(UseObd2).AndNot(ObdEOnly), {17, 20, 22, 19, 18, 24}, {}, 0, Flags("CE"), {&ObdType, &ErrorRequest, &FuelCalcCruise, &ThrottleType}, nullptr}, // 63
    {"OBD2S", 104, 0, When(UseObd2).AndNot(ObdEOnly), {17, 20, 19, 18, 24}, {}, 0, Flags("CE"), {&ObdType, &ErrorRequest, &FuelCalcCruise, &ThrottleType}, nullptr}, // 64
    {"OBD2P", 105, 0, When(UseObd2).AndNot(ObdEOnly), {17, 20, 19, 18, 24}, {}, 0, Flags("CE"), {&ObdType, &ErrorRequest, &FuelCalcCruise, &ThrottleType}, nullptr}, // 65
    {"Toyota", 111, 0, When(UseToyota), {17, 20, 19, 18, 22, 21, 24, 36}, {}, 0, Flags("CE"), {&GearboxOilYesNo}, nullptr}, // 66
    {"Toyota1", 113, 0, When(UseToyota1), {17, 20, 18, 22}, {}, 0, Flags("CE"), {&ErrorRequest}, nullptr}, // 67
    {"Daihatsu", 112, 0, When(UseDaihatsu), {17, 20, 19, 18, 22, 23, 24}, {}, 0, Flags("CE")}, // 68
    {"Mitsu 1", 116, 9, When(UseMitsu), {17, 20, 22, 23, 24, 27, 21}, {}, 0, Flags("CE"), {&ErrorTypeThree, &CoolantIntakeVariant}, nullptr}, // 69
    {"Mitsu 2", 117, 9, When(UseMitsu), {17, 20, 19, 18, 24}, {}, 0, Flags("CE"), {&ErrorTypeThree, &FuelCalcMitsu2}, nullptr}, // 70
    {"Mitsu5", 118, 9, When(UseMitsu), {17, 20, 22, 23, 24, 27, 21}, {}, 0, Flags("CE"), {&ErrorTypeThree}, nullptr}, // 71
    {"Opel 1", 121, 1, When(UseOpel), {17, 20, 21, 22, 24, 27, 19}, {}, 0, Flags("CE")}, // 72
    {"Opel 2", 122, 1, When(UseOpel), {17, 20, 21, 24, 22, 25, 18}, {}, 0, Flags("CE")}, // 73
    {"Opel 3", 123, 1, When(UseOpel), {17, 20, 21, 22, 24, 25, 18}, {}, 0, Flags("CE")}, // 74
    {"Opel 4", 124, 1, When(UseOpel), {17, 20, 22, 24, 25}, {}, 0, Flags("CE"), {&Opel4CoolantVariant}, nullptr}, // 75
    {"Opel 5", 125, 1, When(UseOpel), {17, 20, 22, 24, 25, 18}, {}, 0, Flags("CE")}, // 76
    {"Opel 6", 126, 1, When(UseOpel), {17, 20, 22, 24, 25, 19}, {}, 0, Flags("CE")}, // 77
    {"Opel 7", 127, 1, When(UseOpel), {17, 20, 24, 18}, {}, 0, Flags("CE")}, // 78
    {"Opel 8", 128, 1, When(UseOpel), {17, 20, 21, 24, 22, 25, 18}, {}, 0, Flags("CE")}, // 79
    {"SsYong бен", 131, 1, When(UseSsangYong), {17, 20, 22, 27, 18, 24}, {}, 0, Flags("CE")}, // 80
    {"SsYong диз", 132, 1, When(UseSsangYong), {17, 20, 18, 24}, {}, 0, Flags("CE"), {&SsangYongProtocolType}, nullptr}, // 81
    {"Mitsu 4", 139, 0, When(UseMitsu4), {17, 20, 22, 23, 24, 27, 21}, {}, 0, Flags("CE"), {&EngineType, &ErrorTypeTwo}, nullptr}, // 82
    {"Consult1", 141, 2, When(UseConsult), {17, 20, 28, 21, 22, 24, 25, 19}, {}, 1, Flags("CE"), {&FuelCalcTwo}, nullptr, {When(HasCanBlocks), nullptr, {}, {true, {45}}, Flags("")}}, // 83
    {"Consult1D", 142, 2, When(UseConsult), {17, 20, 28, 24, 19}, {}, 1, Flags("CE"), {&FuelCalcTwo}, nullptr, {When(HasCanBlocks), nullptr, {}, {true, {45}}, Flags("")}}, // 84
    {"Honda", 151, 2, When(UseHonda), {17, 20, 22, 21, 19, 24, 25}, {}, 0, Flags("CE"), {&HondaType}, nullptr}, // 85
    {"Suzuki", 152, 2, When(UseSuzuki), {17, 20, 22, 21, 18, 24}, {}, 0, Flags("CE")}, // 86
    {"OBDPWM", 162, 0, When(UseObdPwm), {17, 20, 18, 22, 19}, {}, 1, Flags("CE")}, // 87
    {"Delphi", 220, 1, When(UseDelphi), {17, 19, 25, 20, 22, 23, 21, 24}, {}, 0, Flags("CE")}, // 88
    {"Универс.", 255, 1000, When(UseUniversal), {}, {}, 0, Flags("")}, // 89
};
// clang-format on

} // namespace

std::span<const TProtRow> CanFamilyProtocolRows() {
    return CanFamilyRows;
}
std::span<const TProtRow> OtherProtocolRows() {
    return OtherRows;
}
