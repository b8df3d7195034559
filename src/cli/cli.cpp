#include "cli.h"

#include "cli/cli_commands.h"
#include "cli/link_options.h"
#include "profile/startup.h"

#include <QCommandLineParser>
#include <QCoreApplication>

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
    : args(std::move(a)), out(std_out()), err(std_err()), db_override_(std::move(db_override)),
      program_dir_(std::move(program_dir)), store_(std::make_unique<ProfileStore>()) {}

CliContext::~CliContext() {
    out.flush();
    err.flush();
}

bool CliContext::open_store() {
    if (opened_)
        return true;
    StartupOptions opt;
    opt.program_dir = program_dir_;
    opt.db_override = db_override_;
    const StartupResult r = start_up(opt, *store_, link_, record_);
    if (!r.ok) {
        err << "Cannot open the profile database: " << r.error << Qt::endl;
        return false;
    }
    if (!r.warning.isEmpty())
        err << r.warning << Qt::endl;
    db_path_ = r.db_path;
    opened_ = true;
    return true;
}

bool CliContext::save_link_settings() {
    QString why;
    if (!store_->write_settings(link_, &why)) {
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

static void print_usage(QTextStream &s) {
    s << "Usage: k52util [--db FILE] [COMMAND [ARGS...]]\n"
         "With no command the main window opens.\n\nCommands:\n";
    for (const auto &c : cli_commands())
        s << "  " << c.name.leftJustified(12) << ' ' << c.summary << '\n';
    s << "\nRun 'k52util COMMAND --help' for the options of a command.\n";
    s.flush();
}

int run_cli(const QStringList &argv, const QString &program_dir) {
    QStringList args = argv;
    const QString db = take_db_option(args);
    if (args.isEmpty() || args[0] == QLatin1String("help") || args[0] == QLatin1String("--help") ||
        args[0] == QLatin1String("-h")) {
        print_usage(std_out());
        return args.isEmpty() ? 2 : 0;
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
    std_err() << "Unknown command: " << args[0] << '\n';
    print_usage(std_err());
    return 2;
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
    return true;
}

int parse_arguments(CliContext &ctx, QCommandLineParser &p, const QString &about, int max_positional) {
    p.setApplicationDescription(about);
    p.addHelpOption();
    if (!p.parse(ctx.args)) {
        ctx.err << p.errorText() << Qt::endl;
        return 1;
    }
    if (p.isSet(QStringLiteral("help"))) {
        ctx.out << command_help(ctx, p);
        return 0;
    }
    if (p.positionalArguments().size() > max_positional) {
        ctx.err << ctx.args.value(0) << ": too many arguments; see --help" << Qt::endl;
        return 1;
    }
    return -1;
}

} // namespace k52
