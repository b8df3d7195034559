#include "key_filters.h"

namespace k52 {

std::optional<QChar> filter_key(KeyRule rule, QChar key) {
    const char16_t c = key.unicode();
    if (c == u'\b')
        return key;
    const bool digit = c >= u'0' && c <= u'9';
    switch (rule) {
    case KeyRule::Hex:
        if (c >= u'a' && c <= u'f')
            return QChar(char16_t(c - u'a' + u'A'));
        if (digit || (c >= u'A' && c <= u'F'))
            return key;
        return std::nullopt;
    case KeyRule::Digits:
        return digit ? std::optional<QChar>(key) : std::nullopt;
    case KeyRule::IpAddress:
        return digit || c == u'.' ? std::optional<QChar>(key) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace k52
