// `k52util program`, `k52util plan`, `k52util ports`:
// the programming run and the link from the command line.
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/fleet_cli.h"
#include "cli/link_options.h"
#include "cli/recorded_cli.h"
#include "core/link/port_names.h"
#include "core/link/serial_link.h"
#include "core/link/stoppable_link.h"
#include "core/programming/programming_run.h"
#include "core/programming/run_history.h"
#include "core/programming/run_plan.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

namespace k52 {

namespace {

const QCommandLineOption kFirmwareOption(QStringLiteral("firmware"),
                                         QCoreApplication::translate("program",
                                                                     "Firmware version to plan for, e.g. 01.94."),
                                         QStringLiteral("version"));
} // namespace

int run_program(CliContext &ctx) {
    QCommandLineParser p;
    p.addOptions(link_options());
    p.addOption(profile_option());
    p.addOptions(backup_options());
    p.addOptions(fleet_options());
    if (int rc =
            parse_arguments(ctx, p,
                            QCoreApplication::translate(
                                "program", "Write a profile into the converter, printing the progress lines of the "
                                           "programming run. Exits 0 only when the converter has been programmed."),
                            0);
        rc >= 0)
        return rc;
    if (fleet_wanted(p)) {
        ConfigRecord each;
        if (!ctx.open_store() || !load_cli_profile(ctx, p, each))
            return kExitFailed;
        const QString name = ctx.state().current_profile();
        return run_each(
            ctx, p, QStringLiteral("program"), programming_at_stake(),
            [name, each](ActionRecord &a) { a.set_profile(name, each); },
            [each](ByteLink &l, const PortSpec &port, JobProgress &pr) { return savetoK52(l, port, each, pr); });
    }
    PortSpec port;
    std::unique_ptr<ByteLink> traced;
    if (const int rc = open_device_command(ctx, p, port, traced); rc != kExitDone)
        return rc;
    ConfigRecord rec;
    if (!load_cli_profile(ctx, p, rec))
        return kExitFailed;
    StoppableLink link(std::move(traced));
    const auto record = begin_cli_action(ctx, &p, QStringLiteral("program"), port, link,
                                         [&](ActionRecord &a) { a.set_profile(ctx.state().current_profile(), rec); });
    if (!record)
        return 1;
    bool stopped = false;
    CliProgress progress(ctx.out, false);
    const RunResult r = run_cli_recorded(
        *record, link, progress, [&](ByteLink &l, JobProgress &pr) { return savetoK52(l, port, rec, pr); }, stopped);
    if (stopped && r.outcome != RunOutcome::Programmed) {
        ctx.out << kStoppedByUser << Qt::endl;
        return 130;
    }
    if (!r.detail.isEmpty())
        ctx.err << r.detail << Qt::endl;
    return cli_action_status(ctx, *record, &p, r.outcome == RunOutcome::Programmed ? 0 : 1);
}

int run_plan(CliContext &ctx) {
    QCommandLineParser p;
    p.addOptions({profile_option(), kFirmwareOption});
    p.addPositionalArgument(QStringLiteral("version"),
                            QCoreApplication::translate("plan", "Firmware version (or --firmware)"),
                            QStringLiteral("[version]"));
    if (int rc = parse_arguments(
            ctx, p,
            QStringLiteral("Print what the programming run would print and send for a firmware version, "
                           "without a converter. Commands are marked \"> \"; the error line a refusal "
                           "would print follows \"  on refusal: \"."),
            1);
        rc >= 0)
        return rc;
    const QString version = p.isSet(kFirmwareOption) ? p.value(kFirmwareOption) : p.positionalArguments().value(0);
    static const QRegularExpression form(QStringLiteral("^\\d\\d\\.\\d\\d$"));
    if (!form.match(version).hasMatch())
        return usage_error(
            ctx, QCoreApplication::translate(
                     "plan", "plan: give the firmware version as two digits, a point and two digits (e.g. 01.94)"));
    if (!ctx.open_store())
        return 1;
    ConfigRecord rec;
    if (!load_cli_profile(ctx, p, rec))
        return 1;
    bool refused = false;
    for (const PlanStep &s : build_plan(rec, version).steps) {
        switch (s.kind) {
        case PlanStep::Progress:
            ctx.out << s.text << Qt::endl;
            break;
        case PlanStep::Command:
            ctx.out << "> " << s.text << "\n  on refusal: " << s.error << Qt::endl;
            break;
        case PlanStep::Refusal:
            refused = true;
            if (!s.error.isEmpty())
                ctx.out << s.error << Qt::endl;
            ctx.out << s.explanation << "\nProgramming Stopped" << Qt::endl;
            break;
        }
    }
    return refused ? 1 : 0;
}

int run_ports(CliContext &ctx) {
    QCommandLineParser p;
    if (int rc = parse_arguments(
            ctx, p,
            QCoreApplication::translate("ports", "List the serial ports of this machine with the number the Comm Port "
                                                 "setting gives them."),
            0);
        rc >= 0)
        return rc;
    const QVector<PortEntry> ports = list_ports();
    if (ports.isEmpty()) {
        ctx.out << QCoreApplication::translate("ports", "No serial ports found") << Qt::endl;
        return 0;
    }
    for (const PortEntry &e : ports)
        ctx.out << e.number << '\t' << e.device << '\t' << e.description << Qt::endl;
    return 0;
}

} // namespace k52
