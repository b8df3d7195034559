#include "terminal_record.h"

#include "core/link/wire_trace.h"

namespace k52 {

QString LineStamper::feed(const QByteArray &bytes, const QTime &now) {
    QString out;
    out.reserve(bytes.size() + 32);
    const QString stamp = QLatin1Char('[') + now.toString(QStringLiteral("HH:mm:ss.zzz")) + QStringLiteral("] ");
    for (const char ch : bytes) {
        const auto b = quint8(ch);
        if (b == '\r' || b == '\n') {
            const bool second_half = b == '\n' && after_cr_;
            after_cr_ = b == '\r';
            if (second_half)
                continue;
            if (at_start_)
                out += stamp; // an empty line still shows when it came
            out += QLatin1Char('\n');
            at_start_ = true;
            column_ = 0;
            continue;
        }
        after_cr_ = false;
        if (at_start_) {
            out += stamp;
            at_start_ = false;
        } else if (column_ >= kWrap) {
            out += QLatin1Char('\n') + QString(stamp.size(), QLatin1Char(' '));
            column_ = 0;
        }
        if (b >= 0x20 && b < 0x7F) {
            out += QLatin1Char(ch);
            ++column_;
        } else {
            out += QStringLiteral("<%1>").arg(b, 2, 16, QLatin1Char('0')).toUpper();
            column_ += 4;
        }
    }
    return out;
}

QString HexRows::feed(const QByteArray &bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    QByteArray out(3 * bytes.size(), ' ');
    char *p = out.data();
    for (const char ch : bytes) {
        const auto b = quint8(ch);
        *p++ = kDigits[b >> 4];
        *p++ = kDigits[b & 15];
        column_ = (column_ + 1) % kPerRow;
        *p++ = column_ == 0 ? '\n' : ' ';
    }
    return QString::fromLatin1(out);
}

bool TerminalLog::open(const QString &path, QString *error) {
    close();
    if (!file_.open(path, true, error))
        return false;
    path_ = path;
    error_.clear();
    return true;
}

void TerminalLog::close() {
    file_.close();
}

void TerminalLog::write(char direction, const QByteArray &bytes, const QDateTime &now) {
    if (!file_.is_open() || bytes.isEmpty())
        return;
    const QByteArray line = now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toLatin1() + ' ' +
                            WireTrace::format_bytes(direction, bytes);
    if (!file_.write(line, &error_))
        file_.close();
}

} // namespace k52
