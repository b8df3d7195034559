// k52util, the console program: runs every command that prints, reads or
// writes a converter itself, on Qt Core alone, and exits non-zero on
// failure. With no command (the main window) or a command that draws it
// runs the window program in its place, with the same arguments.
#include "app/programs.h"
#include "cli/cli.h"
#include "core/profile/catalogue.h"

#include <QCoreApplication>

int main(int argc, char **argv) {
    k52::ProgramArguments args;
    if (const auto status = k52::start_program(argc, argv, args))
        return *status;
    if (args.command.isEmpty() || k52::cli_command_draws(args.command))
        return k52::run_window_program(argc, argv);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("k52util"));
    k52::load_catalogue(QCoreApplication::applicationDirPath());
    return k52::run_cli(args.all, QCoreApplication::applicationDirPath());
}
