#pragma once

#include "link/byte_link.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <vector>

namespace k52test {

// An in-memory byte link for unit tests. Bytes queued with feed() are read
// back one by one; when none are queued a read gives up at once, as if its
// deadline had passed (the deadline asked for is recorded). A responder can
// answer each complete command frame as it is written.
class MemoryLink : public k52::ByteLink {
public:
    using Responder = std::function<QByteArray(const QString &command)>;

    bool open(const QString &port, const QString &settings, QString *error) override;
    void close() override { open_ = false; }
    bool is_open() const override { return open_ && !gone_; }
    bool write(const QByteArray &bytes) override;
    std::optional<quint8> read_byte(k52::LinkClock::time_point deadline) override;
    int bytes_waiting() override { return is_open() ? static_cast<int>(incoming.size()) : 0; }
    void interrupt() override { gone_ = true; }

    void feed(const QByteArray &bytes) { incoming.append(bytes); }

    // Answer every command "OK" CR, except commands starting with `refuse`.
    static Responder ok_to_all(const QString &version = QStringLiteral("01.99"), const QString &refuse = {});

    Responder responder;
    QString fail_open_error; // non-empty: open() fails with it
    int vanish_after = -1;   // the device goes away after this many commands
    QByteArray written;      // every byte written, frames included
    QByteArray incoming;     // bytes still to be read
    QStringList commands;    // command texts of the frames written
    QString opened_port, opened_settings;
    int opens = 0;
    std::vector<k52::LinkClock::time_point> deadlines; // deadline of every read that found nothing

private:
    bool open_ = false;
    bool gone_ = false;
    QByteArray partial_;
};

} // namespace k52test
