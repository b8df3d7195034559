// `k52util program`, `k52util plan`, `k52util version`, `k52util ports`:
// the programming run and the link from the command line.
#include "app/cli.h"
#include "link/exchange.h"
#include "link/port_names.h"
#include "link/serial_link.h"
#include "programming_run.h"
#include "run_plan.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace k52 {

namespace {

const QCommandLineOption kPortOption(QStringLiteral("port"),
                                     QStringLiteral("Serial port: a number 1 to 7 (as in the Comm Port setting) or a "
                                                    "device path; default: the stored link settings."),
                                     QStringLiteral("port"));
const QCommandLineOption kBaudOption(QStringLiteral("baud"),
                                     QStringLiteral("Link speed; default: the stored link settings."),
                                     QStringLiteral("rate"));
const QCommandLineOption kParityOption(QStringLiteral("parity"),
                                       QStringLiteral("Link framing: 0 or E (even, 7 bits), 1 or O (odd, 7 bits), "
                                                      "2 or N (none, 8 bits); default: the stored link settings."),
                                       QStringLiteral("0|1|2"));
const QCommandLineOption kFirmwareOption(QStringLiteral("firmware"),
                                         QStringLiteral("Firmware version to plan for, e.g. 01.94."),
                                         QStringLiteral("version"));
const QCommandLineOption kProfileOption(QStringLiteral("profile"),
                                        QStringLiteral("Profile to use; default: the current profile."),
                                        QStringLiteral("name"));

// Parse the common options; returns -1 when the command goes on, else the
// exit code.
int parse(CliContext &ctx, QCommandLineParser &p, const QString &about, int max_positional) {
    p.setApplicationDescription(about);
    p.addHelpOption();
    if (!p.parse(ctx.args)) {
        ctx.err << p.errorText() << Qt::endl;
        return 1;
    }
    if (p.isSet(QStringLiteral("help"))) {
        ctx.out << p.helpText();
        return 0;
    }
    if (p.positionalArguments().size() > max_positional) {
        ctx.err << ctx.args.value(0) << ": too many arguments; see --help" << Qt::endl;
        return 1;
    }
    return -1;
}

// The link settings with --port, --baud and --parity applied (not stored).
bool link_settings(CliContext &ctx, const QCommandLineParser &p, LinkSettings &out) {
    out = ctx.link();
    if (p.isSet(kBaudOption)) {
        bool ok = false;
        out.baudrate = p.value(kBaudOption).toInt(&ok);
        if (!ok || out.baudrate <= 0) {
            ctx.err << "--baud: give the speed in bits per second, e.g. 9600" << Qt::endl;
            return false;
        }
    }
    if (p.isSet(kParityOption)) {
        const QString v = p.value(kParityOption).toUpper();
        int parity = QStringLiteral("EON").indexOf(v);
        if (parity < 0)
            parity = QStringLiteral("012").indexOf(v);
        if (parity < 0 || v.size() != 1) {
            ctx.err << "--parity: give 0 (E), 1 (O) or 2 (N)" << Qt::endl;
            return false;
        }
        out.parity = parity;
    }
    if (!p.isSet(kPortOption))
        return true;
    const QString port = p.value(kPortOption);
    bool number = false;
    const int n = port.toInt(&number);
    if (number) {
        if (n < 1 || n > 7) {
            ctx.err << "--port: a port number is 1 to 7; give a device path for others" << Qt::endl;
            return false;
        }
        out.commport = n;
        out.commdevice.clear();
    } else {
        out.commdevice = port;
    }
    return true;
}

bool load_record(CliContext &ctx, const QCommandLineParser &p, ConfigRecord &rec) {
    rec = ctx.record();
    if (!p.isSet(kProfileOption))
        return true;
    QString error;
    if (!ctx.store().load_profile(p.value(kProfileOption), rec, &error)) {
        ctx.err << error << Qt::endl;
        return false;
    }
    return true;
}

class PrintProgress : public RunProgress {
public:
    explicit PrintProgress(QTextStream &out) : out_(out) {}
    void line(const QString &text) override { out_ << text << Qt::endl; }

private:
    QTextStream &out_;
};

int run_program(CliContext &ctx) {
    QCommandLineParser p;
    p.addOptions({kPortOption, kBaudOption, kParityOption, kProfileOption});
    if (int rc = parse(ctx, p,
                       QStringLiteral("Write a profile into the converter, printing the progress lines of the "
                                      "programming run. Exits 0 only when the converter has been programmed."),
                       0);
        rc >= 0)
        return rc;
    if (!ctx.open_store())
        return 1;
    LinkSettings settings;
    ConfigRecord rec;
    if (!link_settings(ctx, p, settings) || !load_record(ctx, p, rec))
        return 1;
    QString port_error;
    const QString port = resolve_port(settings, &port_error);
    SerialLink link;
    PrintProgress progress(ctx.out);
    const RunResult r = savetoK52(link, port, settings, rec, progress, {}, port_error);
    if (!r.detail.isEmpty())
        ctx.err << r.detail << Qt::endl;
    return r.outcome == RunOutcome::Programmed ? 0 : 1;
}

int run_plan(CliContext &ctx) {
    QCommandLineParser p;
    p.addOptions({kProfileOption, kFirmwareOption});
    p.addPositionalArgument(QStringLiteral("version"), QStringLiteral("Firmware version (or --firmware)"),
                            QStringLiteral("[version]"));
    if (int rc = parse(ctx, p,
                       QStringLiteral("Print what the programming run would print and send for a firmware version, "
                                      "without a converter. Commands are marked \"> \"; the error line a refusal "
                                      "would print follows \"  on refusal: \"."),
                       1);
        rc >= 0)
        return rc;
    const QString version = p.isSet(kFirmwareOption) ? p.value(kFirmwareOption) : p.positionalArguments().value(0);
    static const QRegularExpression form(QStringLiteral("^\\d\\d\\.\\d\\d$"));
    if (!form.match(version).hasMatch()) {
        ctx.err << "plan: give the firmware version as two digits, a point and two digits (e.g. 01.94)" << Qt::endl;
        return 1;
    }
    if (!ctx.open_store())
        return 1;
    ConfigRecord rec;
    if (!load_record(ctx, p, rec))
        return 1;
    bool refused = false;
    for (const PlanStep &s : build_plan(rec, version)) {
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

int run_version(CliContext &ctx) {
    QCommandLineParser p;
    p.addOptions({kPortOption, kBaudOption, kParityOption});
    if (int rc = parse(ctx, p, QStringLiteral("Ask the converter for its model and firmware version."), 0); rc >= 0)
        return rc;
    if (!ctx.open_store())
        return 1;
    LinkSettings settings;
    if (!link_settings(ctx, p, settings))
        return 1;
    QString error;
    const QString port = resolve_port(settings, &error);
    SerialLink link;
    if (port.isEmpty() || !link.open(port, serial_settings_text(settings), &error)) {
        ctx.err << error << Qt::endl;
        return 1;
    }
    QString version, identification;
    const bool ok = get_version(link, version, identification);
    close_comm(link);
    if (!ok) {
        ctx.err << "Unable to Identify Converter" << Qt::endl;
        return 1;
    }
    ctx.out << identification << Qt::endl;
    return 0;
}

int run_ports(CliContext &ctx) {
    QCommandLineParser p;
    if (int rc = parse(ctx, p,
                       QStringLiteral("List the serial ports of this machine with the number the Comm Port "
                                      "setting gives them."),
                       0);
        rc >= 0)
        return rc;
    const QVector<PortEntry> ports = list_ports();
    if (ports.isEmpty()) {
        ctx.out << "No serial ports found" << Qt::endl;
        return 0;
    }
    for (const PortEntry &e : ports)
        ctx.out << e.number << '\t' << e.device << '\t' << e.description << Qt::endl;
    return 0;
}

const CliRegistrar program_reg("program", "Write a profile into the converter", run_program);
const CliRegistrar plan_reg("plan", "Print the commands the programming run sends for a firmware version", run_plan);
const CliRegistrar version_reg("version", "Read the converter's model and firmware version", run_version);
const CliRegistrar ports_reg("ports", "List the serial ports and their Comm Port numbers", run_ports);

} // namespace

} // namespace k52
