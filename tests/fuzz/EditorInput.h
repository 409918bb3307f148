#pragma once

// How fuzz_editor reads its input, shared with make_editor_seeds, which writes inputs:
//   [pair] [assignment count, up to 31]
//   [record bytes laid over blocks 1-11 from their start]
//   [count x 7 bytes at the end: control u16, mode u8, value u32].
// The assignments sit at the end so the record keeps its place when the count changes.

#include "base/Cp1251.h"
#include "editing/SettingsEditor.h"

#include <QByteArray>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace EditorInput {

struct TAssignmentBytes {
    uint16_t Control;
    uint8_t Mode;
    uint32_t Value;
};
constexpr std::size_t AssignmentSize = 7;

inline QString Two(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

// Three picks in four are among the controls the editor shows and enables now (the first
// such row from the index on), so assignments reach the stores; the fourth is any row,
// hidden or disabled ones included, which must be refused cleanly.
inline const TControlRow& PickRow(const TSettingsEditor& editor, uint16_t control) {
    const std::vector<TControlRow>& rows = editor.Rows();
    const std::size_t from = std::size_t(control / 4) % rows.size();
    if (control % 4 == 0)
        return rows[from];
    for (std::size_t n = 0; n < rows.size(); ++n) {
        const TControlRow& row = rows[(from + n) % rows.size()];
        if (editor.Visible(row) && editor.Enabled(row))
            return row;
    }
    return rows[from];
}

inline QVariant SpinValue(const TSettingsEditor& editor, const TControlRow& row,
                          const TAssignmentBytes& a) {
    const TRange r = editor.Range(row);
    switch (a.Mode % 6) {
    case 0:
        return r.Min;
    case 1:
        return r.Max;
    case 2:
        return r.Min - row.Step * (1 + a.Value % 3);
    case 3:
        return r.Max + row.Step * (1 + a.Value % 3);
    case 4: { // a step of the range
        const double steps =
            row.Step > 0 ? std::max(0.0, std::floor((r.Max - r.Min) / row.Step)) : 0;
        return r.Min + row.Step * std::fmod(double(a.Value), steps + 1);
    }
    default:
        return double(int32_t(a.Value)) / std::pow(10.0, row.Decimals);
    }
}

// An enabled item, any item, or one before or after the list.
inline QVariant ItemValue(const TSettingsEditor& editor, const TControlRow& row,
                          const TAssignmentBytes& a) {
    const QList<bool> enabled = editor.ItemsEnabled(row);
    const int count = int(enabled.size());
    switch (a.Mode % 4) {
    case 0: {
        QList<int> open;
        for (int i = 0; i < count; ++i)
            if (enabled[i])
                open.append(i);
        if (!open.isEmpty())
            return open[int(a.Value % uint32_t(open.size()))];
        [[fallthrough]];
    }
    case 1:
    case 2:
        return count ? int(a.Value % uint32_t(count)) : 0;
    default:
        return a.Mode & 4 ? -1 - int(a.Value % 3) : count + int(a.Value % 3);
    }
}

// Times and dates valid and two-digit, code page 1251 text, numbers, long text.
inline QVariant EditValue(const TAssignmentBytes& a) {
    const uint8_t* b = reinterpret_cast<const uint8_t*>(&a.Value);
    switch (a.Mode % 7) {
    case 0:
        return Two(b[0] % 24) + QLatin1Char(':') + Two(b[1] % 60);
    case 1:
        return Two(b[0] % 100) + QLatin1Char(':') + Two(b[1] % 100);
    case 2:
        return Two(1 + b[0] % 28) + QLatin1Char('.') + Two(1 + b[1] % 12) + QLatin1Char('.') +
               Two(b[2] % 100);
    case 3:
        return Two(b[0] % 100) + QLatin1Char('.') + Two(b[1] % 100) + QLatin1Char('.') +
               Two(b[2] % 100);
    case 4:
        return Cp1251::Decode(QByteArray(reinterpret_cast<const char*>(b), 4));
    case 5:
        return QString::number(int32_t(a.Value));
    default:
        return QString(int(a.Mode / 7 % 40), QChar(0x0410 + b[0] % 64));
    }
}

// A value for the control from the input's bytes: at, inside and beyond the range's ends,
// items inside and outside the list, times, dates and code page 1251 text.
inline QVariant ValueFor(const TSettingsEditor& editor, const TControlRow& row,
                         const TAssignmentBytes& a) {
    switch (row.Kind) {
    case TControlKind::Spin:
        return SpinValue(editor, row, a);
    case TControlKind::Radio:
    case TControlKind::List:
        return ItemValue(editor, row, a);
    case TControlKind::Check:
        return bool(a.Value & 1);
    case TControlKind::Edit:
        return EditValue(a);
    }
    return {};
}

// The assignments at the input's end and the record bytes before them.
struct TParsed {
    std::size_t Pair = 0;
    const uint8_t* Record = nullptr;
    std::size_t RecordSize = 0;
    std::vector<TAssignmentBytes> Assignments;
};

inline TParsed Parse(const uint8_t* data, std::size_t size) {
    TParsed parsed;
    parsed.Pair = data[0];
    const std::size_t count = std::min<std::size_t>(data[1] % 32, (size - 2) / AssignmentSize);
    parsed.RecordSize = size - 2 - count * AssignmentSize;
    parsed.Record = data + 2;
    parsed.Assignments.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t* p = data + 2 + parsed.RecordSize + i * AssignmentSize;
        parsed.Assignments[i].Control = uint16_t(p[0] | p[1] << 8);
        parsed.Assignments[i].Mode = p[2];
        std::memcpy(&parsed.Assignments[i].Value, p + 3, 4);
    }
    return parsed;
}

inline QByteArray Write(uint8_t pair, const QByteArray& record,
                        const std::vector<TAssignmentBytes>& assignments) {
    QByteArray input;
    input.append(char(pair)).append(char(assignments.size()));
    input.append(record);
    for (const TAssignmentBytes& a : assignments) {
        input.append(char(a.Control & 0xFF)).append(char(a.Control >> 8)).append(char(a.Mode));
        input.append(reinterpret_cast<const char*>(&a.Value), 4);
    }
    return input;
}

} // namespace EditorInput
