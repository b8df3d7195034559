#include "history_window.h"

#include "core/link/device_job.h"
#include "core/maintenance/maintenance_history.h"
#include "core/profile/profile_json.h"
#include "window/app/compare_window.h"
#include "window/report/history_report.h"
#include "window/ui/message_dialog.h"
#include "window/ui/top_window.h"

#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace k52 {

HistoryWindow::HistoryWindow(AppContext &ctx, QWidget *parent) : QWidget(parent, Qt::Window), ctx_(ctx) {
    setWindowTitle(tr("History"));
    auto *layout = new QVBoxLayout(this);
    auto *split = new QSplitter(Qt::Vertical, this);
    rows_ = new QTreeWidget(split);
    rows_->setObjectName(QStringLiteral("rows"));
    rows_->setRootIsDecorated(false);
    rows_->setUniformRowHeights(true);
    rows_->setHeaderLabels(
        {tr("Row"), tr("Time"), tr("Action"), tr("Outcome"), tr("Converter"), tr("Profile"), tr("Device")});
    rows_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    auto *tabs = new QTabWidget(split);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    lines_ = new QPlainTextEdit(tabs);
    lines_->setObjectName(QStringLiteral("lines"));
    snapshot_ = new QPlainTextEdit(tabs);
    snapshot_->setObjectName(QStringLiteral("snapshot"));
    for (QPlainTextEdit *e : {lines_, snapshot_}) {
        e->setReadOnly(true);
        e->setFont(fixed);
    }
    tabs->addTab(lines_, tr("Lines"));
    tabs->addTab(snapshot_, tr("Snapshot"));
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    layout->addWidget(status_);
    auto *buttons = new QHBoxLayout;
    save_ = new QPushButton(tr("Save Snapshot as Profile..."), this);
    report_ = new QPushButton(tr("Report..."), this);
    restore_ = new QPushButton(tr("Restore Image"), this);
    auto *compare = new QPushButton(tr("Compare Profiles..."), this);
    auto *refresh = new QPushButton(tr("Refresh"), this);
    for (QPushButton *b : {save_, report_, restore_, compare, refresh})
        buttons->addWidget(b);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    job_ = new DeviceJob(ctx_.links, this);
    connect(job_, &DeviceJob::step, this, [this](qint64 done, qint64 total) {
        status_->setText(tr("Restoring: %1 of %2 packets").arg(done).arg(total));
    });
    connect(rows_, &QTreeWidget::currentItemChanged, this, &HistoryWindow::select_row);
    connect(save_, &QPushButton::clicked, this, &HistoryWindow::save_snapshot_clicked);
    connect(report_, &QPushButton::clicked, this, &HistoryWindow::report_clicked);
    connect(restore_, &QPushButton::clicked, this, &HistoryWindow::restore_clicked);
    connect(compare, &QPushButton::clicked, this, [this] {
        compare_window()->refill(selected_.profile, ctx_.current_profile());
        compare_window()->show();
        compare_window()->raise();
    });
    connect(refresh, &QPushButton::clicked, this, &HistoryWindow::refill);
    resize_within_screen(this, {900, 600});
    refill();
}

void HistoryWindow::refill() {
    rows_->clear();
    QString why;
    QList<QTreeWidgetItem *> items;
    HistoryStore(ctx_.store)
        .visit(
            {{}, {}, {}, kShownRows},
            [&](const HistoryEntry &e) {
                const QString outcome = e.detail.isEmpty() ? e.outcome : e.outcome + QStringLiteral(": ") + e.detail;
                auto *item = new QTreeWidgetItem({QString::number(e.id), history_time_text(e.started), e.action,
                                                  outcome, e.converter, e.profile, e.device});
                item->setData(0, Qt::UserRole, e.id);
                items << item;
            },
            &why);
    rows_->addTopLevelItems(items);
    status_->setText(why.isEmpty() ? tr("%1 row(s), newest first").arg(items.size()) : why);
    if (!items.isEmpty())
        rows_->setCurrentItem(items.front());
    else
        select_row();
}

