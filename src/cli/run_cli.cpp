// The command line's entry: the command table and the dispatch to a
// command's handler.
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/link_options.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace k52 {

const std::vector<CliCommand> &cli_commands() {
    // In the order --help lists them; the summaries are translated when
    // printed, so that the table may be read before the catalogue is loaded.
    static const std::vector<CliCommand> commands = {
        {QStringLiteral("bitsize"),
         QT_TRANSLATE_NOOP("usage", "Print the bit size table (largest value of a 1 to 64 bit field)"), run_bitsize},
        {QStringLiteral("clone"),
         QT_TRANSLATE_NOOP("usage", "Read a converter's image into the clone file, or write it into another"),
         run_clone},
        {QStringLiteral("doctor"),
         QT_TRANSLATE_NOOP("usage", "Check why the serial port cannot be used, and name the fix"), run_doctor},
        {QStringLiteral("find"), QT_TRANSLATE_NOOP("usage", "Find the converter's port, speed and parity"), run_find},
        {QStringLiteral("flash"), QT_TRANSLATE_NOOP("usage", "Download a firmware file into the converter"), run_flash},
        {QStringLiteral("history"),
         QT_TRANSLATE_NOOP("usage", "List, show, export or report the record of converter writes and reads"),
         run_history,
         {QStringLiteral("report")}},
        {QStringLiteral("plan"),
         QT_TRANSLATE_NOOP("usage", "Print the commands the programming run sends for a firmware version"), run_plan},
        {QStringLiteral("ports"), QT_TRANSLATE_NOOP("usage", "List the serial ports and their Comm Port numbers"),
         run_ports},
        {QStringLiteral("profiles"), QT_TRANSLATE_NOOP("usage", "List, show, export, import or delete profiles"),
         run_profiles},
        {QStringLiteral("program"), QT_TRANSLATE_NOOP("usage", "Write a profile into the converter"), run_program},
        {QStringLiteral("reset"), QT_TRANSLATE_NOOP("usage", "Send the reset command"), run_reset},
        {QStringLiteral("restart"), QT_TRANSLATE_NOOP("usage", "Send the restart command"), run_restart},
        {QStringLiteral("restore"),
         QT_TRANSLATE_NOOP("usage", "Write the converter image kept in a history row back into the converter"),
         run_restore},
        {QStringLiteral("version"), QT_TRANSLATE_NOOP("usage", "Read the converter's model and firmware version"),
         run_version},
        {QStringLiteral("wiegand"),
         QT_TRANSLATE_NOOP("usage", "Work out the bits of a card under a Wiegand output format, or read bits back"),
         run_wiegand},
    };
    return commands;
}

// A command whose output did not reach its destination (a full disk, a
// closed or read-only standard output) has failed, whatever it did besides.
// Standard output goes through stdio, whose buffer only reports such an
// error when it is flushed.
static int output_written(int rc) {
    std_out().flush();
    errno = 0;
    const bool flush_failed = std::fflush(stdout) != 0;
    const int why = errno;
    if (!flush_failed && std_out().status() == QTextStream::Ok && !std::ferror(stdout))
        return rc;
    std_err() << QCoreApplication::translate("usage", "k52util: the output could not be written")
              << (why != 0 ? QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(why)) : QString()) << Qt::endl;
    return rc != 0 ? rc : 1;
}

// The first line names the options before the command: the manual page
// and the completion are written from it.
static void print_usage(QTextStream &s) {
    s << QCoreApplication::translate("usage", "Usage: k52util [--db FILE] [COMMAND [ARGS...]]") << '\n'
      << "       k52util --version [--verbose]\n"
      << QCoreApplication::translate("usage", "With no command the main window opens.") << "\n\n"
      << QCoreApplication::translate("usage", "Commands:") << '\n';
    for (const auto &c : cli_commands())
        s << "  " << c.name.leftJustified(12) << ' ' << QCoreApplication::translate("usage", c.summary) << '\n';
    s << '\n'
      << QCoreApplication::translate("usage", "Run 'k52util COMMAND --help' for the options of a command.") << '\n';
    s.flush();
}

// `k52util --version`: the name and version alone on a line, for scripts;
// with --verbose also the Qt it runs on and was built with.
static void print_version(QTextStream &s, bool verbose) {
    s << "k52util " K52_VERSION "\n";
    if (verbose)
        s << QCoreApplication::translate("usage", "Qt %1 (built with Qt %2)")
                 .arg(QLatin1String(qVersion()), QLatin1String(QT_VERSION_STR))
          << '\n';
}

bool cli_command_draws(const QStringList &args) {
    for (const auto &c : cli_commands())
        if (c.name == args.value(0))
            for (const QString &action : c.draws)
                if (args.indexOf(action, 1) > 0)
                    return true;
    return false;
}

int run_cli(const QStringList &argv, const QString &program_dir, const CliServices &services) {
    QStringList args = argv;
    const QString db = take_db_option(args);
    if (args.isEmpty() || args[0] == QLatin1String("help") || args[0] == QLatin1String("--help") ||
        args[0] == QLatin1String("-h")) {
        print_usage(std_out());
        return output_written(args.isEmpty() ? kExitUsage : kExitDone);
    }
    QStringList version_args = args;
    const bool verbose = version_args.removeAll(QStringLiteral("--verbose")) > 0;
    if (version_args.value(0) == QLatin1String("--version") || version_args.value(0) == QLatin1String("-V")) {
        if (version_args.size() > 1) {
            std_err()
                << QCoreApplication::translate("usage", "%1 takes no arguments but --verbose").arg(version_args[0])
                << Qt::endl;
            return kExitUsage;
        }
        print_version(std_out(), verbose);
        return output_written(kExitDone);
    }
    for (const auto &c : cli_commands()) {
        if (c.name == args[0]) {
            int rc = 0;
            {
                CliContext ctx(args, db, program_dir, services);
                rc = finish_cli_trace(ctx, c.handler(ctx));
            }
            return output_written(rc);
        }
    }
    std_err() << QCoreApplication::translate("usage", "Unknown command: %1").arg(args[0]) << '\n';
    print_usage(std_err());
    return kExitUsage;
}

} // namespace k52
