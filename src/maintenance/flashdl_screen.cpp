#include "flashdl_screen.h"

#include "maintenance_history.h"
#include "profile/profile_store.h"
#include "ui/backup_option_panel.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace k52 {

FlashDlScreen::FlashDlScreen(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowTitle(QStringLiteral("K52 Flash Download"));
    auto *layout = new QVBoxLayout(this);
    auto *buttons = new QHBoxLayout;
    select_ = new QPushButton(QStringLiteral("Select File to Download"), this);
    select_->setObjectName(QStringLiteral("Command1"));
    start_ = new QPushButton(QStringLiteral("Start Flash Download"), this);
    start_->setObjectName(QStringLiteral("Command2"));
    stop_ = new QPushButton(QStringLiteral("Stop"), this);
    stop_->setObjectName(QStringLiteral("stop"));
    stop_->setEnabled(false);
    buttons->addWidget(select_);
    buttons->addWidget(start_);
    buttons->addWidget(stop_);
    backup_ = new BackupOptionBox(ctx_.store, this);
    buttons->addWidget(backup_);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    file_label_ = new QLabel(this);
    file_label_->setObjectName(QStringLiteral("Label1"));
    file_label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(file_label_);
    status_label_ = new QLabel(this);
    status_label_->setObjectName(QStringLiteral("Label2"));
    layout->addWidget(status_label_);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 1);
    bar_->setValue(0);
    layout->addWidget(bar_);
    detail_label_ = new QLabel(this);
    detail_label_->setWordWrap(true);
    layout->addWidget(detail_label_);
    layout->addStretch(1);
    grey_controls(this);

    connect(select_, &QPushButton::clicked, this, [this] {
        if (!busy())
            getdownloadfile();
    });
    connect(start_, &QPushButton::clicked, this, [this] { start_download(); });
    connect(stop_, &QPushButton::clicked, this, &FlashDlScreen::stop_download);

    job_ = new DeviceJob(ctx_.links, this);
    connect(job_, &DeviceJob::status, status_label_, &QLabel::setText);
    connect(job_, &DeviceJob::step, this, [this](qint64 done, qint64 total) {
        // The bar shows the percentage of the status label.
        bar_->setRange(0, 100);
        bar_->setValue(flash_progress_percent(done, total));
    });
}

QString FlashDlScreen::ask_for_file() {
    if (choose_file)
        return choose_file();
    QFileDialog dialog(this, QStringLiteral("Select File to Download"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(QStringLiteral("Bin Files (*.bin)"));
    dialog.setDefaultSuffix(QStringLiteral("bin"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void FlashDlScreen::getdownloadfile() {
    path_.clear();
    path_ = ask_for_file();
    if (!path_.isEmpty())
        file_label_->setText(path_);
}

bool FlashDlScreen::start_download() {
    if (path_.isEmpty() || busy())
        return false;
    ctx_.close_all_links();
    detail_label_->clear();
    bar_->setRange(0, 1);
    bar_->setValue(0);
    const PortSpec port = port_spec(ctx_.link);
    auto record = std::make_shared<ActionRecord>(&ctx_.store, QStringLiteral("flash"));
    record->set_device(port.device);
    QByteArray contents;
    FlashResult unread;
    if (read_firmware_file(path_, contents, unread))
        record->set_file(path_, contents);
    backup_->refresh();
    const bool started = start_recorded_with_backup(
        *job_, record, backup_->isChecked() ? ImageReader(read_backup_image) : ImageReader(), port,
        [this](const QString &why) {
            return ctx_.questions && ctx_.questions->ask_yes_no(ProfileStore::kTitle(), backup_question(why));
        },
        [this](const QString &why) {
            stop_->setEnabled(false);
            detail_label_->setText(QStringLiteral("Nothing was written: no backup (%1)").arg(why));
        },
        [port, path = path_](ByteLink &link, JobProgress &progress) {
            return doflashdl(link, port, path, QDate::currentDate(), progress);
        },
        [this](const FlashResult &r) {
            stop_->setEnabled(false);
            detail_label_->setText(job_->stopped() && !r.ok() ? QString::fromLatin1(kStoppedByUser) : r.detail);
            if (r.ok())
                bar_->setValue(bar_->maximum());
            if (ctx_.questions) {
                if (r.ok())
                    ctx_.questions->inform(message_title(), r.message);
                else
                    ctx_.questions->warn(message_title(), r.message);
            }
            if (on_finished)
                on_finished(r);
        },
        flash_at_stake());
    stop_->setEnabled(started);
    return started;
}

void FlashDlScreen::stop_download() {
    if (busy() && ctx_.may_stop(job_->at_stake()))
        job_->stop();
}

} // namespace k52
