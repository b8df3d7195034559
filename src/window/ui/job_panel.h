#pragma once
// One device job on a screen: its lines (optional), its status line
// (optional), a bar, Stop and the words it ended with, in one widget.
//
//   panel_ = new JobPanel(ctx_, *job_, JobPanel::Status, this);
//   panel_->begin();                               // before job.start(...)
//   panel_->started(job_->start(work, [this](const R &r) {
//       panel_->end(r.ok(), r.detail, ending_text(r));
//   }, at_stake));
//
// Stop asks what is at stake first (No is the default; the question closes
// itself when the job ends meanwhile) and the ending is told once.

#include "core/link/device_job.h"
#include "core/link/recorded_job.h"
#include "core/session/app_context.h"

#include <QWidget>

#include <functional>

class QHBoxLayout;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace k52 {

class BackupOptionBox;

// A progress line of a device job (as History stores it, in English) as
// the window shows it, in the user's language where the catalogue has it.
QString shown_progress_line(const QString &line);

class JobPanel : public QWidget {
    Q_OBJECT
public:
    // Row: the bar and Stop in one row (the screen's buttons beside them),
    // the detail under it; else the bar, the detail, then Stop's row.
    // Backup: the "Back up the converter before writing" box beside Stop,
    // for start_write().
    enum Part { Lines = 1, Status = 2, Row = 4, Backup = 8 };
    JobPanel(AppContext &ctx, DeviceJob &job, int parts, QWidget *parent = nullptr);

    // A job is about to start: lines, status, bar and detail cleared.
    void begin();
    // Whether the job started; Stop takes clicks while it runs.
    void started(bool ok);
    // The job ended: Stop off, `detail` shown ("Stopped by the user" for a
    // stopped job that did not succeed), the bar full when `ok`; `told`,
    // when not empty, is told once before the detail changes: as
    // information when `ok`, else as a warning.
    void end(bool ok, const QString &detail, const QString &told = {});
    // "Stop": asks what is at stake, then stops the job.
    void stop();

    // With Backup: starts a write on the job (start_recorded_with_backup),
    // the converter's image read first when the box is ticked. When that
    // read fails and the user will not write without it, the panel ends
    // with "Nothing was written: no backup (...)" and `not_started` runs
    // instead of `done`. Whether the job started.
    template <class Work, class Done>
    bool start_write(std::shared_ptr<ActionRecord> record, const PortSpec &port, Work work, Done done, QString at_stake,
                     std::function<void()> not_started = {}) {
        const bool ok = start_recorded_with_backup(
            job_, std::move(record), backup_reader(), port,
            [this](const QString &why) { return ctx_.ask(backup_question(why)); },
            [this, not_started](const QString &why) {
                end_without_backup(why);
                if (not_started)
                    not_started();
            },
            std::move(work), std::move(done), std::move(at_stake));
        started(ok);
        return ok;
    }

    // The bar's value (0-100) for a step; when unset the bar runs from 0 to
    // the step's total.
    std::function<int(qint64 done, qint64 total)> percent;

    // Room beside Stop for a screen's own buttons.
    QHBoxLayout *buttons() const { return buttons_; }
    QPlainTextEdit *lines() const { return lines_; }
    QLabel *status() const { return status_; }
    QProgressBar *bar() const { return bar_; }
    QLabel *detail() const { return detail_; }
    QPushButton *stop_button() const { return stop_; }

private:
    // The backup's image reader as the box stands (none when unticked).
    ImageReader backup_reader();
    void end_without_backup(const QString &why);

    AppContext &ctx_;
    DeviceJob &job_;
    QPlainTextEdit *lines_ = nullptr;
    QLabel *status_ = nullptr;
    QProgressBar *bar_ = nullptr;
    QLabel *detail_ = nullptr;
    QPushButton *stop_ = nullptr;
    QHBoxLayout *buttons_ = nullptr;
    BackupOptionBox *backup_ = nullptr;
};

} // namespace k52
