#pragma once
// Cloning: the converter's 1024-byte configuration image read into the clone
// file ("Read from K52") and written from it into another converter
// ("Clone to new K52"). Plain synchronous functions over the byte link.

#include "core/link/device_job.h"

#include <QByteArray>
#include <QString>

#include <chrono>

namespace k52 {

inline constexpr int kCloneImageSize = 1024;
inline constexpr int kClonePacketBytes = 32; // image bytes per download packet
inline constexpr int kClonePackets = kCloneImageSize / kClonePacketBytes;
// Each download packet's acknowledgement; the whole upload gets this plus
// the image's wire time at the link speed.
inline constexpr std::chrono::milliseconds kCloneTimeout{5000};

// The clone file: "c:\zor\K52clone.dat" on Windows, K52clone.dat beside the
// default database elsewhere.
QString clone_file_path();

// Upload request 0x00 0x03 0x7F.
QByteArray clone_upload_request();
// Download packet `index` (0..31) of a 1024-byte image: 0x00, type 0x01 for
// the first and 0x02 for the rest, 32 bytes as 0x20+high nibble,
// 0x20+low nibble, then 0x0D: 67 bytes.
QByteArray clone_packet(const QByteArray &image, int index);

// True when the converter's identification reply allows cloning: it names
// one of the four models and a version at least "01.96" (plain text order).
bool clone_version_ok(const QString &reply);

enum class CloneOutcome {
    ReadComplete,   // "Read from K52 complete"
    WriteComplete,  // "Clone to K52 complete"
    NoReply,        // "Unable to communicate with K52"
    TooOld,         // "Cannot clone. The K52 used for cloning must be version 1.96 or higher"
    ReadIncomplete, // "Read from K52 did not complete"
    NotStored,      // the image arrived but the clone file could not be written
    FileMissing,    // "Unable to locate uploaded clone file"
    FileInvalid,    // "Invalid clone data file"
    DownloadError,  // "Error downloading to K52"
};

// `message` is the message box text; `detail` says why where there is
// more to say (port, file errors).
struct CloneResult : JobEnding {
    CloneOutcome outcome = CloneOutcome::NoReply;
    bool ok() const { return outcome == CloneOutcome::ReadComplete || outcome == CloneOutcome::WriteComplete; }
};

// "Read from K52": opens the port, checks the version, requests the image and
// stores it at the start of `file` (bytes beyond 1024 of a longer file are
// kept). The file is replaced in one step, so it never holds a torn image.
// The port is closed at every ending.
// How far: progress.step() with bytes received of 1024.
CloneResult clone_read(ByteLink &link, const PortSpec &port, const QString &file, JobProgress &progress);
// "Clone to new K52": opens the port, checks the version, reads the first
// 1024 bytes of `file` and sends them in 32 packets, each acknowledged "GO".
// How far: progress.step() with packets acknowledged of 32.
CloneResult clone_write(ByteLink &link, const PortSpec &port, const QString &file, JobProgress &progress);

// Message text of an outcome.
QString clone_message(CloneOutcome outcome);

} // namespace k52
