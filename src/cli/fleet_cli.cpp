#include "fleet_cli.h"

#include "cli/link_options.h"
#include "core/link/port_names.h"
#include "core/link/serial_link.h"
#include "core/link/stoppable_link.h"
#include "core/maintenance/maintenance_history.h"
#include "core/profile/safe_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

namespace k52 {

namespace {

const QString kEach = QStringLiteral("each");
const QString kPorts = QStringLiteral("ports");
const QString kCount = QStringLiteral("count");
const QString kSettle = QStringLiteral("settle");
const QString kCsv = QStringLiteral("csv");

// How often Ctrl-C is looked for while the fleet runs.
constexpr int kInterruptCheckMs = 100;

// The paths matching `pattern` (wildcards in its last part), as ports.
QVector<PortEntry> matching(const QString &pattern) {
    const QFileInfo f(pattern);
    QVector<PortEntry> out;
    const QDir dir(f.path());
    for (const QString &name :
         dir.entryList({f.fileName()}, QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name))
        out << PortEntry{0, dir.filePath(name), {}, {}};
    return out;
}

// The watched ports: those named by --port and matched by --ports; without
// either, every port the system lists (as the communications screen shows
// them).
Fleet::PortLister port_lister(const QStringList &named, const QStringList &patterns) {
    return [named, patterns] {
        const QVector<PortEntry> listed = list_ports();
        if (named.isEmpty() && patterns.isEmpty())
            return listed;
        QVector<PortEntry> out;
        auto add = [&](PortEntry e) {
            for (const PortEntry &l : listed)
                if (l.device == e.device)
                    e = l;
            for (const PortEntry &o : out)
                if (o.device == e.device)
                    return;
            out << e;
        };
        for (const QString &n : named) {
            bool number = false;
            const int i = n.toInt(&number);
            if (!number)
                add(PortEntry{0, n, {}, {}});
            else if (i >= 1 && i <= listed.size())
                add(listed[i - 1]);
        }
        for (const QString &g : patterns)
            for (const PortEntry &e : matching(g))
                add(e);
        return out;
    };
}

bool positive(CliContext &ctx, const QCommandLineParser &p, const QString &name, int &out) {
    if (!p.isSet(name))
        return true;
    bool ok = false;
    out = p.value(name).toInt(&ok);
    if (ok && out > 0)
        return true;
    ctx.err << "--" << name << QCoreApplication::translate("each", ": give a whole number above 0") << Qt::endl;
    return false;
}

} // namespace

QList<QCommandLineOption> fleet_options() {
    return {
        QCommandLineOption(
            kEach, QCoreApplication::translate("each", "Do it to every converter plugged in, one after another on each "
                                                       "port and on several ports at once, until Ctrl-C or --count. "
                                                       "--port (repeatable) and --ports name the ports watched; "
                                                       "default: every port the system lists.")),
        QCommandLineOption(kPorts,
                           QCoreApplication::translate("each",
                                                       "With --each: also watch the paths matching GLOB (wildcards in "
                                                       "the last part), looked up again every second; repeatable."),
                           QStringLiteral("glob")),
        QCommandLineOption(kCount,
                           QCoreApplication::translate("each", "With --each: end after N converters have finished."),
                           QStringLiteral("N")),
        QCommandLineOption(kSettle,
                           QCoreApplication::translate("each",
                                                       "With --each: a converter has gone when it has not answered for "
                                                       "MS milliseconds (default 2000)."),
                           QStringLiteral("ms")),
        QCommandLineOption(
            kCsv, QCoreApplication::translate("each", "With --each: write one row per converter into FILE at the end."),
            QStringLiteral("file")),
    };
}

bool fleet_wanted(const QCommandLineParser &p) {
    return p.isSet(kEach);
}

ImageReader fleet_backup(const QCommandLineParser &p, bool &optional) {
    optional = p.isSet(QStringLiteral("backup-optional"));
    return optional || p.isSet(QStringLiteral("backup")) ? ImageReader(read_backup_image) : ImageReader();
}

int run_fleet(CliContext &ctx, const QCommandLineParser &p, FleetJob job) {
    // --baud and --parity name the settings tried first.
    LinkSettings first;
    if (!apply_link_options(ctx, p, first))
        return kExitUsage;
    Fleet::Options options;
    options.stored = {first.baudrate, first.parity};
    int settle = int(options.settle.count());
    if (!positive(ctx, p, kCount, options.count) || !positive(ctx, p, kSettle, settle))
        return kExitUsage;
    options.settle = std::chrono::milliseconds(settle);
    if (p.optionNames().contains(QStringLiteral("trace")))
        options.trace = p.value(QStringLiteral("trace"));
    const QString csv = p.value(kCsv);
    if (!csv.isEmpty() && !QFileInfo(QFileInfo(csv).absolutePath()).isDir()) {
        ctx.err << "--csv " << csv << QCoreApplication::translate("each", ": the folder does not exist") << Qt::endl;
        return 1;
    }
    LinkClosers links;
    Fleet fleet(links, &ctx.store(), port_lister(p.values(QStringLiteral("port")), p.values(kPorts)), std::move(job),
                options);
    QObject::connect(&fleet, &Fleet::converter_ended, &fleet,
                     [&](int row) { ctx.out << fleet_line(fleet.converters()[row]) << Qt::endl; });
    QEventLoop loop;
    QObject::connect(&fleet, &Fleet::ended, &loop, &QEventLoop::quit);
    // Ctrl-C interrupts this link; the fleet then stops every port's job.
    StoppableLink interrupt(std::make_unique<SerialLink>());
    QTimer ctrl_c;
    QObject::connect(&ctrl_c, &QTimer::timeout, &fleet, [&] {
        if (interrupt.stopped())
            fleet.stop();
    });
    ctx.out << QCoreApplication::translate("each", "Waiting for converters; Ctrl-C ends") << Qt::endl;
    const bool stopped = run_interruptible(interrupt, [&] {
        ctrl_c.start(kInterruptCheckMs);
        fleet.start();
        loop.exec();
    });
    const QVector<FleetConverter> &rows = fleet.converters();
    for (const QString &line : fleet_summary(rows))
        ctx.out << line << Qt::endl;
    int rc = 0;
    if (!csv.isEmpty()) {
        QString why;
        if (!write_file_safely(csv, fleet_csv(rows), &why)) {
            ctx.err << why << Qt::endl;
            rc = 1;
        }
    }
    const FleetCounts n = fleet.counts();
    if (stopped && n.stopped > 0)
        return 130;
    return n.done == rows.size() ? rc : 1;
}

} // namespace k52
