#include "wiegand_card.h"

#include <algorithm>

namespace k52 {

namespace {

constexpr std::array<const char *, kWiegandFields> kNames{"site", "ID", "issue", "constant"};
constexpr std::array<char16_t, kWiegandFields> kLetters{u's', u'b', u'i', u'c'};

QString name_of(int code) {
    return QString::fromLatin1(kNames[std::size_t(code - 1)]);
}

QString largest(int bits) {
    return bits >= 64 ? QStringLiteral("18446744073709551615") : QString::number((quint64(1) << bits) - 1);
}

bool fits(quint64 value, int bits) {
    return bits >= 64 || value >> bits == 0;
}

// The field's value as bits, most significant first unless lsb.
QString field_bits(quint64 value, int bits, bool lsb) {
    QString s(bits, QLatin1Char('0'));
    for (int k = 0; k < bits && k < 64; ++k)
        if (value >> k & 1)
            s[bits - 1 - k] = QLatin1Char('1');
    if (lsb)
        std::reverse(s.begin(), s.end());
    return s;
}

// The bit a parity of `sense` (odd or even) puts beside `covered`.
QChar parity_bit(QStringView covered, bool odd) {
    const bool ones_odd = covered.count(QLatin1Char('1')) % 2 == 1;
    return QLatin1Char(ones_odd == odd ? '0' : '1');
}

// The left and the right standard parity bit of `data`.
std::pair<QChar, QChar> parity_bits(const CardLayout &layout, QStringView data) {
    const int n = int(data.size());
    return {parity_bit(data.left(std::min(n, layout.left_cover)), layout.left_odd),
            parity_bit(data.right(std::min(n, layout.right_cover)), layout.right_odd)};
}

} // namespace

int CardLayout::data_bits() const {
    int n = 0;
    for (const CardField &f : fields)
        n += f.bits;
    return n;
}

QString CardLayout::letters() const {
    QString s;
    for (const CardField &f : fields)
        s += QString(f.bits, f.letter);
    if (parity == 1)
        return QLatin1Char(left_odd ? 'O' : 'E') + s + QLatin1Char(right_odd ? 'O' : 'E');
    if (parity == 2)
        return QLatin1Char('M') + s + QLatin1Char('M');
    return s;
}

CardLayout card_layout(const ConfigRecord &rec, const WiegandFieldMap &map) {
    CardLayout out;
    out.parity = int(rec.*map.parity);
    if (out.parity < 0 || out.parity > 2) {
        out.error = QStringLiteral("parity mode %1 is none of None, Standard and Mask; choose one on the output "
                                   "format screen")
                        .arg(out.parity);
        return out;
    }
    out.left_odd = rec.*map.lp == 1;
    out.right_odd = rec.*map.rp != 1;
    out.left_cover = int(std::max<Integer>(0, rec.*map.lpbits));
    out.right_cover = int(std::max<Integer>(0, rec.*map.rpbits));

    std::array<std::optional<quint64>, kWiegandFields> fixed;
    for (int i = 0; i < kWiegandFields; ++i) {
        const bool fixed_here = i == 3 || rec.*map.overflag[std::size_t(i)] == 1;
        if (!fixed_here)
            continue;
        const QString text = (rec.*map.over[std::size_t(i)]).trimmed();
        bool ok = true;
        const quint64 v = text.isEmpty() ? 0 : text.toULongLong(&ok, 16);
        if (!ok) {
            out.error = QStringLiteral("the %1 value \"%2\" is not hex; type up to 4 hex digits")
                            .arg(i == 3 ? QStringLiteral("constant") : QStringLiteral("fixed ") + name_of(i + 1), text);
            return out;
        }
        fixed[std::size_t(i)] = v;
    }

    std::array<bool, kWiegandFields> ordered{};
    for (const auto row : map.field) {
        const Integer code = rec.*row;
        if (code < 1 || code > kWiegandFields)
            continue;
        const std::size_t i = std::size_t(code - 1);
        ordered[i] = true;
        const int bits = int(std::max<Integer>(0, rec.*map.bits[i]));
        if (bits == 0)
            continue;
        if (fixed[i] && !fits(*fixed[i], bits)) {
            out.error = QStringLiteral("the %1 value %2 does not fit in %3 bits (largest %4); change the value or "
                                       "the bit count")
                            .arg(i == 3 ? QStringLiteral("constant") : QStringLiteral("fixed ") + name_of(int(code)),
                                 QString::number(*fixed[i], 16).toUpper(), QString::number(bits), largest(bits));
            return out;
        }
        out.fields.push_back({int(code), bits, rec.*map.lsb[i] == 1, fixed[i], QChar(kLetters[i])});
    }
    for (int i = 0; i < kWiegandFields; ++i)
        if (!ordered[std::size_t(i)] && rec.*map.bits[std::size_t(i)] > 0) {
            out.error = QStringLiteral("%1 has %2 bits but is not in the output order; put it in a row of the "
                                       "output order or set its bits to 0")
                            .arg(name_of(i + 1))
                            .arg(rec.*map.bits[std::size_t(i)]);
            return out;
        }
    return out;
}

CardBits encode_card(const CardLayout &layout, const CardValues &values) {
    CardBits out;
    if (!layout.error.isEmpty()) {
        out.error = layout.error;
        return out;
    }
    QString data;
    for (const CardField &f : layout.fields) {
        std::optional<quint64> v = f.fixed;
        if (!v) {
            v = values[std::size_t(f.code - 1)];
            if (!v && f.code == 3)
                v = 0;
            if (!v) {
                out.error = QStringLiteral("the format sends the card's %1: give it (--%2)")
                                .arg(name_of(f.code), name_of(f.code).toLower());
                return out;
            }
            if (!fits(*v, f.bits)) {
                out.error = QStringLiteral("%1 %2 does not fit in %3 bits (largest %4)")
                                .arg(name_of(f.code), QString::number(*v), QString::number(f.bits), largest(f.bits));
                return out;
            }
        }
        data += field_bits(*v, f.bits, f.lsb);
    }
    if (layout.parity == 0)
        out.bits = data;
    else if (layout.parity == 2)
        out.bits = QLatin1Char('p') + data + QLatin1Char('p');
    else {
        const auto [left, right] = parity_bits(layout, data);
        out.bits = left + data + right;
    }
    return out;
}

CardReading decode_card(const CardLayout &layout, const QString &text) {
    CardReading out;
    if (!layout.error.isEmpty()) {
        out.error = layout.error;
        return out;
    }
    QString bits;
    for (QChar ch : text) {
        if (ch.isSpace())
            continue;
        if (ch != QLatin1Char('0') && ch != QLatin1Char('1') && ch != QLatin1Char('p') && ch != QLatin1Char('P')) {
            out.error = QStringLiteral("\"%1\" is not a bit; a bit string holds only 0 and 1 (and spaces)").arg(ch);
            return out;
        }
        bits += ch.toLower();
    }
    if (bits.size() != layout.total_bits()) {
        out.error = QStringLiteral("%1 bits given; this format has %2").arg(bits.size()).arg(layout.total_bits());
        return out;
    }
    const int side = layout.parity == 0 ? 0 : 1;
    const QString data = bits.mid(side, bits.size() - 2 * side);
    if (data.contains(QLatin1Char('p')) || (layout.parity != 2 && bits.contains(QLatin1Char('p')))) {
        out.error = QStringLiteral("\"p\" stands only for a mask parity bit; give 0 or 1");
        return out;
    }

    int at = 0;
    for (const CardField &f : layout.fields) {
        QString run = data.mid(at, f.bits);
        at += f.bits;
        if (f.lsb)
            std::reverse(run.begin(), run.end());
        quint64 v = 0;
        bool too_big = false;
        for (int k = 0; k < run.size(); ++k) {
            if (run[k] != QLatin1Char('1'))
                continue;
            const int weight = int(run.size()) - 1 - k;
            if (weight >= 64)
                too_big = true;
            else
                v |= quint64(1) << weight;
        }
        if (too_big) {
            out.faults << QStringLiteral("%1 holds more than 64 bits of value").arg(name_of(f.code));
            continue;
        }
        const QString name = name_of(f.code);
        if (f.fixed && *f.fixed != v)
            out.faults << QStringLiteral("%1 bits hold %2, the profile fixes %3")
                              .arg(name, QString::number(v, 16).toUpper(), QString::number(*f.fixed, 16).toUpper());
        if (f.code == 4)
            continue;
        auto &slot = out.values[std::size_t(f.code - 1)];
        if (slot && *slot != v)
            out.faults << QStringLiteral("%1 is sent twice and the two differ (%2 and %3)")
                              .arg(name, QString::number(*slot), QString::number(v));
        else
            slot = v;
    }

    if (layout.parity == 2) {
        out.parity_unchecked = true;
    } else if (layout.parity == 1) {
        const int n = int(data.size());
        const auto [left, right] = parity_bits(layout, data);
        if (bits.front() != left && bits.front() != QLatin1Char('p'))
            out.faults << QStringLiteral("left %1 parity fails (bit 1 over the first %2 data bits)")
                              .arg(layout.left_odd ? QStringLiteral("odd") : QStringLiteral("even"))
                              .arg(std::min(n, layout.left_cover));
        if (bits.back() != right && bits.back() != QLatin1Char('p'))
            out.faults << QStringLiteral("right %1 parity fails (bit %2 over the last %3 data bits)")
                              .arg(layout.right_odd ? QStringLiteral("odd") : QStringLiteral("even"))
                              .arg(bits.size())
                              .arg(std::min(n, layout.right_cover));
    }
    return out;
}

QString spaced(const QString &s, const CardLayout &layout) {
    QStringList parts;
    const int side = layout.parity == 0 ? 0 : 1;
    int at = 0;
    if (side) {
        parts << s.mid(0, 1);
        at = 1;
    }
    for (const CardField &f : layout.fields) {
        parts << s.mid(at, f.bits);
        at += f.bits;
    }
    if (side)
        parts << s.mid(at, 1);
    return parts.join(QLatin1Char(' '));
}

QString bits_to_hex(const QString &bits) {
    if (bits.contains(QLatin1Char('p')))
        return {};
    QString out;
    const int lead = (4 - int(bits.size()) % 4) % 4;
    const QString padded = QString(lead, QLatin1Char('0')) + bits;
    for (int i = 0; i < padded.size(); i += 4)
        out += QString::number(padded.mid(i, 4).toInt(nullptr, 2), 16).toUpper();
    return out;
}

bool hex_to_bits(const QString &hex_text, int count, QString &bits, QString *error) {
    QString hex = hex_text.trimmed();
    if (hex.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        hex = hex.mid(2);
    QString all;
    for (QChar ch : hex) {
        bool ok = false;
        const int d = QString(ch).toInt(&ok, 16);
        if (!ok) {
            *error = QStringLiteral("\"%1\" is not a hex digit").arg(ch);
            return false;
        }
        all += QStringLiteral("%1").arg(d, 4, 2, QLatin1Char('0'));
    }
    if (count < 1) {
        *error = QStringLiteral("give the bit count with the hex, e.g. 2020002/26");
        return false;
    }
    const int extra = int(all.size()) - count;
    if (extra > 0 && all.left(extra).contains(QLatin1Char('1'))) {
        *error = QStringLiteral("%1 does not fit in %2 bits").arg(hex_text.trimmed()).arg(count);
        return false;
    }
    bits = extra >= 0 ? all.mid(extra) : QString(-extra, QLatin1Char('0')) + all;
    return true;
}

bool pasted_bits(const QString &text, QString &bits, QString *error) {
    if (!text.contains(QLatin1Char('/'))) {
        bits = text;
        return true;
    }
    bool ok = false;
    const int count = text.section(QLatin1Char('/'), 1).trimmed().toInt(&ok);
    return hex_to_bits(text.section(QLatin1Char('/'), 0, 0), ok ? count : 0, bits, error);
}

} // namespace k52
