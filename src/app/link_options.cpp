#include "link_options.h"

#include "screens/link_rules.h"

namespace k52 {

QCommandLineOption port_option() {
    return QCommandLineOption(QStringLiteral("port"),
                              QStringLiteral("Serial port: a number 1 to 7 (as in the Comm Port setting) or a "
                                             "device path; default: the stored link settings."),
                              QStringLiteral("port"));
}

QCommandLineOption baud_option() {
    return QCommandLineOption(QStringLiteral("baud"), QStringLiteral("Link speed; default: the stored link settings."),
                              QStringLiteral("rate"));
}

QCommandLineOption parity_option() {
    return QCommandLineOption(QStringLiteral("parity"),
                              QStringLiteral("Link framing: 0 or E (even, 7 bits), 1 or O (odd, 7 bits), "
                                             "2 or N (none, 8 bits); default: the stored link settings."),
                              QStringLiteral("0|1|2"));
}

QList<QCommandLineOption> link_options() {
    return {port_option(), baud_option(), parity_option()};
}

int parse_arguments(CliContext &ctx, QCommandLineParser &p, const QString &about, int max_positional) {
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

bool apply_link_options(CliContext &ctx, const QCommandLineParser &p, LinkSettings &out) {
    out = ctx.link();
    const QString baud = QStringLiteral("baud");
    const QString parity_name = QStringLiteral("parity");
    const QString port_name = QStringLiteral("port");
    if (p.isSet(baud)) {
        bool ok = false;
        out.baudrate = p.value(baud).toInt(&ok);
        if (!ok || !baud_index(out.baudrate)) {
            QStringList speeds;
            for (const Long rate : kBaudRates)
                speeds << QString::number(rate);
            ctx.err << "--baud: give one of the speeds " << speeds.join(QStringLiteral(", ")) << Qt::endl;
            return false;
        }
    }
    if (p.isSet(parity_name)) {
        const QString v = p.value(parity_name).toUpper();
        int parity = QStringLiteral("EON").indexOf(v);
        if (parity < 0)
            parity = QStringLiteral("012").indexOf(v);
        if (parity < 0 || v.size() != 1) {
            ctx.err << "--parity: give 0 (E), 1 (O) or 2 (N)" << Qt::endl;
            return false;
        }
        out.parity = parity;
    }
    if (!p.isSet(port_name))
        return true;
    const QString port = p.value(port_name);
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

} // namespace k52
