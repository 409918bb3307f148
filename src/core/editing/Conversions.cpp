#include "editing/Conversions.h"

#include "base/Cp1251.h"
#include "base/MKError.h"
#include "editing/EditorDate.h"
#include "editing/SettingsEditor.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <optional>

TFieldRef RecordField(QStringView name, int index) {
    const auto found = FindRecordField(name);
    if (!found)
        throw TMKError(QStringLiteral("Нет поля записи %1").arg(name));
    return {found->Block, found->Field, index};
}

int64_t ReadField(const TMK& mk, const TFieldRef& ref) {
    return ReadInteger(mk.BlockBytes(ref.Block), *ref.Field, ref.Index);
}

void StoreField(TMK& mk, const TFieldRef& ref, int64_t value) {
    StoreInteger(mk.BlockBytes(ref.Block), *ref.Field, ref.Index, value);
}

float ReadFloatField(const TMK& mk, const TFieldRef& ref) {
    if (ref.Field->Type != TFieldType::F32)
        throw TMKError(QStringLiteral("Поле %1 не является дробным").arg(ref.Field->Name));
    float v;
    std::memcpy(&v, mk.BlockBytes(ref.Block) + ref.Field->Offset, sizeof v);
    return v;
}

void StoreFloatField(TMK& mk, const TFieldRef& ref, float value) {
    if (ref.Field->Type != TFieldType::F32)
        throw TMKError(QStringLiteral("Поле %1 не является дробным").arg(ref.Field->Name));
    if (!std::isfinite(value))
        throw TRangeError();
    std::memcpy(mk.BlockBytes(ref.Block) + ref.Field->Offset, &value, sizeof value);
}

QString BoundFieldName(const QString& controlName) {
    qsizetype i = 0;
    while (i < controlName.size() && controlName[i].isLower())
        ++i;
    return controlName.mid(i);
}

int64_t RoundEven(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 9.0e18)
        throw TRangeError();
    return int64_t(std::nearbyint(value));
}

namespace {

QString FieldOf(const TControlRow& row, const QString& field) {
    return field.isEmpty() ? BoundFieldName(row.Name) : field;
}

// A record field element found by name on first use and remembered: rows are built once
// and load at every opening, and a row whose default binding a conversion replaces never
// looks its field up. Shared by a row's load and store.
class TLazyField {
public:
    TLazyField(QString name, int index) : Name(std::move(name)), Index(index) {}
    const TFieldRef& Ref() {
        if (!Found)
            Found = RecordField(Name, Index);
        return *Found;
    }

private:
    QString Name;
    int Index;
    std::optional<TFieldRef> Found;
};

std::shared_ptr<TLazyField> LazyField(const QString& name, int index = 0) {
    return std::make_shared<TLazyField>(name, index);
}

// Binds load and store through a field resolved at first use.
template <class LoadFn, class StoreFn>
void BindField(TControlRow& row, const QString& fieldName, LoadFn load, StoreFn store) {
    const std::shared_ptr<TLazyField> field = LazyField(fieldName);
    row.Load = [field, load](const TSettingsEditor& e) { return load(e.Mk, field->Ref()); };
    row.Store = [field, store](TSettingsEditor& e, const QVariant& shown) {
        store(e.Mk, field->Ref(), shown);
    };
}

TControlRow Row(const QString& name, const QString& caption, TControlKind kind, TStoreWhen when) {
    TControlRow row;
    row.Name = name;
    row.Caption = caption;
    row.Kind = kind;
    row.When = when;
    return row;
}

} // namespace

TControlRow Spin(const QString& name, const QString& caption, double min, double max, double step,
                 int decimals) {
    TControlRow row = Row(name, caption, TControlKind::Spin, TStoreWhen::FocusOut);
    row.Range = {min, max};
    row.Step = step;
    row.Decimals = decimals;
    Bind::Scaled(row, 1, 1);
    return row;
}

