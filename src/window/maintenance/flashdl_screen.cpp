#include "flashdl_screen.h"

#include "core/maintenance/maintenance_history.h"
#include "core/profile/profile_store.h"
#include "window/ui/job_panel.h"
#include "window/ui/top_window.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace k52 {

FlashDlScreen::FlashDlScreen(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowTitle(tr("K52 Flash Download"));
    auto *layout = new QVBoxLayout(this);
    auto *buttons = new QHBoxLayout;
    select_ = new QPushButton(tr("Select File to Download"), this);
    select_->setObjectName(QStringLiteral("Command1"));
    start_ = new QPushButton(tr("Start Flash Download"), this);
    start_->setObjectName(QStringLiteral("Command2"));
    buttons->addWidget(select_);
    buttons->addWidget(start_);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    file_label_ = new QLabel(this);
    file_label_->setObjectName(QStringLiteral("Label1"));
    file_label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    file_label_->setAccessibleName(tr("Firmware file"));
    layout->addWidget(file_label_);
    job_ = new DeviceJob(ctx_.links, this);
    panel_ = new JobPanel(ctx_, *job_, JobPanel::Status | JobPanel::Backup, this);
    // The bar shows the percentage of the status label.
    panel_->percent = flash_progress_percent;
    panel_->buttons()->addStretch(1);
    layout->addWidget(panel_);
    layout->addStretch(1);
    grey_controls(this);

    connect(select_, &QPushButton::clicked, this, [this] {
        if (!busy())
            getdownloadfile();
    });
    connect(start_, &QPushButton::clicked, this, [this] { start_download(); });
}

QLabel *FlashDlScreen::status_label() const {
    return panel_->status();
}
QLabel *FlashDlScreen::detail_label() const {
    return panel_->detail();
}
QProgressBar *FlashDlScreen::bar() const {
    return panel_->bar();
}
QPushButton *FlashDlScreen::stop_button() const {
    return panel_->stop_button();
}

QString FlashDlScreen::ask_for_file() {
    if (choose_file)
        return choose_file();
    QFileDialog dialog(this, tr("Select File to Download"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(tr("Bin Files (*.bin)"));
    dialog.setDefaultSuffix(QStringLiteral("bin"));
    dialog.setDirectory(file_dialog_start());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return remember_file(dialog.selectedFiles().first());
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
    // The status label keeps its last text until the next download says more.
    const QString last_status = panel_->status()->text();
    panel_->begin();
    panel_->status()->setText(last_status);
    const PortSpec port = port_spec(ctx_.link);
    auto record = std::make_shared<ActionRecord>(&ctx_.store, QStringLiteral("flash"));
    record->set_device(port.device);
    QByteArray contents;
    FlashResult unread;
    if (read_firmware_file(path_, contents, unread))
        record->set_file(path_, contents);
    return panel_->start_write(
        record, port,
        [port, path = path_](ByteLink &link, JobProgress &progress) {
            return doflashdl(link, port, path, QDate::currentDate(), progress);
        },
        [this](const FlashResult &r) {
            panel_->end(r.ok(), r.detail, flash_ending_text(r, job_->stopped()));
            if (r.outcome == FlashOutcome::PortError && offer_find_converter)
                offer_find_converter();
            if (on_finished)
                on_finished(r);
        },
        flash_at_stake());
}

void FlashDlScreen::stop_download() {
    panel_->stop();
}

} // namespace k52
