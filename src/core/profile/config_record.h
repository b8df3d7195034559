#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace k52 {

// Stored types of the profile columns.
using Integer = std::int16_t; // signed 16-bit
using Long = std::int32_t;    // signed 32-bit

// `terminators`: three two-digit hex texts.
struct Terminators {
    QString input; // input terminator
    QString out1;  // output terminator 1
    QString out2;  // output terminator 2
    bool operator==(const Terminators &) const = default;
};

// `sermagparms`: five on/off options, in column order:
// Track 1 Emulation, Track 2 Emulation, Data up with clock,
// C start sentinel for Track 2 emulation, F2F Output.
using MagParms = std::array<Integer, 5>;

// One entry of a serial input mask set.
struct MaskEntry {
    Integer constant = 0; // flag
    Integer start = 0;    // 0..99 in the stored layout
    Integer length = 0;   // 0..99 in the stored layout
    QString value;        // two hex digits
    bool operator==(const MaskEntry &) const = default;
};

// `sermask1`..`sermask3`: five entries; sets 2 and 3 also carry an Input
// Length (kept at 0 and not stored for set 1).
struct MaskSet {
    std::array<MaskEntry, 5> entries;
    Integer inputlen = 0;
    bool operator==(const MaskSet &) const = default;
};

// In-memory type of each column kind.
namespace kind {
using Integer = k52::Integer;
using Long = k52::Long;
using Parity = QString; // "E", "O" or "N"
using Terminators = k52::Terminators;
using MagParms = k52::MagParms;
using Mask1 = k52::MaskSet;
using Mask23 = k52::MaskSet;
using Hex2 = QString;
using Hex4 = QString;
using Hex16 = QString;
using Text = QString;
} // namespace kind

// The configuration record: one public member per profile column, named by
// its column. Before the first load every number is 0 and every text empty.
struct ConfigRecord {
#define K52_COLUMN(name, k) kind::k name{};
#include "config_columns.def"
#undef K52_COLUMN
    bool operator==(const ConfigRecord &) const = default;
};

// Hex normalisers: trim blanks, put zeros in front, keep the last 2, 4 or 16
// characters. They change their argument in place.
void pad_hex2(QString &text);
void pad_hex4(QString &text);
void pad_hex16(QString &text);

// Returning forms of the same, for expressions.
QString padded_hex(const QString &text, int width);

} // namespace k52
