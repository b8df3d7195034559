// The two Wiegand output formats: serial input to Wiegand ("S1W1".."S1W6")
// and Wiegand / magstripe input to Wiegand ("I1OW1".."I1OW6"). Both sets have
// the same layout field for field; a WiegandFormat names the columns, the
// mnemonic and the error numbers of one of them.
#include "run_plan.h"

#include <array>

namespace k52 {
namespace {

using IntField = Integer ConfigRecord::*;
using TextField = QString ConfigRecord::*;

// Output fields in the order site, id, issue, constant bits; the field
// code of each in the ordering is its index plus one.
constexpr int kFields = 4;

struct WiegandFormat {
    const char *mnemonic;                        // "S1W": commands are mnemonic + 1..6
    const char *conversion;                      // first word of the check explanations
    int first_command_error;                     // error number of command 1; 2..6 follow
    int first_ordering_error;                    // error number of the site ordering check
    bool limits_bits;                            // bit counts above 64 are refused
    std::array<IntField, 3> extract, start, len; // site, id, issue
    std::array<IntField, kFields> bits, lsb;
    IntField parity, lp, rp, lpbits, rpbits;
    std::array<IntField, 3> overflag;    // site, id, issue
    std::array<IntField, kFields> field; // ordering positions 1..4
    std::array<TextField, kFields> over; // site, id, issue, constant
    TextField lpmask, rpmask;
};

const WiegandFormat kSerial{
    "S1W",
    "Serial",
    4,
    24,
    true,
    {&ConfigRecord::serwieextractsite, &ConfigRecord::serwieextractid, &ConfigRecord::serwieextractissue},
    {&ConfigRecord::serwiesitestart, &ConfigRecord::serwieidstart, &ConfigRecord::serwieissuestart},
    {&ConfigRecord::serwiesitelen, &ConfigRecord::serwieidlen, &ConfigRecord::serwieissuelen},
    {&ConfigRecord::serwiesitebits, &ConfigRecord::serwieidbits, &ConfigRecord::serwieissuebits,
     &ConfigRecord::serwieconstbits},
    {&ConfigRecord::serwiesitelsb, &ConfigRecord::serwieidlsb, &ConfigRecord::serwieissuelsb,
     &ConfigRecord::serwieconstlsb},
    &ConfigRecord::serwieparity,
    &ConfigRecord::serwielp,
    &ConfigRecord::serwierp,
    &ConfigRecord::serwielpbits,
    &ConfigRecord::serwierpbits,
    {&ConfigRecord::serwieoversite, &ConfigRecord::serwieoverid, &ConfigRecord::serwieoverissue},
    {&ConfigRecord::serwiefield1, &ConfigRecord::serwiefield2, &ConfigRecord::serwiefield3,
     &ConfigRecord::serwiefield4},
    {&ConfigRecord::serwiesiteover, &ConfigRecord::serwieidover, &ConfigRecord::serwieissueover,
     &ConfigRecord::serwieconstover},
    &ConfigRecord::serwielpmask,
    &ConfigRecord::serwierpmask,
};

const WiegandFormat kInput{
    "I1OW",
    "Input1",
    15,
    28,
    false,
    {&ConfigRecord::input1wieextractsite, &ConfigRecord::input1wieextractid, &ConfigRecord::input1wieextractissue},
    {&ConfigRecord::input1wiesitechrstart, &ConfigRecord::input1wieidchrstart, &ConfigRecord::input1wieissuechrstart},
    {&ConfigRecord::input1wiesitechrlen, &ConfigRecord::input1wieidchrlen, &ConfigRecord::input1wieissuechrlen},
    {&ConfigRecord::input1wiesitebits, &ConfigRecord::input1wieidbits, &ConfigRecord::input1wieissuebits,
     &ConfigRecord::input1wieconstbits},
    {&ConfigRecord::input1wiesitelsb, &ConfigRecord::input1wieidlsb, &ConfigRecord::input1wieissuelsb,
     &ConfigRecord::input1wieconstlsb},
    &ConfigRecord::input1wieparity,
    &ConfigRecord::input1wielp,
    &ConfigRecord::input1wierp,
    &ConfigRecord::input1wielpbits,
    &ConfigRecord::input1wierpbits,
    {&ConfigRecord::input1wieoversite, &ConfigRecord::input1wieoverid, &ConfigRecord::input1wieoverissue},
    {&ConfigRecord::input1wiefield1, &ConfigRecord::input1wiefield2, &ConfigRecord::input1wiefield3,
     &ConfigRecord::input1wiefield4},
    {&ConfigRecord::input1wiesiteover, &ConfigRecord::input1wieidover, &ConfigRecord::input1wieissueover,
     &ConfigRecord::input1wieconstover},
    &ConfigRecord::input1wielpmask,
    &ConfigRecord::input1wierpmask,
};

// Explanations of the checks, per output field; %1 is the conversion.
constexpr std::array<const char *, kFields> kNotOrdered{
    "%1 conversion has a site bit count and site is not in the field ordering",
    "%1 conversion has an id bit count and id is not in the field ordering",
    "%1 conversion has an issue bit count and issue is not in the field ordering",
    "%1 conversion has a const bit count and const is not in the field ordering",
};
constexpr std::array<const char *, kFields> kTooWide{
    "%1 conversion has a site bit count > 64 bits",
    "%1 conversion has an id bit count > 64 bits",
    "%1 conversion has an issue bit count > 64 bits",
    "%1 conversion has a constant bit count > 64 bits",
};
constexpr int kMaxBits = 64;

QString error_line(const QString &number) {
    return QStringLiteral("Error %1 Programming Converter").arg(number);
}

// Every field with a bit count must have a place in the ordering; the
// serial format also limits each count to 64 bits. The first failure stops.
void check_format(PlanBuilder &b, const WiegandFormat &f) {
    const ConfigRecord &r = b.rec;
    for (int i = 0; i < kFields; ++i) {
        if (r.*f.bits[i] == 0)
            continue;
        bool ordered = false;
        for (IntField pos : f.field)
            ordered = ordered || r.*pos == i + 1;
        if (!ordered) {
            b.refuse(error_line(dec(f.first_ordering_error + i, 3)),
                     QString::fromLatin1(kNotOrdered[i]).arg(QLatin1String(f.conversion)));
            return;
        }
    }
    if (!f.limits_bits)
        return;
    for (int i = 0; i < kFields; ++i) {
        if (r.*f.bits[i] > kMaxBits) {
            b.refuse(error_line(QStringLiteral("%1-A").arg(dec(f.first_ordering_error, 3))),
                     QString::fromLatin1(kTooWide[i]).arg(QLatin1String(f.conversion)));
            return;
        }
    }
}

void send_format(PlanBuilder &b, const WiegandFormat &f) {
    const ConfigRecord &r = b.rec;
    std::array<QString, 6> body;

    // 1: where site, id and issue sit in the input, then the bit counts
    for (int i = 0; i < 3; ++i)
        body[0] += r.*f.extract[i] == 1 ? dec(r.*f.start[i], 2) + dec(r.*f.len[i], 2) : QStringLiteral("0000");
    for (IntField bits : f.bits)
        body[0] += dec(r.*bits, 2);

    // 2: parity, bit order, parity bit counts (three digits from 01.81 on),
    // fixed-value flags
    body[1] = dec(r.*f.parity, 1) + dec(r.*f.lp, 1) + dec(r.*f.rp, 1);
    for (IntField lsb : f.lsb)
        body[1] += dec(r.*lsb, 1);
    const int count_width = b.at_least("01.81") ? 3 : 2;
    body[1] += dec(r.*f.lpbits, count_width) + dec(r.*f.rpbits, count_width);
    for (IntField over : f.overflag)
        body[1] += dec(r.*over, 1);

    // 3: field ordering
    for (IntField pos : f.field)
        body[2] += dec(r.*pos, 1);

    // 4: fixed values; the issue value comes before the id value
    body[3] = r.*f.over[0] + r.*f.over[2] + r.*f.over[1] + r.*f.over[3];

    // 5, 6: parity masks
    body[4] = r.*f.lpmask;
    body[5] = r.*f.rpmask;

    for (int n = 0; n < 6; ++n)
        b.command(QLatin1String(f.mnemonic) + QString::number(n + 1) + body[n],
                  error_line(dec(f.first_command_error + n, 3)));
}

} // namespace

void serial_wiegand_groups(PlanBuilder &b) {
    check_format(b, kSerial);
    send_format(b, kSerial);
}

void input_wiegand_checks(PlanBuilder &b) {
    check_format(b, kInput);
}

void input_wiegand_groups(PlanBuilder &b) {
    send_format(b, kInput);
}

} // namespace k52
