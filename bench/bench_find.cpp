// Find Converter figures against k52sim on pseudo-terminals: the search of
// one port (a converter at the stored settings, one at a speed tried late,
// a silent line) and a search of three lines at once against the slowest of
// them alone. Each figure is the median of five searches.
#include "core/link/converter_search.h"
#include "core/link/serial_link.h"
#include "sim_start.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <vector>

using namespace k52;

namespace {

constexpr int kRuns = 5;

// Simulators answering only at their own speed, paced like a real line;
// rate 0 makes a silent one.
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

// The median seconds of kRuns searches; negative when the simulators do not start.
double measure(const char *what, const QList<int> &rates, const LineSetting &stored) {
    std::deque<QProcess> sims;
    QVector<PortEntry> ports;
    if (!start_all(sims, rates, ports)) {
        std::fprintf(stderr, "cannot start %s\n", K52_SIM_PATH);
        return -1;
    }
    JobProgress quiet;
    std::vector<double> seconds;
    qsizetype found = 0;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer t;
        t.start();
        const SearchResult r = find_converters(serial_links, ports, stored, quiet);
        seconds.push_back(double(t.nsecsElapsed()) / 1e9);
        found = r.found().size();
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[kRuns / 2];
    std::printf("%-52s %6.2f s  (%.2f..%.2f)  %lld found\n", what, median, seconds.front(), seconds.back(),
                static_cast<long long>(found));
    for (QProcess &p : sims) {
        p.terminate();
        p.waitForFinished(5000);
    }
    return median;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    std::printf("Find Converter, median of %d (identification deadline %lld ms at 115200, %lld ms at 1200)\n", kRuns,
                static_cast<long long>(identify_deadline({115200, 0}).count()),
                static_cast<long long>(identify_deadline({1200, 0}).count()));
    const LineSetting stored{9600, 0};
    const double at_stored = measure("one port, converter at the stored 9600 7 Even", {9600}, stored);
    const double late = measure("one port, converter at 115200 (the last speed tried)", {115200}, stored);
    const double silent = measure("one port, silent (all 24 settings)", {0}, stored);
    const double fast = measure("one port, converter at 57600", {57600}, stored);
    const double three = measure("three ports at once: 9600 7 Even, silent, 57600", {9600, 0, 57600}, stored);
    if (at_stored < 0 || late < 0 || silent < 0 || fast < 0 || three < 0)
        return 1;
    const double slowest = std::max({at_stored, silent, fast});
    std::printf("three ports / slowest single port: %.2f (target at most 1.20)\n", three / slowest);
    return 0;
}
