// What the serial links of every system share.
#include "serial_link.h"

#include <QSerialPort>
#include <QSet>

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

} // namespace k52
