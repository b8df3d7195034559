#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <optional>

namespace k52 {

using LinkClock = std::chrono::steady_clock;

enum class Parity { Even, Odd, None, Mark, Space };

// The framing and speed of a serial link, as the port is set up.
struct SerialSettings {
    qint32 baud = 9600;
    Parity parity = Parity::Even;
    int data_bits = 7; // 5..8
    int stop_bits = 1; // 1 or 2
    bool operator==(const SerialSettings &) const = default;
};

// "9600,E,7,1": the settings as an installer reads them.
QString serial_settings_text(const SerialSettings &s);
// Typed framing of the stored parity: 0 ",E,7,1", 1 ",O,7,1", 2 ",N,8,1";
// nothing for any other value.
std::optional<SerialSettings> serial_settings(qint32 baudrate, int parity);

// How long `bytes` characters take on the wire at the link's speed and
// framing (start bit, data bits, parity bit, stop bits), rounded up.
std::chrono::milliseconds wire_time(const SerialSettings &s, qint64 bytes);

// The byte link to a converter: what every protocol (command exchange,
// programming run, cloning, flash download) is written against. The serial
// implementation wraps QSerialPort; tests use in-memory links.
// A link is used from one thread; only interrupt() may be called from another.
class ByteLink {
public:
    virtual ~ByteLink() = default;

    // `port` is a device name ("/dev/ttyUSB0", "COM3").
    virtual bool open(const QString &port, const SerialSettings &settings, QString *error) = 0;
    virtual void close() = 0;
    virtual bool is_open() const = 0;
    // Send bytes; false when the link is closed or failed.
    virtual bool write(const QByteArray &bytes) = 0;
    // One received byte, or nothing once `deadline` has passed, the link was
    // closed or it was interrupted. Waiting burns no CPU.
    virtual std::optional<quint8> read_byte(LinkClock::time_point deadline) = 0;
    // Received bytes waiting to be read.
    virtual int bytes_waiting() = 0;
    // Drop every received byte not read yet (late replies of an earlier,
    // aborted exchange).
    virtual void discard_input() {
        while (bytes_waiting() > 0 && read_byte(LinkClock::now())) {
        }
    }
    // Thread-safe and safe in a signal handler: make the current wait and
    // every later read and write fail at once, until the link is opened
    // again (close_all_links during a run on a worker thread, Ctrl-C).
    virtual void interrupt() = 0;
};

} // namespace k52
