#pragma once
// Device jobs with their history row. Every job that writes to a converter
// or reads its image goes through here, from the windows and from the
// command line:
//
//   auto record = std::make_shared<ActionRecord>(&store, QStringLiteral("program"));
//   record->set_device(port.device);
//   record->set_profile(name, rec);
//   // window:
//   start_recorded(job, record, work, done, at_stake);
//   // command line:
//   r = run_recorded(*record, link, progress, work, stopped_flag);
//
// The row is begun before the job starts and completed when it has
// returned; every line and status text of the job goes into it, the link is
// watched for the converter's identification and the last command sent, and
// the job's result says how it ended through `history_end(result, watched,
// stopped)`, declared beside each result type.

#include "action_record.h"
#include "core/profile/history_store.h"
#include "device_job.h"
#include "exchange.h"

#include <QString>

#include <functional>
#include <memory>
#include <type_traits>

namespace k52 {

// How an action ended, for its history row.
struct ActionEnd {
    QString outcome; // kOutcomeDone, kOutcomeRefused, kOutcomeStopped, kOutcomeFailed
    QString detail;
};

// A job's progress copied into its history row as it goes.
class RecordingProgress : public JobProgress {
public:
    RecordingProgress(JobProgress &inner, ActionRecord &record) : inner_(inner), record_(record) {}
    void line(const QString &text) override {
        record_.line(text);
        inner_.line(text);
    }
    void status(const QString &text) override {
        if (!text.isEmpty() && text != last_status_)
            record_.line(text);
        last_status_ = text;
        inner_.status(text);
    }
    void step(qint64 done, qint64 total) override { inner_.step(done, total); }

private:
    JobProgress &inner_;
    ActionRecord &record_;
    QString last_status_;
};

// What the watched link saw, kept for the ending (the link itself lives on
// the job's thread).
struct WatchedEnd {
    QString last_command;
    QString last_reply;
    QString identification;
    QString device;
};

// The refusal of the converter to the last command, when that is how the
// job ended: "S1W2" answered "ERR".
inline QString refused_command(const WatchedEnd &w) {
    if (w.last_command.isEmpty() || w.last_command == QLatin1String("V") || w.last_reply == QLatin1String("OK"))
        return {};
    return w.last_reply.isEmpty()
               ? QStringLiteral("at %1 (no reply)").arg(w.last_command)
               : QStringLiteral("at %1 (answered \"%2\")").arg(w.last_command, escaped_text(w.last_reply));
}

// Wraps `work(ByteLink &, JobProgress &) -> Result` so that it feeds
// `record`; `seen` receives what the link saw.
template <class Work>
auto recording_work(std::shared_ptr<ActionRecord> record, std::shared_ptr<WatchedEnd> seen, Work work) {
    return [record, seen, work = std::move(work)](ByteLink &link, JobProgress &progress) {
        WatchingLink watched(link);
        RecordingProgress recording(progress, *record);
        auto result = work(static_cast<ByteLink &>(watched), static_cast<JobProgress &>(recording));
        *seen = {watched.last_command(), watched.last_reply(), watched.identification(), watched.device()};
        return result;
    };
}

// Completes `record` from the job's result.
template <class Result>
void finish_recorded(ActionRecord &record, const Result &result, const WatchedEnd &seen, bool stopped) {
    const ActionEnd end = history_end(result, seen, stopped);
    // The job's last words (a message box's text) end the row's lines.
    const JobEnding &ending = result;
    if (!ending.message.isEmpty() &&
        (record.entry().lines.isEmpty() || record.entry().lines.constLast() != ending.message))
        record.line(ending.message);
    if (!seen.identification.isEmpty())
        record.entry().converter = seen.identification;
    if (record.entry().device.isEmpty())
        record.entry().device = seen.device;
    record.finish(end.outcome, end.detail, nullptr);
}

// What to tell the user when the row of an action could not be completed
// (the database was held or could not be written); empty when it was.
inline QString unfinished_row_text(const ActionRecord &record) {
    if (record.finish_error().isEmpty())
        return {};
    return QStringLiteral("The history row %1 could not be completed: %2").arg(record.id()).arg(record.finish_error());
}

// A window's job with its history row: begun now, completed before `done`
// runs. When the row cannot be begun the job still runs (the installer's
// work comes first) and `record_error` says why nothing is recorded.
template <class Work, class Done>
bool start_recorded(DeviceJob &job, std::shared_ptr<ActionRecord> record, Work work, Done done, QString at_stake = {},
                    QString *record_error = nullptr) {
    if (record->id() == 0 && !record->begin(record_error))
        record->disable();
    auto seen = std::make_shared<WatchedEnd>();
    using Result = std::invoke_result_t<Work &, ByteLink &, JobProgress &>;
    DeviceJob *j = &job;
    return job.start(
        recording_work(record, seen, std::move(work)),
        [record, seen, j, done = std::move(done)](const Result &r) {
            record->set_trace(j->job_trace());
            finish_recorded(*record, r, *seen, j->stopped());
            const QString unfinished = unfinished_row_text(*record);
            if (unfinished.isEmpty()) {
                done(r);
                return;
            }
            // The window's ending shows it with the job's own words.
            Result told = r;
            JobEnding &ending = told;
            ending.detail = ending.detail.isEmpty() ? unfinished : ending.detail + QLatin1Char('\n') + unfinished;
            done(told);
        },
        std::move(at_stake));
}

// Reads a converter's 1024-byte image, for a backup before writing (the
// cloning exchange: core/maintenance/maintenance_history.h).
using ImageReader =
    std::function<bool(ByteLink &link, const PortSpec &port, JobProgress &progress, QByteArray &image, QString *error)>;

struct BackupResult {
    bool ok = false;
    QString why;
};

// The backup before writing as a job of its own, into `record` (its lines
// join the row of the action it protects).
inline auto backup_work(std::shared_ptr<ActionRecord> record, PortSpec port, ImageReader read_image) {
    return [record, port, read_image](ByteLink &link, JobProgress &progress) {
        RecordingProgress recording(progress, *record);
        recording.line(QStringLiteral("Reading the converter's image for a backup"));
        QByteArray image;
        QString why;
        const bool ok = read_image(link, port, recording, image, &why);
        if (ok) {
            record->set_backup(image);
            recording.line(QStringLiteral("Backup taken (%1 bytes)").arg(image.size()));
        } else {
            recording.line(QStringLiteral("No backup: %1").arg(why));
        }
        return BackupResult{ok, why};
    };
}

// Stores the backup just read into its row (on the thread that owns the
// store). True when it could not be stored: the row is then completed as
// failed and `error` says so; nothing must be written.
inline bool stop_unless_backup_stored(ActionRecord &record, QString *error) {
    QString cause;
    if (record.store_backup(record.entry().backup, &cause))
        return false;
    *error = QStringLiteral("The backup could not be stored (%1); nothing was written to the converter.").arg(cause);
    record.line(*error);
    record.finish(kOutcomeFailed, QStringLiteral("backup not stored: %1").arg(cause), nullptr);
    return true;
}

// The question asked when the image could not be read for a backup.
inline QString backup_question(const QString &why) {
    return QStringLiteral("The converter's image could not be read for a backup:\n%1\n\nWrite to the converter "
                          "without a backup?")
        .arg(why);
}

// A window's write with the backup before it: when `backup` (the image
// reader) is given, the image is read first (a job of its own, into the same row); when that
// fails `go_on_without(why)` asks whether to write anyway. On "no" the row
// is completed as failed and `not_started(why)` runs instead of `done`.
template <class Work, class Done>
bool start_recorded_with_backup(DeviceJob &job, std::shared_ptr<ActionRecord> record, ImageReader backup,
                                const PortSpec &port, std::function<bool(const QString &)> go_on_without,
                                std::function<void(const QString &)> not_started, Work work, Done done,
                                QString at_stake = {}) {
    if (!backup)
        return start_recorded(job, record, std::move(work), std::move(done), std::move(at_stake));
    if (!record->begin(nullptr))
        record->disable();
    DeviceJob *j = &job;
    return job.start(
        backup_work(record, port, backup),
        [=](const BackupResult &b) {
            // The image is stored before the first write, in a step of its
            // own: a write whose backup could not be kept does not start.
            QString unstored;
            if (b.ok && stop_unless_backup_stored(*record, &unstored)) {
                not_started(unstored);
                return;
            }
            if (b.ok || go_on_without(b.why)) {
                start_recorded(*j, record, work, done, at_stake);
                return;
            }
            record->finish(kOutcomeFailed, QStringLiteral("no backup: %1").arg(b.why), nullptr);
            not_started(b.why);
        },
        at_stake);
}

} // namespace k52