void HistoryWindow::select_row() {
    selected_ = HistoryEntry{};
    const QTreeWidgetItem *item = rows_->currentItem();
    QString why;
    if (item)
        if (const auto e = HistoryStore(ctx_.store).entry(item->data(0, Qt::UserRole).toLongLong(), &why))
            selected_ = *e;
    lines_->setPlainText(selected_.id ? history_show_text(selected_) : why);
    snapshot_->setPlainText(QString::fromUtf8(selected_.snapshot));
    save_->setEnabled(!selected_.snapshot.isEmpty());
    report_->setEnabled(selected_.id != 0);
    restore_->setEnabled(!job_->running() &&
                         (selected_.backup.size() == kCloneImageSize || selected_.image.size() == kCloneImageSize));
}

bool HistoryWindow::save_snapshot(const QString &name, QString *error) {
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (selected_.snapshot.isEmpty())
        return fail(tr("This row holds no profile snapshot"));
    if (name.trimmed().isEmpty())
        return fail(tr("The profile name must not be empty"));
    const auto profile = profile_from_json(selected_.snapshot, error);
    if (!profile)
        return false;
    if (const auto existing = ctx_.store.find_profile(name.trimmed()))
        return fail(tr("A profile named \"%1\" exists already; choose another name").arg(*existing));
    return ctx_.store.write_row(name.trimmed(), profile->stored, false, error);
}

void HistoryWindow::save_snapshot_clicked() {
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, tr("Save Snapshot as Profile"), tr("New Profile Name"), QLineEdit::Normal,
                              tr("%1 (row %2)").arg(selected_.profile).arg(selected_.id), &ok);
    if (!ok)
        return;
    QString why;
    if (save_snapshot(name, &why))
        status_->setText(tr("Saved as profile \"%1\"").arg(name.trimmed()));
    else
        ctx_.warn(why);
}

void HistoryWindow::report_clicked() {
    const QString path = remember_file(QFileDialog::getSaveFileName(
        this, tr("Commissioning Report"), file_dialog_start(QStringLiteral("report-%1.pdf").arg(selected_.id)),
        tr("PDF Files (*.pdf)")));
    if (path.isEmpty())
        return;
    QString why;
    if (write_history_report(selected_, path, &why))
        status_->setText(tr("Report written to %1").arg(path));
    else
        ctx_.warn(why);
}

void HistoryWindow::restore_clicked() {
    const QByteArray image = selected_.backup.isEmpty() ? selected_.image : selected_.backup;
    if (image.isEmpty() || job_->running())
        return;
    const QString problem = stored_image_problem(
        selected_.id, image, selected_.backup.isEmpty() ? selected_.image_sha256 : selected_.backup_sha256,
        kCloneImageSize, false);
    if (!problem.isEmpty()) {
        ctx_.warn(problem);
        return;
    }
    if (!ctx_.ask(tr("Write the image of row %1 back into the converter?").arg(selected_.id)))
        return;
    if (!ctx_.release_links())
        return;
    const PortSpec port = port_spec(ctx_.link);
    auto record = std::make_shared<ActionRecord>(&ctx_.store, QStringLiteral("restore"));
    record->set_device(port.device);
    record->entry().image = image;
    record->entry().profile = selected_.profile;
    record->line(QStringLiteral("Restoring the image of history row %1").arg(selected_.id));
    restore_->setEnabled(false);
    start_recorded(
        *job_, record,
        [port, image](ByteLink &link, JobProgress &progress) { return restore_image(link, port, image, progress); },
        [this](const CloneResult &r) {
            status_->setText(r.detail.isEmpty() ? r.message : r.message + QStringLiteral(": ") + r.detail);
            refill();
        },
        clone_write_at_stake());
}

CompareWindow *HistoryWindow::compare_window() {
    if (!compare_)
        compare_ = new CompareWindow(ctx_.store, this);
    return compare_;
}

} // namespace k52
