#include "pgmform_window.h"

#include "maintenance/maintenance_history.h"
#include "profile/safe_file.h"
#include "run_history.h"
#include "ui/backup_option_panel.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace k52 {

PgmFormWindow::PgmFormWindow(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowTitle(QStringLiteral("Programming"));
    auto *layout = new QVBoxLayout(this);
    picture1_ = new QPlainTextEdit(this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setReadOnly(true);
    picture1_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(picture1_, 1);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 1);
    bar_->setValue(0);
    layout->addWidget(bar_);
    detail_ = new QLabel(this);
    detail_->setWordWrap(true);
    layout->addWidget(detail_);
    auto *buttons = new QHBoxLayout;
    stop_ = new QPushButton(QStringLiteral("Stop"), this);
    stop_->setObjectName(QStringLiteral("stop"));
    stop_->setEnabled(false);
    buttons->addWidget(stop_);
    backup_ = new BackupOptionBox(ctx_.store, this);
    buttons->addWidget(backup_);
    copy_ = new QPushButton(QStringLiteral("Copy Lines"), this);
    save_ = new QPushButton(QStringLiteral("Save Lines..."), this);
    buttons->addWidget(copy_);
    buttons->addWidget(save_);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(copy_, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(lines().join(QLatin1Char('\n')) + QLatin1Char('\n')); });
    connect(save_, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Lines"), QString(),
                                                          QStringLiteral("Text Files (*.txt)"));
        QString error;
        if (!path.isEmpty() && !save_lines(path, &error))
            QMessageBox::warning(this, message_title(), error);
    });
    connect(stop_, &QPushButton::clicked, this, &PgmFormWindow::stop_run);

    job_ = new DeviceJob(ctx_.links, this);
    connect(job_, &DeviceJob::line, this, [this](const QString &t) { picture1_->appendPlainText(t); });
    connect(job_, &DeviceJob::step, this, [this](qint64 done, qint64 total) {
        bar_->setRange(0, static_cast<int>(qMax<qint64>(total, 1)));
        bar_->setValue(static_cast<int>(done));
    });
}

bool PgmFormWindow::start_run() {
    if (running())
        return false;
    ctx_.close_all_links();
    picture1_->clear();
    detail_->clear();
    bar_->setRange(0, 1);
    bar_->setValue(0);
    const PortSpec port = port_spec(ctx_.link);
    auto record = std::make_shared<ActionRecord>(&ctx_.store, QStringLiteral("program"));
    record->set_device(port.device);
    record->set_profile(ctx_.store.current_profile(), ctx_.record);
    backup_->refresh();
    const bool started = start_recorded_with_backup(
        *job_, record, backup_->isChecked() ? ImageReader(read_backup_image) : ImageReader(), port,
        [this](const QString &why) {
            return ctx_.questions && ctx_.questions->ask_yes_no(ProfileStore::kTitle(), backup_question(why));
        },
        [this](const QString &why) {
            stop_->setEnabled(false);
            detail_->setText(QStringLiteral("Nothing was written: no backup (%1)").arg(why));
            if (on_finished)
                on_finished(RunResult{});
        },
        [port, rec = ctx_.record](ByteLink &link, JobProgress &progress) {
            return savetoK52(link, port, rec, progress);
        },
        [this](const RunResult &r) {
            stop_->setEnabled(false);
            // Only the normalised terminators go back into the record.
            ctx_.record.terminators = r.terminators;
            if (job_->stopped() && r.outcome != RunOutcome::Programmed)
                detail_->setText(QString::fromLatin1(kStoppedByUser));
            else if (!r.detail.isEmpty())
                detail_->setText(r.detail);
            if (r.outcome == RunOutcome::Programmed)
                bar_->setValue(bar_->maximum());
            if (on_finished)
                on_finished(r);
        },
        programming_at_stake());
    stop_->setEnabled(started);
    return started;
}

void PgmFormWindow::stop_run() {
    if (running() && ctx_.may_stop(job_->at_stake()))
        job_->stop();
}

QStringList PgmFormWindow::lines() const {
    const QString text = picture1_->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

bool PgmFormWindow::save_lines(const QString &path, QString *error) const {
    return write_file_safely(path, (lines().join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(), error, true);
}

} // namespace k52
