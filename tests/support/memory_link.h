#pragma once

#include "core/link/device_job.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <vector>

namespace k52test {

// A job's port on `device` with the framing of the stored parity (0 E,7,1).
inline k52::PortSpec port_on(const QString &device, qint32 baud = 9600, int parity = 0) {
    k52::PortSpec p;
    p.device = device;
    p.serial = *k52::serial_settings(baud, parity);
    return p;
}

// An in-memory byte link for unit tests. Bytes queued with feed() are read
// back one by one; when none are queued a read gives up at once, as if its
// deadline had passed (the deadline asked for is recorded). A responder can
// answer each complete command frame as it is written.
class MemoryLink : public k52::ByteLink {
public:
    using Responder = std::function<QByteArray(const QString &command)>;

    bool open(const QString &port, const k52::SerialSettings &settings, QString *error) override;
    void close() override { open_ = false; }
    bool is_open() const override { return open_ && !gone_; }
    bool write(const QByteArray &bytes) override;
    std::optional<quint8> read_byte(k52::LinkClock::time_point deadline) override;
    int bytes_waiting() override { return is_open() ? static_cast<int>(incoming.size()) : 0; }
    // The bytes fed are the converter's script, there before the port is
    // opened: only what `stale` holds is dropped.
    void discard_input() override {
        ++discards;
        stale.clear();
    }
    void interrupt() override { gone_ = true; }

    void feed(const QByteArray &bytes) { incoming.append(bytes); }

    // Answer every command "OK" CR, except commands starting with `refuse`.
    static Responder ok_to_all(const QString &version = QStringLiteral("01.99"), const QString &refuse = {});

    Responder responder;
    QString fail_open_error; // non-empty: open() fails with it
    int vanish_after = -1;   // the device goes away after this many commands
    QByteArray written;      // every byte written, frames included
    QByteArray incoming;     // bytes still to be read
    QByteArray stale;        // read before `incoming`, unless discarded
    int discards = 0;
    QStringList commands;                 // command texts of the frames written
    QString opened_port, opened_settings; // settings as text, "9600,E,7,1"
    int opens = 0;
    std::vector<k52::LinkClock::time_point> deadlines; // deadline of every read that found nothing

private:
    bool open_ = false;
    bool gone_ = false;
    QByteArray partial_;
};

} // namespace k52test
