#pragma once
// `--each` on `program`, `flash` and `clone write`: the same job for every
// converter plugged in (core/link/fleet.h), from the command line.

#include "cli/cli.h"
#include "core/link/fleet.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace k52 {

// --each, --ports, --count, --settle, --csv.
QList<QCommandLineOption> fleet_options();
// Whether --each was given.
bool fleet_wanted(const QCommandLineParser &p);
// The options' --backup reader (none without --backup/--backup-optional)
// and whether a converter is written when its image cannot be read.
ImageReader fleet_backup(const QCommandLineParser &p, bool &optional);

// Runs `job` on every converter that appears on the watched ports until
// Ctrl-C or --count, printing one line per converter and the summary.
// Exit status 0 only when every converter seen was done; 130 when Ctrl-C
// stopped a job under way; 1 otherwise.
int run_fleet(CliContext &ctx, const QCommandLineParser &p, FleetJob job);

// run_fleet() of `work(ByteLink &, const PortSpec &, JobProgress &)` with
// the backup the options ask for; `prepare` fills in each history row.
template <class Work>
int run_each(CliContext &ctx, const QCommandLineParser &p, const QString &action, const QString &at_stake,
             std::function<void(ActionRecord &)> prepare, Work work) {
    if (!ctx.open_store())
        return 1;
    bool optional = false;
    const ImageReader backup = fleet_backup(p, optional);
    return run_fleet(
        ctx, p,
        FleetJob{action, at_stake, std::move(prepare), fleet_work(std::move(work), at_stake, backup, optional)});
}

} // namespace k52
