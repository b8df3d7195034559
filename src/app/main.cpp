// k52util: with no arguments the main window; with a subcommand it runs
// headless and exits non-zero on failure.
#include "cli/cli.h"
#include "app/window_entry.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

#include <memory>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// A standard stream the caller closed must not be reused as the number of
// a file or port this program opens (its output would land there). It is
// filled with /dev/null opened for reading, so writes to it still fail and
// are reported.
void hold_closed_standard_streams() {
#ifdef Q_OS_UNIX
    for (int fd = 0; fd <= 2; ++fd)
        if (::fcntl(fd, F_GETFD) == -1)
            ::open("/dev/null", O_RDONLY); // takes the lowest free number: fd
#endif
}

} // namespace

int main(int argc, char **argv) {
    hold_closed_standard_streams();
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QStringList rest = args;
    const QString db = k52::take_db_option(rest);
    if (rest.isEmpty()) {
        QApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("k52util"));
        // Ties the window to its menu entry (Wayland takes its icon from there).
        QApplication::setDesktopFileName(QStringLiteral("org.zor.k52util"));
        return k52::run_window(QCoreApplication::applicationDirPath(), db);
    }
    // The commissioning report draws text, which needs the fonts of a GUI
    // application; the offscreen platform gives them without a display.
    if (rest.size() >= 2 && rest[0] == QLatin1String("history") && rest[1] == QLatin1String("report")) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("k52util"));
        return k52::run_cli(args, QCoreApplication::applicationDirPath());
    }
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("k52util"));
    return k52::run_cli(args, QCoreApplication::applicationDirPath());
}
