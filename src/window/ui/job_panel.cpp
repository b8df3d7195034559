#include "job_panel.h"

#include "backup_option_panel.h"
#include "core/maintenance/maintenance_history.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace k52 {

QString shown_progress_line(const QString &line) {
    return QCoreApplication::translate("k52::Progress", line.toUtf8().constData());
}

JobPanel::JobPanel(AppContext &ctx, DeviceJob &job, int parts, QWidget *parent)
    : QWidget(parent), ctx_(ctx), job_(job) {
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (parts & Lines) {
        lines_ = new QPlainTextEdit(this);
        lines_->setObjectName(QStringLiteral("Picture1"));
        lines_->setReadOnly(true);
        lines_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        lines_->setAccessibleName(tr("Progress lines"));
        layout->addWidget(lines_, 1);
        // The job's lines are the program's English ones (History keeps
        // them so); the panel shows them in the user's language.
        connect(&job_, &DeviceJob::line, lines_,
                [this](const QString &line) { lines_->appendPlainText(shown_progress_line(line)); });
    }
    if (parts & Status) {
        status_ = new QLabel(this);
        status_->setObjectName(QStringLiteral("Label2"));
        layout->addWidget(status_);
        connect(&job_, &DeviceJob::status, status_, &QLabel::setText);
    }
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 1);
    bar_->setValue(0);
    bar_->setAccessibleName(tr("Progress"));
    detail_ = new QLabel(this);
    detail_->setObjectName(QStringLiteral("detail"));
    detail_->setWordWrap(true);
    buttons_ = new QHBoxLayout;
    stop_ = new QPushButton(tr("Stop"), this);
    stop_->setObjectName(QStringLiteral("stop"));
    stop_->setEnabled(false);
    if (parts & Row) {
        buttons_->addWidget(bar_, 1);
        buttons_->addWidget(stop_);
        layout->addLayout(buttons_);
        layout->addWidget(detail_);
    } else {
        layout->addWidget(bar_);
        layout->addWidget(detail_);
        buttons_->addWidget(stop_);
        layout->addLayout(buttons_);
    }

    if (parts & Backup) {
        backup_ = new BackupOptionBox(ctx_.store, this);
        buttons_->addWidget(backup_);
    }

    connect(stop_, &QPushButton::clicked, this, &JobPanel::stop);
    connect(&job_, &DeviceJob::step, this, [this](qint64 done, qint64 total) {
        if (percent) {
            bar_->setRange(0, 100);
            bar_->setValue(percent(done, total));
        } else {
            bar_->setRange(0, int(total));
            bar_->setValue(int(done));
        }
    });
}

void JobPanel::begin() {
    if (lines_)
        lines_->clear();
    if (status_)
        status_->clear();
    detail_->clear();
    bar_->setRange(0, 1);
    bar_->setValue(0);
}

void JobPanel::started(bool ok) {
    stop_->setEnabled(ok);
}

void JobPanel::end(bool ok, const QString &detail, const QString &told) {
    stop_->setEnabled(false);
    if (ok)
        bar_->setValue(bar_->maximum());
    // Told before the detail changes: behind the message the panel still
    // shows what the job was doing.
    if (!told.isEmpty()) {
        if (ok)
            ctx_.tell(told);
        else
            ctx_.warn(told);
    }
    detail_->setText(job_.stopped() && !ok ? QString::fromLatin1(kStoppedByUser) : detail);
}

void JobPanel::stop() {
    if (job_.running() && ctx_.may_stop(job_.at_stake()))
        job_.stop();
}

ImageReader JobPanel::backup_reader() {
    backup_->refresh();
    return backup_->isChecked() ? ImageReader(read_backup_image) : ImageReader();
}

void JobPanel::end_without_backup(const QString &why) {
    end(false, {});
    detail_->setText(tr("Nothing was written: no backup (%1)").arg(why));
}

} // namespace k52
