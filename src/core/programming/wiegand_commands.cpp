// The two Wiegand output formats: serial input to Wiegand ("S1W1".."S1W6")
// and Wiegand / magstripe input to Wiegand ("I1OW1".."I1OW6"). Both sets have
// the same layout field for field; a WiegandFormat names the columns, the
// mnemonic and the error numbers of one of them.
#include "run_plan.h"

#include "core/profile/wiegand_map.h"

#include <array>

namespace k52 {
namespace {

using IntField = WiegandFieldMap::IntField;

constexpr int kFields = kWiegandFields;

struct WiegandFormat {
    const char *mnemonic;     // "S1W": commands are mnemonic + 1..6
    const char *conversion;   // first word of the check explanations
    int first_command_error;  // error number of command 1; 2..6 follow
    int first_ordering_error; // error number of the site ordering check
    bool limits_bits;         // bit counts above 64 are refused
    const WiegandFieldMap &m;
};

const WiegandFormat kSerial{"S1W", "Serial", 4, 24, true, kSerialWiegandMap};
const WiegandFormat kInput{"I1OW", "Input1", 15, 28, false, kInputWiegandMap};

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
        if (r.*f.m.bits[i] == 0)
            continue;
        bool ordered = false;
        for (IntField pos : f.m.field)
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
        if (r.*f.m.bits[i] > kMaxBits) {
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
        body[0] += r.*f.m.extract[i] == 1 ? dec(r.*f.m.start[i], 2) + dec(r.*f.m.len[i], 2) : QStringLiteral("0000");
    for (IntField bits : f.m.bits)
        body[0] += dec(r.*bits, 2);

    // 2: parity, bit order, parity bit counts (three digits from 01.81 on),
    // fixed-value flags
    body[1] = dec(r.*f.m.parity, 1) + dec(r.*f.m.lp, 1) + dec(r.*f.m.rp, 1);
    for (IntField lsb : f.m.lsb)
        body[1] += dec(r.*lsb, 1);
    const int count_width = b.at_least("01.81") ? 3 : 2;
    body[1] += dec(r.*f.m.lpbits, count_width) + dec(r.*f.m.rpbits, count_width);
    for (IntField over : f.m.overflag)
        body[1] += dec(r.*over, 1);

    // 3: field ordering
    for (IntField pos : f.m.field)
        body[2] += dec(r.*pos, 1);

    // 4: fixed values; the issue value comes before the id value
    body[3] = r.*f.m.over[0] + r.*f.m.over[2] + r.*f.m.over[1] + r.*f.m.over[3];

    // 5, 6: parity masks
    body[4] = r.*f.m.lpmask;
    body[5] = r.*f.m.rpmask;

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
