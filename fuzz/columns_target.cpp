// Column decoders fed what a damaged or foreign database row may hold.
// A refused value leaves the record untouched; an accepted one can be saved
// again, and saving is a fixed point (save, load, save gives the same value).
#include "fuzz_targets.h"

#include "core/profile/columns.h"
#include "core/profile/profile_store.h"

#include <cstring>

namespace k52::fuzz {

// Input: byte 0 picks the column, byte 1 the mode (bit 0 strict, bits 1-2
// what the row holds: 0 text, 1 a 64-bit integer, 2 a real, 3 null); the
// rest is the value (UTF-8 text, or 8 bytes of the number).
QString column_decode(const QByteArray &data) {
    if (data.size() < 2)
        return {};
    const auto cols = columns();
    const Column &c = cols[quint8(data[0]) % cols.size()];
    const bool strict = data[1] & 1;
    const QByteArray rest = data.mid(2);
    QVariant stored;
    char raw[8] = {};
    std::memcpy(raw, rest.constData(), std::min<std::size_t>(8, std::size_t(rest.size())));
    switch ((quint8(data[1]) >> 1) & 3) {
    case 0:
        stored = QString::fromUtf8(rest);
        break;
    case 1: {
        qint64 n;
        std::memcpy(&n, raw, 8);
        stored = n;
        break;
    }
    case 2: {
        double d;
        std::memcpy(&d, raw, 8);
        stored = d;
        break;
    }
    default:
        stored = QVariant();
        break;
    }
    const QString col = QLatin1StringView(c.name);

    static const ConfigRecord base = default_profile();
    ConfigRecord rec = base;
    QString why;
    if (!c.decode(stored, rec, strict, &why)) {
        if (!(rec == base))
            return QStringLiteral("%1: a refused value changed the record").arg(col);
        if (why.isEmpty())
            return QStringLiteral("%1: refused without a reason").arg(col);
        return {};
    }
    // What strict loading takes, lenient loading takes the same way.
    if (strict) {
        ConfigRecord lenient = base;
        if (!c.decode(stored, lenient, false, &why) || !(lenient == rec))
            return QStringLiteral("%1: strict and lenient loading disagree").arg(col);
    }
    QVariant saved;
    if (!c.encode(rec, saved, &why))
        return QStringLiteral("%1: a loaded value cannot be saved: %2").arg(col, why);
    if (c.width && c.type == StoredType::Text && saved.toString().size() != c.width)
        return QStringLiteral("%1: saved \"%2\" is not %3 wide").arg(col, saved.toString()).arg(c.width);
    ConfigRecord again = base;
    if (!c.decode(saved, again, strict, &why))
        return QStringLiteral("%1: saved \"%2\" does not load: %3").arg(col, saved.toString(), why);
    QVariant resaved;
    if (!c.encode(again, resaved, &why) || resaved != saved)
        return QStringLiteral("%1: \"%2\" saved again as \"%3\"").arg(col, saved.toString(), resaved.toString());
    return {};
}

} // namespace k52::fuzz
