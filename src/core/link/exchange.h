#pragma once

#include "byte_link.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <optional>

namespace k52 {

// Time allowed for a whole reply (not restarted per character).
inline constexpr std::chrono::milliseconds kReplyTimeout{2000};

// 0x00, the command text, 0x7F; no terminator is added.
QByteArray frame_command(const QString &command);

enum class ReplyStatus {
    Complete,   // a CR arrived; `text` holds what came before it
    TimedOut,   // no CR before the deadline; `text` holds what arrived
    LinkFailed, // the write failed or the link went away / was interrupted
};

struct Reply {
    ReplyStatus status = ReplyStatus::TimedOut;
    QString text; // without the CR; only a Complete reply is an answer
};

// Send one framed command and collect the reply up to the first CR. Nothing
// is discarded before sending, so characters that followed an earlier CR
// start this reply.
Reply exchange(ByteLink &link, const QString &command, std::chrono::milliseconds timeout = kReplyTimeout);

// True when the reply is exactly "OK".
bool send_command(ByteLink &link, const QString &command);

// The identification of a converter from its reply to "V": true with the
// version ("01.94") and identification ("K52 V01.94", escaped for display)
// for the four model prefixes (exact case), false otherwise.
bool parse_identification(const QString &reply, QString &version, QString &identification);

// Text received from a device, fit for a message: characters below 0x20,
// 0x7F and above 0x7E are shown as \xNN (and a backslash as \\), so no
// control sequence reaches a terminal or a message box. At most 40
// characters are quoted; a longer text ends in "... (N bytes in all)".
QString escaped_text(const QString &received);

// Sends "V" and collects the converter's identification reply (what came
// in time when no CR did: the utilities show it).
Reply query_version(ByteLink &link, std::chrono::milliseconds timeout = kReplyTimeout);

// query_version, parsed: true when the converter identified itself.
bool get_version(ByteLink &link, QString &version, QString &identification,
                 std::chrono::milliseconds timeout = kReplyTimeout, ReplyStatus *status = nullptr);

// Closes the serial link.
void close_comm(ByteLink &link);

} // namespace k52
