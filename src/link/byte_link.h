#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <optional>

namespace k52 {

using LinkClock = std::chrono::steady_clock;

// The byte link to a converter: what every protocol (command exchange,
// programming run, cloning, flash download) is written against. The serial
// implementation wraps QSerialPort; tests use in-memory links.
// A link is used from one thread; only interrupt() may be called from another.
class ByteLink {
public:
    virtual ~ByteLink() = default;

    // `port` is a device name ("/dev/ttyUSB0", "COM3"); `settings` is the
    // link's serial settings text, e.g. "9600,E,7,1".
    virtual bool open(const QString &port, const QString &settings, QString *error) = 0;
    virtual void close() = 0;
    virtual bool is_open() const = 0;
    // Queue bytes for sending; false when the link is closed or failed.
    virtual bool write(const QByteArray &bytes) = 0;
    // One received byte, or nothing once `deadline` has passed, the link was
    // closed or it was interrupted. Waiting burns no CPU.
    virtual std::optional<quint8> read_byte(LinkClock::time_point deadline) = 0;
    // Received bytes waiting to be read.
    virtual int bytes_waiting() = 0;
    // Thread-safe: make the current wait and every later read and write
    // fail at once, until the link is opened again (close_all_links during
    // a run on a worker thread).
    virtual void interrupt() = 0;
};

} // namespace k52
