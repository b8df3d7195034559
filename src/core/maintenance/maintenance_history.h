#pragma once
// How the maintenance jobs end, for their history rows (see
// core/link/recorded_job.h), and the clone image kept in a row.

#include "cloning.h"
#include "core/link/recorded_job.h"
#include "device_commands.h"
#include "flash_download.h"

namespace k52 {

ActionEnd history_end(const CloneResult &r, const WatchedEnd &seen, bool stopped);
ActionEnd history_end(const FlashResult &r, const WatchedEnd &seen, bool stopped);
ActionEnd history_end(const CommandResult &r, const WatchedEnd &seen, bool stopped);

// The first 1024 bytes of a clone file (empty when it cannot be read).
QByteArray clone_file_image(const QString &path);

// Reads the converter's image by the clone read exchange, for a backup
// before writing (the reader given to start_recorded_with_backup).
bool read_backup_image(ByteLink &link, const PortSpec &port, JobProgress &progress, QByteArray &image, QString *error);

// Writes `image` back into the converter by the clone write exchange (a
// restore). Progress as clone_write gives it.
CloneResult restore_image(ByteLink &link, const PortSpec &port, const QByteArray &image, JobProgress &progress);

} // namespace k52
