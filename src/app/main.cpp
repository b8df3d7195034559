// k52util: with no arguments the main window; with a subcommand it runs
// headless and exits non-zero on failure.
#include "app/cli.h"
#include "app/window_entry.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include <memory>

int main(int argc, char **argv) {
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
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("k52util"));
    return k52::run_cli(args, QCoreApplication::applicationDirPath());
}
