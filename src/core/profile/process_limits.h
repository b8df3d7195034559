#pragma once
// Limits for a child process that reads untrusted input (an Access file):
// however the input makes it misbehave, it ends within its time and cannot
// take the machine's memory. One function, one implementation per system.

#include <QProcess>

namespace k52 {

struct ProcessLimits {
    int cpu_seconds = 20;                  // processor time
    qint64 memory_bytes = qint64(1) << 30; // address space; 0: no limit
};

// Makes `process` start under `limits` (call before start()). Where the
// system cannot enforce a limit it is left off; the caller still bounds
// the wall-clock time by its own wait.
void set_process_limits(QProcess &process, const ProcessLimits &limits);
// Whether the memory limit is enforced in this build (not under the
// sanitizers, whose shadow memory no address-space limit leaves room for).
bool memory_limit_enforced();

} // namespace k52
