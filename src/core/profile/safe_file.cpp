#include "safe_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace k52 {

namespace {

bool failed(QString *error, const QString &path, const QString &why) {
    if (error)
        *error = QStringLiteral("Cannot write %1: %2").arg(path, why);
    return false;
}

} // namespace

namespace {

// Whether `path` names something that exists and is neither a regular file
// nor a folder: a device node, a FIFO or a socket. Such a target is written
// in place; renaming a temporary file over it would replace the node.
bool is_special(const QString &path) {
    const QFileInfo fi(path);
    return fi.exists() && !fi.isFile() && !fi.isDir();
}

#ifdef Q_OS_UNIX
// Opens a special file for writing without ever blocking on it: a FIFO no
// program reads from is refused at once instead of waiting for a reader.
// The descriptor is set back to blocking writes once open. -1 with the
// reason when it cannot be opened.
int open_special_for_writing(const QString &path, QString *error) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *error = errno == ENXIO ? QStringLiteral("it is a pipe that no program reads from")
                                : QString::fromLocal8Bit(std::strerror(errno));
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}
#endif

// Writes `data` to a device or FIFO in place, every write checked.
bool write_in_place(const QString &path, const QByteArray &data, QString *error) {
    QFile f;
#ifdef Q_OS_UNIX
    QString why;
    const int fd = open_special_for_writing(path, &why);
    if (fd < 0)
        return failed(error, path, why);
    if (!f.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failed(error, path, f.errorString());
    }
#else
    f.setFileName(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(error, path, f.errorString());
#endif
    if (f.write(data) != data.size() || f.error() != QFileDevice::NoError)
        return failed(error, path, f.errorString());
    f.close();
    return true;
}

} // namespace

bool write_file_safely(const QString &path, const QByteArray &data, QString *error, bool text) {
    if (is_special(path))
        return write_in_place(path, data, error);
    QSaveFile f(path);
    if (!f.open(text ? QIODevice::WriteOnly | QIODevice::Text : QIODevice::WriteOnly))
        return failed(error, path, f.errorString());
    // QSaveFile buffers small writes, so a full disk or a file size limit
    // usually shows only when the buffer is flushed. QSaveFile::commit()
    // (Qt 6.4) flushes but does not look at the result: it would rename a
    // short or empty temporary file over the good one. Hence the explicit
    // write count, flush and error check before committing.
    const qint64 written = f.write(data);
    if (written != data.size() || !f.flush() || f.error() != QFileDevice::NoError) {
        const QString why = f.errorString();
        f.cancelWriting();
        return failed(error, path, why);
    }
    if (!f.commit())
        return failed(error, path, f.errorString());
    return true;
}

bool check_regular_file(const QString &path, QString *error) {
    const QFileInfo fi(path);
    QString why;
    if (!fi.exists())
        why = QStringLiteral("no such file");
    else if (fi.isDir())
        why = QStringLiteral("it is a folder");
    else if (!fi.isFile())
        why = QStringLiteral("not a regular file (a device, pipe or socket)");
    else if (!fi.isReadable())
        why = QStringLiteral("permission denied");
    if (why.isEmpty())
        return true;
    if (error)
        *error = QStringLiteral("Cannot read %1: %2").arg(path, why);
    return false;
}

bool read_regular_file(const QString &path, qint64 max_bytes, QByteArray &out, QString *error) {
    if (!check_regular_file(path, error))
        return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Cannot read %1: %2").arg(path, f.errorString());
        return false;
    }
    QByteArray data = f.read(max_bytes + 1);
    if (f.error() != QFileDevice::NoError) {
        if (error)
            *error = QStringLiteral("Cannot read %1: %2").arg(path, f.errorString());
        return false;
    }
    if (data.size() > max_bytes) {
        if (error)
            *error = QStringLiteral("Cannot read %1: it is larger than %2 bytes").arg(path).arg(max_bytes);
        return false;
    }
    out = std::move(data);
    return true;
}

bool StreamingFile::open(const QString &path, bool append, QString *error) {
    close();
    file_.setFileName(path);
    const QFileInfo fi(path);
    if (fi.isDir())
        return failed(error, path, QStringLiteral("it is a folder"));
    // A regular file is appended to or truncated; anything else (a device,
    // a FIFO) is only ever written to, never truncated or replaced.
    QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Unbuffered;
    if (!fi.exists() || fi.isFile())
        mode |= append ? QIODevice::Append : QIODevice::Truncate;
    if (!file_.open(mode))
        return failed(error, path, file_.errorString());
    return true;
}

bool StreamingFile::write(const QByteArray &data, QString *error) {
    if (!file_.isOpen())
        return failed(error, file_.fileName(), QStringLiteral("the file is not open"));
    if (data.isEmpty())
        return true;
    if (file_.write(data) != data.size() || file_.error() != QFileDevice::NoError) {
        const QString why = file_.errorString();
        file_.unsetError();
        return failed(error, file_.fileName(), why);
    }
    return true;
}

void StreamingFile::close() {
    if (file_.isOpen())
        file_.close();
}

} // namespace k52
