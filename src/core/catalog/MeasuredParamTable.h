#pragma once

// The descriptor values of every measured-parameter class; the constructors copy their row.

#include "catalog/MeasuredParams.h"

#include <cstdint>

struct TMeasParRow {
    TMeasParKind Kind;
    uint8_t Id;
    int HasBar, DialKind, HasChart;
    int SampleValue, MinValue, MaxValue;
    int DialMin, DialMax; // 0..100 where no dial offers the parameter
    int Width, Decimals;
    const char* SampleText;
    const char* Name;
    const char* Caption1;
    const char *Name4, *Unit4;
    const char *Name9, *Unit9;
    const char* Label7;
    const char *DialName, *DialUnit;
    const char* ChartLabel;
    uint8_t HasDialMarker;
};

const TMeasParRow& MeasParRow(TMeasParKind kind);
