#pragma once

// Named fields of each record block, made from the structs themselves with the offsets the
// MK keeps them at (RecordLayout.cpp), so mktool, the editor's binder and the tests share
// one description of the layout.
//
// Every block and every nested struct (counter groups, journal and fault records, colour
// tables) has a list that covers its struct byte for byte, in layout order; bytes without
// a meaning are listed as Reserved entries, which no name lookup finds.
//
// Paths name a field inside a block: members of a nested struct follow a dot, array
// elements an index in brackets, counted from 0:
//   AllSum.Path   TripJournal[3].Fuel   ColorTable1.Palette[5]   Faults[0].FreezeValuesLow[2]
// A 2-D array is addressed `Name[r][c]`, or flat `Name[i]` with i = r * Columns + c, the
// row-major index the Read/Store functions take. A path without an index names the whole
// array; a text is one value and takes no index.

#include "model/DeviceModel.h"

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
    Reserved,     // bytes without a meaning; Count = bytes, ElementSize 1
};

struct TFieldInfo {
    const char* Name;
    std::size_t Offset; // inside the block (or the nested struct)
    TFieldType Type;
    int Count;   // elements of a 1-D array (or rows of a 2-D one); 1 for a scalar
    int Columns; // elements per row of a 2-D array; 0 otherwise
    int ElementSize;
    bool Array;                          // an array of elements (a text field is one value)
    std::span<const TFieldInfo> Members; // the member list of a nested struct kind
};

// Elements of the field (rows * columns for a 2-D array; 1 for a scalar or a text).
constexpr int FieldElements(const TFieldInfo& field) {
    return field.Array ? field.Count * (field.Columns > 0 ? field.Columns : 1) : 1;
}
// Bytes the field takes.
constexpr std::size_t FieldBytes(const TFieldInfo& field) {
    return std::size_t(field.Count) * std::size_t(field.Columns > 0 ? field.Columns : 1) *
           std::size_t(field.ElementSize);
}
bool IsIntegerField(const TFieldInfo& field);

std::span<const TFieldInfo> BlockFields(TBlock block);
// A top-level field of the block by name; reserved entries are not found.
const TFieldInfo* FindField(TBlock block, QStringView name);

struct TRecordField {
    TBlock Block;
    const TFieldInfo* Field;
};
// Looks a top-level record field name up in all blocks.
std::optional<TRecordField> FindRecordField(QStringView name);

// Where a path leads inside a block.
struct TFieldPath {
    TBlock Block;
    const TFieldInfo* Field; // the leaf
    std::size_t Base;        // block offset of the struct that holds the leaf
    int Index;               // element of the leaf (row-major); -1 when naming a whole array
    std::size_t Offset;      // block offset of the bytes named
    std::size_t Size;        // bytes named
};
std::optional<TFieldPath> ResolveField(TBlock block, QStringView path);
// Resolves in the block whose top-level field the path starts with.
std::optional<TFieldPath> ResolveRecordField(QStringView path);

// A numeric field's value (element `index` of an array, row-major); TMKError for a kind
// that is not a number.
double ReadNumber(const uint8_t* block, const TFieldInfo& field, int index = 0);

// An integer field's element, exactly; TMKError for a kind that is not an integer.
int64_t ReadInteger(const uint8_t* block, const TFieldInfo& field, int index = 0);
// Writes an integer element; TRangeError (field untouched) when the value does not fit.
void StoreInteger(uint8_t* block, const TFieldInfo& field, int index, int64_t value);
// U64 fields hold bit sets above 2^63: read and write them unsigned.
uint64_t ReadUnsigned64(const uint8_t* block, const TFieldInfo& field, int index = 0);
void StoreUnsigned64(uint8_t* block, const TFieldInfo& field, int index, uint64_t value);

// The same through a resolved path (`block` is the block's bytes); TRangeError for a path
// naming a whole array.
int64_t ReadInteger(const uint8_t* block, const TFieldPath& path);
void StoreInteger(uint8_t* block, const TFieldPath& path, int64_t value);

// By path in the model's record; TMKError for a path that names no integer element.
int64_t ReadRecordInteger(const TMK& mk, QStringView path);
void StoreRecordInteger(TMK& mk, QStringView path, int64_t value);
