#pragma once

// The one field map of the two Wiegand output formats: serial input to
// Wiegand (columns serwie...) and Wiegand / magstripe input to Wiegand
// (columns input1wie...). The programming commands, the output format
// editor and the card calculator all read the record through it.

#include "core/profile/config_record.h"

#include <array>

namespace k52 {

// Output fields in the order site, ID, issue, constant; the field code of
// each in the output order is its index plus one (0 is none).
inline constexpr int kWiegandFields = 4;
inline constexpr int kWiegandOrderRows = 4;

struct WiegandFieldMap {
    using IntField = Integer ConfigRecord::*;
    using TextField = QString ConfigRecord::*;

    std::array<IntField, 3> extract, start, len; // site, ID, issue
    std::array<IntField, kWiegandFields> bits, lsb;
    std::array<IntField, 3> overflag;              // site, ID, issue
    std::array<TextField, kWiegandFields> over;    // site, ID, issue fixed values, constant value
    IntField parity;                               // 0 none, 1 standard, 2 mask
    IntField lp, rp;                               // left 0 even 1 odd; right 0 odd 1 even
    IntField lpbits, rpbits;                       // data bits each standard parity bit covers
    std::array<IntField, kWiegandOrderRows> field; // output order rows 1..4
    TextField lpmask, rpmask;
};

// "serial" and "input1".
extern const WiegandFieldMap kSerialWiegandMap;
extern const WiegandFieldMap kInputWiegandMap;

} // namespace k52
