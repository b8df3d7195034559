#pragma once
// The progress window `pgmform`: the lines of the programming run as they
// are printed, a bar showing how far through its steps the run is, and the
// lines to copy or save.

#include "app/base_screen.h"
#include "run_controller.h"

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
    // while one is under way.
    bool start_run();
    bool running() const { return controller_->running(); }
    RunController &controller() { return *controller_; }
    // Replaces the link the runs use (tests).
    void set_link_factory(RunController::LinkFactory f);
    // Called after every run, once the terminators are written back.
    std::function<void(const RunResult &)> on_finished;

    QPlainTextEdit *picture1() const { return picture1_; }
    QProgressBar *bar() const { return bar_; }
    QLabel *detail() const { return detail_; }
    QStringList lines() const;
    // "Save Lines..." without its file dialog.
    bool save_lines(const QString &path, QString *error) const;

private:
    void make_controller(RunController::LinkFactory f);

    QPlainTextEdit *picture1_ = nullptr;
    QProgressBar *bar_ = nullptr;
    QLabel *detail_ = nullptr;
    QPushButton *copy_ = nullptr;
    QPushButton *save_ = nullptr;
    RunController *controller_ = nullptr;
};

} // namespace k52
