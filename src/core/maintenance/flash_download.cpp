#include "flash_download.h"

#include "core/link/exchange.h"
#include "core/profile/safe_file.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <deque>
#include <optional>

namespace k52 {

namespace {

const QString kPreparing = QStringLiteral("Preparing to Download Flash");
const QString kComplete = QStringLiteral("Download complete");
const QString kTimeoutError = QStringLiteral("Timeout Error");
const QString kEarlyEnd = QStringLiteral("Early end of binary file");
const QString kDownloadError = QStringLiteral("Download Error");
const QString kCannotOpenPort = QStringLiteral("Unable to open comm port");
const QString kCannotReadFile = QStringLiteral("Unable to read firmware file");
const QString kFileTooLarge = QStringLiteral("Firmware file too large");
const QString kLinkFailed = QStringLiteral("the link to the converter failed");

const QByteArray kWakeUp("\x00\x1b\x0d\x00\x1b\x0d", 6);
const QByteArray kEndMarker(1, '\0');

FlashResult result(FlashOutcome outcome, const QString &message, const QString &detail = {}) {
    FlashResult r;
    r.outcome = outcome;
    r.message = message;
    r.detail = detail;
    return r;
}

// The status label's texts, each passed on once.
class StatusLine {
public:
    explicit StatusLine(JobProgress &progress) : progress_(progress) {}
    void show(const QString &text) {
        if (text == shown_)
            return;
        shown_ = text;
        progress_.status(text);
    }

private:
    JobProgress &progress_;
    QString shown_;
};

// Whether `size` bytes make a file that can be sent: a body of at least one
// byte before the trailer, and no larger than any converter's flash.
bool check_size(qint64 size, const QString &name, FlashResult &failure) {
    if (size <= kFlashTrailerSize) {
        failure = result(FlashOutcome::EarlyEnd, kEarlyEnd,
                         size == 0 ? QStringLiteral("%1 is empty").arg(name)
                                   : QStringLiteral("%1 holds %2 bytes; it needs more than the %3 bytes of its trailer")
                                         .arg(name)
                                         .arg(size)
                                         .arg(kFlashTrailerSize));
        return false;
    }
    if (size > kFlashMaxFile) {
        failure = result(FlashOutcome::FileError, kFileTooLarge,
                         QStringLiteral("%1 holds %2 bytes; a firmware file holds at most %3")
                             .arg(name)
                             .arg(size)
                             .arg(kFlashMaxFile));
        return false;
    }
    return true;
}

// Reads the converter's answers. Characters that arrive before they are
// asked for (during the pause after the wake-up, or the second handshake
// character when the first is not "T") are kept and read first.
class Answers {
public:
    explicit Answers(ByteLink &link) : link_(link) {}

