#include "platform.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

#include <io.h>
#include <windows.h>

namespace k52 {

QString platform_data_dir() {
    return QStringLiteral("c:/zor");
}

std::tm platform_local_time(std::time_t secs) {
    std::tm t{};
    localtime_s(&t, &secs);
    return t;
}

QString platform_program_dir(const char *argv0) {
    wchar_t path[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
    if (n > 0 && n < std::size(path))
        return QFileInfo(QDir::fromNativeSeparators(QString::fromWCharArray(path, int(n)))).absolutePath();
    return QFileInfo(QString::fromLocal8Bit(argv0)).absolutePath();
}

void platform_hold_closed_standard_streams() {}

bool platform_stdout_is_terminal() {
    return _isatty(_fileno(stdout)) != 0;
}

} // namespace k52
