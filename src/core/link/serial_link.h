#pragma once

#include "byte_link.h"

#include <QString>

#include <atomic>
#include <memory>

class QSerialPort;

namespace k52 {

struct PortEntry;

// Speed, framing and no flow control, set before the port is opened (the
// port applies them as it opens).
void apply_serial_settings(QSerialPort &port, const SerialSettings &s);

// The byte link over a serial port. On Linux QSerialPort opens and sets it
// up (serial_link.cpp); on Windows the port is a Win32 file handle with
// blocking reads under COMMTIMEOUTS (serial_link_win.cpp). Flow
// control is off and the modem-control lines are left as the driver sets
// them. The port object is created by open() in the calling thread and
// destroyed by close(), so a worker thread may own a whole run. Waits sleep
// in the kernel; interrupt() wakes them at once from any thread. On Unix the
// bytes go straight through the port's descriptor: a write is one system
// call, and a wait for a reply one poll and one read.
class SerialLink : public ByteLink {
public:
    SerialLink();
    ~SerialLink() override;
    SerialLink(const SerialLink &) = delete;
    SerialLink &operator=(const SerialLink &) = delete;

    bool open(const QString &port, const SerialSettings &settings, QString *error) override;
    void close() override;
    // False once the port failed (device gone) or the link was interrupted.
    bool is_open() const override;
    bool write(const QByteArray &bytes) override;
    std::optional<quint8> read_byte(LinkClock::time_point deadline) override;
    int bytes_waiting() override;
    void discard_input() override;
    void interrupt() override;

private:
    // This system's part of open() (serial_link.cpp, serial_link_win.cpp):
    // opens the named port and sets it up; false, with the reason in
    // `error`, when it cannot.
    bool open_port(const QString &port, const SerialSettings &s, QString *error);
    // This system's part of close(): closes the open port.
    void release_port();
    // Drops what the driver holds received.
    void purge_received();
    // Empties the buffer of bytes received and not yet read.
    void clear_buffer();
    // After the buffers are cleared: drops what still arrives from an
    // earlier session until the line is quiet.
    void drop_stale_input();
    // Wait until the port is readable (or writable), the deadline passes or
    // the link is interrupted; false unless the port became ready.
    bool wait_ready(bool for_write, LinkClock::time_point deadline);
    // Read what the driver holds without blocking; false once the device
    // has gone.
    bool pull_pending();
    void drain_wake();

    std::unique_ptr<QSerialPort> port_;
    QString device_;
    SerialSettings settings_;
    QByteArray in_; // received, not yet read
    qsizetype in_pos_ = 0;
    std::atomic<bool> interrupted_{false};
    bool failed_ = false;
    int wake_[2] = {-1, -1}; // self-pipe that interrupt() writes to
    void *handle_ = nullptr; // Windows: the port's file handle
    int read_wait_ms_ = -1;  // Windows: the read time-out set on the port
};

// A serial link for each port of a search (find_converters).
inline std::unique_ptr<ByteLink> serial_links(const PortEntry &) {
    return std::make_unique<SerialLink>();
}

// Ports closed in the middle of an exchange: the next opening waits for the
// late reply to pass.
void mark_aborted_port(const QString &device);
bool take_aborted_port(const QString &device);

} // namespace k52