TControlRow Radio(const QString& name, const QString& caption, const QStringList& items) {
    TControlRow row = Row(name, caption, TControlKind::Radio, TStoreWhen::Click);
    row.Items = items;
    Bind::ItemOffset(row, 0);
    return row;
}

TControlRow List(const QString& name, const QString& caption, const QStringList& items) {
    TControlRow row = Row(name, caption, TControlKind::List, TStoreWhen::Change);
    row.Items = items;
    Bind::ItemOffset(row, 0);
    return row;
}

TControlRow Check(const QString& name, const QString& caption) {
    TControlRow row = Row(name, caption, TControlKind::Check, TStoreWhen::Click);
    BindField(
        row, BoundFieldName(name),
        [](const TMK& mk, const TFieldRef& f) { return QVariant(ReadField(mk, f) != 0); },
        [](TMK& mk, const TFieldRef& f, const QVariant& v) {
            StoreField(mk, f, v.toBool() ? 1 : 0);
        });
    return row;
}

TControlRow Edit(const QString& name, const QString& caption, int maxLength) {
    TControlRow row = Row(name, caption, TControlKind::Edit, TStoreWhen::FocusOut);
    row.MaxLength = maxLength;
    return row;
}

namespace Bind {

int DividerItem(int64_t stored) {
    return stored == 1 ? 0 : stored == 2 ? 1 : 2;
}

int NonZeroItem(int64_t stored) {
    return stored != 0 ? 1 : 0;
}

TControlRow& Scaled(TControlRow& row, int mul, int div, const QString& field) {
    BindField(
        row, FieldOf(row, field),
        [mul, div](const TMK& mk, const TFieldRef& f) {
            return QVariant(double(ReadField(mk, f)) * mul / div);
        },
        [mul, div](TMK& mk, const TFieldRef& f, const QVariant& v) {
            StoreField(mk, f, RoundEven(v.toDouble() * div / mul));
        });
    return row;
}

TControlRow& PercentFactor(TControlRow& row, const QString& field) {
    BindField(
        row, FieldOf(row, field),
        [](const TMK& mk, const TFieldRef& f) {
            return QVariant(PercentShown(ReadFloatField(mk, f)));
        },
        [](TMK& mk, const TFieldRef& f, const QVariant& v) {
            StoreFloatField(mk, f, PercentStored(v.toDouble()));
        });
    return row;
}

TControlRow& ItemOffset(TControlRow& row, int offset, const QString& field) {
    BindField(
        row, FieldOf(row, field),
        [offset](const TMK& mk, const TFieldRef& f) {
            return QVariant(int(ReadField(mk, f) - offset));
        },
        [offset](TMK& mk, const TFieldRef& f, const QVariant& v) {
            StoreField(mk, f, int64_t(v.toInt()) + offset);
        });
    return row;
}

TControlRow& ItemMap(TControlRow& row, QList<int> values, std::function<int(int64_t)> loadMap,
                     const QString& field) {
    BindField(
        row, FieldOf(row, field),
        [loadMap](const TMK& mk, const TFieldRef& f) {
            return QVariant(loadMap(ReadField(mk, f)));
        },
        [values](TMK& mk, const TFieldRef& f, const QVariant& v) {
            const int item = v.toInt();
            if (item < 0 || item >= values.size())
                throw TRangeError();
            StoreField(mk, f, values[item]);
        });
    return row;
}

TControlRow& Bit(TControlRow& row, const QString& field, int bit) {
    const bool check = row.Kind == TControlKind::Check;
    BindField(
        row, field,
        [bit, check](const TMK& mk, const TFieldRef& f) {
            const bool set = uint64_t(ReadField(mk, f)) >> bit & 1u;
            return check ? QVariant(set) : QVariant(set ? 1 : 0);
        },
        [bit, check](TMK& mk, const TFieldRef& f, const QVariant& v) {
            const bool set = check ? v.toBool() : v.toInt() == 1;
            const uint64_t word = uint64_t(ReadField(mk, f));
            const uint64_t mask = uint64_t(1) << bit;
            const uint64_t next = set ? word | mask : word & ~mask;
            // A 64-bit set with its top bit set is no negative number.
            if (f.Field->Type == TFieldType::U64)
                StoreUnsigned64(mk.BlockBytes(f.Block), *f.Field, f.Index, next);
            else
                StoreField(mk, f, int64_t(next));
        });
    return row;
}

TControlRow& MinutesOfDay(TControlRow& row, const QString& field) {
    row.InputMask = QStringLiteral("!90:00;1;_");
    BindField(
        row, FieldOf(row, field),
        [](const TMK& mk, const TFieldRef& f) { return QVariant(MinutesText(ReadField(mk, f))); },
        [](TMK& mk, const TFieldRef& f, const QVariant& v) {
            StoreField(mk, f, MinutesValue(v.toString()));
        });
    return row;
}

TControlRow& Date(TControlRow& row, const QString& field) {
    row.InputMask = QStringLiteral("!99.99.99;1;_");
    BindField(
        row, FieldOf(row, field),
        [](const TMK& mk, const TFieldRef& f) {
            const int64_t n = ReadField(mk, f);
            return QVariant(n == 0 ? QString() : EditorDate::Text(n));
        },
        [](TMK& mk, const TFieldRef& f, const QVariant& v) {
            const QString text = v.toString();
            if (EditorDate::IsBlank(text) && ReadField(mk, f) == 0)
                return; // no date stays no date
            StoreField(mk, f, EditorDate::Value(text));
        });
    return row;
}

TControlRow& Name(TControlRow& row, const QString& field) {
    BindField(
        row, FieldOf(row, field),
        [maxLength = row.MaxLength](const TMK& mk, const TFieldRef& f) {
            const auto* p = reinterpret_cast<const char*>(mk.BlockBytes(f.Block) + f.Field->Offset);
            const QString name = Cp1251::Decode(p, std::size_t(f.Field->Count));
            return QVariant(maxLength > 0 ? name.left(maxLength) : name);
        },
        [maxLength = row.MaxLength](TMK& mk, const TFieldRef& f, const QVariant& v) {
            const QByteArray bytes = Cp1251::Encode(v.toString());
            const qsizetype size = f.Field->Count;
            if (bytes.size() > size || (maxLength > 0 && bytes.size() > maxLength))
                throw TRangeError();
            char* p = reinterpret_cast<char*>(mk.BlockBytes(f.Block) + f.Field->Offset);
            std::memcpy(p, bytes.constData(), std::size_t(bytes.size()));
            if (bytes.size() < size)
                p[bytes.size()] = 0;
        });
    return row;
}

TControlRow& Element(TControlRow& row, const QString& field, int index) {
    const std::shared_ptr<TLazyField> f = LazyField(field, index);
    row.Load = [f](const TSettingsEditor& e) {
        return QVariant(double(ReadField(e.Mk, f->Ref())));
    };
    row.Store = [f](TSettingsEditor& e, const QVariant& v) {
        StoreField(e.Mk, f->Ref(), RoundEven(v.toDouble()));
    };
    return row;
}

TControlRow& CountUpTo(TControlRow& row, int max, const QString& field) {
    const std::shared_ptr<TLazyField> f = LazyField(FieldOf(row, field));
    row.Load = [f, max](const TSettingsEditor& e) {
        if (ReadField(e.Mk, f->Ref()) > max)
            StoreField(e.Mk, f->Ref(), 0);
        return QVariant(double(ReadField(e.Mk, f->Ref())));
    };
    row.Store = [f](TSettingsEditor& e, const QVariant& v) {
        StoreField(e.Mk, f->Ref(), RoundEven(v.toDouble()));
    };
    return row;
}

TControlRow& BitsItem(TControlRow& row, const QString& field, int index, int shift, int64_t mask) {
    const int items = int(row.Items.size());
    const std::shared_ptr<TLazyField> f = LazyField(field, index);
    row.Load = [=](const TSettingsEditor& e) {
        const int64_t bits = ReadField(e.Mk, f->Ref()) >> shift & mask;
        return QVariant(bits >= 0 && bits < items ? int(bits) : -1);
    };
    row.Store = [=](TSettingsEditor& e, const QVariant& v) {
        const int64_t kept = ReadField(e.Mk, f->Ref()) & ~(mask << shift);
        StoreField(e.Mk, f->Ref(), kept | (int64_t(v.toInt()) & mask) << shift);
    };
    return row;
}

TControlRow& ScaledWhen(TControlRow& row, TEditorRule when, int mul, int div,
                        const QString& field) {
    const std::shared_ptr<TLazyField> f = LazyField(FieldOf(row, field));
    row.Load = [=](const TSettingsEditor& e) {
        const double stored = double(ReadField(e.Mk, f->Ref()));
        return QVariant(when(e) ? stored * mul / div : stored);
    };
    row.Store = [=](TSettingsEditor& e, const QVariant& v) {
        const double shown = v.toDouble();
        StoreField(e.Mk, f->Ref(), RoundEven(when(e) ? shown * div / mul : shown));
    };
    return row;
}

TControlRow& Presentation(TControlRow& row, const QString& field, int index, int shift,
                          const QString& partner) {
    const int items = int(row.Items.size());
    const QString own = row.Name;
    const std::shared_ptr<TLazyField> lazy = LazyField(field, index);
    row.Load = [=](const TSettingsEditor& e) {
        const int choice = int(ReadField(e.Mk, lazy->Ref()) >> shift & 7);
        return QVariant(choice < items ? choice : -1);
    };
    row.Store = [=](TSettingsEditor& e, const QVariant&) {
        const TFieldRef& f = lazy->Ref();
        const int64_t old = ReadField(e.Mk, f);
        const auto choice = [&](const QString& name, int at) {
            const int item = e.Shown(name).toInt();
            return item >= 0 ? int64_t(item) : old >> at & 7;
        };
        if (partner.isEmpty()) {
            if (e.Shown(own).toInt() >= 0)
                StoreField(e.Mk, f, int64_t(e.Shown(own).toInt()) * 9);
            return;
        }
        const QString first = shift == 0 ? own : partner;
        const QString later = shift == 0 ? partner : own;
        StoreField(e.Mk, f, choice(first, 0) + 8 * choice(later, 3));
    };
    return row;
}

TControlRow& ItemAction(TControlRow& row, void (*action)(TSettingsEditor&, int)) {
    row.Store = [action](TSettingsEditor& e, const QVariant& v) { action(e, v.toInt()); };
    return row;
}

TControlRow& DiffersFrom(TControlRow& row, const QString& other, const QString& message) {
    row.Store = [store = row.Store, other, message](TSettingsEditor& e, const QVariant& v) {
        if (v.toDouble() == e.Shown(other).toDouble())
            throw TMKError(message);
        store(e, v);
    };
    return row;
}

} // namespace Bind

double PercentShown(float factor) {
    double f = factor;
    f += f >= 1 ? 0.00001 : -0.00001;
    return double(RoundEven((f - 1) * 1000)) / 10;
}

float PercentStored(double shown) {
    return float(shown / 100 + 1);
}

int64_t IntegerValue(const QString& text) {
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    if (!ok)
        throw TMKError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

QString MinutesText(int64_t minutes) {
    const auto two = [](int64_t v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    return two(minutes / 60 % 24) + QLatin1Char(':') + two(minutes % 60);
}

int64_t MinutesValue(const QString& text) {
    if (text.size() < 3 || text[2] != QLatin1Char(':'))
        return 0;
    return IntegerValue(text.mid(0, 2)) * 60 + IntegerValue(text.mid(3, 2));
}
