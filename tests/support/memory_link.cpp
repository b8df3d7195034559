#include "memory_link.h"

namespace k52test {

bool MemoryLink::open(const QString &port, const k52::SerialSettings &settings, QString *error) {
    ++opens;
    opened_port = port;
    opened_settings = k52::serial_settings_text(settings);
    if (!fail_open_error.isEmpty()) {
        if (error)
            *error = fail_open_error;
        return false;
    }
    open_ = true;
    gone_ = false;
    return true;
}

bool MemoryLink::write(const QByteArray &bytes) {
    if (!is_open())
        return false;
    written.append(bytes);
    for (char c : bytes) {
        if (c == '\0') {
            partial_.clear();
            partial_.append(c);
        } else if (c == '\x7f' && !partial_.isEmpty()) {
            const QString cmd = QString::fromLatin1(partial_.mid(1));
            partial_.clear();
            commands << cmd;
            if (responder)
                incoming.append(responder(cmd));
            if (vanish_after >= 0 && commands.size() >= vanish_after)
                gone_ = true;
        } else if (!partial_.isEmpty()) {
            partial_.append(c);
        }
    }
    return true;
}

std::optional<quint8> MemoryLink::read_byte(k52::LinkClock::time_point deadline) {
    if (!is_open())
        return std::nullopt;
    if (!stale.isEmpty()) {
        const auto b = static_cast<quint8>(stale.at(0));
        stale.remove(0, 1);
        return b;
    }
    if (incoming.isEmpty()) {
        deadlines.push_back(deadline);
        return std::nullopt;
    }
    const auto b = static_cast<quint8>(incoming.at(0));
    incoming.remove(0, 1);
    return b;
}

MemoryLink::Responder MemoryLink::ok_to_all(const QString &version, const QString &refuse) {
    return [version, refuse](const QString &cmd) -> QByteArray {
        if (cmd == QLatin1String("V"))
            return "ZOR K52 V" + version.toLatin1() + "\r";
        if (!refuse.isEmpty() && cmd.startsWith(refuse))
            return "ERR\r";
        return "OK\r";
    };
}

} // namespace k52test
