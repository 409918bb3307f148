// Compile-time check that every record struct matches the MK's byte layout.
#include "model/Record.h"

#define MK_AT(Type, field, offset)                                                                 \
    static_assert(offsetof(Type, field) == (offset), #Type "::" #field " misplaced")

static_assert(sizeof(TCounterGroup) == 12 && sizeof(TGasCounterGroup) == 12);
static_assert(sizeof(TTripTotals) == 164);
MK_AT(TTripTotals, AllSum, 0);
MK_AT(TTripTotals, TripSum, 12);
MK_AT(TTripTotals, ResetSum, 24);
MK_AT(TTripTotals, StopSum, 36);
MK_AT(TTripTotals, NoStopSum, 48);
MK_AT(TTripTotals, TankSum, 60);
MK_AT(TTripTotals, AllPathStart, 100);
MK_AT(TTripTotals, ResetPeriod0, 104);
MK_AT(TTripTotals, ResetPeriod1, 105);
MK_AT(TTripTotals, OilOnlySum, 108);
MK_AT(TTripTotals, GasOnlySum, 120);
MK_AT(TTripTotals, ResetPeriodOnly, 134);
MK_AT(TTripTotals, GasFuel, 136);

static_assert(sizeof(TParkingSettings) == 28);
MK_AT(TParkingSettings, ParkSense0, 2);
MK_AT(TParkingSettings, ParkSpeed1, 5);
MK_AT(TParkingSettings, ParkMinLeng0, 6);
MK_AT(TParkingSettings, ParkStopVel0, 8);
MK_AT(TParkingSettings, ParkStopLeng1, 11);
MK_AT(TParkingSettings, ParkBeepType, 14);
MK_AT(TParkingSettings, ParkStopLengBeep, 15);
MK_AT(TParkingSettings, ParkForwConstOff, 16);
MK_AT(TParkingSettings, ParkFarkopLen, 17);
MK_AT(TParkingSettings, ParkType, 18);
MK_AT(TParkingSettings, ParkProbesQntReal0, 21);
MK_AT(TParkingSettings, ParkProbesQntReal1, 22);

static_assert(sizeof(TTankSensorSettings) == 64);
MK_AT(TTankSensorSettings, Lit6L, 2);
MK_AT(TTankSensorSettings, Oil43L, 4);
MK_AT(TTankSensorSettings, Lit43L, 6);
MK_AT(TTankSensorSettings, OilCalibrResArr, 8);
MK_AT(TTankSensorSettings, OilCalibrLitArr, 22);
MK_AT(TTankSensorSettings, OilCalibrQuant, 36);
MK_AT(TTankSensorSettings, TankMode, 37);
MK_AT(TTankSensorSettings, TankMeth, 38);
MK_AT(TTankSensorSettings, K100Manual, 42);
MK_AT(TTankSensorSettings, TankContFull, 44);
MK_AT(TTankSensorSettings, LinkLossCount, 46);
MK_AT(TTankSensorSettings, GazContFull, 56);

static_assert(sizeof(TTankCalibration) == 420);
MK_AT(TTankCalibration, TarirFlagFinish, 1);
MK_AT(TTankCalibration, TarirLeng, 2);
MK_AT(TTankCalibration, TarirStartHigh, 6);
MK_AT(TTankCalibration, TarirIncline, 7);
MK_AT(TTankCalibration, TarirLitres, 8);
MK_AT(TTankCalibration, TarirUnits, 144);

static_assert(sizeof(TServiceSettings) == 124);
MK_AT(TServiceSettings, CandleCntK, 6);
MK_AT(TServiceSettings, UseUniMeas, 7);
MK_AT(TServiceSettings, TO, 8);
MK_AT(TServiceSettings, OSAGO, 12);
MK_AT(TServiceSettings, Blocks, 20);
MK_AT(TServiceSettings, UniMeasADC0, 52);
MK_AT(TServiceSettings, UniMeasADC1, 54);
MK_AT(TServiceSettings, UniMeasDat0, 56);
MK_AT(TServiceSettings, UniMeasDat1, 58);
MK_AT(TServiceSettings, UniMeasStr, 60);
MK_AT(TServiceSettings, AirWaterShow, 67);
MK_AT(TServiceSettings, ForsTOName, 68);
MK_AT(TServiceSettings, GRMStrapName, 84);
MK_AT(TServiceSettings, CandleName, 100);
MK_AT(TServiceSettings, ServiceFlags, 116);

static_assert(sizeof(TLimitsSettings) == 69);
MK_AT(TLimitsSettings, TimeCorr, 3);
MK_AT(TLimitsSettings, LiqTemperLimit, 4);
MK_AT(TLimitsSettings, UaccLowLimit, 6);
MK_AT(TLimitsSettings, StopVelocityLimit, 8);
MK_AT(TLimitsSettings, UaccHighLimit, 10);
MK_AT(TLimitsSettings, VentTempLimit, 12);
MK_AT(TLimitsSettings, GasMeth, 14);
MK_AT(TLimitsSettings, AirTemperMeth, 15);
MK_AT(TLimitsSettings, PrognozMeth, 16);
MK_AT(TLimitsSettings, VelocityMeth, 17);
MK_AT(TLimitsSettings, ExpenseMeth, 18);
MK_AT(TLimitsSettings, RevolutionsMeth, 19);
MK_AT(TLimitsSettings, ForsPosFlag, 20);
MK_AT(TLimitsSettings, ForsCoef, 21);
MK_AT(TLimitsSettings, InjTimeLimit, 22);
MK_AT(TLimitsSettings, AirTemperCorr, 23);
MK_AT(TLimitsSettings, Vel100, 28);
MK_AT(TLimitsSettings, Vel100Down, 30);
MK_AT(TLimitsSettings, ExpenseCorr, 32);
MK_AT(TLimitsSettings, VelocityCorr, 36);
MK_AT(TLimitsSettings, AccCorr, 40);
MK_AT(TLimitsSettings, LiqTemperReady, 41);
MK_AT(TLimitsSettings, GasOilMeth, 45);
MK_AT(TLimitsSettings, Exp100ArrowLim, 46);
MK_AT(TLimitsSettings, VAGSFilterLimit, 47);
MK_AT(TLimitsSettings, GazExpenseCorr, 48);
MK_AT(TLimitsSettings, OilAKPPTemperLimit, 52);
MK_AT(TLimitsSettings, OilEngTemperLimit, 54);
MK_AT(TLimitsSettings, CVTFDeteriorLim, 56);
MK_AT(TLimitsSettings, UaccMeth, 58);
MK_AT(TLimitsSettings, InvTemperLimit, 59);
MK_AT(TLimitsSettings, RetarderOilTemperLimit, 60);
MK_AT(TLimitsSettings, HVBTemperLimit, 62);

static_assert(sizeof(TJournalRecord) == 20);
MK_AT(TJournalRecord, Day, 2);
MK_AT(TJournalRecord, Month, 3);
MK_AT(TJournalRecord, TripTime, 4);
MK_AT(TJournalRecord, Path, 8);
MK_AT(TJournalRecord, Fuel, 12);
MK_AT(TJournalRecord, GasFuel, 16);

static_assert(sizeof(TTripSettings) == 860);
MK_AT(TTripSettings, PriceTime, 2);
MK_AT(TTripSettings, PricePath, 4);
MK_AT(TTripSettings, PriceGas, 6);
MK_AT(TTripSettings, TripShowFlag, 8);
MK_AT(TTripSettings, TripJournAuto, 9);
MK_AT(TTripSettings, TripMinStop, 10);
MK_AT(TTripSettings, TripJournal, 16);
MK_AT(TTripSettings, TankJournal, 436);

static_assert(sizeof(TBlock8) == 80);

static_assert(sizeof(TAlarmSounds) == 32);
MK_AT(TAlarmSounds, AlarmVelSecNoSayMax, 27);

static_assert(sizeof(TColorTable) == 56);
MK_AT(TColorTable, Indices, 32);

static_assert(sizeof(TDisplaySettings) == 412);
MK_AT(TDisplaySettings, DispVar4, 9);
MK_AT(TDisplaySettings, DispVar9, 10);
MK_AT(TDisplaySettings, Screens4, 12);
MK_AT(TDisplaySettings, Screens7, 36);
MK_AT(TDisplaySettings, GraphScreens, 64);
MK_AT(TDisplaySettings, ArrowScreens, 80);
MK_AT(TDisplaySettings, Screens9, 96);
MK_AT(TDisplaySettings, DispSpeed, 123);
MK_AT(TDisplaySettings, HotMenus, 124);
MK_AT(TDisplaySettings, ColorTable0, 248);
MK_AT(TDisplaySettings, ColorTable1, 304);
MK_AT(TDisplaySettings, ColorScheme, 360);
MK_AT(TDisplaySettings, SayHelloMode, 361);
MK_AT(TDisplaySettings, SoundVolume, 362);
MK_AT(TDisplaySettings, FlagSound, 363);
MK_AT(TDisplaySettings, Intense0, 364);
MK_AT(TDisplaySettings, Intense1, 365);
MK_AT(TDisplaySettings, SayEconomPeriod, 366);
MK_AT(TDisplaySettings, SayParamPeriod, 367);
MK_AT(TDisplaySettings, DispShowTitle, 370);
MK_AT(TDisplaySettings, IntenseMeth, 372);
MK_AT(TDisplaySettings, SoundKeys, 373);
MK_AT(TDisplaySettings, SoundLock, 374);
MK_AT(TDisplaySettings, ShowDispName, 375);
MK_AT(TDisplaySettings, IntenseDayTime, 376);
MK_AT(TDisplaySettings, IntenseNightTime, 378);
MK_AT(TDisplaySettings, ShowDisp4, 380);
MK_AT(TDisplaySettings, ShowDisp9, 382);
MK_AT(TDisplaySettings, ShowDisp7, 384);
MK_AT(TDisplaySettings, ShowDispG, 386);
MK_AT(TDisplaySettings, ShowDispA, 388);
MK_AT(TDisplaySettings, ShowDispS, 390);
MK_AT(TDisplaySettings, ShowDisp1, 392);
MK_AT(TDisplaySettings, Screen6, 400);
MK_AT(TDisplaySettings, ShowDisp6, 406);

static_assert(sizeof(TProtocolSettings) == 60);
MK_AT(TProtocolSettings, Protocol, 4);
MK_AT(TProtocolSettings, PrevProtocol, 6);
MK_AT(TProtocolSettings, ProtocolSelectMeth, 8);
MK_AT(TProtocolSettings, EcuAddress, 9);
MK_AT(TProtocolSettings, VirtualExpenseType, 10);
MK_AT(TProtocolSettings, LockTypeLevel, 11);
MK_AT(TProtocolSettings, ProtTypeMain, 12);
MK_AT(TProtocolSettings, ProtTypeAdd3, 15);
MK_AT(TProtocolSettings, ConsultPids, 16);
MK_AT(TProtocolSettings, StartThrottle, 18);
MK_AT(TProtocolSettings, EcuPids, 20);
MK_AT(TProtocolSettings, ProtTypeAdd4, 52);
MK_AT(TProtocolSettings, ProtTypeAdd7, 55);

static_assert(sizeof(TFaultRecord) == 92);
MK_AT(TFaultRecord, Code, 4);
MK_AT(TFaultRecord, FreezeCode, 8);
MK_AT(TFaultRecord, FuelSystemStatus, 12);
MK_AT(TFaultRecord, FreezeValuesLow, 14);
MK_AT(TFaultRecord, SecondaryAirStatus, 42);
MK_AT(TFaultRecord, FreezeValuesHigh, 44);

static_assert(sizeof(TErrorJournal) == 664);
MK_AT(TErrorJournal, SupportedPids, 4);
MK_AT(TErrorJournal, Faults, 16);

static_assert(sizeof(TOscHeader) == 8);
MK_AT(TOscHeader, TriggerLevel, 4);
MK_AT(TOscHeader, VoltDiv, 6);
MK_AT(TOscHeader, InDivider, 7);
static_assert(sizeof(TOscilloscopeRecord) == 8 + 8 + 1024);

static_assert(sizeof(TImageDirectory) == 64);
MK_AT(TImageDirectory, Entries, 4);
MK_AT(TImageDirectory, FirmwareVersion, 56);
