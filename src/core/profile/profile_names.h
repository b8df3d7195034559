#pragma once
// The one rule for profile names, whatever brings the name in: the Save
// Profile dialog, `profiles import` (its file and --as) and any other
// import. A stored name must print as one plain line.

#include <QString>

#include <optional>

namespace k52 {

// Longest profile name, in characters after trimming. Far above any name an
// installer types, short enough for every list and caption.
inline constexpr int kMaxProfileNameLength = 64;

// The name as it is stored: surrounding blanks trimmed. Empty when the name
// cannot be used, with `error` saying why: empty, longer than
// kMaxProfileNameLength, or holding a control character (tab, newline,
// carriage return, escape, NUL, ...), a line or paragraph separator or a
// bidirectional override or isolate (U+202A-U+202E, U+2066-U+2069).
std::optional<QString> valid_profile_name(const QString &raw, QString *error);

// `text` from a foreign file (an Access name or value) as it may be printed:
// every character the rule above refuses is shown as \uXXXX.
QString printable_text(const QString &text);

} // namespace k52
