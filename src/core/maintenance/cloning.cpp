#include "cloning.h"

#include "core/link/exchange.h"
#include "core/profile/safe_file.h"
#include "core/profile/startup.h"
#include "device_commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace k52 {

QString clone_file_path() {
    return QDir::toNativeSeparators(QDir::fromNativeSeparators(default_data_dir()) + QStringLiteral("/K52clone.dat"));
}

QByteArray clone_upload_request() {
    return QByteArray("\x00\x03\x7f", 3);
}

QByteArray clone_packet(const QByteArray &image, int index) {
    QByteArray p;
    p.reserve(4 + 2 * kClonePacketBytes);
    p.append('\x00');
    p.append(index == 0 ? '\x01' : '\x02');
    for (int i = 0; i < kClonePacketBytes; ++i) {
        const auto b = static_cast<quint8>(image.at(index * kClonePacketBytes + i));
        p.append(char(0x20 + (b >> 4)));
        p.append(char(0x20 + (b & 0x0F)));
    }
    p.append('\x0d');
    return p;
}

bool clone_version_ok(const QString &reply) {
    QString version, identification;
    // The version is read as the programming run reads it, so the longer
    // "K52R"/"K54R" identifications are judged by their own digits.
    return parse_identification(reply, version, identification) && version.compare(QLatin1String("01.96")) >= 0;
}

QString clone_message(CloneOutcome outcome) {
    switch (outcome) {
    case CloneOutcome::ReadComplete:
        return QStringLiteral("Read from K52 complete");
    case CloneOutcome::WriteComplete:
        return QStringLiteral("Clone to K52 complete");
    case CloneOutcome::NoReply:
        return QStringLiteral("Unable to communicate with K52");
    case CloneOutcome::TooOld:
        return QStringLiteral("Cannot clone. The K52 used for cloning must be version 1.96 or higher");
    case CloneOutcome::ReadIncomplete:
        return QStringLiteral("Read from K52 did not complete");
    case CloneOutcome::NotStored:
        return QStringLiteral("Read from K52 did not complete: the clone file could not be written");
    case CloneOutcome::FileMissing:
        return QStringLiteral("Unable to locate uploaded clone file");
    case CloneOutcome::FileInvalid:
        return QStringLiteral("Invalid clone data file");
    case CloneOutcome::DownloadError:
        return QStringLiteral("Error downloading to K52");
    }
    return {};
}

