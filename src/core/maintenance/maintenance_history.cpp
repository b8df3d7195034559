#include "maintenance_history.h"

#include "core/profile/history_store.h"
#include "core/profile/safe_file.h"

#include <QFile>
#include <QTemporaryDir>

namespace k52 {

namespace {

QString with_detail(const JobEnding &r) {
    return r.detail.isEmpty() ? r.message : QStringLiteral("%1: %2").arg(r.message, r.detail);
}

} // namespace

// The clone read exchange into a file of its own.
bool read_backup_image(ByteLink &link, const PortSpec &port, JobProgress &progress, QByteArray &image, QString *error) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("backup.dat"));
    const CloneResult r = clone_read(link, port, file, progress);
    if (r.ok())
        image = clone_file_image(file);
    if (!r.ok() || image.size() != kCloneImageSize) {
        if (error)
            *error = with_detail(r);
        return false;
    }
    return true;
}

ActionEnd history_end(const CloneResult &r, const WatchedEnd &, bool stopped) {
    if (r.ok())
        return {kOutcomeDone, {}};
    if (stopped)
        return {kOutcomeStopped, QString::fromLatin1(kStoppedByUser)};
    if (r.outcome == CloneOutcome::TooOld)
        return {kOutcomeRefused, r.message};
    return {kOutcomeFailed, with_detail(r)};
}

ActionEnd history_end(const FlashResult &r, const WatchedEnd &, bool stopped) {
    if (r.ok())
        return {kOutcomeDone, {}};
    if (stopped)
        return {kOutcomeStopped, QString::fromLatin1(kStoppedByUser)};
    return {kOutcomeFailed, with_detail(r)};
}

ActionEnd history_end(const CommandResult &r, const WatchedEnd &, bool stopped) {
    if (r.sent)
        return {kOutcomeDone, {}};
    return {stopped ? kOutcomeStopped : kOutcomeFailed, with_detail(r)};
}

QByteArray clone_file_image(const QString &path) {
    // Only a regular file: a FIFO or a device would block or stream forever.
    if (!check_regular_file(path, nullptr))
        return {};
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(kCloneImageSize) : QByteArray();
}

CloneResult restore_image(ByteLink &link, const PortSpec &port, const QByteArray &image, JobProgress &progress) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("restore.dat"));
    QFile f(file);
    if (image.size() != kCloneImageSize || !f.open(QIODevice::WriteOnly) || f.write(image) != image.size()) {
        CloneResult r;
        r.outcome = CloneOutcome::FileInvalid;
        r.message = clone_message(r.outcome);
        r.detail =
            QStringLiteral("the stored image holds %1 bytes; an image is %2").arg(image.size()).arg(kCloneImageSize);
        return r;
    }
    f.close();
    return clone_write(link, port, file, progress);
}

} // namespace k52
