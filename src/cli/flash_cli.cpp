// `k52util flash FILE`: the firmware download from the command line.
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/fleet_cli.h"
#include "cli/link_options.h"
#include "cli/recorded_cli.h"
#include "core/link/serial_link.h"
#include "core/link/stoppable_link.h"
#include "core/maintenance/flash_download.h"
#include "core/maintenance/maintenance_history.h"

#include <QCoreApplication>

namespace k52 {

int run_flash(CliContext &ctx) {
    QCommandLineParser p;
    p.addOptions(link_options());
    p.addOptions(backup_options());
    p.addOptions(fleet_options());
    p.addPositionalArgument(QStringLiteral("file"), QCoreApplication::translate("flash", "Firmware file (.bin)"));
    if (int rc = parse_arguments(
            ctx, p,
            QCoreApplication::translate("flash", "Replace the converter's firmware with FILE through its boot loader, "
                                                 "printing the messages of the Flash Download screen. Exits 0 only "
                                                 "when the download is complete. Ctrl-C stops the download."),
            1);
        rc >= 0)
        return rc;
    if (p.positionalArguments().isEmpty())
        return usage_error(ctx, QCoreApplication::translate("flash", "flash: give the firmware file; see --help"));
    const QString path = p.positionalArguments().first();
    if (fleet_wanted(p)) {
        QByteArray firmware;
        FlashResult unreadable;
        if (!read_firmware_file(path, firmware, unreadable)) {
            ctx.err << unreadable.message << (unreadable.detail.isEmpty() ? QString() : ": " + unreadable.detail)
                    << Qt::endl;
            return kExitFailed;
        }
        return run_each(
            ctx, p, QStringLiteral("flash"), flash_at_stake(),
            [path, firmware](ActionRecord &a) { a.set_file(path, firmware); },
            [path](ByteLink &l, const PortSpec &port, JobProgress &pr) {
                return doflashdl(l, port, path, QDate::currentDate(), pr);
            });
    }
    PortSpec port;
    std::unique_ptr<ByteLink> traced;
    if (const int rc = open_device_command(ctx, p, port, traced); rc != kExitDone)
        return rc;
    StoppableLink link(std::move(traced));
    QByteArray contents;
    FlashResult unread;
    // A file that cannot be read is refused before the port is opened: no
    // converter was touched, so no history row is left.
    const auto record = !read_firmware_file(path, contents, unread)
                            ? std::make_shared<ActionRecord>(nullptr, QStringLiteral("flash"))
                            : begin_cli_action(ctx, &p, QStringLiteral("flash"), port, link,
                                               [&](ActionRecord &a) { a.set_file(path, contents); });
    if (!record)
        return 1;
    bool stopped = false;
    CliProgress progress(ctx.out, CliProgress::stdout_is_terminal());
    const FlashResult r = run_cli_recorded(
        *record, link, progress,
        [&](ByteLink &l, JobProgress &pr) { return doflashdl(l, port, path, QDate::currentDate(), pr); }, stopped);
    progress.end_bar();
    ctx.out << r.message << Qt::endl;
    if (!r.detail.isEmpty() && !stopped)
        ctx.err << r.detail << Qt::endl;
    if (stopped && !r.ok()) {
        ctx.err << flash_stopped_warning() << Qt::endl;
        ctx.out << kStoppedByUser << Qt::endl;
        return 130;
    }
    return cli_action_status(ctx, *record, &p, r.ok() ? 0 : 1);
}

} // namespace k52
