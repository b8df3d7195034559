// Find Converter: the order of the tries and what each asks of the port
// (in memory), the adapter remembered by its identity, and a stop while
// simulators on pseudo-terminals keep silent. Whole searches against
// simulators run in the command's tests (find).
#include "core/link/action_record.h"
#include "core/link/converter_search.h"
#include "core/link/serial_link.h"
#include "support/cli_run.h"
#include "support/memory_link.h"
#include "support/sim_process.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <memory>

namespace k52 {
namespace {

using k52test::MemoryLink;
using k52test::SimProcess;

// Remembers the settings of every opening; a pseudo-terminal drops parity,
// so this is where the parity of each try shows.
class RecordingLink : public MemoryLink {
public:
    bool open(const QString &port, const SerialSettings &settings, QString *error) override {
        requested << port + QLatin1Char(' ') + serial_settings_text(settings);
        return MemoryLink::open(port, settings, error);
    }
    QStringList requested;
};

struct Steps : JobProgress {
    std::function<void(qint64)> on_step;
    std::vector<qint64> done;
    QStringList lines;
    void step(qint64 d, qint64 total) override {
        EXPECT_EQ(total % 24, 0);
        done.push_back(d);
        if (on_step)
            on_step(d);
    }
    void line(const QString &text) override { lines << text; }
};

PortEntry port(int number, const QString &device, const QString &identity = {}) {
    return {number, device, {}, identity};
}

// One recording link per port, kept by the test after the search.
struct PortLinks {
    std::map<QString, RecordingLink> by_port;
    std::function<void(RecordingLink &)> setup;
    PortLinkMaker maker() {
        return [this](const PortEntry &p) {
            RecordingLink &l = by_port[p.device];
            if (setup)
                setup(l);
            return std::make_unique<WatchingLink>(l);
        };
    }
};

TEST(SearchOrder, StoredSettingsFirstThen9600EvenThenTheRest) {
    struct Case {
        LineSetting stored;
        LineSetting first, second;
    };
    const Case cases[] = {
        {{19200, 2}, {19200, 2}, {9600, 0}}, {{9600, 0}, {9600, 0}, {1200, 0}}, // not tried twice
        {{0, 0}, {9600, 0}, {1200, 0}},                                         // a fresh install's rate 0
        {{9600, 7}, {9600, 0}, {1200, 0}},                                      // unknown parity
        {{300, 1}, {9600, 0}, {1200, 0}},                                       // not one of the eight speeds
    };
    for (const Case &c : cases) {
        const QVector<LineSetting> order = search_order(c.stored);
        ASSERT_EQ(order.size(), 24);
        EXPECT_EQ(order[0], c.first) << c.stored.baudrate;
        EXPECT_EQ(order[1], c.second) << c.stored.baudrate;
        for (Long b : kLinkBaudRates)
            for (Integer p = 0; p < 3; ++p)
                EXPECT_TRUE(order.contains(LineSetting{b, p}));
    }
    EXPECT_LT(identify_deadline({115200, 0}), identify_deadline({1200, 2}));
}

TEST(ConverterSearch, AsksForEverySpeedAndParityOfASilentPort) {
    PortLinks links;
    Steps steps;
    const SearchResult r = find_converters(links.maker(), {port(1, "/dev/ttyS0")}, {19200, 2}, steps);
    ASSERT_EQ(r.ports.size(), 1);
    EXPECT_FALSE(r.ports[0].found);
    EXPECT_TRUE(r.ports[0].failure.isEmpty());
    const RecordingLink &link = links.by_port[QStringLiteral("/dev/ttyS0")];
    QStringList expected;
    for (const LineSetting &s : search_order({19200, 2}))
        expected << QStringLiteral("/dev/ttyS0 ") + serial_settings_text(line_serial(s));
    EXPECT_EQ(link.requested, expected);
    EXPECT_EQ(link.requested.filter(QStringLiteral(",O,7,1")).size(), 8);
    EXPECT_EQ(link.requested.filter(QStringLiteral(",N,8,1")).size(), 8);
    EXPECT_EQ(link.commands, QStringList(24, QStringLiteral("V")));
    EXPECT_EQ(steps.lines, QStringList{QStringLiteral("/dev/ttyS0: no converter")});
    EXPECT_EQ(steps.done.back(), 24);
}

TEST(ConverterSearch, EachPortOnItsOwnLinkFindsTheOneSettingItsConverterAnswersAt) {
    // Answers only at 4800 odd; noise at the others. A reply may follow
    // noise left on the line.
    PortLinks links;
    links.setup = [](RecordingLink &l) {
        l.responder = [&l](const QString &) -> QByteArray {
            if (l.opened_settings == QLatin1String("4800,O,7,1"))
                return "\x93\x11zZOR K54R V01.95\r";
            return "\x85\xF0\r\x12";
        };
    };
    Steps steps;
    const SearchResult r =
        find_converters(links.maker(), {port(1, "/dev/ttyUSB0", "A1"), port(2, "/dev/ttyUSB1")}, {}, steps);
    const QVector<FoundConverter> found = r.found();
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found[0].port.device, QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(found[1].port.device, QStringLiteral("/dev/ttyUSB1"));
    EXPECT_EQ(found[0].model, QStringLiteral("K54R"));
    EXPECT_EQ(found[0].firmware, QStringLiteral("01.95"));
    EXPECT_EQ(found[0].identification, QStringLiteral("K54R V01.95"));
    EXPECT_EQ(found[0].setting, (LineSetting{4800, 1}));
    // No more tries on a port once it answered; every try opened only its own port.
    const int tries = int(search_order({}).indexOf(LineSetting{4800, 1})) + 1;
    for (const auto &[device, link] : links.by_port) {
        EXPECT_EQ(link.requested.size(), tries);
        EXPECT_EQ(link.requested.filter(device).size(), tries);
    }
    EXPECT_EQ(steps.done.back(), 48);
    EXPECT_EQ(steps.lines.size(), 2);
}

TEST(ConverterSearch, UnopenablePortsAndStop) {
    PortLinks links;
    links.setup = [](RecordingLink &l) { l.fail_open_error = QStringLiteral("Serial port does not exist"); };
    Steps steps;
    SearchResult r = find_converters(links.maker(), {port(1, "/dev/ttyUSB0"), port(2, "/dev/ttyUSB1")}, {}, steps);
    ASSERT_EQ(r.ports.size(), 2);
    EXPECT_EQ(r.ports[0].failure, QStringLiteral("Serial port does not exist"));
    for (const auto &[device, link] : links.by_port)
        EXPECT_EQ(link.requested.size(), 1) << "one try per port that cannot be opened";
    EXPECT_TRUE(steps.lines.contains(QStringLiteral("/dev/ttyUSB0: could not be opened: Serial port does not exist")));

    // Stopped before it began: no port is touched.
    PortLinks silent;
    r = find_converters(silent.maker(), {port(1, "/dev/ttyUSB0"), port(2, "/dev/ttyUSB1")}, {}, steps,
                        [] { return true; });
    EXPECT_TRUE(r.stopped);
    EXPECT_TRUE(r.ports.isEmpty());
    for (const auto &[device, link] : silent.by_port)
        EXPECT_TRUE(link.requested.isEmpty());
}

TEST(PortsByIdentity, TheRememberedAdapterWinsWhereverItIsPlugged) {
    const QVector<PortEntry> before{port(1, "/dev/ttyUSB0", "/dev/serial/by-id/usb-A"),
                                    port(2, "/dev/ttyUSB1", "/dev/serial/by-id/usb-B")};
    FoundConverter found{before[1], QStringLiteral("K52"), QStringLiteral("01.99"), {}, {38400, 2}};
    LinkSettings link;
    link.commdevice = QStringLiteral("/dev/old");
    link = take_found(link, found, before);
    EXPECT_EQ(link.commport, 2);
    EXPECT_TRUE(link.commdevice.isEmpty());
    EXPECT_EQ(link.commidentity, QStringLiteral("/dev/serial/by-id/usb-B"));
    EXPECT_EQ(link.baudrate, 38400);
    EXPECT_EQ(link.parity, 2);
    EXPECT_EQ(link.commtype, QStringLiteral("S"));

    // Re-plugged in the other order: the same adapter, now the first port.
    const QVector<PortEntry> after{port(1, "/dev/ttyUSB0", "/dev/serial/by-id/usb-B"),
                                   port(2, "/dev/ttyUSB1", "/dev/serial/by-id/usb-A")};
    QString why;
    EXPECT_EQ(resolve_port(link, after, &why), QStringLiteral("/dev/ttyUSB0"));
    // Unplugged: the port number applies again.
    EXPECT_EQ(resolve_port(link, {before[0], port(2, "/dev/ttyUSB1")}, &why), QStringLiteral("/dev/ttyUSB1"));

    // A port the system does not list (a pseudo-terminal) goes by its path
    // and forgets the adapter remembered before.
    found.port = port(0, "/dev/pts/7");
    link = take_found(link, found, after);
    EXPECT_EQ(link.commdevice, QStringLiteral("/dev/pts/7"));
    EXPECT_TRUE(link.commidentity.isEmpty());
    EXPECT_EQ(resolve_port(link, after, &why), QStringLiteral("/dev/pts/7"));
}

// Simulators on pseudo-terminals.
std::unique_ptr<SimProcess> start_sim(QStringList args) {
    auto sim = std::make_unique<SimProcess>(std::move(args));
    QString why;
    EXPECT_TRUE(sim->start(&why)) << why.toStdString();
    return sim;
}

TEST(ConverterSearchSim, AStopEndsTheWaitOfEveryPort) {
    auto a = start_sim({"--silent"});
    auto b = start_sim({"--silent"});
    Steps steps;
    std::atomic<bool> stop{false};
    steps.on_step = [&](qint64 done) { stop = stop || done >= 2; };
    const SearchResult r = find_converters(serial_links, {port(0, a->device()), port(0, b->device())}, {}, steps,
                                           [&] { return stop.load(); });
    EXPECT_TRUE(r.stopped);
    EXPECT_TRUE(r.ports.isEmpty()) << "a port not searched to the end is not reported";
    EXPECT_LT(a->received().size() + b->received().size(), 24);
}

} // namespace
} // namespace k52
