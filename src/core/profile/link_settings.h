#pragma once

#include "config_record.h"

#include <QString>

#include <array>

namespace k52 {

// Program settings of the link to the converter, kept in table `settings`
// (one row); not part of a profile.
struct LinkSettings {
    QString ipaddress;         // TCP device address
    QString remoteportaddress; // TCP port, as text
    Integer commport = 0;      // serial port number, 1..7
    Long baudrate = 0;         // serial speed of the link
    QString commtype;          // "S" serial, "T" TCP
    QString Terminator;        // two upper-case hex digits
    Integer parity = 0;        // 0 ",E,7,1", 1 ",O,7,1", 2 ",N,8,1"
    QString commdevice;        // explicit device path; wins over commport when set
    QString commidentity;      // the chosen adapter's stable identity; wins over both while it is plugged in
    bool operator==(const LinkSettings &) const = default;
};

// The serial speeds of the link, slowest first.
inline constexpr std::array<Long, 8> kLinkBaudRates{1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

// Address that seeds `ipaddress` in an empty settings table.
inline constexpr const char *kSeedIpAddress = "192.168.1.100";

// Stored number -> two hex digits ("0" before a single digit).
QString terminator_text(qint64 stored);
// Two hex digits -> stored number (text that is not hex gives 0).
int terminator_number(const QString &text);

} // namespace k52
