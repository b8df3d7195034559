#pragma once

// Pure rules of the communications setup screen: the choice groups of the
// link settings and the devices behind the comm port numbers.

#include "core/link/port_names.h"
#include "core/profile/link_settings.h"

#include <QString>
#include <QVector>

#include <array>
#include <optional>

namespace k52 {

// The eight serial speeds, in the order of the baud rate boxes of the
// communications and the serial I/O screens.
inline constexpr int kBaudChoices = int(kLinkBaudRates.size());
inline constexpr std::array<Long, kBaudChoices> kBaudRates = kLinkBaudRates;
std::optional<int> baud_index(Long rate);

// "Comm Mode": choice 0 is "Tcp/Ip", choice 1 "Serial".
inline constexpr int kModeTcp = 0;
inline constexpr int kModeSerial = 1;
QString commtype_code(int mode); // "T" or "S"

inline constexpr int kCommPortChoices = 7; // boxes 1 to 7
inline constexpr int kParityChoices = 3;   // "7 Even", "7 Odd", "8 None"

// What the screen shows for a set of link settings. A setting that has no
// box (port 0 or above 7, an unknown rate or parity) shows its group with
// no box ticked and keeps its value.
struct LinkChoices {
    int mode = kModeSerial;    // "Tcp/Ip" only for commtype "T"
    std::optional<int> port;   // box index 0..6 for commport 1..7
    std::optional<int> baud;   // box index 0..7
    std::optional<int> parity; // box index 0..2
    bool operator==(const LinkChoices &) const = default;
};
LinkChoices link_choices(const LinkSettings &link);

// The device that port number `number` stands for on this machine, as the
// link resolves it: COMn on Windows, the n-th port of `ports` elsewhere;
// empty when there is none.
QString port_device(int number, const QVector<PortEntry> &ports);

// Text beside comm port box `number`: its device and the driver's
// description, or a note that the machine has no such port.
QString port_caption(int number, const QVector<PortEntry> &ports);

// The Comm Port box (0..6) at which the adapter remembered by the link
// settings is plugged in now; nothing when it is absent or beyond the boxes.
std::optional<int> remembered_box(const LinkSettings &link, const QVector<PortEntry> &ports);

// One line saying which device the link will open with these settings, or
// why it cannot open one.
QString link_device_note(const LinkSettings &link, const QVector<PortEntry> &ports);

} // namespace k52
