#include "converter_search.h"

#include "core/profile/setting_places.h"
#include "exchange.h"
#include "stoppable_link.h"

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace k52 {

namespace {

constexpr int kParities = 3;

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

// Sends "V" on the open link and waits for the identification.
Try ask_identity(ByteLink &link, const LineSetting &s, QString &version, QString &identification) {
    if (!link.write(frame_command(QStringLiteral("V"))))
        return Try::Failed;
    const auto deadline = LinkClock::now() + identify_deadline(s);
    QString line;
    while (const std::optional<quint8> b = link.read_byte(deadline)) {
        if (*b != 0x0D) {
            line.append(QChar(*b));
            continue;
        }
        if (identify_line(line, version, identification))
            return Try::Answered;
        line.clear();
    }
    return link.is_open() ? Try::Silent : Try::Failed;
}

Try try_setting(ByteLink &link, const QString &device, const LineSetting &s, QString &version, QString &identification,
                QString *error) {
    // Opening drops what an earlier try left on the line.
    if (!open_port(link, PortSpec{device, line_serial(s), {}}, error))
        return Try::Failed;
    const Try result = ask_identity(link, s, version, identification);
    close_comm(link);
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
    const ChoiceList &parities = parity_choices();
    const char *parity = s.parity >= 0 && s.parity < parities.size() ? parities[s.parity].caption : "?";
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

namespace {

// How often the calling thread asks `stopped` while the workers run.
constexpr std::chrono::milliseconds kStopPoll{50};

// One port to its end: each setting in `order` until one answers, the port
// fails or `halt` is set (false then). `tried` counts each try.
bool search_port(ByteLink &link, const QVector<LineSetting> &order, const std::atomic<bool> &halt,
                 const std::function<void()> &tried, PortSearch &ps) {
    for (const LineSetting &s : order) {
        if (halt)
            return false;
        QString version, identification;
        const Try t = try_setting(link, ps.port.device, s, version, identification, &ps.failure);
        tried();
        switch (t) {
        case Try::Answered:
            ps.found =
                FoundConverter{ps.port, identification.section(QLatin1Char(' '), 0, 0), version, identification, s};
            return true;
        case Try::Silent:
            break;
        case Try::Failed:
            if (halt)
                return false;
            // The speed does not change why a port cannot be used.
            if (ps.failure.isEmpty())
                ps.failure = QStringLiteral("Serial port %1 stopped working during the search").arg(ps.port.device);
            return true;
        }
    }
    return !halt;
}

} // namespace

Presence look_for_converter(ByteLink &link, const PortEntry &port, const LineSetting &first, bool search_all) {
    QVector<LineSetting> order = search_order(first);
    if (!search_all)
        order.resize(1);
    const std::atomic<bool> never{false};
    PortSearch ps{port, std::nullopt, {}};
    search_port(
        link, order, never, [] {}, ps);
    return {ps.found, ps.found || ps.failure.isEmpty()};
}

void wait_until_gone(ByteLink &link, const PortSpec &port, std::chrono::milliseconds settle,
                     std::chrono::milliseconds poll) {
    if (!open_port(link, port, nullptr))
        return;
    const Integer parity = port.serial.parity == Parity::Odd ? 1 : port.serial.parity == Parity::None ? 2 : 0;
    const LineSetting s{port.serial.baud, parity};
    auto answered = LinkClock::now();
    while (link.is_open() && LinkClock::now() - answered < settle) {
        const auto next = LinkClock::now() + poll;
        QString version, identification;
        if (ask_identity(link, s, version, identification) == Try::Answered)
            answered = LinkClock::now();
        // Until the next question, whatever comes is dropped; an
        // interruption or a vanished device ends the wait at once.
        while (link.is_open() && link.read_byte(next)) {
        }
    }
    close_comm(link);
}

SearchResult find_converters(const PortLinkMaker &make_link, const QVector<PortEntry> &ports, const LineSetting &stored,
                             JobProgress &progress, const std::function<bool()> &stopped) {
    const QVector<LineSetting> order = search_order(stored);
    const qint64 total = qint64(order.size()) * ports.size();
    progress.status(ports.size() == 1 ? QStringLiteral("Searching %1").arg(ports.front().device)
                                      : QStringLiteral("Searching %1 ports at once").arg(ports.size()));
    progress.step(0, total);

    // What the workers share with this thread, under `mutex`.
    std::mutex mutex;
    std::condition_variable changed;
    qint64 tries = 0;
    qsizetype ended = 0;                                                     // ports at their end
    QStringList lines;                                                       // outcomes in the order the ports ended
    std::vector<std::optional<PortSearch>> whole(std::size_t(ports.size())); // searched to the end
    std::atomic<bool> halt{stopped && stopped()};

    std::vector<std::unique_ptr<StoppableLink>> links;
    for (const PortEntry &port : ports)
        links.push_back(std::make_unique<StoppableLink>(make_link(port)));
    // QThreads: the serial port's notifiers need a Qt thread.
    std::vector<std::unique_ptr<QThread>> workers;
    for (int i = 0; i < ports.size(); ++i) {
        workers.emplace_back(QThread::create([&, i] {
            PortSearch ps{ports[i], std::nullopt, {}};
            const auto tried = [&] {
                std::lock_guard lock(mutex);
                ++tries;
                changed.notify_one();
            };
            const bool complete = search_port(*links[std::size_t(i)], order, halt, tried, ps);
            std::lock_guard lock(mutex);
            if (complete) {
                lines << port_search_text(ps);
                whole[std::size_t(i)] = ps;
            }
            ++ended;
            changed.notify_one();
        }));
        workers.back()->start();
    }

    qint64 shown = 0;
    qsizetype reported = 0;
    std::unique_lock lock(mutex);
    for (bool all_ended = ports.isEmpty(); !all_ended;) {
        changed.wait_for(lock, kStopPoll,
                         [&] { return tries != shown || lines.size() != reported || ended == ports.size(); });
        const qint64 now = tries;
        const QStringList newly = lines.mid(reported);
        reported = lines.size();
        all_ended = ended == ports.size();
        lock.unlock();
        if (now != shown && now < total)
            progress.step(now, total);
        shown = now;
        for (const QString &line : newly)
            progress.line(line);
        if (!halt && stopped && stopped()) {
            halt = true;
            for (auto &l : links)
                l->interrupt();
        }
        lock.lock();
    }
    lock.unlock();
    for (const auto &w : workers)
        w->wait();

    SearchResult result;
    result.stopped = halt;
    for (const std::optional<PortSearch> &p : whole)
        if (p)
            result.ports << *p;
    progress.step(result.stopped ? qint64(order.size()) * result.ports.size() : total, total);
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
