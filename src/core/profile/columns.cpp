#include "columns.h"

#include <array>
#include <cmath>
#include <limits>

namespace k52 {

bool whole_int64(double d, qint64 &out) {
    if (!std::isfinite(d) || d < -0x1p63 || d >= 0x1p63)
        return false;
    out = static_cast<qint64>(d);
    return static_cast<double>(out) == d;
}

bool to_integer(const QVariant &v, qint64 lo, qint64 hi, qint64 &out, QString *error) {
    if (v.isNull()) {
        *error = QStringLiteral("empty value");
        return false;
    }
    bool ok = false;
    qint64 n = 0;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Short:
        n = v.toLongLong(&ok);
        break;
    case QMetaType::Double: {
        // A real column value (a foreign file may hold one).
        ok = whole_int64(v.toDouble(), n);
        break;
    }
    default: {
        const QString s = v.toString().trimmed();
        if (s.isEmpty()) {
            *error = QStringLiteral("empty value");
            return false;
        }
        n = s.toLongLong(&ok, 10);
        break;
    }
    }
    if (!ok) {
        *error = QStringLiteral("not a whole number");
        return false;
    }
    if (n < lo || n > hi) {
        *error = QStringLiteral("outside %1 to %2").arg(lo).arg(hi);
        return false;
    }
    out = n;
    return true;
}

namespace {

bool is_hex(QStringView s) {
    for (QChar c : s)
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f')))
            return false;
    return true;
}

// Leading run of decimal digits as a number; none gives 0.
Integer lenient_number(QStringView s) {
    int n = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            break;
        n = n * 10 + (c.unicode() - u'0');
    }
    return static_cast<Integer>(n);
}

