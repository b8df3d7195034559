#include "device_commands.h"

#include "core/link/exchange.h"

namespace k52 {

QString query_version(ByteLink &link, bool *complete, std::chrono::milliseconds timeout) {
    if (complete)
        *complete = false;
    if (!link.write(frame_command(QStringLiteral("V"))))
        return {};
    const auto deadline = LinkClock::now() + timeout;
    QByteArray reply;
    while (auto b = link.read_byte(deadline)) {
        if (*b == 0x0D) {
            if (complete)
                *complete = true;
            break;
        }
        reply.append(char(*b));
    }
    return QString::fromLatin1(reply);
}

bool send_reset(ByteLink &link) {
    return link.write(frame_command(QStringLiteral("U")));
}
bool send_restart(ByteLink &link) {
    return link.write(frame_command(QStringLiteral("Y")));
}

VersionResult version_job(ByteLink &link, const PortSpec &port) {
    VersionResult r;
    if (!open_port(link, port, &r.detail)) {
        r.message = r.detail;
        return r;
    }
    r.reply = query_version(link, &r.complete);
    link.close();
    r.message = r.complete ? escaped_text(r.reply) : QStringLiteral("The converter did not answer");
    return r;
}

namespace {

CommandResult command_job(ByteLink &link, const PortSpec &port, bool (*send)(ByteLink &), const QString &done) {
    CommandResult r;
    if (open_port(link, port, &r.detail)) {
        r.sent = send(link);
        if (!r.sent)
            r.detail = QStringLiteral("the command could not be written to %1").arg(port.device);
    }
    link.close();
    r.message = r.sent ? done : QStringLiteral("Unable to send the command: %1").arg(r.detail);
    return r;
}

} // namespace

CommandResult reset_job(ByteLink &link, const PortSpec &port) {
    return command_job(link, port, send_reset, QStringLiteral("Reset sent"));
}

CommandResult restart_job(ByteLink &link, const PortSpec &port) {
    return command_job(link, port, send_restart, QStringLiteral("Restart sent"));
}

} // namespace k52
