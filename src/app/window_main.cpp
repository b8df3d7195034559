// The window program: with no command the main window; with a command that
// draws, the command on a GUI application (offscreen unless a platform is
// set) with the drawing handed to the command line; any other command as
// the console program runs it (Windows starts this program from shortcuts,
// arguments and all).
#include "app/programs.h"
#include "cli/cli.h"
#include "window/app/window_entry.h"
#include "window/report/history_report.h"

#include <QCoreApplication>
#include <QGuiApplication>

int main(int argc, char **argv) {
    k52::ProgramArguments args;
    if (const auto status = k52::start_program(argc, argv, args))
        return *status;
    if (args.command.isEmpty())
        return k52::run_window(argc, argv, k52::start_window_program, args.db);
    if (!k52::cli_command_draws(args.command)) {
        QCoreApplication app(argc, argv);
        return k52::run_cli(args.all, k52::start_window_program());
    }
    // The offscreen platform gives the fonts without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    k52::CliServices services;
    services.write_history_report = k52::write_history_report;
    return k52::run_cli(args.all, k52::start_window_program(), services);
}
