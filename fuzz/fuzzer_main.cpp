// libFuzzer entry of one target, chosen at build time by K52_FUZZ_TARGET.
#include "fuzz_targets.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString broke = k52::fuzz::K52_FUZZ_TARGET(bytes);
    if (!broke.isEmpty()) {
        std::fprintf(stderr, "invariant broken: %s\n", qPrintable(broke));
        std::abort();
    }
    return 0;
}
