#pragma once

// Named fields of each record block, made from the structs themselves, so mktool, the
// editor's binder and the tests share one description of the layout.

#include "model/Pars32.h"

#include <QStringView>
#include <optional>
#include <span>

enum class TFieldType {
    I8,
    U8,
    I16,
    U16,
    I32,
    U32,
    U64,
    F32,
    Chars,        // zero-terminated code page 1251 text; Count = field size
    BigEndianU16, // word stored high byte first
    Counter,      // TCounterGroup
    GasCounter,   // TGasCounterGroup
    Journal,      // TJournalRecord
    Fault,        // TFaultRecord
    ColorTable,   // TColorTable
};

struct TFieldInfo {
    const char* Name;
    std::size_t Offset; // inside the block
    TFieldType Type;
    int Count;   // elements of a 1-D array (or rows of a 2-D one); 1 for a scalar
    int Columns; // elements per row of a 2-D array; 0 otherwise
    int ElementSize;
    bool Array; // an array of elements (a text field is one value)
};

std::span<const TFieldInfo> BlockFields(TBlock block);
const TFieldInfo* FindField(TBlock block, QStringView name);

struct TRecordField {
    TBlock Block;
    const TFieldInfo* Field;
};
// Looks a record field name up in all blocks.
std::optional<TRecordField> FindRecordField(QStringView name);

// A numeric field's value (element `index` of an array, row-major).
double ReadNumber(const uint8_t* block, const TFieldInfo& field, int index = 0);

// An integer field's element, exactly; TMKError for a kind that is not an integer.
int64_t ReadInteger(const uint8_t* block, const TFieldInfo& field, int index = 0);
// Writes an integer element; TRangeError (field untouched) when the value does not fit.
void StoreInteger(uint8_t* block, const TFieldInfo& field, int index, int64_t value);
// U64 fields hold bit sets above 2^63: read and write them unsigned.
uint64_t ReadUnsigned64(const uint8_t* block, const TFieldInfo& field, int index = 0);
void StoreUnsigned64(uint8_t* block, const TFieldInfo& field, int index, uint64_t value);
