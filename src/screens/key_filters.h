#pragma once

// Key filters of the entry boxes: which typed characters a box takes and
// how it turns them before they land.

#include <QChar>
#include <QString>

#include <optional>

namespace k52 {

enum class KeyRule {
    Hex,       // 0-9 and A-F; a-f are turned into A-F
    Digits,    // 0-9
    IpAddress, // 0-9 and "."
};

// The character a typed key puts into a box, or std::nullopt when the key
// is dropped. Backspace (0x08) always passes.
std::optional<QChar> filter_key(KeyRule rule, QChar key);

} // namespace k52
