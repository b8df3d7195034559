// Terminal figures: time to take in and draw a 100 KB burst from the
// device, and the CPU an open, idle terminal uses over a minute.
#include "core/link/terminal_link.h"
#include "core/profile/profile_store.h"
#include "core/session/app_context.h"
#include "window/screens/terminal_side_panel.h"
#include "window/screens/termmode_screen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

using namespace k52;

namespace {

double cpu_seconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const int idle_seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return 1;
    AppContext ctx;
    ctx.link.commtype = QStringLiteral("S");
    ctx.link.commdevice = QString::fromLocal8Bit(ptsname(master));
    ctx.link.baudrate = 115200;
    ctx.link.parity = 2;
    TermModeScreen screen(ctx);
    screen.show();
    screen.after_show();
    if (!screen.link().serial_open()) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(ctx.link.commdevice));
        return 1;
    }

    QByteArray burst(100 * 1024, '\0');
    for (int i = 0; i < burst.size(); ++i)
        burst[i] = char(32 + i % 90);
    const auto take_burst = [&](const char *what) {
        const quint64 before = screen.grid().drawn();
        QElapsedTimer t;
        t.start();
        qsizetype sent = 0;
        while (screen.grid().drawn() < before + quint64(burst.size()) && t.elapsed() < 30000) {
            if (sent < burst.size()) {
                const ssize_t n = ::write(master, burst.constData() + sent, size_t(burst.size() - sent));
                if (n > 0)
                    sent += n;
            }
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        }
        QApplication::processEvents(); // the repaint of the last chunk
        std::printf("100 KB burst%s: taken in and drawn in %.1f ms (%llu characters)\n", what, t.nsecsElapsed() / 1e6,
                    (unsigned long long)(screen.grid().drawn() - before));
    };
    take_burst("");
    // The same with the line view, the hex view and the log on.
    QTemporaryDir dir;
    screen.side()->set_line_view(true);
    screen.side()->set_hex_view(true);
    if (!screen.side()->start_log(dir.filePath(QStringLiteral("bench.log"))))
        return 1;
    QApplication::processEvents();
    take_burst(" with times, hex and log");
    screen.side()->stop_log();
    screen.side()->set_line_view(false);
    screen.side()->set_hex_view(false);

    const double cpu0 = cpu_seconds();
    QEventLoop idle;
    QTimer::singleShot(idle_seconds * 1000, &idle, &QEventLoop::quit);
    idle.exec();
    std::printf("idle open terminal: %.1f ms CPU over %d s\n", (cpu_seconds() - cpu0) * 1000, idle_seconds);
    ctx.close_all_links();
    ::close(master);
    return 0;
}
