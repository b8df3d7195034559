#include "wire_trace.h"

#include <QCoreApplication>
#include <QDateTime>

namespace k52 {

namespace {

const char *const kHex = "0123456789ABCDEF";

} // namespace

WireTrace::~WireTrace() {
    flush_line();
    file_.close();
}

bool WireTrace::to_file(const QString &path, QString *error) {
    std::lock_guard lock(mutex_);
    if (!file_.open(path, false, error))
        return false;
    path_ = path;
    // What came before the file was chosen is written first.
    QByteArray before = header_;
    for (const QByteArray &l : lines_)
        before += l;
    if (!before.isEmpty() && !file_.write(before, &error_)) {
        if (error)
            *error = error_;
        return false;
    }
    return true;
}

QByteArray WireTrace::format_line(qint64 micros, char direction, const QByteArray &bytes) {
    return QByteArray::number(micros).rightJustified(12, ' ') + ' ' + format_bytes(direction, bytes);
}

QByteArray WireTrace::format_bytes(char direction, const QByteArray &bytes) {
    // "> 41 42  |AB|\n", filled in place (a terminal log formats every burst).
    const qsizetype n = bytes.size();
    QByteArray line(2 + (n > 0 ? 3 * n - 1 : 0) + 3 + n + 2, ' ');
    char *out = line.data();
    out[0] = direction;
    char *hex = out + 2;
    char *text = hex + (n > 0 ? 3 * n - 1 : 0) + 3;
    text[-1] = '|';
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = quint8(bytes[i]);
        hex[3 * i] = kHex[b >> 4];
        hex[3 * i + 1] = kHex[b & 15];
        text[i] = b >= 0x20 && b < 0x7F ? char(b) : '.';
    }
    text[n] = '|';
    text[n + 1] = '\n';
    return line;
}

void WireTrace::opened(const QString &port, const SerialSettings &settings) {
    std::lock_guard lock(mutex_);
    flush_line();
    start_ = LinkClock::now();
    const QString program =
        QCoreApplication::applicationName().isEmpty() ? QStringLiteral("k52util") : QCoreApplication::applicationName();
    const QString version = QStringLiteral(K52_VERSION);
    QByteArray h = "# k52util wire trace\n";
    h += "# program: " +
         (program + QLatin1Char(' ') + (version.isEmpty() ? QStringLiteral("(no version)") : version)).toUtf8() + '\n';
    h += "# port: " + port.toUtf8() + ' ' + serial_settings_text(settings).toLatin1() + '\n';
    h += "# opened: " + QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1() + '\n';
    put(h, header_.isEmpty());
}

void WireTrace::sent(const QByteArray &bytes) {
    std::lock_guard lock(mutex_);
    if (bytes.isEmpty())
        return;
    if (direction_ != '>') {
        flush_line();
        direction_ = '>';
        line_start_ = std::chrono::duration_cast<std::chrono::microseconds>(LinkClock::now() - start_).count();
    }
    pending_ += bytes;
}

void WireTrace::received(quint8 byte) {
    std::lock_guard lock(mutex_);
    if (direction_ != '<') {
        flush_line();
        direction_ = '<';
        line_start_ = std::chrono::duration_cast<std::chrono::microseconds>(LinkClock::now() - start_).count();
    }
    pending_ += char(byte);
}

void WireTrace::note(const QString &text) {
    std::lock_guard lock(mutex_);
    flush_line();
    put("# " + text.toUtf8() + '\n', false);
}

void WireTrace::finish() {
    std::lock_guard lock(mutex_);
    flush_line();
}

void WireTrace::flush_line() {
    if (!pending_.isEmpty())
        put(format_line(line_start_, direction_, pending_), false);
    pending_.clear();
    direction_ = 0;
}

void WireTrace::put(const QByteArray &line, bool header) {
    if (file_.is_open() && error_.isEmpty() && !file_.write(line, &error_))
        file_.close();
    if (header) {
        header_ = line;
        return;
    }
    if (!keep_)
        return;
    lines_.push_back(line);
    kept_ += line.size();
    while (kept_ + header_.size() > kTraceKeep && !lines_.empty()) {
        kept_ -= lines_.front().size();
        lines_.pop_front();
        ++dropped_;
    }
}

QByteArray WireTrace::text() const {
    std::lock_guard lock(mutex_);
    QByteArray out = header_;
    if (dropped_ > 0)
        out += "# " + QByteArray::number(dropped_) + " older lines left out\n";
    for (const QByteArray &l : lines_)
        out += l;
    return out;
}

bool TracingLink::open(const QString &port, const SerialSettings &settings, QString *error) {
    const bool ok = WatchingLink::open(port, settings, error);
    if (ok)
        trace_.opened(port, settings);
    else
        trace_.note(QStringLiteral("cannot open %1: %2").arg(port, error ? *error : QString()));
    return ok;
}

void TracingLink::close() {
    trace_.finish();
    WatchingLink::close();
}

bool TracingLink::write(const QByteArray &bytes) {
    const bool ok = WatchingLink::write(bytes);
    if (ok)
        trace_.sent(bytes);
    else
        trace_.note(QStringLiteral("write of %1 bytes failed").arg(bytes.size()));
    return ok;
}

void TracingLink::discard_input() {
    const int waiting = bytes_waiting();
    WatchingLink::discard_input();
    if (waiting > 0)
        trace_.note(QStringLiteral("%1 stale bytes discarded").arg(waiting));
}

std::optional<quint8> TracingLink::read_byte(LinkClock::time_point deadline) {
    const auto b = WatchingLink::read_byte(deadline);
    if (!b)
        return b;
    trace_.received(*b);
    if (identification() != noted_) {
        noted_ = identification();
        trace_.note(QStringLiteral("converter: ") + noted_);
    }
    return b;
}

std::unique_ptr<ByteLink> trace_link(std::unique_ptr<ByteLink> link, std::shared_ptr<WireTrace> trace) {
    if (!trace)
        return link;
    return std::make_unique<OwningTracingLink>(std::move(link), std::move(trace));
}

} // namespace k52
