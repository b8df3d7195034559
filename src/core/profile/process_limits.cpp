#include "process_limits.h"

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

namespace k52 {

namespace {

// Sanitizer builds reserve terabytes of shadow address space at start-up,
// which no address-space limit leaves room for: the memory limit is left
// off there (the processor-time limit and the caller's wait still hold).
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kAddressSpaceLimitWorks = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
constexpr bool kAddressSpaceLimitWorks = false;
#else
constexpr bool kAddressSpaceLimitWorks = true;
#endif
#else
constexpr bool kAddressSpaceLimitWorks = true;
#endif

} // namespace

bool memory_limit_enforced() {
    return kAddressSpaceLimitWorks;
}

#ifdef Q_OS_UNIX
// POSIX: resource limits set in the child between fork and exec (only
// async-signal-safe calls there).
void set_process_limits(QProcess &process, const ProcessLimits &limits) {
    const ProcessLimits l = limits;
    process.setChildProcessModifier([l] {
        if (l.cpu_seconds > 0) {
            const rlimit cpu{rlim_t(l.cpu_seconds), rlim_t(l.cpu_seconds) + 1};
            ::setrlimit(RLIMIT_CPU, &cpu);
        }
        if (kAddressSpaceLimitWorks && l.memory_bytes > 0) {
            const rlimit as{rlim_t(l.memory_bytes), rlim_t(l.memory_bytes)};
            ::setrlimit(RLIMIT_AS, &as);
        }
        const rlimit no_core{0, 0};
        ::setrlimit(RLIMIT_CORE, &no_core);
    });
}
#else
void set_process_limits(QProcess &, const ProcessLimits &) {}
#endif

} // namespace k52
