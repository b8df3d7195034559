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
    // What the run stores back: the serial terminators as it sent them. The
    // caller writes them into the record it programmed (store_back).
    Terminators terminators;
    // `detail`: why the port could not be used, for "Error downloading"
    // (not a progress line; shown beside them).
};

// The programming run: opens `link` as `port` says, identifies the
// converter, sends every command group for its firmware version, closes the
// port. Reads `rec` only; prints its lines through `progress` (line and
// step).
RunResult savetoK52(ByteLink &link, const PortSpec &port, const ConfigRecord &rec, JobProgress &progress);

// Writes what the run stores back into the record it programmed.
inline void store_back(ConfigRecord &rec, const RunResult &r) {
    rec.terminators = r.terminators;
}

} // namespace k52
