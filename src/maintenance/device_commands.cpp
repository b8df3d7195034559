#include "device_commands.h"

#include "link/exchange.h"

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

} // namespace k52