QString zero_pad(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

bool stored_text(const QVariant &v, QString &out, QString *error) {
    if (v.isNull()) {
        *error = QStringLiteral("empty value");
        return false;
    }
    out = v.toString();
    return true;
}

bool check_width(const QString &s, int width, QString *error) {
    if (s.size() != width) {
        *error = QStringLiteral("%1 characters where %2 are required").arg(s.size()).arg(width);
        return false;
    }
    return true;
}

template <class Tag> struct Codec;

struct IntegerTag {};
struct LongTag {};
struct ParityTag {};
struct TerminatorsTag {};
struct MagParmsTag {};
struct Mask1Tag {};
struct Mask23Tag {};
template <int W> struct HexTag {};
struct TextTag {};

template <> struct Codec<IntegerTag> {
    static constexpr StoredType type = StoredType::Integer;
    static constexpr int width = 0;
    static bool encode(Integer &v, QVariant &out, QString *) {
        out = int(v);
        return true;
    }
    static bool decode(const QVariant &in, Integer &v, bool, QString *error) {
        qint64 n;
        if (!to_integer(in, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max(), n, error))
            return false;
        v = static_cast<Integer>(n);
        return true;
    }
};

template <> struct Codec<LongTag> {
    static constexpr StoredType type = StoredType::Long;
    static constexpr int width = 0;
    static bool encode(Long &v, QVariant &out, QString *) {
        out = int(v);
        return true;
    }
    static bool decode(const QVariant &in, Long &v, bool, QString *error) {
        qint64 n;
        if (!to_integer(in, std::numeric_limits<Long>::min(), std::numeric_limits<Long>::max(), n, error))
            return false;
        v = static_cast<Long>(n);
        return true;
    }
};

template <> struct Codec<ParityTag> {
    static constexpr StoredType type = StoredType::Integer;
    static constexpr int width = 0;
    // Any letter but E, O, N leaves the stored number as it was; a new row
    // then gets 0.
    static bool encode(QString &v, QVariant &out, QString *) {
        static const QString letters = QStringLiteral("EON");
        const int i = v.size() == 1 ? int(letters.indexOf(v)) : -1;
        out = i >= 0 ? QVariant(i) : QVariant();
        return true;
    }
    static bool decode(const QVariant &in, QString &v, bool strict, QString *error) {
        qint64 n;
        if (!to_integer(in, std::numeric_limits<Integer>::min(), std::numeric_limits<Integer>::max(), n, error))
            return false;
        if (n >= 0 && n <= 2)
            v = QString(QLatin1Char("EON"[n]));
        else if (strict) {
            *error = QStringLiteral("parity must be 0, 1 or 2");
            return false;
        }
        return true;
    }
};

template <> struct Codec<TerminatorsTag> {
    static constexpr StoredType type = StoredType::Text;
    static constexpr int width = 6;
    static bool encode(Terminators &v, QVariant &out, QString *) {
        out = padded_hex(v.input, 2) + padded_hex(v.out1, 2) + padded_hex(v.out2, 2);
        return true;
    }
    static bool decode(const QVariant &in, Terminators &v, bool strict, QString *error) {
        QString s;
        if (!stored_text(in, s, error) || !check_width(s, width, error))
            return false;
        if (strict && !is_hex(s)) {
            *error = QStringLiteral("not hexadecimal");
            return false;
        }
        v = {s.mid(0, 2).toUpper(), s.mid(2, 2).toUpper(), s.mid(4, 2).toUpper()};
        return true;
    }
};

template <> struct Codec<MagParmsTag> {
    static constexpr StoredType type = StoredType::Text;
    static constexpr int width = 5;
    static bool encode(MagParms &v, QVariant &out, QString *error) {
        QString s;
        for (Integer f : v) {
            if (f < 0 || f > 9) {
                *error = QStringLiteral("option value %1 does not fit one digit").arg(f);
                return false;
            }
            s += QString::number(f);
        }
        out = s;
        return true;
    }
    static bool decode(const QVariant &in, MagParms &v, bool, QString *error) {
        QString s;
        if (!stored_text(in, s, error) || !check_width(s, width, error))
            return false;
        MagParms parsed{};
        for (int i = 0; i < 5; ++i) {
            if (s[i] < u'0' || s[i] > u'9') {
                *error = QStringLiteral("'%1' is not a digit").arg(s[i]);
                return false;
            }
            parsed[i] = static_cast<Integer>(s[i].unicode() - u'0');
        }
        v = parsed;
        return true;
    }
};

template <bool WithInputLen> struct MaskCodec {
    static constexpr StoredType type = StoredType::Text;
    static constexpr int width = WithInputLen ? 37 : 35;
    static bool two_digits(Integer n, const char *what, int entry, QString *error) {
        if (n < 0 || n > 99) {
            *error = entry
                         ? QStringLiteral("%1 of entry %2 is %3; the layout holds 0 to 99").arg(what).arg(entry).arg(n)
                         : QStringLiteral("%1 is %2; the layout holds 0 to 99").arg(what).arg(n);
            return false;
        }
        return true;
    }
    static bool encode(MaskSet &v, QVariant &out, QString *error) {
        QString s;
        int k = 1;
        for (MaskEntry &e : v.entries) {
            if (e.constant < 0 || e.constant > 9) {
                *error = QStringLiteral("Constant of entry %1 is %2").arg(k).arg(e.constant);
                return false;
            }
            if (!two_digits(e.start, "Start", k, error) || !two_digits(e.length, "Length", k, error))
                return false;
            pad_hex2(e.value);
            s += QString::number(e.constant) + zero_pad(e.start, 2) + zero_pad(e.length, 2) + e.value;
            ++k;
        }
        if (WithInputLen) {
            if (!two_digits(v.inputlen, "Input Length", 0, error))
                return false;
            s += zero_pad(v.inputlen, 2);
        }
        out = s;
        return true;
    }
    static bool decode(const QVariant &in, MaskSet &v, bool strict, QString *error) {
        QString s;
        if (!stored_text(in, s, error) || !check_width(s, width, error))
            return false;
        MaskSet m;
        for (int k = 0; k < 5; ++k) {
            const QStringView b = QStringView(s).mid(7 * k, 7);
            if (strict) {
                for (int i = 0; i < 5; ++i)
                    if (b[i] < u'0' || b[i] > u'9') {
                        *error = QStringLiteral("entry %1 has '%2' where a digit belongs").arg(k + 1).arg(b[i]);
                        return false;
                    }
                if (!is_hex(b.mid(5, 2))) {
                    *error = QStringLiteral("value of entry %1 is not hexadecimal").arg(k + 1);
                    return false;
                }
            }
            m.entries[k].constant = lenient_number(b.mid(0, 1));
            m.entries[k].start = lenient_number(b.mid(1, 2));
            m.entries[k].length = lenient_number(b.mid(3, 2));
            m.entries[k].value = b.mid(5, 2).toString();
        }
        if (WithInputLen) {
            const QStringView t = QStringView(s).mid(35, 2);
            if (strict && (t[0] < u'0' || t[0] > u'9' || t[1] < u'0' || t[1] > u'9')) {
                *error = QStringLiteral("Input Length is not two digits");
                return false;
            }
            m.inputlen = lenient_number(t);
        }
        v = m;
        return true;
    }
};
template <> struct Codec<Mask1Tag> : MaskCodec<false> {};
template <> struct Codec<Mask23Tag> : MaskCodec<true> {};

template <int W> struct Codec<HexTag<W>> {
    static constexpr StoredType type = StoredType::Text;
    static constexpr int width = W;
    static bool encode(QString &v, QVariant &out, QString *) {
        v = padded_hex(v, W);
        out = v;
        return true;
    }
    static bool decode(const QVariant &in, QString &v, bool strict, QString *error) {
        QString s;
        if (!stored_text(in, s, error))
            return false;
        if (strict && (!check_width(s, W, error) || !is_hex(s))) {
            if (error->isEmpty())
                *error = QStringLiteral("not hexadecimal");
            return false;
        }
        v = s;
        return true;
    }
};

template <> struct Codec<TextTag> {
    static constexpr StoredType type = StoredType::Text;
    static constexpr int width = 0;
    static bool encode(QString &v, QVariant &out, QString *) {
        out = v;
        return true;
    }
    static bool decode(const QVariant &in, QString &v, bool, QString *error) { return stored_text(in, v, error); }
};

using Tag_Integer = IntegerTag;
using Tag_Long = LongTag;
using Tag_Parity = ParityTag;
using Tag_Terminators = TerminatorsTag;
using Tag_MagParms = MagParmsTag;
using Tag_Mask1 = Mask1Tag;
using Tag_Mask23 = Mask23Tag;
using Tag_Hex2 = HexTag<2>;
using Tag_Hex4 = HexTag<4>;
using Tag_Hex16 = HexTag<16>;
using Tag_Text = TextTag;

template <class Tag, auto Member> bool encode_field(ConfigRecord &rec, QVariant &out, QString *error) {
    return Codec<Tag>::encode(rec.*Member, out, error);
}
template <class Tag, auto Member>
bool decode_field(const QVariant &in, ConfigRecord &rec, bool strict, QString *error) {
    return Codec<Tag>::decode(in, rec.*Member, strict, error);
}

constexpr Column table[] = {
#define K52_COLUMN(name, k)                                                                                            \
    {#name, Codec<Tag_##k>::type, Codec<Tag_##k>::width, &encode_field<Tag_##k, &ConfigRecord::name>,                  \
     &decode_field<Tag_##k, &ConfigRecord::name>},
#include "config_columns.def"
#undef K52_COLUMN
};
static_assert(std::size(table) == 218, "the profiles table has 218 setting columns");

} // namespace

std::span<const Column> columns() {
    return table;
}

int column_index(QStringView name) {
    for (std::size_t i = 0; i < std::size(table); ++i)
        if (name == QLatin1StringView(table[i].name))
            return int(i);
    return -1;
}

} // namespace k52
