// libFuzzer entry of one target, chosen at build time by K52_FUZZ_TARGET.
#include "fuzz_targets.h"

#include "core/profile/legacy_reader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The Access reader runs in a child: the program named by K52_UTIL.
extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    if (const char *util = std::getenv("K52_UTIL"))
        k52::set_legacy_reader_program(QString::fromLocal8Bit(util));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString broke = k52::fuzz::K52_FUZZ_TARGET(bytes);
    if (!broke.isEmpty()) {
        std::fprintf(stderr, "invariant broken: %s\n", qPrintable(broke));
        std::abort();
    }
    return 0;
}
