// The firmware download's time against its floor: a minimal client of a few
// plain write()/read() calls that speaks the same boot-loader protocol over
// the same pseudo-terminal, through k52sim --pace 115200. Median of five
// runs each for 16 KiB and 64 KiB.
#include "core/link/serial_link.h"
#include "core/maintenance/flash_download.h"
#include "sim_start.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

using namespace k52;

namespace {

void stop_sim(QProcess &p) {
    p.terminate();
    if (!p.waitForFinished(5000))
        p.kill();
    p.waitForFinished();
}

bool read_one(int fd, char expected) {
    char c = 0;
    return ::read(fd, &c, 1) == 1 && c == expected;
}

// The floor: blocking write and read, nothing else.
bool minimal_client(const QString &device, const QByteArray &file) {
    const int fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return false;
    termios t{};
    ::tcgetattr(fd, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fd, TCSANOW, &t);
    auto put = [fd](const QByteArray &b) { return ::write(fd, b.constData(), size_t(b.size())) == b.size(); };
    bool ok = put(QByteArray("\x00\x1b\x0d\x00\x1b\x0d", 6));
    std::this_thread::sleep_for(kFlashWakePause); // the protocol's own pause
    ok = ok && put("B") && read_one(fd, 'T') && read_one(fd, 'K');
    const qint64 body = file.size() - kFlashTrailerSize;
    for (qint64 off = 0; ok && off < body; off += kFlashBlockSize)
        ok = put(flash_block(file.mid(off, std::min<qint64>(kFlashBlockSize, body - off)))) && read_one(fd, 'K');
    ok = ok && put(QByteArray(1, '\0') + file.right(kFlashTrailerSize) + flash_date(QDate::currentDate())) &&
         read_one(fd, 'B');
    for (int pass = 0; ok && pass < 2; ++pass)
        ok = put(QByteArray(kFlashFillSize, '\xff')) && read_one(fd, 'B');
    ::close(fd);
    return ok;
}

bool program(const QString &device, const QByteArray &file) {
    SerialLink link;
    PortSpec port;
    port.device = device;
    port.serial = *serial_settings(115200, 2);
    JobProgress quiet;
    return flash_download(link, port, file, QDate::currentDate(), quiet).ok();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    constexpr int kRuns = 5;
    for (const int kib : {16, 64}) {
        QByteArray file(kib * 1024, '\0');
        for (int i = 0; i < file.size(); ++i)
            file[i] = char((i * 131 + 17) & 0xFF);
        std::vector<double> floor_s, program_s;
        for (int run = 0; run < kRuns; ++run) {
            for (const bool minimal : {true, false}) {
                QProcess sim;
                QString device;
                if (!start_sim(sim, {QStringLiteral("--pace"), QStringLiteral("115200")}, device)) {
                    std::fprintf(stderr, "cannot start %s\n", K52_SIM_PATH);
                    return 1;
                }
                QElapsedTimer t;
                t.start();
                const bool ok = minimal ? minimal_client(device, file) : program(device, file);
                const double s = t.nsecsElapsed() / 1e9;
                stop_sim(sim);
                if (!ok) {
                    std::fprintf(stderr, "%s download of %d KiB failed\n", minimal ? "minimal" : "program", kib);
                    return 1;
                }
                (minimal ? floor_s : program_s).push_back(s);
            }
        }
        const double f = median(floor_s), p = median(program_s);
        std::printf("flash %2d KiB, --pace 115200, median of %d: program %.3f s, minimal client %.3f s, "
                    "program/floor %.4f (%+.2f %%)\n",
                    kib, kRuns, p, f, p / f, (p / f - 1) * 100);
    }
    return 0;
}
