#pragma once

#include "byte_link.h"

#include <QString>

#include <atomic>
#include <memory>

class QSerialPort;

namespace k52 {

// Parsed serial settings text ("9600,E,7,1").
struct SerialSettings {
    qint32 baud = 9600;
    char parity = 'E'; // 'E', 'O', 'N', 'M' or 'S'
    int data_bits = 7; // 5..8
    int stop_bits = 1; // 1 or 2
};

// False (with a reason) when the text is not "BAUD,P,D,S".
bool parse_serial_settings(const QString &text, SerialSettings &out, QString *error);
// Speed, framing and no flow control, set before the port is opened (the
// port applies them as it opens).
void apply_serial_settings(QSerialPort &port, const SerialSettings &s);

// The byte link over a serial port (QSerialPort). Flow control is off and
// the modem-control lines are left as the driver sets them. The port object
// is created by open() in the calling thread and destroyed by close(), so a
// worker thread may own a whole run. Waits sleep in the kernel; interrupt()
// wakes them at once from any thread.
class SerialLink : public ByteLink {
public:
    SerialLink();
    ~SerialLink() override;
    SerialLink(const SerialLink &) = delete;
    SerialLink &operator=(const SerialLink &) = delete;

    bool open(const QString &port, const QString &settings, QString *error) override;
    void close() override;
    // False once the port failed (device gone) or the link was interrupted.
    bool is_open() const override;
    bool write(const QByteArray &bytes) override;
    std::optional<quint8> read_byte(LinkClock::time_point deadline) override;
    int bytes_waiting() override;
    void interrupt() override;

private:
    // Wait until the port is readable (or writable), the deadline passes or
    // the link is interrupted; false unless the port became ready.
    bool wait_ready(bool for_write, LinkClock::time_point deadline);
    void pull_pending();
    void drain_wake();

    std::unique_ptr<QSerialPort> port_;
    std::atomic<bool> interrupted_{false};
    bool failed_ = false;
    int wake_[2] = {-1, -1}; // self-pipe that interrupt() writes to
};

} // namespace k52
