// k52util: with no arguments the main window; with a subcommand it runs
// headless and exits non-zero on failure.
// The window and the commands that draw run from the window library, loaded
// only then.
#include "app/window_library.h"
#include "cli/cli.h"
#include "core/profile/catalogue.h"
#include "core/profile/legacy_reader.h"
#include "core/profile/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstring>

#include <memory>

namespace {

int run_from_window_library(int argc, char **argv, const char *entry) {
    QString error;
    const k52::WindowEntry f = k52::window_entry(k52::platform_program_dir(argv[0]), entry, &error);
    if (!f) {
        std::fprintf(stderr, "k52util: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return f(argc, argv);
}

} // namespace

int main(int argc, char **argv) {
    k52::platform_hold_closed_standard_streams();
    // The child that reads an Access file: no database, no window.
    if (argc == 3 && std::strcmp(argv[1], k52::kLegacyReaderCommand) == 0)
        return k52::run_legacy_reader_child(QString::fromLocal8Bit(argv[2]));
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QStringList rest = args;
    k52::take_db_option(rest); // what is left decides the path
    if (rest.isEmpty())
        return run_from_window_library(argc, argv, "k52_window_main");
    if (rest.size() >= 2 && rest[0] == QLatin1String("history") && rest[1] == QLatin1String("report"))
        return run_from_window_library(argc, argv, "k52_drawing_command_main");
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("k52util"));
    k52::load_catalogue(QCoreApplication::applicationDirPath());
    return k52::run_cli(args, QCoreApplication::applicationDirPath());
}
