#pragma once

#include "link/byte_link.h"
#include "profile/config_record.h"
#include "profile/link_settings.h"

#include <QString>

#include <functional>

namespace k52 {

// Where the run prints. Called on the run's own thread.
class RunProgress {
public:
    virtual ~RunProgress() = default;
    virtual void clear() {}                           // the run clears its output when it starts
    virtual void line(const QString &text) = 0;       // one progress line, exactly as shown
    virtual void step(int /*done*/, int /*total*/) {} // how far through the run's steps
};

enum class RunOutcome {
    Programmed,       // "Converter has been programmed"
    Stopped,          // "Programming Stopped" (refusal, failed check, no identification)
    ErrorDownloading, // "Error downloading" (port missing, busy or failed)
};

struct RunResult {
    RunOutcome outcome = RunOutcome::Stopped;
    // The serial terminators as the run normalised them; the caller writes
    // them back into the record it took the snapshot from.
    Terminators terminators;
    // Why the port could not be used, for "Error downloading" (not a
    // progress line; shown beside them).
    QString detail;
};

// The programming run: closes every other link, opens `link` on `port`
// with the link settings, identifies the converter, sends every command
// group for its firmware version, closes the port. Works on its own copy of
// the record. An empty `port` means no device could be found for the link
// settings; `port_error` then says why.
RunResult savetoK52(ByteLink &link, const QString &port, const LinkSettings &settings, const ConfigRecord &rec,
                    RunProgress &progress, const std::function<void()> &close_all_links = {},
                    const QString &port_error = {});

} // namespace k52
