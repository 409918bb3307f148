#pragma once

// The conversions between a control's shown value and its record field, written once,
// and the builders the page tables make their rows with. A builder binds the control to
// the field its name gives (name without its lower-case type prefix); a conversion
// replaces that binding.

#include "editing/ControlRow.h"
#include "model/DeviceModel.h"
#include "model/RecordFields.h"

// A record field element, found by name.
struct TFieldRef {
    TBlock Block;
    const TFieldInfo* Field;
    int Index = 0;

    // The same field at another element: found once, a field serves every element.
    TFieldRef At(int index) const { return {Block, Field, index}; }
};
// Throws TMKError when the record has no such field.
TFieldRef RecordField(QStringView name, int index = 0);
int64_t ReadField(const TMK& mk, const TFieldRef& ref);
void StoreField(TMK& mk, const TFieldRef& ref, int64_t value); // TRangeError when it does not fit
float ReadFloatField(const TMK& mk, const TFieldRef& ref);
void StoreFloatField(TMK& mk, const TFieldRef& ref, float value);

// The field a control name binds: the name without its lower-case type prefix.
QString BoundFieldName(const QString& controlName);

// Rounds halves to even (the one rounding of scaled values).
int64_t RoundEven(double value);

// Row builders: the control bound to its own field, plainly (spin: same value; radio and
// list: item index; check: 1/0). Edits need a conversion.
TControlRow Spin(const QString& name, const QString& caption, double min, double max,
                 double step = 1, int decimals = 0);
TControlRow Radio(const QString& name, const QString& caption, const QStringList& items);
TControlRow List(const QString& name, const QString& caption, const QStringList& items);
TControlRow Check(const QString& name, const QString& caption);
TControlRow Edit(const QString& name, const QString& caption, int maxLength);

// Conversions; each returns the row for chaining and binds `field` (default: the
// control's own field).
namespace Bind {
// shown = stored × mul / div (tenths: 1, 10; halves: 2, 1; fives: 5, 1; tens: 10, 1).
TControlRow& Scaled(TControlRow& row, int mul, int div, const QString& field = {});
// Percent factor: 1.0 shows 0.0, 1.05 shows 5.0; stored = shown / 100 + 1.
TControlRow& PercentFactor(TControlRow& row, const QString& field = {});
// Item index plus offset is stored (ResetPeriod1: offset -1).
TControlRow& ItemOffset(TControlRow& row, int offset, const QString& field = {});
// Item i stores values[i]; a stored value maps to the item loadMap gives.
TControlRow& ItemMap(TControlRow& row, QList<int> values, std::function<int(int64_t)> loadMap,
                     const QString& field = {});
// Item maps' loads: the tachometer divider (1, 2, anything else 4) and zero or not.
int DividerItem(int64_t stored);
int NonZeroItem(int64_t stored);
// One bit of a flags word: a check box sets it when checked, a two-item radio group when
// its second item is selected.
TControlRow& Bit(TControlRow& row, const QString& field, int bit);
// Minutes of the day as "hh:mm".
TControlRow& MinutesOfDay(TControlRow& row, const QString& field = {});
// A day number as "dd.mm.yy"; 0 (no date) shows empty and is kept while the text is empty.
TControlRow& Date(TControlRow& row, const QString& field = {});
// A code page 1251 name of at most row.MaxLength characters, zero-terminated when shorter
// than the field.
TControlRow& Name(TControlRow& row, const QString& field = {});
// One element of an array field, plainly.
TControlRow& Element(TControlRow& row, const QString& field, int index);
// A count of at most `max`; a stored count above it is put back to 0 in the record when it
// loads.
TControlRow& CountUpTo(TControlRow& row, int max, const QString& field = {});
// Bits `shift` … of an element (`mask` wide) as the item index; a value naming no item of
// the row loads as none (-1). Stores the item into those bits.
TControlRow& BitsItem(TControlRow& row, const QString& field, int index, int shift, int64_t mask);
// shown = stored × mul / div while `when` holds, the stored value itself otherwise.
TControlRow& ScaledWhen(TControlRow& row, TEditorRule when, int mul, int div,
                        const QString& field = {});
// A warning's presentation: three bits at `shift` of an element. With a partner group the
// byte holds both choices (bits 0-2 the first, 3-5 the later; a group without a choice
// keeps its bits); without one the choice goes into both halves.
TControlRow& Presentation(TControlRow& row, const QString& field, int index, int shift,
                          const QString& partner);
// The item goes to a cascade instead of a field.
TControlRow& ItemAction(TControlRow& row, void (*action)(TSettingsEditor&, int));
// A value equal to the other control's shown value is refused with `message`.
TControlRow& DiffersFrom(TControlRow& row, const QString& other, const QString& message);
} // namespace Bind

// The percent-factor conversion itself (shown in tenths of a percent).
double PercentShown(float factor);
float PercentStored(double shown);
// "hh:mm" and back; a text without ':' at the third place is 0; non-digits raise
// "'%s' is not a valid integer value".
QString MinutesText(int64_t minutes);
int64_t MinutesValue(const QString& text);
// Reads a decimal number the way the editor does; TMKError "'%s' is not a valid integer
// value" otherwise.
int64_t IntegerValue(const QString& text);
