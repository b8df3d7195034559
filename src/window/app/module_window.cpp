// The entry points of the window library: the main window, and the commands
// that draw (they need a GUI application for their fonts).
#include "cli/cli.h"
#include "cli/history_cli.h"
#include "core/profile/catalogue.h"
#include "window/app/window_entry.h"
#include "window/report/history_report.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>

extern "C" Q_DECL_EXPORT int k52_window_main(int argc, char **argv) {
    QStringList rest;
    for (int i = 1; i < argc; ++i)
        rest << QString::fromLocal8Bit(argv[i]);
    const QString db = k52::take_db_option(rest);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("k52util"));
    k52::load_catalogue(QCoreApplication::applicationDirPath());
    // Ties the window to its menu entry (Wayland takes its icon from there).
    QApplication::setDesktopFileName(QStringLiteral("org.zor.k52util"));
    return k52::run_window(QCoreApplication::applicationDirPath(), db);
}

extern "C" Q_DECL_EXPORT int k52_drawing_command_main(int argc, char **argv) {
    // The offscreen platform gives the fonts without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("k52util"));
    k52::load_catalogue(QCoreApplication::applicationDirPath());
    k52::history_report_writer = k52::write_history_report;
    return k52::run_cli(args, QCoreApplication::applicationDirPath());
}
