// `k52util find` and `k52util doctor`: finding the converter and saying
// what keeps a port from being used.
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/link_options.h"
#include "core/link/converter_search.h"
#include "core/link/port_doctor.h"
#include "core/link/serial_link.h"
#include "core/link/stoppable_link.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace k52 {

namespace {

// The ports named by --port (numbers count as the Comm Port setting does),
// or every port the system lists.
bool ports_to_search(CliContext &ctx, const QStringList &given, const QVector<PortEntry> &listed,
                     QVector<PortEntry> &out) {
    if (given.isEmpty()) {
        out = listed;
        return true;
    }
    for (const QString &g : given) {
        bool number = false;
        const int n = g.toInt(&number);
        if (number) {
            if (n < 1 || n > listed.size()) {
                ctx.err << QCoreApplication::translate(
                               "find", "--port %1: this system lists %2 serial port(s); give a device path")
                               .arg(g)
                               .arg(listed.size())
                        << Qt::endl;
                return false;
            }
            out << listed[n - 1];
            continue;
        }
        PortEntry e{0, g, {}, {}};
        for (const PortEntry &l : listed)
            if (l.device == g)
                e = l;
        out << e;
    }
    return true;
}

} // namespace

int run_find(CliContext &ctx) {
    QCommandLineParser p;
    const QCommandLineOption port(
        QStringLiteral("port"),
        QCoreApplication::translate("find", "Search this port only (a Comm Port number or a device path; "
                                            "repeatable). Default: every port the system lists."),
        QStringLiteral("port"));
    const QCommandLineOption save(
        QStringLiteral("save"),
        QCoreApplication::translate("find", "Keep the first converter's port, speed and parity as the link "
                                            "settings."));
    p.addOptions({port, save, trace_option()});
    if (int rc = parse_arguments(
            ctx, p,
            QCoreApplication::translate("find", "Find the converter: try each serial port at every speed and "
                                                "parity with the identification request, the stored settings "
                                                "first, and list each converter that answered."),
            0);
        rc >= 0)
        return rc;
    if (!ctx.open_store())
        return 1;
    const QVector<PortEntry> listed = list_ports();
    QVector<PortEntry> ports;
    if (!ports_to_search(ctx, p.values(port), listed, ports))
        return kExitUsage;
    if (ports.isEmpty()) {
        ctx.err << QCoreApplication::translate(
                       "find", "No serial ports found: plug the adapter in, or name the port with --port")
                << Qt::endl;
        return 1;
    }
    // Ctrl-C interrupts this link; the search then stops every port's own.
    StoppableLink stop(std::make_unique<SerialLink>());
    const LinkSettings &stored = ctx.link();
    SearchResult r;
    const bool stopped = run_interruptible(stop, [&] {
        CliProgress progress(ctx.out, CliProgress::stdout_is_terminal());
        r = find_converters(serial_links, ports, {stored.baudrate, stored.parity}, progress,
                            [&stop] { return stop.stopped(); });
    });
    if (stopped) {
        ctx.out << kStoppedByUser << Qt::endl;
        return 130;
    }
    const QVector<FoundConverter> found = r.found();
    if (found.isEmpty())
        return 1;
    if (p.isSet(save)) {
        ctx.link() = take_found(ctx.link(), found.front(), listed);
        if (!ctx.save_link_settings())
            return 1;
        ctx.out << QCoreApplication::translate("find", "Link settings saved: %1 at %2")
                       .arg(found.front().port.device, line_setting_text(found.front().setting))
                << Qt::endl;
    }
    return 0;
}

int run_doctor(CliContext &ctx) {
    QCommandLineParser p;
    p.addOptions({port_option(), baud_option(), parity_option()});
    if (int rc = parse_arguments(
            ctx, p,
            QCoreApplication::translate("doctor", "Check the serial port of the link settings: that it exists, that "
                                                  "you may open it, that no other program holds it and that the "
                                                  "settings are complete. Each failed check names the fix."),
            0);
        rc >= 0)
        return rc;
    if (!ctx.open_store())
        return 1;
    LinkSettings settings;
    if (!apply_link_options(ctx, p, settings))
        return kExitUsage;
    PortEnvironment &env = system_port_environment();
    QString why;
    const QString device = resolve_port(settings, env.ports(), &why);
    ctx.out << QCoreApplication::translate("doctor", "Port: ") << (device.isEmpty() ? why : device) << Qt::endl;
    bool all_ok = true;
    for (const PortCheck &c : check_port(device, settings, env)) {
        all_ok = all_ok && c.ok;
        ctx.out << (c.ok ? "ok    " : "FAIL  ") << c.text << Qt::endl;
    }
    return all_ok ? 0 : 1;
}

} // namespace k52
