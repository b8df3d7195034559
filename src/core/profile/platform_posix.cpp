#include "platform.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace k52 {

QString platform_data_dir() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zor");
}

std::tm platform_local_time(std::time_t secs) {
    std::tm t{};
    localtime_r(&secs, &t);
    return t;
}

QString platform_program_dir(const char *argv0) {
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    if (self.exists())
        return QFileInfo(self.canonicalFilePath()).absolutePath();
    return QFileInfo(QString::fromLocal8Bit(argv0)).absolutePath();
}

void platform_hold_closed_standard_streams() {
    for (int fd = 0; fd <= 2; ++fd)
        if (::fcntl(fd, F_GETFD) == -1)
            ::open("/dev/null", O_RDONLY); // takes the lowest free number: fd
}

bool platform_stdout_is_terminal() {
    return ::isatty(fileno(stdout)) != 0;
}

bool platform_run_instead(const QString &program, char **argv, int *, QString *error) {
    ::execv(QFile::encodeName(program).constData(), argv);
    *error = qt_error_string(errno);
    return false;
}

} // namespace k52
