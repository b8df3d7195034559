#include "run_history.h"

#include "core/profile/history_store.h"

namespace k52 {

ActionEnd history_end(const RunResult &r, const WatchedEnd &seen, bool stopped) {
    switch (r.outcome) {
    case RunOutcome::Programmed:
        return {kOutcomeDone, {}};
    case RunOutcome::ErrorDownloading:
        return {stopped ? kOutcomeStopped : kOutcomeFailed,
                r.detail.isEmpty() ? r.message : QStringLiteral("%1: %2").arg(r.message, r.detail)};
    case RunOutcome::Stopped:
        break;
    }
    if (stopped)
        return {kOutcomeStopped, QString::fromLatin1(kStoppedByUser)};
    if (seen.identification.isEmpty())
        return {kOutcomeFailed, QStringLiteral(QT_TRANSLATE_NOOP("k52::Progress", "Unable to Identify Converter"))};
    // The converter refused a command, or the run's own checks stopped it
    // before the group was sent.
    const QString at = refused_command(seen);
    return {kOutcomeRefused, at.isEmpty() ? QStringLiteral("by the run's check of the settings") : at};
}

} // namespace k52
