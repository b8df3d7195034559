#include "programs.h"

#include "cli/cli.h"
#include "core/profile/catalogue.h"
#include "core/profile/installed_files.h"
#include "core/profile/legacy_reader.h"
#include "core/profile/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstring>

// The build sets the programs' file names (K52_CONSOLE_PROGRAM,
// K52_WINDOW_PROGRAM) and the private folder relative to the programs'
// folder and back (K52_PRIVATE_FROM_BINDIR, K52_BINDIR_FROM_PRIVATE).

namespace k52 {

std::optional<int> start_program(int argc, char **argv, ProgramArguments &args) {
    platform_hold_closed_standard_streams();
    if (argc == 3 && std::strcmp(argv[1], kLegacyReaderCommand) == 0)
        return run_legacy_reader_child(QString::fromLocal8Bit(argv[2]));
    for (int i = 1; i < argc; ++i)
        args.all << QString::fromLocal8Bit(argv[i]);
    args.command = args.all;
    args.db = take_db_option(args.command);
    return std::nullopt;
}

int run_window_program(int argc, char **argv) {
    const QString dir = platform_program_dir(argv[0]);
    QStringList tried;
    QString why;
    QStringList dirs = {QDir::cleanPath(dir), path_below(dir, K52_PRIVATE_FROM_BINDIR)};
    dirs.removeDuplicates();
    for (const QString &d : dirs) {
        const QString path = d + QStringLiteral("/" K52_WINDOW_PROGRAM);
        tried << QDir::toNativeSeparators(path);
        if (!QFileInfo(path).isFile())
            continue;
        int status = kExitFailed;
        if (platform_run_instead(path, argv, &status, &why))
            return status;
        break;
    }
    // It cannot run: say so in the user's language.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("k52util"));
    load_catalogue(QCoreApplication::applicationDirPath());
    const QString said =
        why.isEmpty() ? QCoreApplication::translate("usage", "k52util: the window program is missing; looked for %1.")
                            .arg(tried.join(QStringLiteral(", ")))
                      : QCoreApplication::translate("usage", "k52util: the window program %1 could not be started: %2.")
                            .arg(tried.last(), why);
    std_err() << said << ' ' << QCoreApplication::translate("usage", "Reinstall k52util.") << Qt::endl;
    return kExitFailed;
}

QString start_window_program() {
    QCoreApplication::setApplicationName(QStringLiteral("k52util"));
    const QString own = QCoreApplication::applicationDirPath();
    const QString dir = QFileInfo(own + QStringLiteral("/" K52_CONSOLE_PROGRAM)).isFile()
                            ? own
                            : path_below(own, K52_BINDIR_FROM_PRIVATE);
    set_legacy_reader_program(dir + QStringLiteral("/" K52_CONSOLE_PROGRAM));
    load_catalogue(dir);
    return dir;
}

} // namespace k52
