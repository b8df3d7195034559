#include "pgmform_window.h"

#include "profile/safe_file.h"

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
            QMessageBox::warning(this, QStringLiteral("Save Lines"), error);
    });
    make_controller({});
}

void PgmFormWindow::make_controller(RunController::LinkFactory f) {
    delete controller_;
    controller_ = new RunController(ctx_.links, std::move(f), this);
    connect(controller_, &RunController::cleared, this, [this] {
        picture1_->clear();
        detail_->clear();
        bar_->setRange(0, 1);
        bar_->setValue(0);
    });
    connect(controller_, &RunController::line, this, [this](const QString &t) { picture1_->appendPlainText(t); });
    connect(controller_, &RunController::step, this, [this](int done, int total) {
        bar_->setRange(0, qMax(total, 1));
        bar_->setValue(done);
    });
    connect(controller_, &RunController::finished, this, [this](const RunResult &r) {
        // Only the normalised terminators go back into the record.
        ctx_.record.terminators = r.terminators;
        if (!r.detail.isEmpty())
            detail_->setText(r.detail);
        if (r.outcome == RunOutcome::Programmed)
            bar_->setValue(bar_->maximum());
        if (on_finished)
            on_finished(r);
    });
}

void PgmFormWindow::set_link_factory(RunController::LinkFactory f) {
    if (!running())
        make_controller(std::move(f));
}

bool PgmFormWindow::start_run() {
    if (running())
        return false;
    ctx_.close_all_links();
    return controller_->start(ctx_.link, ctx_.record);
}

QStringList PgmFormWindow::lines() const {
    const QString text = picture1_->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

bool PgmFormWindow::save_lines(const QString &path, QString *error) const {
    return write_file_safely(path, (lines().join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(), error, true);
}

static ScreenRegistrar reg("pgmform",
                           [](AppContext &c, QWidget *p) -> BaseScreen * { return new PgmFormWindow(c, p); });

} // namespace k52
