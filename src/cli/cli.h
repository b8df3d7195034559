#pragma once

#include "core/session/app_context.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <memory>

class QCommandLineParser;
class QCommandLineOption;

namespace k52 {

struct HistoryEntry;

// What only the window program gives the commands: the drawing of reports,
// which needs Qt Gui (the command line links Qt Core only). The console
// program gives none; it hands the commands that draw to the window
// program (cli_command_draws()).
struct CliServices {
    std::function<bool(const HistoryEntry &e, const QString &path, QString *error)> write_history_report;
};

// What a headless subcommand gets: its own arguments (the subcommand name
// first, as QCommandLineParser expects), output streams, and the program's
// state (the window's kind: database, link settings, record, current
// profile), the database opened on first use with the same start-up as the
// window. Nothing answers questions here.
class CliContext {
public:
    CliContext(QStringList args, QString db_override, QString program_dir, CliServices services = {});
    ~CliContext();

    QStringList args; // e.g. {"profiles", "show", "Default"}
    QTextStream &out; // what the window would show
    QTextStream &err; // errors
    const CliServices services;

    // Opens the database on first call (start-up without windows). False,
    // with the reason already printed on `err`, when that fails.
    bool open_store();
    // For commands that only read: a --db file that does not exist is
    // reported, not created.
    bool open_existing_store();
    AppContext &state() { return state_; }
    ProfileStore &store() { return state_.store; }
    LinkSettings &link() { return state_.link; }
    ConfigRecord &record() { return state_.record; }
    QString db_path() const { return state_.db_path; }
    // Write the link settings back (shutdown of the store).
    bool save_link_settings();

private:
    QString db_override_;
    bool opened_ = false;
    AppContext state_;
};

// The exit statuses of every command (the manual page's EXIT STATUS).
// `profiles diff` answers as diff(1) does: 0 the same, 1 different, 2 a
// usage error or a profile that cannot be read.
enum ExitStatus : int {
    kExitDone = 0,      // the command did what it was asked
    kExitFailed = 1,    // it failed, or the converter or the data refused it
    kExitUsage = 2,     // the command line is wrong: nothing was done
    kExitStopped = 130, // the user stopped it (Ctrl-C)
};

// The program's standard output and standard error, one stream each.
QTextStream &std_out();
QTextStream &std_err();

// Prints `why` on the error stream and returns kExitUsage.
int usage_error(CliContext &ctx, const QString &why);

using CliHandler = std::function<int(CliContext &)>;

struct CliCommand {
    QString name;
    const char *summary; // English; translated (context "usage") when printed
    CliHandler handler;
    // The actions of the command that draw (e.g. "report" of `history`):
    // they need the window program's services.
    QStringList draws = {};
};

// The subcommands, by name (cli_commands.h has their handlers; the table
// and run_cli() are in run_cli.cpp).
const std::vector<CliCommand> &cli_commands();

// True when `args` (without the program name and --db FILE) name a command
// and one of its actions that draw. An argument of the action's name
// anywhere after the command counts: at worst such a command runs in the
// window program, which runs every command.
bool cli_command_draws(const QStringList &args);

// Entry of the headless program. `argv` without the program name, with
// global options (--db FILE) still in it. Returns the exit code.
int run_cli(const QStringList &argv, const QString &program_dir, const CliServices &services = {});

// A subcommand's --help: the parser's text with its usage line naming
// "k52util COMMAND" rather than the path the program was started by.
QString command_help(const CliContext &ctx, const QCommandLineParser &p);

// Parses the subcommand's arguments with `about` as its description and
// --help added. Returns -1 when the command goes on, else the exit code
// (0 after printing the help, kExitUsage after printing an error).
int parse_arguments(CliContext &ctx, QCommandLineParser &p, const QString &about, int max_positional);

// --profile NAME, and the record it names (the current profile's without
// it); a named profile becomes the current one. False, with the reason
// printed, when it cannot be loaded.
QCommandLineOption profile_option();
bool load_cli_profile(CliContext &ctx, const QCommandLineParser &p, ConfigRecord &rec);

// Pull "--db FILE" / "--db=FILE" out of the arguments.
QString take_db_option(QStringList &args);

} // namespace k52
