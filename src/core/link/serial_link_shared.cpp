// What the serial links of every system share.
#include "serial_link.h"

#include <QSerialPort>
#include <QSet>

#include <algorithm>

#include <mutex>

namespace k52 {

namespace {

std::mutex g_aborted_mutex;
QSet<QString> g_aborted;

} // namespace

void apply_serial_settings(QSerialPort &port, const SerialSettings &s) {
    port.setBaudRate(s.baud);
    port.setDataBits(static_cast<QSerialPort::DataBits>(s.data_bits));
    switch (s.parity) {
    case Parity::Even:
        port.setParity(QSerialPort::EvenParity);
        break;
    case Parity::Odd:
        port.setParity(QSerialPort::OddParity);
        break;
    case Parity::Mark:
        port.setParity(QSerialPort::MarkParity);
        break;
    case Parity::Space:
        port.setParity(QSerialPort::SpaceParity);
        break;
    case Parity::None:
        port.setParity(QSerialPort::NoParity);
        break;
    }
    port.setStopBits(s.stop_bits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
}

void mark_aborted_port(const QString &device) {
    std::lock_guard lock(g_aborted_mutex);
    g_aborted.insert(device);
}

bool take_aborted_port(const QString &device) {
    std::lock_guard lock(g_aborted_mutex);
    return g_aborted.remove(device);
}

bool SerialLink::open(const QString &port, const SerialSettings &s, QString *error) {
    close();
    interrupted_ = false;
    failed_ = false;
    drain_wake();
    if (port.isEmpty()) {
        if (error)
            *error = QStringLiteral("No serial port is selected");
        return false;
    }
    if (!open_port(port, s, error))
        return false;
    device_ = port;
    settings_ = s;
    clear_buffer();
    return true;
}

void SerialLink::close() {
    if (port_ || handle_) { // Linux holds the port object, Windows the handle
        if (interrupted_)
            mark_aborted_port(device_);
        release_port();
    }
    failed_ = false;
}

void SerialLink::discard_input() {
    if (!is_open())
        return;
    purge_received();
    clear_buffer();
    drop_stale_input();
}

void SerialLink::clear_buffer() {
    in_.clear();
    in_pos_ = 0;
}

void SerialLink::drop_stale_input() {
    // A converter may still be talking from an earlier session (a run that
    // was killed during an image read goes on sending): what arrives until
    // the line has been quiet for 50 ms goes too, at most 500 ms and 4 KiB
    // of it, so a chattering line cannot hold the job. After an exchange of
    // this program was cut off, its reply may be a clone packet on its way:
    // the quiet wait then covers one, and the whole wait may last 3 s.
    const bool aborted = take_aborted_port(device_);
    const auto quiet =
        std::chrono::milliseconds(50) + (aborted ? wire_time(settings_, 80) : std::chrono::milliseconds(0));
    const auto give_up =
        LinkClock::now() + (aborted ? std::chrono::milliseconds(3000) : std::chrono::milliseconds(500));
    constexpr qsizetype kMostDiscarded = 4096;
    qsizetype dropped = 0;
    while (dropped < kMostDiscarded && LinkClock::now() < give_up &&
           read_byte(std::min(LinkClock::now() + quiet, give_up))) {
        dropped += 1 + (in_.size() - in_pos_);
        clear_buffer();
    }
}

} // namespace k52
