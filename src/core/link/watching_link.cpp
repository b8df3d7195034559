#include "watching_link.h"

#include "exchange.h"

namespace k52 {

bool WatchingLink::open(const QString &port, const SerialSettings &settings, QString *error) {
    device_ = port;
    return inner_.open(port, settings, error);
}

bool WatchingLink::write(const QByteArray &bytes) {
    // A framed command: 0x00, printable text, 0x7F.
    if (bytes.size() >= 2 && bytes.front() == '\0' && bytes.back() == '\x7f') {
        const QByteArray text = bytes.mid(1, bytes.size() - 2);
        bool printable = !text.isEmpty();
        for (char c : text)
            printable = printable && quint8(c) >= 0x20 && quint8(c) < 0x7F;
        if (printable) {
            last_command_ = QString::fromLatin1(text);
            reply_.clear();
            reply_open_ = true;
        }
    }
    return inner_.write(bytes);
}

std::optional<quint8> WatchingLink::read_byte(LinkClock::time_point deadline) {
    const auto b = inner_.read_byte(deadline);
    if (b && reply_open_) {
        if (*b == '\r') {
            reply_open_ = false;
            QString version, identification;
            if (last_command_ == QLatin1String("V") &&
                parse_identification(QString::fromLatin1(reply_), version, identification))
                identification_ = identification;
        } else if (reply_.size() < 256) {
            reply_.append(char(*b));
        }
    }
    return b;
}

} // namespace k52
