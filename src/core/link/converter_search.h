#pragma once
// Find Converter: which port, speed and parity a converter answers on. Each
// port is tried at the eight speeds and three parities with the
// identification request, the likeliest settings first.

#include "byte_link.h"
#include "core/profile/link_settings.h"
#include "device_job.h"
#include "port_names.h"

#include <QString>
#include <QVector>

#include <chrono>
#include <functional>
#include <memory>

namespace k52 {

// One speed and parity to try.
struct LineSetting {
    Long baudrate = 0;
    Integer parity = 0; // 0 ",E,7,1", 1 ",O,7,1", 2 ",N,8,1"
    bool operator==(const LineSetting &) const = default;
};

// The 24 settings in the order they are tried: `first` (the stored link
// settings, when they are one of the 24), then 9600 with 7 Even, then the
// rest by speed and parity.
QVector<LineSetting> search_order(const LineSetting &first);

// The framing of one try (parity 2 has 8 data bits, the others 7).
SerialSettings line_serial(const LineSetting &s);

// How long to wait for the identification at a setting: the converter's
// answering time and the wire time of the request and the longest reply.
std::chrono::milliseconds identify_deadline(const LineSetting &s);

// A converter that answered.
struct FoundConverter {
    PortEntry port;         // device, description and identity
    QString model;          // "K52", "K54R", ...
    QString firmware;       // "01.99"
    QString identification; // "K52 V01.99"
    LineSetting setting;
    bool operator==(const FoundConverter &) const = default;
};

// What became of one port.
struct PortSearch {
    PortEntry port;
    std::optional<FoundConverter> found;
    QString failure; // why the port could not be opened; empty when it could
};

struct SearchResult {
    QVector<PortSearch> ports;
    bool stopped = false;
    QVector<FoundConverter> found() const;
};

// Makes the link of one port's search (a SerialLink; tests put in-memory
// links here). Called on the calling thread, once per port.
using PortLinkMaker = std::function<std::unique_ptr<ByteLink>(const PortEntry &port)>;

// Searches every port at once, one worker thread and one link per port,
// each try opening and closing the port through open_port(). Reports
// "Searching ..." as status, every try as a step (tries of all ports
// together) and each port's outcome as a line (port_search_text) the moment
// that port is done. `stopped` is asked on the calling thread while the
// workers run; a stop interrupts every port's link, which ends its wait at
// once. `ports` of the result keep the order given; a port not searched to
// its end (stopped) is left out.
SearchResult find_converters(const PortLinkMaker &make_link, const QVector<PortEntry> &ports, const LineSetting &stored,
                             JobProgress &progress, const std::function<bool()> &stopped = {});

// One look at a port for a converter: a try at `first` only, or at every
// setting (the search order from `first`) when `search_all`. `opened` says
// whether the port could be opened at all.
struct Presence {
    std::optional<FoundConverter> found;
    bool opened = false;
};
Presence look_for_converter(ByteLink &link, const PortEntry &port, const LineSetting &first, bool search_all);

// Waits until the converter on `port` has gone: the port cannot be opened
// or stops working, or "V" has had no answer for `settle`. Asks every
// `poll`; ends at once when the link is interrupted.
void wait_until_gone(ByteLink &link, const PortSpec &port, std::chrono::milliseconds settle,
                     std::chrono::milliseconds poll = std::chrono::milliseconds(250));

// "9600 baud, 7 Even"
QString line_setting_text(const LineSetting &s);
// One port's outcome: "/dev/ttyUSB0 (FT232R): K52 firmware 01.99 at 9600
// baud, 7 Even", "...: no converter" or "...: could not be opened: why".
QString port_search_text(const PortSearch &p);

// The link settings that open the port of `found` at its speed and parity:
// by its identity and number when the system lists it, else by its path.
LinkSettings take_found(LinkSettings link, const FoundConverter &found, const QVector<PortEntry> &listed);

} // namespace k52
