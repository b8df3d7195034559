#pragma once
// The progress window `pgmform`: the lines of the programming run as they
// are printed, a bar showing how far through its steps the run is, and the
// lines to copy or save.

#include "core/link/device_job.h"
#include "core/programming/programming_run.h"
#include "window/ui/base_screen.h"

#include <functional>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace k52 {

class PgmFormWindow : public BaseScreen {
    Q_OBJECT
public:
    explicit PgmFormWindow(AppContext &ctx, QWidget *parent = nullptr);

    // Starts the run on the current record and link settings; ignored (false)
    // while one is under way. `finished` runs after the run, once what it
    // stores back is in the record (with an empty result when the run did
    // not start for want of a backup).
    bool start_run(std::function<void(const RunResult &)> finished = {});
    bool running() const { return job_->running(); }
    DeviceJob &job() { return *job_; }
    // "Stop": asks what is at stake, then ends the run (its port closes).
    void stop_run();

    QProgressBar *bar() const;
    QLabel *detail() const;
    QStringList lines() const;
    // "Save Lines..." without its file dialog.
    bool save_lines(const QString &path, QString *error) const;

    QPushButton *stop_button() const;

private:
    class JobPanel *panel_ = nullptr;
    QPushButton *copy_ = nullptr;
    QPushButton *save_ = nullptr;
    DeviceJob *job_ = nullptr;
};

} // namespace k52
