#pragma once

#include "core/link/device_job.h"
#include "core/profile/config_record.h"

#include <QString>

namespace k52 {

enum class RunOutcome {
    Programmed,       // "Converter has been programmed"
    Stopped,          // "Programming Stopped" (refusal, failed check, no identification)
    ErrorDownloading, // "Error downloading" (port missing, busy or failed)
};

// `message` is the run's last line.
struct RunResult : JobEnding {
    RunOutcome outcome = RunOutcome::Stopped;
    // The serial terminators as the run normalised them; the caller writes
    // them back into the record it took the snapshot from.
    Terminators terminators;
    // `detail`: why the port could not be used, for "Error downloading"
    // (not a progress line; shown beside them).
};

// The programming run: opens `link` as `port` says, identifies the
// converter, sends every command group for its firmware version, closes the
// port. Works on its own copy of the record; prints its lines through
// `progress` (line and step).
RunResult savetoK52(ByteLink &link, const PortSpec &port, const ConfigRecord &rec, JobProgress &progress);

} // namespace k52
