#include "converter_search.h"

#include "exchange.h"

namespace k52 {

namespace {

constexpr int kParities = 3;
const char *const kParityNames[kParities] = {"7 Even", "7 Odd", "8 None"};

// The converter's own time to answer, on top of the wire time.
constexpr std::chrono::milliseconds kAnswerTime{120};
// Request (3 bytes) and the longest identification ("ZOR K52R V01.95" CR).
constexpr int kIdentifyBytes = 3 + 16;

bool known(const LineSetting &s) {
    if (s.parity < 0 || s.parity >= kParities)
        return false;
    for (Long b : kLinkBaudRates)
        if (b == s.baudrate)
            return true;
    return false;
}

// The identification in one received line; noise in front of it (what an
// earlier try at the wrong speed left) is skipped.
bool identify_line(const QString &line, QString &version, QString &identification) {
    const qsizetype at = line.lastIndexOf(QLatin1String("ZOR K"));
    return at >= 0 && parse_identification(line.mid(at), version, identification);
}

enum class Try { Answered, Silent, Failed };

Try try_setting(ByteLink &link, const QString &device, const LineSetting &s, QString &version, QString &identification,
                QString &failure) {
    // Opening drops what an earlier try left on the line.
    if (!open_port(link, PortSpec{device, line_serial(s), {}}, &failure))
        return Try::Failed;
    if (!link.write(frame_command(QStringLiteral("V")))) {
        link.close();
        return Try::Failed;
    }
    const auto deadline = LinkClock::now() + identify_deadline(s);
    QString line;
    Try result = Try::Silent;
    while (const std::optional<quint8> b = link.read_byte(deadline)) {
        if (*b != 0x0D) {
            line.append(QChar(*b));
            continue;
        }
        if (identify_line(line, version, identification)) {
            result = Try::Answered;
            break;
        }
        line.clear();
    }
    if (result == Try::Silent && !link.is_open())
        result = Try::Failed;
    link.close();
    return result;
}

} // namespace

QVector<LineSetting> search_order(const LineSetting &first) {
    QVector<LineSetting> out;
    auto add = [&](const LineSetting &s) {
        if (known(s) && !out.contains(s))
            out << s;
    };
    add(first);
    add({9600, 0});
    for (Long b : kLinkBaudRates)
        for (Integer p = 0; p < kParities; ++p)
            add({b, p});
    return out;
}

SerialSettings line_serial(const LineSetting &s) {
    return serial_settings(s.baudrate, s.parity).value_or(SerialSettings{});
}

std::chrono::milliseconds identify_deadline(const LineSetting &s) {
    return kAnswerTime + wire_time(line_serial(s), kIdentifyBytes);
}

QString line_setting_text(const LineSetting &s) {
    const char *parity = s.parity >= 0 && s.parity < kParities ? kParityNames[s.parity] : "?";
    return QStringLiteral("%1 baud, %2").arg(s.baudrate).arg(QLatin1StringView(parity));
}

QString port_search_text(const PortSearch &p) {
    const QString port =
        p.port.description.isEmpty() ? p.port.device : QStringLiteral("%1 (%2)").arg(p.port.device, p.port.description);
    if (p.found)
        return QStringLiteral("%1: %2 firmware %3 at %4")
            .arg(port, p.found->model, p.found->firmware, line_setting_text(p.found->setting));
    if (!p.failure.isEmpty())
        return QStringLiteral("%1: could not be opened: %2").arg(port, p.failure);
    return port + QStringLiteral(": no converter");
}

QVector<FoundConverter> SearchResult::found() const {
    QVector<FoundConverter> out;
    for (const PortSearch &p : ports)
        if (p.found)
            out << *p.found;
    return out;
}

SearchResult find_converters(ByteLink &link, const QVector<PortEntry> &ports, const LineSetting &stored,
                             JobProgress &progress, const std::function<bool()> &stopped) {
    const QVector<LineSetting> order = search_order(stored);
    const int per_port = int(order.size());
    const int total = per_port * int(ports.size());
    SearchResult result;
    auto stop_asked = [&] { return stopped && stopped(); };
    for (const PortEntry &port : ports) {
        const int first = per_port * int(result.ports.size());
        progress.status(QStringLiteral("Searching %1").arg(port.device));
        PortSearch ps{port, std::nullopt, {}};
        for (int i = 0; i < per_port && !ps.found && ps.failure.isEmpty(); ++i) {
            if (stop_asked())
                break;
            progress.step(first + i, total);
            const LineSetting &s = order[i];
            QString version, identification;
            switch (try_setting(link, port.device, s, version, identification, ps.failure)) {
            case Try::Answered:
                ps.found =
                    FoundConverter{port, identification.section(QLatin1Char(' '), 0, 0), version, identification, s};
                break;
            case Try::Silent:
                break;
            case Try::Failed:
                // The speed does not change why a port cannot be used.
                if (ps.failure.isEmpty())
                    ps.failure = QStringLiteral("Serial port %1 stopped working during the search").arg(port.device);
                break;
            }
        }
        if (stop_asked() && !ps.found) {
            result.stopped = true;
            break;
        }
        result.ports << ps;
        progress.line(port_search_text(ps));
        if (stop_asked()) {
            result.stopped = true;
            break;
        }
    }
    progress.step(result.stopped ? per_port * int(result.ports.size()) : total, total);
    return result;
}

LinkSettings take_found(LinkSettings link, const FoundConverter &found, const QVector<PortEntry> &listed) {
    link.commtype = QStringLiteral("S");
    link.baudrate = found.setting.baudrate;
    link.parity = found.setting.parity;
    link.commidentity = found.port.identity;
    link.commdevice = found.port.device;
    for (const PortEntry &p : listed) {
        if (p.device == found.port.device && p.number >= 1 && p.number <= 7) {
            link.commport = Integer(p.number);
            link.commdevice.clear();
        }
    }
    return link;
}

} // namespace k52
