#pragma once
// The rules of the entry boxes: which characters a box takes, how it turns
// them, and the value a decimal box stores. Typed, pasted and dropped text
// all go through the same rule.

#include "core/profile/config_record.h"

#include <QChar>
#include <QString>

#include <optional>

namespace k52 {

enum class EntryRule {
    Decimal,   // 0-9
    Hex,       // 0-9 and A-F; a-f are turned into A-F
    IpAddress, // 0-9 and "."
};

// The character a box of the rule takes for `c`, or std::nullopt when it
// drops it.
std::optional<QChar> entry_char(EntryRule rule, QChar c);
// `text` with every character the rule drops left out and the others
// turned as the rule turns them.
QString entry_text(EntryRule rule, const QString &text);

// Value of a decimal box's text: an optional sign and the leading decimal
// digits, held to the Integer range; no digits gives 0. Stored values are
// shown as their decimal text, so every one of them reads back the same.
Integer decimal_text_value(const QString &text);

} // namespace k52
