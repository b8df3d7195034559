// `k52util clone read|write [FILE]`, `k52util version`, `k52util reset`,
// `k52util restart`:
// the utilities from the command line.
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/fleet_cli.h"
#include "cli/link_options.h"
#include "cli/recorded_cli.h"
#include "core/link/exchange.h"
#include "core/link/serial_link.h"
#include "core/link/stoppable_link.h"
#include "core/maintenance/cloning.h"
#include "core/maintenance/device_commands.h"
#include "core/maintenance/maintenance_history.h"
#include "core/profile/safe_file.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <functional>

namespace k52 {

int run_clone(CliContext &ctx) {
    QCommandLineParser p;
    p.addOptions(link_options());
    p.addOptions(backup_options());
    p.addOptions(fleet_options());
    p.addPositionalArgument(
        QStringLiteral("read|write"),
        QCoreApplication::translate("clone", "read: converter image into the clone file; write: clone file into "
                                             "the converter"));
    p.addPositionalArgument(QStringLiteral("file"),
                            QCoreApplication::translate("clone", "Clone file; default %1").arg(clone_file_path()),
                            QStringLiteral("[file]"));
    if (int rc = parse_arguments(
            ctx, p,
            QCoreApplication::translate("clone", "Copy a converter's 1024-byte configuration image (firmware 01.96 "
                                                 "or later) into the clone file, or from it into another converter."),
            2);
        rc >= 0)
        return rc;
    const QStringList args = p.positionalArguments();
    const QString what = args.value(0);
    if (what != QLatin1String("read") && what != QLatin1String("write"))
        return usage_error(ctx, QCoreApplication::translate("clone", "clone: say read or write; see --help"));
    const QString file = args.size() > 1 ? args[1] : clone_file_path();
    if (fleet_wanted(p)) {
        if (what != QLatin1String("write"))
            return usage_error(
                ctx, QCoreApplication::translate(
                         "clone", "clone: --each writes one clone file into each converter; it goes with write only"));
        QString why;
        if (!check_regular_file(file, &why) || clone_file_image(file).size() != kCloneImageSize) {
            ctx.err << "clone write --each: "
                    << (why.isEmpty() ? file + QCoreApplication::translate("clone", " is no clone file") : why)
                    << Qt::endl;
            return kExitFailed;
        }
        const QByteArray image = clone_file_image(file);
        return run_each(
            ctx, p, QStringLiteral("clone write"), clone_write_at_stake(),
            [image](ActionRecord &a) { a.entry().image = image; },
            [file](ByteLink &l, const PortSpec &port, JobProgress &pr) { return clone_write(l, port, file, pr); });
    }
    PortSpec port;
    std::unique_ptr<ByteLink> traced;
    if (const int rc = open_device_command(ctx, p, port, traced); rc != kExitDone)
        return rc;
    StoppableLink link(std::move(traced));
    const bool read = what == QLatin1String("read");
    // A backup before a read would read the same image twice.
    // A clone file that is no regular file is refused before the port is
    // opened: no converter was touched, so no history row is left.
    const QString action = QStringLiteral("clone %1").arg(what);
    const auto record = QFileInfo::exists(file) && !check_regular_file(file, nullptr)
                            ? std::make_shared<ActionRecord>(nullptr, action)
                            : begin_cli_action(ctx, read ? nullptr : &p, action, port, link, [&](ActionRecord &a) {
                                  if (!read)
                                      a.entry().image = clone_file_image(file);
                              });
    if (!record)
        return 1;
    bool stopped = false;
    CliProgress progress(ctx.out, CliProgress::stdout_is_terminal());
    const CloneResult r = run_cli_recorded(
        *record, link, progress,
        [&](ByteLink &l, JobProgress &pr) {
            if (!read)
                return clone_write(l, port, file, pr);
            const CloneResult c = clone_read(l, port, file, pr);
            if (c.ok())
                record->set_image(clone_file_image(file));
            return c;
        },
        stopped);
    progress.end_bar();
    ctx.out << r.message << Qt::endl;
    if (stopped && !r.ok()) {
        ctx.out << kStoppedByUser << Qt::endl;
        return 130;
    }
    if (!r.detail.isEmpty())
        ctx.err << r.detail << Qt::endl;
    return cli_action_status(ctx, *record, read ? nullptr : &p, r.ok() ? 0 : 1);
}

namespace {

// A command that only talks to the converter: the link options parsed, the
// store opened, the port taken and the link made, then `command` run over
// it. The exit status.
int run_link_command(CliContext &ctx, const QString &about,
                     const std::function<int(ByteLink &, const PortSpec &)> &command) {
    QCommandLineParser p;
    p.addOptions(link_options());
    if (int rc = parse_arguments(ctx, p, about, 0); rc >= 0)
        return rc;
    PortSpec port;
    std::unique_ptr<ByteLink> link;
    if (const int rc = open_device_command(ctx, p, port, link); rc != kExitDone)
        return rc;
    return command(*link, port);
}

// Reset and restart: the command goes out; the converter does not answer.
int run_device_command(CliContext &ctx, bool reset) {
    return run_link_command(
        ctx,
        reset ? QCoreApplication::translate("clone", "Send the reset command to the converter.")
              : QCoreApplication::translate("clone", "Send the restart command to the converter."),
        [&ctx, reset](ByteLink &link, const PortSpec &port) {
            const auto record =
                begin_cli_action(ctx, nullptr, reset ? QStringLiteral("reset") : QStringLiteral("restart"), port, link);
            if (!record)
                return 1;
            bool stopped = false;
            CliProgress progress(ctx.out, false);
            const CommandResult r = run_cli_recorded(
                *record, link, progress,
                [&](ByteLink &l, JobProgress &) { return reset ? reset_job(l, port) : restart_job(l, port); }, stopped);
            (r.sent ? ctx.out : ctx.err) << r.message << Qt::endl;
            return cli_action_status(ctx, *record, nullptr, r.sent ? 0 : 1);
        });
}

} // namespace

int run_version(CliContext &ctx) {
    return run_link_command(
        ctx, QCoreApplication::translate("version", "Ask the converter for its model and firmware version."),
        [&ctx](ByteLink &link, const PortSpec &port) {
            const VersionResult r = version_job(link, port);
            QString version, identification;
            if (!r.complete || !parse_identification(r.reply, version, identification)) {
                ctx.err << (r.detail.isEmpty() ? QCoreApplication::translate("version", "Unable to Identify Converter")
                                               : r.detail)
                        << Qt::endl;
                return 1;
            }
            ctx.out << identification << Qt::endl;
            return 0;
        });
}

int run_reset(CliContext &ctx) {
    return run_device_command(ctx, true);
}

int run_restart(CliContext &ctx) {
    return run_device_command(ctx, false);
}

} // namespace k52
