#include "recorded_cli.h"

#include "cli/link_options.h"
#include "core/maintenance/maintenance_history.h"
#include "core/profile/history_store.h"

#include <QCoreApplication>

namespace k52 {

namespace {
const QString kBackup = QStringLiteral("backup");
const QString kBackupOptional = QStringLiteral("backup-optional");
} // namespace

QList<QCommandLineOption> backup_options() {
    return {QCommandLineOption(kBackup, QCoreApplication::translate(
                                            "options", "First read the converter's 1024-byte image into the history "
                                                       "(firmware 01.96 or later); stop before writing when it "
                                                       "cannot be read.")),
            QCommandLineOption(kBackupOptional, QCoreApplication::translate(
                                                    "options", "As --backup, but go on without a backup when the "
                                                               "image cannot be read."))};
}

std::shared_ptr<ActionRecord> begin_cli_action(CliContext &ctx, const QCommandLineParser *p, const QString &action,
                                               const PortSpec &port, ByteLink &link,
                                               const std::function<void(ActionRecord &)> &prepare) {
    auto record = std::make_shared<ActionRecord>(&ctx.store(), action);
    record->set_device(port.device);
    record->set_trace(cli_link_trace());
    if (prepare)
        prepare(*record);
    const bool optional = p && p->isSet(kBackupOptional);
    const bool backup_wanted = p && (p->isSet(kBackup) || optional);
    QString why;
    if (!record->begin(&why)) {
        // A database that cannot be written (a full disk) must not keep the
        // installer from the converter; only a backup needs the row to live in.
        if (backup_wanted && !optional) {
            ctx.err << why
                    << QCoreApplication::translate(
                           "options", "\nNothing was written: a backup needs the history, which could not be written.")
                    << Qt::endl;
            return nullptr;
        }
        ctx.err << why << QCoreApplication::translate("options", "\nThe action goes on without a history row.")
                << Qt::endl;
        record->disable();
        return record;
    }
    if (!backup_wanted)
        return record;
    CliProgress progress(ctx.out, false);
    BackupResult backup;
    run_interruptible(link, [&] { backup = backup_work(record, port, read_backup_image)(link, progress); });
    QString unstored;
    if (backup.ok && stop_unless_backup_stored(*record, &unstored)) {
        ctx.err << unstored << Qt::endl;
        return nullptr;
    }
    if (backup.ok || optional)
        return record;
    record->finish(kOutcomeFailed, QStringLiteral("no backup: %1").arg(backup.why), nullptr);
    ctx.err << QCoreApplication::translate("options", "The converter's image could not be read for a backup (")
            << backup.why
            << QCoreApplication::translate("options",
                                           "); nothing was written. Use --backup-optional to write without a backup.")
            << Qt::endl;
    return nullptr;
}

int cli_action_status(CliContext &ctx, const ActionRecord &record, const QCommandLineParser *p, int rc) {
    const QString unfinished = unfinished_row_text(record);
    if (unfinished.isEmpty())
        return rc;
    ctx.err << unfinished << Qt::endl;
    // The backup itself was stored before writing; but a run asked to keep
    // a record does not end in success without it.
    const bool backup_wanted = p && (p->isSet(kBackup) || p->isSet(kBackupOptional));
    return rc == 0 && backup_wanted ? 1 : rc;
}

} // namespace k52
