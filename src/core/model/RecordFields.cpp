// Record fields by name and by path, and their values read and stored with range checks.
#include "model/RecordFields.h"

#include "base/MKError.h"

#include <QHash>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>
#include <type_traits>
#include <unordered_map>

namespace {

template <class T> T Load(const uint8_t* p) {
    T v;
    std::memcpy(&v, p, sizeof(T));
    return v;
}

const TFieldInfo* FindIn(std::span<const TFieldInfo> list, QStringView name) {
    for (const TFieldInfo& f : list)
        if (f.Type != TFieldType::Reserved && name == QLatin1String(f.Name))
            return &f;
    return nullptr;
}

// The leading name of a path component: up to the first '[' or '.'.
QStringView LeadingName(QStringView path) {
    qsizetype end = 0;
    while (end < path.size() && path[end] != u'[' && path[end] != u'.')
        ++end;
    return path.first(end);
}

// Reads "[digits]" at `pos`; advances past it.
std::optional<int> TakeIndex(QStringView path, qsizetype& pos) {
    if (pos >= path.size() || path[pos] != u'[')
        return std::nullopt;
    qsizetype i = pos + 1;
    int64_t value = 0;
    while (i < path.size() && path[i] >= u'0' && path[i] <= u'9' && value <= INT32_MAX)
        value = value * 10 + (path[i++].unicode() - u'0');
    if (i == pos + 1 || i >= path.size() || path[i] != u']' || value > INT32_MAX)
        return std::nullopt;
    pos = i + 1;
    return int(value);
}

std::optional<TFieldPath> ResolveIn(std::span<const TFieldInfo> list, TBlock block,
                                    std::size_t base, QStringView path) {
    const QStringView name = LeadingName(path);
    const TFieldInfo* f = name.isEmpty() ? nullptr : FindIn(list, name);
    if (!f)
        return std::nullopt;
    qsizetype pos = name.size();
    int indices[2];
    int given = 0;
    while (given < 2)
        if (const auto i = TakeIndex(path, pos))
            indices[given++] = *i;
        else
            break;
    if (pos < path.size() && path[pos] == u'[')
        return std::nullopt; // malformed or a third index

    int index = f->Array ? -1 : 0;
    if (given > 0) {
        if (!f->Array || (given == 2 && f->Columns == 0))
            return std::nullopt;
        index = given == 2 ? (indices[0] < f->Count && indices[1] < f->Columns
                                  ? indices[0] * f->Columns + indices[1]
                                  : -1)
                           : (indices[0] < FieldElements(*f) ? indices[0] : -1);
        if (index < 0)
            return std::nullopt;
    }

    const std::size_t at =
        base + f->Offset + (index > 0 ? std::size_t(index) * std::size_t(f->ElementSize) : 0);
    if (pos == path.size())
        return TFieldPath{
            block, f,  base,
            index, at, index < 0 || !f->Array ? FieldBytes(*f) : std::size_t(f->ElementSize)};
    if (path[pos] != u'.' || f->Members.empty() || index < 0)
        return std::nullopt;
    return ResolveIn(f->Members, block, at, path.sliced(pos + 1));
}

const uint8_t* ElementAt(const uint8_t* block, const TFieldInfo& field, int index) {
    if (index < 0 || index >= FieldElements(field))
        throw TRangeError();
    return block + field.Offset + std::size_t(index) * std::size_t(field.ElementSize);
}

template <class T> void StoreChecked(uint8_t* p, int64_t value) {
    if (value < int64_t(std::numeric_limits<T>::min()) ||
        (std::is_unsigned_v<T> ? uint64_t(value) > uint64_t(std::numeric_limits<T>::max())
                               : value > int64_t(std::numeric_limits<T>::max())))
        throw TRangeError();
    const T v = T(value);
    std::memcpy(p, &v, sizeof(T));
}

QString NotAnInteger(const TFieldInfo& field) {
    return QStringLiteral("Поле %1 не является целым числом").arg(QLatin1String(field.Name));
}

TFieldPath ResolveOrThrow(QStringView path) {
    const auto found = ResolveRecordField(path);
    if (!found)
        throw TMKError(QStringLiteral("Нет поля записи %1").arg(path));
    return *found;
}

} // namespace

bool IsIntegerField(const TFieldInfo& field) {
    switch (field.Type) {
    case TFieldType::I8:
    case TFieldType::U8:
    case TFieldType::I16:
    case TFieldType::U16:
    case TFieldType::I32:
    case TFieldType::U32:
    case TFieldType::U64:
    case TFieldType::BigEndianU16:
        return true;
    default:
        return false;
    }
}

const TFieldInfo* FindField(TBlock block, QStringView name) {
    return FindIn(BlockFields(block), name);
}

