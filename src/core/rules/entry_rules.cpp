#include "entry_rules.h"

#include <algorithm>
#include <limits>

namespace k52 {

std::optional<QChar> entry_char(EntryRule rule, QChar c) {
    const char16_t u = c.unicode();
    const bool digit = u >= u'0' && u <= u'9';
    switch (rule) {
    case EntryRule::Hex:
        if (u >= u'a' && u <= u'f')
            return QChar(char16_t(u - u'a' + u'A'));
        if (digit || (u >= u'A' && u <= u'F'))
            return c;
        return std::nullopt;
    case EntryRule::Decimal:
        return digit ? std::optional<QChar>(c) : std::nullopt;
    case EntryRule::IpAddress:
        return digit || u == u'.' ? std::optional<QChar>(c) : std::nullopt;
    }
    return std::nullopt;
}

QString entry_text(EntryRule rule, const QString &text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (const std::optional<QChar> k = entry_char(rule, c))
            out += *k;
    return out;
}

Integer decimal_text_value(const QString &text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    long v = 0;
    constexpr long limit = long(std::numeric_limits<Integer>::max()) + 1;
    for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i)
        v = std::min(limit, v * 10 + (t[i].unicode() - u'0'));
    if (negative)
        return Integer(-std::min(v, limit));
    return Integer(std::min(v, limit - 1));
}

} // namespace k52