namespace {

CloneResult result(CloneOutcome o, const QString &detail = {}) {
    CloneResult r;
    r.outcome = o;
    r.message = clone_message(o);
    r.detail = detail;
    return r;
}

// Opens the port (a failure is kept as the detail: the converter then
// simply does not answer) and checks the version.
bool open_and_check(ByteLink &link, const PortSpec &port, CloneResult &r) {
    close_comm(link);
    QString open_error;
    if (!open_port(link, port, &open_error))
        r.detail = open_error;
    const QString reply = link.is_open() ? query_version(link, kUtilityVersionTimeout).text : QString();
    if (reply.isEmpty()) {
        r = result(CloneOutcome::NoReply, r.detail);
        return false;
    }
    if (!clone_version_ok(reply)) {
        r = result(CloneOutcome::TooOld, QStringLiteral("The converter answered \"%1\"").arg(escaped_text(reply)));
        return false;
    }
    return true;
}

// A clone file that exists must be a regular file: anything else (a FIFO,
// a device) is refused before the converter is asked for anything.
bool clone_file_usable(const QString &path, QString *error) {
    return !QFileInfo::exists(path) || check_regular_file(path, error);
}

// The image at the start of the file, keeping what lies beyond it.
bool store_image(const QString &path, const QByteArray &image, QString *error) {
    QByteArray content = image;
    QFile old(path);
    if (old.exists()) {
        if (!clone_file_usable(path, error))
            return false;
        if (!old.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("%1: %2").arg(path, old.errorString());
            return false;
        }
        old.seek(kCloneImageSize);
        content.append(old.readAll());
        if (old.error() != QFileDevice::NoError) {
            *error = QStringLiteral("%1: %2").arg(path, old.errorString());
            return false;
        }
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    return write_file_safely(path, content, error);
}

// The converter's version checked on a port of its own, then the port
// opened afresh for the transfer (`open_error` says why it would not open).
// False, with the port closed and `r` saying why, when the converter cannot
// take part.
bool check_then_reopen(ByteLink &link, const PortSpec &port, CloneResult &r, QString *open_error) {
    const bool usable = open_and_check(link, port, r);
    close_comm(link);
    if (usable)
        link.open(port.device, port.serial, open_error);
    return usable;
}

} // namespace

CloneResult clone_read(ByteLink &link, const PortSpec &port, const QString &file, JobProgress &progress) {
    CloneResult r;
    QString why;
    if (!clone_file_usable(file, &why))
        return result(CloneOutcome::NotStored, why);
    QString open_error;
    if (!check_then_reopen(link, port, r, &open_error))
        return r;
    QByteArray image;
    image.reserve(kCloneImageSize);
    if (link.write(clone_upload_request())) {
        // One deadline for the whole image, 5000 ms beyond its time on the
        // wire; bytes after the 1024th are left.
        const auto deadline = LinkClock::now() + kCloneTimeout + wire_time(port.serial, kCloneImageSize);
        while (image.size() < kCloneImageSize) {
            const auto b = link.read_byte(deadline);
            if (!b)
                break;
            image.append(char(*b));
            if (image.size() % 64 == 0)
                progress.step(image.size(), kCloneImageSize);
        }
    }
    close_comm(link);
    if (image.size() < kCloneImageSize)
        return result(CloneOutcome::ReadIncomplete,
                      open_error.isEmpty()
                          ? QStringLiteral("%1 of %2 bytes arrived").arg(image.size()).arg(kCloneImageSize)
                          : open_error);
    if (!store_image(file, image, &why))
        return result(CloneOutcome::NotStored, why);
    return result(CloneOutcome::ReadComplete);
}

CloneResult clone_write(ByteLink &link, const PortSpec &port, const QString &file, JobProgress &progress) {
    CloneResult r;
    QString why;
    if (!clone_file_usable(file, &why))
        return result(CloneOutcome::FileMissing, why);
    QString open_error;
    if (!check_then_reopen(link, port, r, &open_error))
        return r;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        close_comm(link);
        return result(CloneOutcome::FileMissing, QStringLiteral("%1: %2").arg(file, f.errorString()));
    }
    const QByteArray image = f.read(kCloneImageSize);
    f.close();
    if (image.size() < kCloneImageSize) {
        close_comm(link);
        return result(
            CloneOutcome::FileInvalid,
            QStringLiteral("%1 holds %2 bytes; an image is %3").arg(file).arg(image.size()).arg(kCloneImageSize));
    }
    for (int i = 0; i < kClonePackets; ++i) {
        bool acknowledged = false;
        if (link.write(clone_packet(image, i))) {
            const auto deadline = LinkClock::now() + kCloneTimeout;
            QByteArray reply;
            while (const auto b = link.read_byte(deadline)) {
                if (*b == 0x0D) {
                    acknowledged = reply == "GO";
                    break;
                }
                reply.append(char(*b));
            }
        }
        if (!acknowledged) {
            close_comm(link);
            return result(CloneOutcome::DownloadError,
                          QStringLiteral("packet %1 of %2 was not acknowledged; the converter keeps the %3 before it")
                              .arg(i + 1)
                              .arg(kClonePackets)
                              .arg(i));
        }
        progress.step(i + 1, kClonePackets);
    }
    close_comm(link);
    return result(CloneOutcome::WriteComplete);
}

} // namespace k52
