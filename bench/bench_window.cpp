// Window figures: start-up time with a database of 10,000 profiles, and the
// peak memory once every screen and reference window has been opened.
#include "core/profile/startup.h"
#include "core/session/app_context.h"
#include "window/app/commandmenu_panel.h"
#include "window/app/main_window.h"
#include "window/app/navigation.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>

#include <cstdio>

using namespace k52;

namespace {

long peak_kib() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("bench.db"));
    {
        ProfileStore store;
        QString why;
        if (!store.open(db, ProfileStore::OpenMode::CreateIfMissing, &why)) {
            std::fprintf(stderr, "%s\n", qPrintable(why));
            return 1;
        }
        ConfigRecord rec = default_profile();
        for (int i = 1; i < 10000; ++i)
            if (!store.save_profile(QStringLiteral("Profile %1").arg(i, 5, 10, QLatin1Char('0')), true, rec, &why))
                return 1;
    }
    const long before = peak_kib();
    QElapsedTimer t;
    t.start();
    AppContext ctx;
    StartupOptions opt;
    opt.db_override = db;
    if (!ctx.start_up(opt).ok)
        return 1;
    MainWindow w(ctx);
    w.start_up_windows();
    w.show();
    QApplication::processEvents();
    std::printf("start-up with 10,000 profiles: %.1f ms to a shown main window\n", t.nsecsElapsed() / 1e6);

    // Every panel entry but the programming run, then the non-modal
    // reference windows.
    for (int i = 0; i < nav_rows().size(); ++i)
        if (nav_rows()[i].kind == NavRow::Screen || nav_rows()[i].kind == NavRow::Terminal)
            w.open_screen(i);
    for (const char *name : {"wir", "bittable", "hp"})
        if (QAction *a = w.menu_action(QString::fromLatin1(name)))
            a->trigger();
    QApplication::processEvents();
    std::printf("peak memory: %ld KiB before the window, %ld KiB with every screen open\n", before, peak_kib());
    ctx.close_all_links();
    return 0;
}
