// `k52util clone read|write [FILE]`, `k52util reset`, `k52util restart`:
// the utilities from the command line.
#include "app/cli.h"
#include "app/link_options.h"
#include "cloning.h"
#include "device_commands.h"
#include "link/exchange.h"
#include "link/port_names.h"
#include "link/serial_link.h"

namespace k52 {

namespace {

int run_clone(CliContext &ctx) {
    QCommandLineParser p;
    p.addOptions(link_options());
    p.addPositionalArgument(QStringLiteral("read|write"),
                            QStringLiteral("read: converter image into the clone file; write: clone file into "
                                           "the converter"));
    p.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Clone file; default %1").arg(clone_file_path()),
                            QStringLiteral("[file]"));
    if (int rc = parse_arguments(ctx, p,
                                 QStringLiteral("Copy a converter's 1024-byte configuration image (firmware 01.96 "
                                                "or later) into the clone file, or from it into another converter."),
                                 2);
        rc >= 0)
        return rc;
    const QStringList args = p.positionalArguments();
    const QString what = args.value(0);
    if (what != QLatin1String("read") && what != QLatin1String("write")) {
        ctx.err << "clone: say read or write; see --help" << Qt::endl;
        return 1;
    }
    if (!ctx.open_store())
        return 1;
    LinkSettings settings;
    if (!apply_link_options(ctx, p, settings))
        return 1;
    QString port_error;
    const QString port = resolve_port(settings, &port_error);
    const QString file = args.size() > 1 ? args[1] : clone_file_path();
    SerialLink link;
    const CloneResult r = what == QLatin1String("read") ? clone_read(link, port, serial_settings_text(settings), file)
                                                        : clone_write(link, port, serial_settings_text(settings), file);
    ctx.out << r.message << Qt::endl;
    if (!r.detail.isEmpty())
        ctx.err << r.detail << Qt::endl;
    else if (port.isEmpty() && !r.ok())
        ctx.err << port_error << Qt::endl;
    return r.ok() ? 0 : 1;
}

// Reset and restart: the command goes out; the converter does not answer.
int run_device_command(CliContext &ctx, bool reset) {
    QCommandLineParser p;
    p.addOptions(link_options());
    if (int rc = parse_arguments(ctx, p,
                                 reset ? QStringLiteral("Send the reset command to the converter.")
                                       : QStringLiteral("Send the restart command to the converter."),
                                 0);
        rc >= 0)
        return rc;
    if (!ctx.open_store())
        return 1;
    LinkSettings settings;
    if (!apply_link_options(ctx, p, settings))
        return 1;
    QString error;
    const QString port = resolve_port(settings, &error);
    SerialLink link;
    if (port.isEmpty() || !link.open(port, serial_settings_text(settings), &error)) {
        ctx.err << error << Qt::endl;
        return 1;
    }
    const bool sent = reset ? send_reset(link) : send_restart(link);
    close_comm(link);
    if (!sent) {
        ctx.err << "the command could not be sent" << Qt::endl;
        return 1;
    }
    ctx.out << (reset ? "Reset sent" : "Restart sent") << Qt::endl;
    return 0;
}

const CliRegistrar clone_reg("clone", "Read a converter's image into the clone file, or write it into another",
                             run_clone);
const CliRegistrar reset_reg("reset", "Send the reset command",
                             [](CliContext &c) { return run_device_command(c, true); });
const CliRegistrar restart_reg("restart", "Send the restart command",
                               [](CliContext &c) { return run_device_command(c, false); });

} // namespace

} // namespace k52