    std::optional<quint8> read(LinkClock::time_point deadline) {
        if (!held_.empty()) {
            const quint8 b = held_.front();
            held_.pop_front();
            return b;
        }
        return link_.read_byte(deadline);
    }
    // Puts back the character just read, to be read again first.
    void put_back(quint8 b) { held_.push_front(b); }
    // The pause: keep whatever arrives until `deadline`.
    void hold_until(LinkClock::time_point deadline) {
        while (const auto b = link_.read_byte(deadline))
            held_.push_back(*b);
    }

private:
    ByteLink &link_;
    std::deque<quint8> held_;
};

QString char_text(quint8 c) {
    if (c >= 0x20 && c < 0x7f)
        return QStringLiteral("\"%1\"").arg(QLatin1Char(static_cast<char>(c)));
    return QStringLiteral("0x") + QString::number(c, 16).rightJustified(2, QLatin1Char('0')).toUpper();
}

// `wait_for_k` / `wait_for_b`: one character within 5000 ms plus `extra`
// (the wire time of what was just sent), which must be `expected`. Empty
// when it was; otherwise why not.
std::optional<QString> wait_for(ByteLink &link, Answers &answers, char expected, const QString &after,
                                std::chrono::milliseconds extra = {}) {
    const auto timeout = kFlashAckTimeout + extra;
    const auto got = answers.read(LinkClock::now() + timeout);
    if (got && *got == static_cast<quint8>(expected))
        return std::nullopt;
    if (!got)
        return link.is_open() ? QStringLiteral("no answer within %1 seconds after %2")
                                    .arg(QString::number(timeout.count() / 1000.0, 'f', timeout.count() % 1000 ? 1 : 0))
                                    .arg(after)
                              : kLinkFailed;
    return QStringLiteral("the converter answered %1 instead of \"%2\" after %3")
        .arg(char_text(*got), QString(QLatin1Char(expected)), after);
}

// Wakes the boot loader and takes its greeting; what went wrong, if anything.
// The boot loader answers "TK"; any other first character lets the
// download go on once a second one has arrived, and that second one is
// then the first answer to the first block.
std::optional<QString> wake_boot_loader(ByteLink &link, Answers &answers) {
    if (!link.write(kWakeUp))
        return kLinkFailed;
    answers.hold_until(LinkClock::now() + kFlashWakePause);
    if (!link.write(QByteArrayLiteral("B")))
        return kLinkFailed;
    const auto handshake_deadline = LinkClock::now() + kFlashHandshakeTimeout;
    const auto first = answers.read(handshake_deadline);
    const auto second = first ? answers.read(handshake_deadline) : std::nullopt;
    if (!second)
        return link.is_open() ? QStringLiteral("the boot loader did not answer") : kLinkFailed;
    if (*first != 'T')
        answers.put_back(*second);
    else if (*second != 'K')
        return QStringLiteral("the boot loader answered \"T\" and %1 instead of \"TK\"").arg(char_text(*second));
    return std::nullopt;
}

FlashResult download(ByteLink &link, const PortSpec &port, const QByteArray &file, const QDate &date,
                     StatusLine &status, JobProgress &progress) {
    QString open_error;
    if (!open_port(link, port, &open_error)) {
        close_comm(link);
        return result(FlashOutcome::PortError, kCannotOpenPort, open_error);
    }
    // The port is closed at every ending from here on.
    auto end = [&](FlashOutcome outcome, const QString &message, const QString &detail = {}) {
        close_comm(link);
        return result(outcome, message, detail);
    };
    const qint64 body_length = file.size() - kFlashTrailerSize;

    Answers answers(link);
    if (const auto why = wake_boot_loader(link, answers))
        return end(FlashOutcome::Timeout, kTimeoutError, *why);

    qint64 sent = 0;
    int block = 0;
    for (qint64 offset = 0; offset < body_length; offset += kFlashBlockSize) {
        const QByteArray bytes = file.mid(offset, qMin<qint64>(kFlashBlockSize, body_length - offset));
        ++block;
        const QString after = QStringLiteral("block %1").arg(block);
        // One write and one wait a block.
        if (!link.write(flash_block(bytes)))
            return end(FlashOutcome::DownloadError, kDownloadError, kLinkFailed);
        if (const auto why = wait_for(link, answers, 'K', after))
            return end(FlashOutcome::DownloadError, kDownloadError, *why);
        sent += bytes.size();
        progress.step(sent, body_length);
        // The label follows the full blocks; the last block does not move it.
        if (sent < body_length)
            status.show(flash_progress_text(sent, body_length));
    }

    // The trailer passes wait 5000 ms plus their own time on the wire, so
    // that slow links get the same margin as fast ones.
    const QByteArray closing = kEndMarker + file.right(kFlashTrailerSize) + flash_date(date);
    if (!link.write(closing))
        return end(FlashOutcome::DownloadError, kDownloadError, kLinkFailed);
    if (const auto why =
            wait_for(link, answers, 'B', QStringLiteral("the date"), wire_time(port.serial, closing.size())))
        return end(FlashOutcome::DownloadError, kDownloadError, *why);
    const QByteArray fill(kFlashFillSize, '\xff');
    for (const char *pass : {"the first fill pass", "the second fill pass"}) {
        if (!link.write(fill))
            return end(FlashOutcome::DownloadError, kDownloadError, kLinkFailed);
        if (const auto why =
                wait_for(link, answers, 'B', QString::fromLatin1(pass), wire_time(port.serial, fill.size())))
            return end(FlashOutcome::DownloadError, kDownloadError, *why);
    }
    status.show(QString());
    return end(FlashOutcome::Complete, kComplete);
}

} // namespace

QByteArray flash_block(const QByteArray &bytes) {
    Q_ASSERT(!bytes.isEmpty() && bytes.size() <= kFlashBlockSize);
    QByteArray out;
    out.reserve(bytes.size() + 2);
    out.append(static_cast<char>(bytes.size()));
    quint8 x = 0;
    for (char c : bytes)
        x ^= static_cast<quint8>(c);
    out.append(bytes);
    out.append(static_cast<char>(x));
    return out;
}

QByteArray flash_date(const QDate &date) {
    return QByteArray::number(date.month()).rightJustified(2, '0') +
           QByteArray::number(date.day()).rightJustified(2, '0') +
           QByteArray::number(date.year()).rightJustified(4, '0');
}

int flash_progress_percent(qint64 sent, qint64 total) {
    // The fraction to two places, half up; only its two decimals are shown,
    // so 99.5 % and more would show "00": those stay at 99.
    const qint64 rounded = total > 0 ? (sent * 200 + total) / (2 * total) : 0;
    return int(std::clamp<qint64>(rounded, 0, 99));
}

QString flash_progress_text(qint64 sent, qint64 total) {
    return QStringLiteral("Downloading - %1 % complete")
        .arg(flash_progress_percent(sent, total), 2, 10, QLatin1Char('0'));
}

bool read_firmware_file(const QString &path, QByteArray &contents, FlashResult &failure) {
    QFile f(path);
    const QString name = QFileInfo(path).fileName();
    QString why;
    if (!check_regular_file(path, &why)) { // a FIFO would block in open()
        failure = result(FlashOutcome::FileError, kCannotReadFile, why);
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        failure = result(FlashOutcome::FileError, kCannotReadFile, QStringLiteral("%1: %2").arg(path, f.errorString()));
        return false;
    }
    if (!check_size(f.size(), name, failure))
        return false;
    contents = f.readAll();
    if (contents.size() != f.size() || f.error() != QFileDevice::NoError) {
        failure = result(FlashOutcome::FileError, kCannotReadFile, QStringLiteral("%1: %2").arg(path, f.errorString()));
        return false;
    }
    return true;
}

FlashResult flash_download(ByteLink &link, const PortSpec &port, const QByteArray &file, const QDate &date,
                           JobProgress &progress) {
    StatusLine status(progress);
    status.show(kPreparing);
    FlashResult failure;
    if (!check_size(file.size(), QStringLiteral("The firmware file"), failure))
        return failure;
    return download(link, port, file, date, status, progress);
}

FlashResult doflashdl(ByteLink &link, const PortSpec &port, const QString &path, const QDate &date,
                      JobProgress &progress) {
    StatusLine status(progress);
    status.show(kPreparing);
    QByteArray file;
    FlashResult failure;
    if (!read_firmware_file(path, file, failure))
        return failure;
    return download(link, port, file, date, status, progress);
}

QString flash_stopped_warning() {
    return QStringLiteral("The converter has no working firmware until a download completes: run the download "
                          "again.");
}

QString flash_ending_text(const FlashResult &r, bool stopped) {
    if (r.ok())
        return r.message;
    QString reason = stopped ? QString::fromLatin1(kStoppedByUser) : r.detail;
    if (!reason.isEmpty() && !reason.endsWith(QLatin1Char('.')))
        reason += QLatin1Char('.');
    QString next;
    switch (r.outcome) {
    case FlashOutcome::DownloadError:
        next = QStringLiteral("The converter waits in its boot loader: start the download again.");
        break;
    case FlashOutcome::Timeout:
        next = QStringLiteral("Nothing was written to the converter: check the port and the cable, then start the "
                              "download again.");
        break;
    case FlashOutcome::EarlyEnd:
    case FlashOutcome::FileError:
        next = QStringLiteral("Nothing was written to the converter: choose a firmware file that holds an image.");
        break;
    case FlashOutcome::PortError:
        next = QStringLiteral("Nothing was written to the converter: set the port on Communications Setup (or use "
                              "Find Converter), then start the download again.");
        break;
    case FlashOutcome::Complete:
        break;
    }
    QStringList parts{r.message};
    for (const QString &p : {reason, next})
        if (!p.isEmpty())
            parts << p;
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace k52
