#pragma once
// The utilities' own exchanges with a converter: the version query, reset
// and restart, and their jobs.

#include "core/link/device_job.h"

#include <QString>

#include <chrono>

namespace k52 {

// Time allowed for the whole identification reply of the utilities.
inline constexpr std::chrono::milliseconds kUtilityVersionTimeout{1000};

// 0x00 "U" 0x7F and 0x00 "Y" 0x7F; no reply is awaited. False when the
// bytes could not be written.
bool send_reset(ByteLink &link);
bool send_restart(ByteLink &link);

// The version query as a job. `complete` with `reply` when the converter
// answered in time; otherwise `message` says it did not, and `detail` why
// the port could not be used where that was the reason.
struct VersionResult : JobEnding {
    bool complete = false;
    QString reply;
};
VersionResult version_job(ByteLink &link, const PortSpec &port);

// Reset and restart as jobs: `sent` once the command has gone out (no reply
// is awaited); `message` "Reset sent" or "Restart sent", or why not.
struct CommandResult : JobEnding {
    bool sent = false;
};
CommandResult reset_job(ByteLink &link, const PortSpec &port);
CommandResult restart_job(ByteLink &link, const PortSpec &port);

} // namespace k52
