#pragma once
// The options that headless subcommands talking to a converter share:
// --port, --baud and --parity over the stored link settings.

#include "cli/cli.h"
#include "core/link/device_job.h"
#include "core/link/wire_trace.h"
#include "core/profile/link_settings.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

namespace k52 {

QCommandLineOption port_option();
QCommandLineOption baud_option();
QCommandLineOption parity_option();
// --trace FILE: the wire trace of the command's link.
QCommandLineOption trace_option();
// The four above.
QList<QCommandLineOption> link_options();

// The link of a device subcommand: the serial link, traced into memory (kept
// with the history row of an action that does not end well) and, with
// --trace FILE, into that file as the job runs. Null, with the reason
// printed on ctx.err, when the trace file cannot be written.
std::unique_ptr<ByteLink> cli_link(CliContext &ctx, const QCommandLineParser &p);
// What every single-converter command does first: opens the store, takes
// the port and makes the link (traced as asked). kExitDone, or the exit
// status to end with (the reason printed).
int open_device_command(CliContext &ctx, const QCommandLineParser &p, PortSpec &port, std::unique_ptr<ByteLink> &link);
// The memory trace of the link cli_link() made last (null before).
std::shared_ptr<WireTrace> cli_link_trace();
// After the command: ends the trace file; a write to it that failed is
// reported and turns exit code 0 into 1.
int finish_cli_trace(CliContext &ctx, int rc);

// The stored link settings with --port, --baud and --parity applied (not
// stored). False, with the reason printed on ctx.err, for a bad value.
bool apply_link_options(CliContext &ctx, const QCommandLineParser &p, LinkSettings &out);

// The port of a device subcommand: apply_link_options(), resolved to a
// PortSpec. False, with the reason printed on ctx.err, for a bad value.
bool cli_port(CliContext &ctx, const QCommandLineParser &p, PortSpec &out);

// Runs `job` over `link`. While it runs, Ctrl-C (SIGINT) interrupts the link
// instead of ending the program, so the job ends by itself and closes the
// port. True when Ctrl-C was pressed.
bool run_interruptible(ByteLink &link, const std::function<void()> &job);

// The bar of a job's progress on a terminal, `width` cells:
// "[##########          ]  50%  100/200".
QString progress_bar_text(qint64 done, qint64 total, int width = 30);

// The command line's progress: lines as they come; status texts each on a
// line of their own when new; on a terminal, steps as one bar redrawn in
// place (status texts that only count then stay off the screen).
class CliProgress : public JobProgress {
public:
    CliProgress(QTextStream &out, bool terminal) : out_(out), terminal_(terminal) {}
    ~CliProgress() override { end_bar(); }
    void line(const QString &text) override;
    void status(const QString &text) override;
    void step(qint64 done, qint64 total) override;
    void end_bar();
    // Whether standard output is a terminal.
    static bool stdout_is_terminal();

private:
    QTextStream &out_;
    bool terminal_;
    QString last_;
    QString bar_;
};

} // namespace k52
