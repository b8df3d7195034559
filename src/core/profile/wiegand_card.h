#pragma once

// The card calculator: the bit string a Wiegand output format of the record
// emits for a card's site, ID and issue, and the way back from a bit string
// to the fields with the parity verdict. It reads the format through the
// field map the programming commands use.
//
// Standard parity: one bit on each side. The left bit covers the first
// "Left Bits" data bits, the right bit the last "Right Bits" data bits (a
// count beyond the data covers all of it); even or odd as the senses say.
// Mask parity: the converter computes those two bits from the masks, and
// which data bits a mask digit selects is the firmware's own matter; the
// calculator does not compute them and shows them as "p".

#include "core/profile/wiegand_map.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace k52 {

// Site, ID, issue; a field not given is nullopt.
using CardValues = std::array<std::optional<quint64>, 3>;

struct CardField {
    int code = 0; // 1 site, 2 ID, 3 issue, 4 constant
    int bits = 0;
    bool lsb = false;
    std::optional<quint64> fixed; // override value, or the constant value
    QChar letter;                 // "s", "b", "i", "c"
};

struct CardLayout {
    QString error;  // the format cannot be calculated; says what to change
    int parity = 0; // 0 none, 1 standard, 2 mask
    bool left_odd = false, right_odd = false;
    int left_cover = 0, right_cover = 0; // data bits each parity bit covers
    std::vector<CardField> fields;       // in output order
    int data_bits() const;
    int total_bits() const { return data_bits() + (parity == 0 ? 0 : 2); }
    // One letter per output bit, as the editor's picture draws them.
    QString letters() const;
};

CardLayout card_layout(const ConfigRecord &rec, const WiegandFieldMap &map);

struct CardBits {
    QString error;
    QString bits; // "0", "1", and "p" for a parity bit that is not computed
};

// Fields the format sends from the card must be given (issue defaults to
// 0); a value must fit in its bit count.
CardBits encode_card(const CardLayout &layout, const CardValues &values);

struct CardReading {
    QString error;                 // the text is not a bit string of this format
    CardValues values;             // as the bits hold them
    QStringList faults;            // parity failures, fixed values or constant that differ
    bool parity_unchecked = false; // mask parity: not checked
};

// `bits`: "0"/"1" digits (spaces and "p" for unknown mask bits allowed).
CardReading decode_card(const CardLayout &layout, const QString &bits);

// Bits as the text to show: fields apart by a space, and the letters under
// them spaced the same way.
QString spaced(const QString &bits_or_letters, const CardLayout &layout);
// Hex of a bit string (leading zeros to whole digits); empty when a bit is
// not known.
QString bits_to_hex(const QString &bits);
// HEX with a bit count: the bit string; error when the hex does not fit.
bool hex_to_bits(const QString &hex, int count, QString &bits, QString *error);
// What an installer pastes: bits as they are, or "HEX/COUNT" turned into bits.
bool pasted_bits(const QString &text, QString &bits, QString *error);

} // namespace k52
