#pragma once
// The command line's side of the history: the backup options of the
// commands that write to a converter, and the row of a command's action.

#include "cli/cli.h"
#include "core/link/recorded_job.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <functional>
#include <memory>

namespace k52 {

// --backup and --backup-optional.
QList<QCommandLineOption> backup_options();

// Begins the row of a device action from the command line; `prepare` fills
// in what the row should hold (profile, file) before it is written. When
// `p` asks for a backup the converter's image is read first into the row.
// Null, with the reason printed and the row completed, when the action must
// not go on: the row could not be written, or the image could not be read
// and --backup-optional was not given.
std::shared_ptr<ActionRecord> begin_cli_action(CliContext &ctx, const QCommandLineParser *p, const QString &action,
                                               const PortSpec &port, ByteLink &link,
                                               const std::function<void(ActionRecord &)> &prepare = {});

// The exit status of a recorded action that ended with `rc`: a row that
// could not be completed is reported on stderr, and with --backup (or
// --backup-optional) the status is then non-zero.
int cli_action_status(CliContext &ctx, const ActionRecord &record, const QCommandLineParser *p, int rc);

// Runs `work(ByteLink &, JobProgress &)` over `link` as the command line
// runs jobs (Ctrl-C stops it), feeding and completing `record`. `stopped`
// tells whether Ctrl-C was pressed.
template <class Work>
auto run_cli_recorded(ActionRecord &record, ByteLink &link, JobProgress &progress, Work work, bool &stopped) {
    std::shared_ptr<ActionRecord> shared(&record, [](ActionRecord *) {});
    auto seen = std::make_shared<WatchedEnd>();
    auto recorded = recording_work(shared, seen, std::move(work));
    std::invoke_result_t<Work &, ByteLink &, JobProgress &> result;
    stopped = run_interruptible(link, [&] { result = recorded(link, progress); });
    finish_recorded(record, result, *seen, stopped);
    return result;
}

} // namespace k52
