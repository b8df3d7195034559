#pragma once
// How a programming run ends, for its history row (see core/link/recorded_job.h).

#include "core/link/recorded_job.h"
#include "programming_run.h"

namespace k52 {

ActionEnd history_end(const RunResult &r, const WatchedEnd &seen, bool stopped);

} // namespace k52
