#pragma once

#include "byte_link.h"

#include <QByteArray>
#include <QString>

namespace k52 {

// A link that notes what passes through it: the last framed command sent,
// the reply it got, and the converter's identification when it answered
// "V". Used from the action's thread; read once the action has returned.
class WatchingLink : public ByteLink {
public:
    explicit WatchingLink(ByteLink &inner) : inner_(inner) {}
    bool open(const QString &port, const SerialSettings &settings, QString *error) override;
    void close() override { inner_.close(); }
    bool is_open() const override { return inner_.is_open(); }
    bool write(const QByteArray &bytes) override;
    std::optional<quint8> read_byte(LinkClock::time_point deadline) override;
    int bytes_waiting() override { return inner_.bytes_waiting(); }
    void discard_input() override { inner_.discard_input(); }
    void interrupt() override { inner_.interrupt(); }

    QString last_command() const { return last_command_; }
    QString last_reply() const { return QString::fromLatin1(reply_); }
    QString identification() const { return identification_; }
    QString device() const { return device_; }

private:
    ByteLink &inner_;
    QString device_;
    QString last_command_;
    QByteArray reply_;
    bool reply_open_ = false;
    QString identification_;
};

} // namespace k52
