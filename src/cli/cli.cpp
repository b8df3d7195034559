#include "cli.h"

#include "cli/cli_commands.h"
#include "cli/link_options.h"
#include "profile/startup.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace k52 {

namespace {

QTextStream &std_out() {
    static QTextStream s(stdout);
    return s;
}

QTextStream &std_err() {
    static QTextStream s(stderr);
    return s;
}

} // namespace

const std::vector<CliCommand> &cli_commands() {
    // In the order --help lists them.
    static const std::vector<CliCommand> commands = {
        {QStringLiteral("bitsize"), QStringLiteral("Print the bit size table (largest value of a 1 to 64 bit field)"),
         run_bitsize},
        {QStringLiteral("clone"),
         QStringLiteral("Read a converter's image into the clone file, or write it into another"), run_clone},
        {QStringLiteral("doctor"), QStringLiteral("Check why the serial port cannot be used, and name the fix"),
         run_doctor},
        {QStringLiteral("find"), QStringLiteral("Find the converter's port, speed and parity"), run_find},
        {QStringLiteral("flash"), QStringLiteral("Download a firmware file into the converter"), run_flash},
        {QStringLiteral("history"),
         QStringLiteral("List, show, export or report the record of converter writes and reads"), run_history},
        {QStringLiteral("plan"), QStringLiteral("Print the commands the programming run sends for a firmware version"),
         run_plan},
        {QStringLiteral("ports"), QStringLiteral("List the serial ports and their Comm Port numbers"), run_ports},
        {QStringLiteral("profiles"), QStringLiteral("List, show, export, import or delete profiles"), run_profiles},
        {QStringLiteral("program"), QStringLiteral("Write a profile into the converter"), run_program},
        {QStringLiteral("reset"), QStringLiteral("Send the reset command"), run_reset},
        {QStringLiteral("restart"), QStringLiteral("Send the restart command"), run_restart},
        {QStringLiteral("restore"),
         QStringLiteral("Write the converter image kept in a history row back into the converter"), run_restore},
        {QStringLiteral("version"), QStringLiteral("Read the converter's model and firmware version"), run_version},
        {QStringLiteral("wiegand"),
         QStringLiteral("Work out the bits of a card under a Wiegand output format, or read bits back"), run_wiegand},
    };
    return commands;
}

CliContext::CliContext(QStringList a, QString db_override, QString program_dir)
    : args(std::move(a)), out(std_out()), err(std_err()), db_override_(std::move(db_override)) {
    state_.program_dir = std::move(program_dir);
}

CliContext::~CliContext() {
    out.flush();
    err.flush();
}

bool CliContext::open_store() {
    if (opened_)
        return true;
    StartupOptions opt;
    opt.program_dir = state_.program_dir;
    opt.db_override = db_override_;
    const StartupResult r = state_.start_up(opt);
    if (!r.ok) {
        err << "Cannot open the profile database: " << r.error << Qt::endl;
        return false;
    }
    if (!r.warning.isEmpty())
        err << r.warning << Qt::endl;
    if (!r.legacy_db.isEmpty())
        err << "An Access database of the older program is at " << r.legacy_db
            << "; import its profiles with \"k52util profiles import-legacy " << r.legacy_db << "\"." << Qt::endl;
    state_.db_path = r.db_path;
    opened_ = true;
    return true;
}

bool CliContext::open_existing_store() {
    if (!opened_ && !db_override_.isEmpty() && !QFileInfo::exists(db_override_)) {
        err << "The profile database " << db_override_
            << " does not exist: check the --db path (only commands that write create a database)" << Qt::endl;
        return false;
    }
    return open_store();
}

bool CliContext::save_link_settings() {
    QString why;
    if (!state_.store.write_settings(state_.link, &why)) {
        err << why << Qt::endl;
        return false;
    }
    return true;
}

QString command_help(const CliContext &ctx, const QCommandLineParser &p) {
    QString text = p.helpText();
    const QString started_as = QStringLiteral("Usage: ") + QCoreApplication::arguments().value(0);
    if (text.startsWith(started_as))
        text.replace(0, started_as.size(), QStringLiteral("Usage: k52util ") + ctx.args.value(0));
    return text;
}

QString take_db_option(QStringList &args) {
    QString db;
    for (qsizetype i = 0; i < args.size();) {
        const QString &a = args[i];
        if ((a == QLatin1String("--db") || a == QLatin1String("-db")) && i + 1 < args.size()) {
            db = args[i + 1];
            args.remove(i, 2);
        } else if (a.startsWith(QLatin1String("--db="))) {
            db = a.mid(5);
            args.remove(i);
        } else {
            ++i;
        }
    }
    return db;
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
    std_err() << "k52util: the output could not be written"
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
        s << "  " << c.name.leftJustified(12) << ' ' << c.summary << '\n';
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

int usage_error(CliContext &ctx, const QString &why) {
    ctx.err << why << Qt::endl;
    return kExitUsage;
}

int run_cli(const QStringList &argv, const QString &program_dir) {
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
                CliContext ctx(args, db, program_dir);
                rc = finish_cli_trace(ctx, c.handler(ctx));
            }
            return output_written(rc);
        }
    }
    std_err() << QCoreApplication::translate("usage", "Unknown command: %1").arg(args[0]) << '\n';
    print_usage(std_err());
    return kExitUsage;
}

QCommandLineOption profile_option() {
    return QCommandLineOption(QStringLiteral("profile"),
                              QStringLiteral("Profile to use; default: the current profile."), QStringLiteral("name"));
}

bool load_cli_profile(CliContext &ctx, const QCommandLineParser &p, ConfigRecord &rec) {
    rec = ctx.record();
    const QString profile = QStringLiteral("profile");
    if (!p.isSet(profile))
        return true;
    QString error;
    if (!ctx.store().load_profile(p.value(profile), rec, &error)) {
        ctx.err << error << Qt::endl;
        return false;
    }
    ctx.state().take_as_current(p.value(profile), rec);
    return true;
}

int parse_arguments(CliContext &ctx, QCommandLineParser &p, const QString &about, int max_positional) {
    p.setApplicationDescription(about);
    p.addHelpOption();
    if (!p.parse(ctx.args))
        return usage_error(ctx, p.errorText());
    if (p.isSet(QStringLiteral("help"))) {
        ctx.out << command_help(ctx, p);
        return kExitDone;
    }
    if (p.positionalArguments().size() > max_positional)
        return usage_error(ctx, ctx.args.value(0) + QStringLiteral(": too many arguments; see --help"));
    return -1;
}

} // namespace k52
