// Protocol figures against k52sim: the programming run's wall time against
// the wire time of the bytes exchanged at 9600 baud and CPU time while a
// silent converter is waited for. (The flash download: bench_flash.)
#include "core/link/serial_link.h"
#include "core/profile/profile_store.h"
#include "core/programming/programming_run.h"
#include "sim_start.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <cstdio>
#include <ctime>

using namespace k52;

namespace {

// Counts the bytes that cross the link.
class CountingLink : public ByteLink {
public:
    bool open(const QString &port, const SerialSettings &settings, QString *error) override {
        return inner.open(port, settings, error);
    }
    void close() override { inner.close(); }
    bool is_open() const override { return inner.is_open(); }
    bool write(const QByteArray &bytes) override {
        sent += bytes.size();
        return inner.write(bytes);
    }
    std::optional<quint8> read_byte(LinkClock::time_point deadline) override {
        auto b = inner.read_byte(deadline);
        if (b)
            ++received;
        return b;
    }
    int bytes_waiting() override { return inner.bytes_waiting(); }
    void interrupt() override { inner.interrupt(); }

    SerialLink inner;
    qint64 sent = 0, received = 0;
};

struct Quiet : JobProgress {
    QString last;
    void line(const QString &t) override { last = t; }
};

double cpu_seconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    LinkSettings settings;
    settings.baudrate = 9600;
    settings.parity = 0;
    const ConfigRecord rec = default_profile();

    {
        QProcess sim;
        QString device;
        if (!start_sim(sim, {QStringLiteral("--pace"), QStringLiteral("9600")}, device)) {
            std::fprintf(stderr, "cannot start %s\n", K52_SIM_PATH);
            return 1;
        }
        CountingLink link;
        Quiet q;
        QElapsedTimer t;
        t.start();
        const double cpu0 = cpu_seconds();
        PortSpec port = port_spec(settings);
        port.device = device;
        const RunResult r = savetoK52(link, port, rec, q);
        const double wall = t.nsecsElapsed() / 1e9;
        const double cpu = cpu_seconds() - cpu0;
        const double wire = double(link.sent + link.received) * 10.0 / 9600.0;
        std::printf("full run, firmware 01.99, --pace 9600: %s\n", qPrintable(q.last));
        std::printf("  bytes sent %lld, received %lld, wire time %.3f s\n", link.sent, link.received, wire);
        std::printf("  wall time %.3f s = %.3f x wire time; CPU %.1f ms\n", wall, wall / wire, cpu * 1000);
        sim.kill();
        sim.waitForFinished();
        if (r.outcome != RunOutcome::Programmed)
            return 1;
    }
    {
        QProcess sim;
        QString device;
        if (!start_sim(sim, {QStringLiteral("--silent")}, device))
            return 1;
        SerialLink link;
        Quiet q;
        QElapsedTimer t;
        t.start();
        const double cpu0 = cpu_seconds();
        PortSpec port = port_spec(settings);
        port.device = device;
        savetoK52(link, port, rec, q);
        std::printf("silent converter: \"%s\" after %.3f s, CPU %.1f ms\n", qPrintable(q.last), t.nsecsElapsed() / 1e9,
                    (cpu_seconds() - cpu0) * 1000);
        sim.kill();
        sim.waitForFinished();
    }
    return 0;
}
