#include "exchange.h"

#include <algorithm>

namespace k52 {

QByteArray frame_command(const QString &command) {
    QByteArray f;
    f.reserve(command.size() + 2);
    f.append('\0');
    f.append(command.toLatin1());
    f.append('\x7f');
    return f;
}

Reply exchange(ByteLink &link, const QString &command, std::chrono::milliseconds timeout) {
    Reply r;
    if (!link.is_open() || !link.write(frame_command(command))) {
        r.status = ReplyStatus::LinkFailed;
        return r;
    }
    const auto deadline = LinkClock::now() + timeout;
    QByteArray text;
    for (;;) {
        const std::optional<quint8> b = link.read_byte(deadline);
        if (!b) {
            r.status = link.is_open() ? ReplyStatus::TimedOut : ReplyStatus::LinkFailed;
            break;
        }
        if (*b == 0x0D) {
            r.status = ReplyStatus::Complete;
            break;
        }
        text.append(static_cast<char>(*b));
    }
    r.text = QString::fromLatin1(text);
    return r;
}

QString escaped_text(const QString &received) {
    constexpr qsizetype kMostQuoted = 40;
    QString out;
    out.reserve(std::min(received.size(), kMostQuoted) * 4 + 24);
    for (const QChar c : QStringView(received).left(kMostQuoted)) {
        const char16_t u = c.unicode();
        if (u == u'\\')
            out += QStringLiteral("\\\\");
        else if (u < 0x20 || u >= 0x7F)
            out += QStringLiteral("\\x") + QString::number(u, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else
            out += c;
    }
    if (received.size() > kMostQuoted)
        out += QStringLiteral("... (%1 bytes in all)").arg(received.size());
    return out;
}

bool send_command(ByteLink &link, const QString &command) {
    const Reply r = exchange(link, command);
    return r.status == ReplyStatus::Complete && r.text == QLatin1String("OK");
}

bool parse_identification(const QString &reply, QString &version, QString &identification) {
    struct Prefix {
        const char *text;
        int version_from; // 1-based character positions
        int version_to;
    };
    // The nine-character prefixes first.
    static const Prefix kPrefixes[] = {
        {"ZOR K52 V", 10, 14}, {"ZOR K54 V", 10, 14}, {"ZOR K52R V", 11, 15}, {"ZOR K54R V", 11, 15}};
    for (const Prefix &p : kPrefixes) {
        if (reply.startsWith(QLatin1String(p.text), Qt::CaseSensitive)) {
            version = reply.mid(p.version_from - 1, p.version_to - p.version_from + 1);
            // Shown to the user: whatever the device put there, escaped.
            identification = escaped_text(reply.mid(4, p.version_to - 4));
            return true;
        }
    }
    return false;
}

Reply query_version(ByteLink &link, std::chrono::milliseconds timeout) {
    return exchange(link, QStringLiteral("V"), timeout);
}

bool get_version(ByteLink &link, QString &version, QString &identification, std::chrono::milliseconds timeout,
                 ReplyStatus *status) {
    const Reply r = query_version(link, timeout);
    if (status)
        *status = r.status;
    return r.status == ReplyStatus::Complete && parse_identification(r.text, version, identification);
}

void close_comm(ByteLink &link) {
    link.close();
}

} // namespace k52
