#include "link_options.h"

#include <QCoreApplication>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>

#include "core/link/serial_link.h"
#include "core/profile/platform.h"
#include "core/rules/link_rules.h"

namespace k52 {

namespace {

// An option of the link: its help text (translated in context "options")
// and the name of its value.
QCommandLineOption link_option(const char *name, const char *help, const char *value) {
    return QCommandLineOption(QString::fromLatin1(name), QCoreApplication::translate("options", help),
                              QString::fromLatin1(value));
}

} // namespace

QCommandLineOption port_option() {
    return link_option("port",
                       QT_TRANSLATE_NOOP("options", "Serial port: a number 1 to 7 (as in the Comm Port setting) or a "
                                                    "device path; default: the stored link settings."),
                       "port");
}

QCommandLineOption baud_option() {
    return link_option("baud", QT_TRANSLATE_NOOP("options", "Link speed; default: the stored link settings."), "rate");
}

QCommandLineOption parity_option() {
    return link_option("parity",
                       QT_TRANSLATE_NOOP("options", "Link framing: 0 or E (even, 7 bits), 1 or O (odd, 7 bits), "
                                                    "2 or N (none, 8 bits); default: the stored link settings."),
                       "0|1|2");
}

QCommandLineOption trace_option() {
    return link_option("trace",
                       QT_TRANSLATE_NOOP("options", "Write every byte to and from the converter into FILE as the job "
                                                    "runs (the wire trace, for support)."),
                       "FILE");
}

QList<QCommandLineOption> link_options() {
    return {port_option(), baud_option(), parity_option(), trace_option()};
}

namespace {

// One command runs per process: its traces.
std::shared_ptr<WireTrace> g_memory_trace;
std::shared_ptr<WireTrace> g_file_trace;

} // namespace

std::unique_ptr<ByteLink> cli_link(CliContext &ctx, const QCommandLineParser &p) {
    g_memory_trace = std::make_shared<WireTrace>();
    std::unique_ptr<ByteLink> link = trace_link(std::make_unique<SerialLink>(), g_memory_trace);
    const QString trace = QStringLiteral("trace");
    if (p.optionNames().contains(trace)) {
        auto file = std::make_shared<WireTrace>(false);
        QString why;
        if (!file->to_file(p.value(trace), &why)) {
            ctx.err << QCoreApplication::translate(
                           "options", "Cannot write the wire trace: %1; name a file in a folder you can write to")
                           .arg(why)
                    << Qt::endl;
            return nullptr;
        }
        g_file_trace = file;
        link = trace_link(std::move(link), file);
    }
    return link;
}

int open_device_command(CliContext &ctx, const QCommandLineParser &p, PortSpec &port, std::unique_ptr<ByteLink> &link) {
    if (!ctx.open_store())
        return kExitFailed;
    if (!cli_port(ctx, p, port))
        return kExitUsage;
    link = cli_link(ctx, p);
    return link ? kExitDone : kExitFailed;
}

std::shared_ptr<WireTrace> cli_link_trace() {
    return g_memory_trace;
}

int finish_cli_trace(CliContext &ctx, int rc) {
    if (!g_file_trace)
        return rc;
    g_file_trace->finish();
    const QString error = g_file_trace->error();
    const QString path = g_file_trace->file();
    g_file_trace.reset();
    if (error.isEmpty())
        return rc;
    ctx.err << QCoreApplication::translate("options", "The wire trace %1 is incomplete: %2").arg(path, error)
            << Qt::endl;
    return rc == 0 ? 1 : rc;
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
            ctx.err << QCoreApplication::translate("options", "--baud: give one of the speeds ")
                    << speeds.join(QStringLiteral(", ")) << Qt::endl;
            return false;
        }
    }
    if (p.isSet(parity_name)) {
        const QString v = p.value(parity_name).toUpper();
        int parity = QStringLiteral("EON").indexOf(v);
        if (parity < 0)
            parity = QStringLiteral("012").indexOf(v);
        if (parity < 0 || v.size() != 1) {
            ctx.err << QCoreApplication::translate("options", "--parity: give 0 (E), 1 (O) or 2 (N)") << Qt::endl;
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
            ctx.err << QCoreApplication::translate("options",
                                                   "--port: a port number is 1 to 7; give a device path for others")
                    << Qt::endl;
            return false;
        }
        out.commport = n;
        out.commdevice.clear();
    } else {
        out.commdevice = port;
    }
    return true;
}

bool cli_port(CliContext &ctx, const QCommandLineParser &p, PortSpec &out) {
    LinkSettings settings;
    if (!apply_link_options(ctx, p, settings))
        return false;
    out = port_spec(settings);
    return true;
}

namespace {

std::atomic<ByteLink *> g_interruptible{nullptr};
volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void on_interrupt(int) {
    g_interrupted = 1;
    if (ByteLink *link = g_interruptible.load())
        link->interrupt();
}

} // namespace

bool run_interruptible(ByteLink &link, const std::function<void()> &job) {
    g_interrupted = 0;
    g_interruptible = &link;
    const auto previous = std::signal(SIGINT, on_interrupt);
    job();
    std::signal(SIGINT, previous == SIG_ERR ? SIG_DFL : previous);
    g_interruptible = nullptr;
    return g_interrupted != 0;
}

QString progress_bar_text(qint64 done, qint64 total, int width) {
    const qint64 d = std::clamp<qint64>(done, 0, std::max<qint64>(total, 0));
    const int filled = total > 0 ? static_cast<int>(d * width / total) : 0;
    const int percent = total > 0 ? static_cast<int>(d * 100 / total) : 0;
    return QStringLiteral("[%1%2] %3%  %4/%5")
        .arg(QString(filled, QLatin1Char('#')), QString(width - filled, QLatin1Char(' ')))
        .arg(percent, 3)
        .arg(d)
        .arg(total);
}

void CliProgress::line(const QString &text) {
    end_bar();
    out_ << text << Qt::endl;
}

void CliProgress::status(const QString &text) {
    // On a terminal the bar shows how far; the counting texts would only
    // repeat it.
    if (text == last_ || (terminal_ && bar_.size() > 0))
        return;
    last_ = text;
    end_bar();
    if (!text.isEmpty())
        out_ << text << Qt::endl;
}

void CliProgress::step(qint64 done, qint64 total) {
    if (!terminal_)
        return;
    const QString bar = progress_bar_text(done, total);
    if (bar == bar_)
        return;
    bar_ = bar;
    out_ << '\r' << bar << Qt::flush;
}

void CliProgress::end_bar() {
    if (!bar_.isEmpty())
        out_ << Qt::endl;
    bar_.clear();
}

bool CliProgress::stdout_is_terminal() {
    return platform_stdout_is_terminal();
}

} // namespace k52
