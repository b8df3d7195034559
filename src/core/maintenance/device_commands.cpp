#include "device_commands.h"

#include "core/link/exchange.h"

namespace k52 {

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
    const Reply reply = query_version(link, kUtilityVersionTimeout);
    r.complete = reply.status == ReplyStatus::Complete;
    r.reply = reply.text;
    close_comm(link);
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
    close_comm(link);
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
