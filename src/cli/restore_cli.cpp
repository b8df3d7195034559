// `k52util restore N`: writes the image kept in history row N (the backup
// taken before a write, or the image of a clone read or write) back into
// the converter by the clone write exchange.
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/link_options.h"
#include "cli/recorded_cli.h"
#include "core/link/serial_link.h"
#include "core/link/stoppable_link.h"
#include "core/maintenance/maintenance_history.h"
#include "core/profile/history_store.h"

#include <QCoreApplication>

namespace k52 {

int run_restore(CliContext &ctx) {
    QCommandLineParser p;
    p.addOptions(link_options());
    const QCommandLineOption force(
        QStringLiteral("force"),
        QCoreApplication::translate("restore", "Write the image of a row stored without a checksum (older rows) "
                                               "although it cannot be checked."));
    p.addOption(force);
    p.addPositionalArgument(QStringLiteral("N"),
                            QCoreApplication::translate("restore", "History row whose image is written back"));
    if (int rc = parse_arguments(
            ctx, p,
            QCoreApplication::translate("restore", "Write the converter image kept in history row N (its backup, or "
                                                   "the image a clone read or write moved) back into the converter "
                                                   "(firmware 01.96 or later). Exits 0 only when the converter took "
                                                   "the whole image."),
            1);
        rc >= 0)
        return rc;
    bool ok = false;
    const qint64 id = p.positionalArguments().value(0).toLongLong(&ok);
    if (!ok || id <= 0)
        return usage_error(ctx,
                           QCoreApplication::translate(
                               "restore", "restore: give the history row number (the first column of `history list`)"));
    PortSpec port;
    if (!ctx.open_store())
        return kExitFailed;
    if (!cli_port(ctx, p, port))
        return kExitUsage;
    QString why;
    const auto row = HistoryStore(ctx.store()).entry(id, &why);
    if (!row) {
        ctx.err << why << Qt::endl;
        return 1;
    }
    const QByteArray image = row->backup.isEmpty() ? row->image : row->backup;
    if (image.isEmpty()) {
        ctx.err << QCoreApplication::translate("restore", "History row %1 holds no converter image to restore; rows of "
                                                          "a run with --backup and of a clone read or write do")
                       .arg(id)
                << Qt::endl;
        return 1;
    }
    // Checked before the port is opened: a changed or damaged image is
    // never written.
    const QString problem = stored_image_problem(
        id, image, row->backup.isEmpty() ? row->image_sha256 : row->backup_sha256, kCloneImageSize, p.isSet(force));
    if (!problem.isEmpty()) {
        ctx.err << problem << Qt::endl;
        return 1;
    }
    auto traced = cli_link(ctx, p);
    if (!traced)
        return 1;
    StoppableLink link(std::move(traced));
    const auto record = begin_cli_action(ctx, nullptr, QStringLiteral("restore"), port, link, [&](ActionRecord &a) {
        a.entry().image = image;
        a.entry().profile = row->profile;
    });
    if (!record)
        return 1;
    record->line(QStringLiteral("Restoring the image of history row %1 (%2, %3)")
                     .arg(id)
                     .arg(row->backup.isEmpty() ? QStringLiteral("image") : QStringLiteral("backup"),
                          history_time_text(row->started)));
    bool stopped = false;
    CliProgress progress(ctx.out, CliProgress::stdout_is_terminal());
    const CloneResult r = run_cli_recorded(
        *record, link, progress, [&](ByteLink &l, JobProgress &pr) { return restore_image(l, port, image, pr); },
        stopped);
    progress.end_bar();
    ctx.out << r.message << Qt::endl;
    if (!r.detail.isEmpty())
        ctx.err << r.detail << Qt::endl;
    if (stopped && !r.ok())
        return 130;
    return cli_action_status(ctx, *record, nullptr, r.ok() ? 0 : 1);
}

} // namespace k52
