#pragma once
// Files the program writes and reads on the user's behalf: written whole or
// not at all, read only when they are regular files of a bounded size.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace k52 {

// Replace `path` with `data` in one step: the bytes go to a temporary file
// beside it, every write and the final flush are checked, and only then is
// the temporary renamed over `path`. On any failure (full disk, file size
// limit, no permission) `path` keeps its old content, false comes back and
// `error` names the file and the cause. The folder must exist. `text`
// writes line ends as the platform has them. Every output the user names
// goes through here: an existing device or FIFO (e.g. /dev/null, a pipe to
// another program) is written in place with every write checked, never
// replaced; a FIFO no program reads from is refused at once.
bool write_file_safely(const QString &path, const QByteArray &data, QString *error, bool text = false);

// Whether `path` may be opened as an input file: it exists and is a regular
// file (so a FIFO or a device never blocks or streams forever). False with
// the reason, naming the file.
bool check_regular_file(const QString &path, QString *error);

// Read a regular file of at most `max_bytes`. Reading stops one byte past
// the limit whatever size the file claims, so a growing or endless file is
// refused, not swallowed. False with the reason, naming the file.
bool read_regular_file(const QString &path, qint64 max_bytes, QByteArray &out, QString *error);

// An output written as it goes (a log, a wire trace): opened in place, so a
// device or a FIFO named by the user stays what it is, appended to or started
// afresh, and unbuffered so that every write is checked as it is made. A
// failed write leaves what was written before it and returns false with the
// reason, naming the file.
class StreamingFile {
public:
    bool open(const QString &path, bool append, QString *error);
    bool write(const QByteArray &data, QString *error);
    void close();
    bool is_open() const { return file_.isOpen(); }
    QString path() const { return file_.fileName(); }

private:
    QFile file_;
};

} // namespace k52
