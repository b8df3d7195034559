// Find Converter figures against k52sim on pseudo-terminals: the search of
// one port (a converter at the stored settings, one at a speed tried late,
// a silent line) and a whole search over three lines.
#include "link/converter_search.h"
#include "link/serial_link.h"
#include "sim_start.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <deque>

using namespace k52;

namespace {

// Simulators answering only at their own speed, paced like a real line;
// an empty rate makes a silent one.
bool start_all(std::deque<QProcess> &sims, const QList<int> &rates, QVector<PortEntry> &ports) {
    for (int rate : rates) {
        QString device;
        const QStringList args = rate > 0 ? QStringList{QStringLiteral("--baud"), QString::number(rate),
                                                        QStringLiteral("--pace"), QString::number(rate)}
                                          : QStringList{QStringLiteral("--silent")};
        if (!start_sim(sims.emplace_back(), args, device))
            return false;
        ports << PortEntry{0, device, {}, {}};
    }
    return true;
}

bool measure(const char *what, const QList<int> &rates, const LineSetting &stored) {
    std::deque<QProcess> sims;
    QVector<PortEntry> ports;
    if (!start_all(sims, rates, ports)) {
        std::fprintf(stderr, "cannot start %s\n", K52_SIM_PATH);
        return false;
    }
    SerialLink link;
    struct Count : JobProgress {
        int tries = 0;
        void status(const QString &) override {}
        void step(qint64, qint64) override { ++tries; }
    } count;
    QElapsedTimer t;
    t.start();
    const SearchResult r = find_converters(link, ports, stored, count);
    const double s = t.nsecsElapsed() / 1e9;
    std::printf("%-52s %6.2f s  %2d tries  %lld found\n", what, s, count.tries - 1,
                static_cast<long long>(r.found().size()));
    for (QProcess &p : sims) {
        p.terminate();
        p.waitForFinished(5000);
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    std::printf("Find Converter (identification deadline %lld ms at 115200, %lld ms at 1200)\n",
                static_cast<long long>(identify_deadline({115200, 0}).count()),
                static_cast<long long>(identify_deadline({1200, 0}).count()));
    const bool ok = measure("one port, converter at the stored 9600 7 Even", {9600}, {9600, 0}) &&
                    measure("one port, converter at 115200 (the last speed tried)", {115200}, {9600, 0}) &&
                    measure("one port, silent (all 24 settings)", {0}, {9600, 0}) &&
                    measure("three ports: 2400, silent, 57600", {2400, 0, 57600}, {9600, 0});
    return ok ? 0 : 1;
}
