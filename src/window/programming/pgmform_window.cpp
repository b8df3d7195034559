#include "pgmform_window.h"

#include "core/maintenance/maintenance_history.h"
#include "core/profile/safe_file.h"
#include "core/programming/run_history.h"
#include "window/ui/job_panel.h"
#include "window/ui/top_window.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace k52 {

PgmFormWindow::PgmFormWindow(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowTitle(tr("Programming"));
    auto *layout = new QVBoxLayout(this);
    job_ = new DeviceJob(ctx_.links, this);
    panel_ = new JobPanel(ctx_, *job_, JobPanel::Lines | JobPanel::Backup, this);
    layout->addWidget(panel_);
    copy_ = new QPushButton(tr("Copy Lines"), this);
    save_ = new QPushButton(tr("Save Lines..."), this);
    panel_->buttons()->addWidget(copy_);
    panel_->buttons()->addWidget(save_);
    panel_->buttons()->addStretch(1);
    connect(copy_, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(lines().join(QLatin1Char('\n')) + QLatin1Char('\n')); });
    connect(save_, &QPushButton::clicked, this, [this] {
        const QString path = remember_file(
            QFileDialog::getSaveFileName(this, tr("Save Lines"), file_dialog_start(), tr("Text Files (*.txt)")));
        QString error;
        if (!path.isEmpty() && !save_lines(path, &error))
            ctx_.warn(error);
    });
}

QProgressBar *PgmFormWindow::bar() const {
    return panel_->bar();
}
QLabel *PgmFormWindow::detail() const {
    return panel_->detail();
}
QPushButton *PgmFormWindow::stop_button() const {
    return panel_->stop_button();
}

bool PgmFormWindow::start_run(std::function<void(const RunResult &)> finished) {
    if (running())
        return false;
    ctx_.close_all_links();
    panel_->begin();
    const PortSpec port = port_spec(ctx_.link);
    auto record = std::make_shared<ActionRecord>(&ctx_.store, QStringLiteral("program"));
    record->set_device(port.device);
    record->set_profile(ctx_.current_profile(), ctx_.record, ctx_.changed_settings(ctx_.record));
    return panel_->start_write(
        record, port,
        // The job runs on its own thread, on the record as it was at the start.
        [port, rec = ctx_.record](ByteLink &link, JobProgress &progress) {
            return savetoK52(link, port, rec, progress);
        },
        [this, finished](const RunResult &r) {
            store_back(ctx_.record, r);
            panel_->end(r.outcome == RunOutcome::Programmed, r.detail);
            if (finished)
                finished(r);
        },
        programming_at_stake(),
        [finished] {
            if (finished)
                finished(RunResult{});
        });
}

void PgmFormWindow::stop_run() {
    panel_->stop();
}

QStringList PgmFormWindow::lines() const {
    const QString text = panel_->lines()->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

bool PgmFormWindow::save_lines(const QString &path, QString *error) const {
    return write_file_safely(path, (lines().join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(), error, true);
}

} // namespace k52
