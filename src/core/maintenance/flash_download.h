#pragma once
// Firmware download through the converter's boot loader: wake-up, "B"
// handshake, checksummed blocks of the image body, end marker, trailer,
// programming date and two fill passes.

#include "core/link/device_job.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <chrono>
#include <functional>

namespace k52 {

inline constexpr int kFlashBlockSize = 50;       // body bytes per block, at most
inline constexpr int kFlashTrailerSize = 44;     // last bytes of the file, sent raw after the end marker
inline constexpr int kFlashFillSize = 52;        // 0xFF bytes per fill pass
inline constexpr qint64 kFlashMaxFile = 1 << 20; // larger files are refused before the converter is woken
inline constexpr std::chrono::milliseconds kFlashWakePause{1000};
inline constexpr std::chrono::milliseconds kFlashHandshakeTimeout{7000};
inline constexpr std::chrono::milliseconds kFlashAckTimeout{5000};

enum class FlashOutcome {
    Complete,      // "Download complete"
    Timeout,       // "Timeout Error": no handshake; nothing written to the flash
    EarlyEnd,      // "Early end of binary file": the file holds no body
    DownloadError, // "Download Error": converter left mid-download
    FileError,     // the firmware file cannot be read or is too large
    PortError,     // the serial port cannot be opened
};

// `message` is the message box text.
struct FlashResult : JobEnding {
    FlashOutcome outcome = FlashOutcome::DownloadError;
    bool ok() const { return outcome == FlashOutcome::Complete; }
};

// The block on the wire: length byte n (1-50), the n bytes, their XOR.
QByteArray flash_block(const QByteArray &bytes);
// "MMDDYYYY", each part with leading zeros.
QByteArray flash_date(const QDate &date);
// The percentage that the status label and the bar show for `sent` of
// `total` body bytes: rounded half up, 0 to 99 while the download runs.
int flash_progress_percent(qint64 sent, qint64 total);
// The status label text for `sent` of `total` body bytes:
// "Downloading - 45 % complete" (two digits, "05" for 5 %).
QString flash_progress_text(qint64 sent, qint64 total);
// Reads a firmware file whole. False with the result to report when it
// cannot be read, holds no body (44 bytes or less) or is too large.
bool read_firmware_file(const QString &path, QByteArray &contents, FlashResult &failure);

// The download of `file` (the firmware file's contents) over `link` opened
// as `port` says. `date` is sent as the programming date. Reports the status
// label through progress.status() and the body bytes acknowledged through
// progress.step(). Closes `link` at every ending. A file that cannot be sent
// is refused before the port is opened.
FlashResult flash_download(ByteLink &link, const PortSpec &port, const QByteArray &file, const QDate &date,
                           JobProgress &progress);

// `doflashdl`: reads the firmware file at `path`, then downloads it.
FlashResult doflashdl(ByteLink &link, const PortSpec &port, const QString &path, const QDate &date,
                      JobProgress &progress);

// What the command line adds when a download was stopped part-way.
QString flash_stopped_warning();

// The ending as the window tells it: the message, then (for a failure) the
// reason and the next step. `stopped` when the user stopped the download.
QString flash_ending_text(const FlashResult &r, bool stopped);

} // namespace k52