std::optional<TRecordField> FindRecordField(QStringView name) {
    // The editor's rows look their fields up by name on every load and store: every
    // top-level name is indexed once, the first block's field winning as a search through
    // the twelve lists would, and found without copying the name.
    struct THashView {
        using is_transparent = void;
        std::size_t operator()(QStringView s) const noexcept { return qHash(s); }
    };
    using TIndex = std::unordered_map<QString, TRecordField, THashView, std::equal_to<>>;
    static const TIndex known = [] {
        TIndex index;
        for (const TBlockInfo& info : BlockTable())
            for (const TFieldInfo& f : BlockFields(info.Block))
                if (f.Type != TFieldType::Reserved)
                    index.emplace(QString::fromLatin1(f.Name), TRecordField{info.Block, &f});
        return index;
    }();
    if (const auto it = known.find(name); it != known.end())
        return it->second;
    return std::nullopt;
}

std::optional<TFieldPath> ResolveField(TBlock block, QStringView path) {
    return ResolveIn(BlockFields(block), block, 0, path);
}

std::optional<TFieldPath> ResolveRecordField(QStringView path) {
    const auto top = FindRecordField(LeadingName(path));
    return top ? ResolveField(top->Block, path) : std::nullopt;
}

double ReadNumber(const uint8_t* block, const TFieldInfo& field, int index) {
    if (field.Type == TFieldType::F32)
        return Load<float>(ElementAt(block, field, index));
    if (field.Type == TFieldType::U64)
        return double(ReadUnsigned64(block, field, index));
    if (!IsIntegerField(field))
        throw TMKError(QStringLiteral("Поле %1 не является числом").arg(QLatin1String(field.Name)));
    return double(ReadInteger(block, field, index));
}

int64_t ReadInteger(const uint8_t* block, const TFieldInfo& field, int index) {
    const uint8_t* p = ElementAt(block, field, index);
    switch (field.Type) {
    case TFieldType::I8:
        return Load<int8_t>(p);
    case TFieldType::U8:
        return Load<uint8_t>(p);
    case TFieldType::I16:
        return Load<int16_t>(p);
    case TFieldType::U16:
        return Load<uint16_t>(p);
    case TFieldType::I32:
        return Load<int32_t>(p);
    case TFieldType::U32:
        return Load<uint32_t>(p);
    case TFieldType::U64:
        return int64_t(Load<uint64_t>(p));
    case TFieldType::BigEndianU16:
        return p[0] << 8 | p[1];
    default:
        throw TMKError(NotAnInteger(field));
    }
}

void StoreInteger(uint8_t* block, const TFieldInfo& field, int index, int64_t value) {
    uint8_t* p = const_cast<uint8_t*>(ElementAt(block, field, index));
    switch (field.Type) {
    case TFieldType::I8:
        return StoreChecked<int8_t>(p, value);
    case TFieldType::U8:
        return StoreChecked<uint8_t>(p, value);
    case TFieldType::I16:
        return StoreChecked<int16_t>(p, value);
    case TFieldType::U16:
        return StoreChecked<uint16_t>(p, value);
    case TFieldType::I32:
        return StoreChecked<int32_t>(p, value);
    case TFieldType::U32:
        return StoreChecked<uint32_t>(p, value);
    case TFieldType::U64:
        if (value < 0)
            throw TRangeError();
        return StoreUnsigned64(block, field, index, uint64_t(value));
    case TFieldType::BigEndianU16:
        if (value < 0 || value > 0xFFFF)
            throw TRangeError();
        p[0] = uint8_t(value >> 8);
        p[1] = uint8_t(value);
        return;
    default:
        throw TMKError(NotAnInteger(field));
    }
}

uint64_t ReadUnsigned64(const uint8_t* block, const TFieldInfo& field, int index) {
    if (field.Type != TFieldType::U64)
        return uint64_t(ReadInteger(block, field, index));
    return Load<uint64_t>(ElementAt(block, field, index));
}

void StoreUnsigned64(uint8_t* block, const TFieldInfo& field, int index, uint64_t value) {
    if (field.Type != TFieldType::U64) {
        if (value > uint64_t(INT64_MAX) && IsIntegerField(field))
            throw TRangeError();
        return StoreInteger(block, field, index, int64_t(value));
    }
    std::memcpy(const_cast<uint8_t*>(ElementAt(block, field, index)), &value, sizeof value);
}

int64_t ReadInteger(const uint8_t* block, const TFieldPath& path) {
    return ReadInteger(block + path.Base, *path.Field, path.Index);
}

void StoreInteger(uint8_t* block, const TFieldPath& path, int64_t value) {
    StoreInteger(block + path.Base, *path.Field, path.Index, value);
}

int64_t ReadRecordInteger(const TMK& mk, QStringView path) {
    const TFieldPath p = ResolveOrThrow(path);
    return ReadInteger(mk.BlockBytes(p.Block), p);
}

void StoreRecordInteger(TMK& mk, QStringView path, int64_t value) {
    const TFieldPath p = ResolveOrThrow(path);
    StoreInteger(mk.BlockBytes(p.Block), p, value);
}
