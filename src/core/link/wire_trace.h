#pragma once
// The wire trace: every byte between the program and the converter, both
// ways, for support. One exchange a line (bytes going the same way run on
// in one line until the other side speaks):
//
//   # k52util wire trace
//   # program: k52util 1.2.0
//   # port: /dev/ttyUSB0 9600,E,7,1
//   # opened: 2026-12-08T15:20:00Z
//        1042 > 00 56 7F  |.V.|
//       25310 < 4B 35 32 20 56 30 31 2E 39 34 0D  |K52 V01.94.|
//   # converter: K52 V01.94
//
// The number is the time since the port was opened in microseconds, ">" is
// sent, "<" received, then the bytes as two-digit hex and, between bars,
// the printable text (others as "."). Lines starting with "#" are notes.
//
// The trace goes to a file written in place as the job runs (every write
// checked) and, for the history, to memory: the header and the newest
// lines up to kTraceKeep bytes. A WireTrace may be shared between threads.

#include "byte_link.h"
#include "core/profile/safe_file.h"
#include "watching_link.h"

#include <QByteArray>
#include <QString>

#include <deque>
#include <memory>
#include <mutex>

namespace k52 {

// The most of a trace kept in memory (and with a history row).
inline constexpr qsizetype kTraceKeep = 1024 * 1024;

class WireTrace {
public:
    // `keep_in_memory` false: only the file gets the lines.
    explicit WireTrace(bool keep_in_memory = true) : keep_(keep_in_memory) {}
    WireTrace(const WireTrace &) = delete;
    WireTrace &operator=(const WireTrace &) = delete;
    ~WireTrace();

    // Also write the trace to `path` (truncated). False, with why.
    bool to_file(const QString &path, QString *error);
    QString file() const { return path_; }

    // The port was opened: the header; times count from now.
    void opened(const QString &port, const SerialSettings &settings);
    void sent(const QByteArray &bytes);
    void received(quint8 byte);
    void note(const QString &text);
    // Ends the open line (the file stays open for a further job).
    void finish();

    // The trace as kept in memory (header and the newest lines).
    QByteArray text() const;
    // The first write to the file that failed, or empty.
    QString error() const {
        std::lock_guard lock(mutex_);
        return error_;
    }

    // One line as written: "%12lld > hex  |text|".
    static QByteArray format_line(qint64 micros, char direction, const QByteArray &bytes);
    // The same without the time: "> 41 42  |AB|" and the line end.
    static QByteArray format_bytes(char direction, const QByteArray &bytes);

private:
    void flush_line();
    void put(const QByteArray &line, bool header);

    mutable std::mutex mutex_;
    bool keep_ = true;
    StreamingFile file_;
    QString path_;
    QString error_;
    LinkClock::time_point start_{};
    char direction_ = 0;
    qint64 line_start_ = 0;
    QByteArray pending_;
    QByteArray header_;
    std::deque<QByteArray> lines_;
    qsizetype kept_ = 0;
    qint64 dropped_ = 0;
};

// A link that writes what passes through it into a trace (and watches it
// like a WatchingLink: the converter's identification becomes a note).
class TracingLink : public WatchingLink {
public:
    TracingLink(ByteLink &inner, WireTrace &trace) : WatchingLink(inner), trace_(trace) {}
    ~TracingLink() override { trace_.finish(); }
    bool open(const QString &port, const SerialSettings &settings, QString *error) override;
    void close() override;
    bool write(const QByteArray &bytes) override;
    std::optional<quint8> read_byte(LinkClock::time_point deadline) override;
    // Stale input goes the inner link's own way (which waits for a quiet
    // line after an aborted exchange); how many bytes went is noted.
    void discard_input() override;

private:
    WireTrace &trace_;
    QString noted_;
};

struct TracedParts {
    std::unique_ptr<ByteLink> inner;
    std::shared_ptr<WireTrace> trace;
};

// A link owning its inner link and tracing it into a shared trace: what
// trace_link() makes. The parts outlive the tracing link's own ending.
class OwningTracingLink : private TracedParts, public TracingLink {
public:
    OwningTracingLink(std::unique_ptr<ByteLink> inner, std::shared_ptr<WireTrace> trace)
        : TracedParts{std::move(inner), std::move(trace)}, TracingLink(*TracedParts::inner, *TracedParts::trace) {}
    void interrupt() override { TracedParts::inner->interrupt(); }
};

// `link` traced into `trace`; `link` itself when there is no trace.
std::unique_ptr<ByteLink> trace_link(std::unique_ptr<ByteLink> link, std::shared_ptr<WireTrace> trace);

} // namespace k52
