#include "utilities_screen.h"

#include "core/link/exchange.h"
#include "core/maintenance/cloning.h"
#include "core/maintenance/device_commands.h"
#include "core/maintenance/maintenance_history.h"
#include "core/maintenance/utilities_rules.h"
#include "core/profile/safe_file.h"
#include "core/profile/setting_places.h"
#include "core/rules/option_rules.h"
#include "window/ui/backup_option_panel.h"
#include "window/ui/entry_box_editor.h"
#include "window/ui/job_panel.h"
#include "window/ui/top_window.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace k52 {

namespace {

QLineEdit *make_number_box(const char *name, int digits, QWidget *parent) {
    return make_entry_box(name, EntryRule::Decimal, digits, parent);
}

QPushButton *make_button(const QString &caption, const char *name, QWidget *parent) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromUtf8(name));
    return b;
}

// One group holding one button.
QGroupBox *button_group(const QString &caption, QPushButton *button, QWidget *parent) {
    auto *g = new QGroupBox(caption, parent);
    auto *l = new QVBoxLayout(g);
    button->setParent(g);
    l->addWidget(button);
    return g;
}

} // namespace

UtilitiesScreen::UtilitiesScreen(AppContext &ctx, QWidget *parent)
    : BaseScreen(ctx, parent), clone_file_(clone_file_path()), job_(ctx.links) {
    setWindowTitle(tr("K52 Utilities"));
    auto *layout = new QVBoxLayout(this);

    // Converter actions.
    auto *version = new QGroupBox(tr("Version Identification"), this);
    auto *vl = new QHBoxLayout(version);
    auto *getversion_button = make_button(tr("Click for Version"), "getversion", version);
    version_box_ = new QLineEdit(version);
    version_box_->setObjectName(QStringLiteral("versionbox"));
    version_box_->setReadOnly(true);
    vl->addWidget(getversion_button);
    vl->addWidget(version_box_, 1);
    layout->addWidget(version);

    auto *actions = new QHBoxLayout;
    auto *reset_button = make_button(tr("Click to Reset"), "makereset", this);
    auto *restart_button = make_button(tr("Click to Restart"), "makerestart", this);
    actions->addWidget(button_group(tr("Reset K52"), reset_button, this));
    actions->addWidget(button_group(tr("Restart K52 (v1.96+)"), restart_button, this));

    auto *beep = new QGroupBox(tr("Startup Beep"), this);
    auto *bl = new QHBoxLayout(beep);
    beep_on_ = new QCheckBox(tr("On"), beep);
    beep_on_->setObjectName(QStringLiteral("beepon"));
    beep_off_ = new QCheckBox(tr("Off"), beep);
    beep_off_->setObjectName(QStringLiteral("beepoff"));
    bl->addWidget(beep_on_);
    bl->addWidget(beep_off_);
    actions->addWidget(beep);
    layout->addLayout(actions);

    // Beeper settings.
    auto *beeper = new QGroupBox(tr("Beeper Frequency and Duration"), this);
    auto *bg = new QGridLayout(beeper);
    numbers_[0] = {make_number_box("spkrfreq", 3, beeper), &ConfigRecord::spkrfreq};
    numbers_[1] = {make_number_box("spkrtimeser", 3, beeper), &ConfigRecord::spkrtimeser};
    numbers_[2] = {make_number_box("spkrtimei1", 3, beeper), &ConfigRecord::spkrtimei1};
    const char *beeper_captions[] = {QT_TR_NOOP("Frequency"), QT_TR_NOOP("Serial In Beep Time"),
                                     QT_TR_NOOP("Wie/Aba In Beep Time")};
    for (int i = 0; i < 3; ++i) {
        bg->addWidget(new QLabel(tr(beeper_captions[i]), beeper), i, 0);
        bg->addWidget(numbers_[std::size_t(i)].edit, i, 1);
    }
    layout->addWidget(beeper);

    // Output timing.
    auto *timing = new QGroupBox(tr("Wie/Aba timing"), this);
    auto *tg = new QGridLayout(timing);
    for (int i = 0; i < 6; ++i) {
        auto *b = new QCheckBox(shown_caption(pulse_choices()[i % 3]), timing);
        b->setObjectName(QStringLiteral("Check%1").arg(kFirstMagPulseChoice + i));
        pulse_[std::size_t(i)] = b;
    }
    tg->addWidget(new QLabel(tr("Wiegand Pulse Duration"), timing), 0, 0);
    tg->addWidget(new QLabel(tr("Mag Pulse Duration"), timing), 1, 0);
    for (int k = 0; k < 3; ++k) {
        tg->addWidget(pulse_box(kFirstWiePulseChoice + k), 0, 1 + k);
        tg->addWidget(pulse_box(kFirstMagPulseChoice + k), 1, 1 + k);
    }
    numbers_[3] = {make_number_box("wieinterval", 1, timing), &ConfigRecord::wieinterval};
    numbers_[4] = {make_number_box("maginterval", 1, timing), &ConfigRecord::maginterval};
    tg->addWidget(new QLabel(tr("Wiegand Pulse Interval"), timing), 2, 0);
    tg->addWidget(numbers_[3].edit, 2, 1);
    tg->addWidget(new QLabel(tr("Mag Pulse Interval"), timing), 3, 0);
    tg->addWidget(numbers_[4].edit, 3, 1);
    layout->addWidget(timing);

    // Cloning.
    auto *cloning = new QGroupBox(tr("Cloning (v1.96+)"), this);
    auto *cl = new QHBoxLayout(cloning);
    auto *read_button = make_button(tr("Read from K52"), "cloneread", cloning);
    auto *write_button = make_button(tr("Clone to new K52"), "clonewrite", cloning);
    saved_image_as_ = make_button(tr("Save Image As..."), "saveimageas", cloning);
    saved_image_as_->setEnabled(false);
    saved_image_as_->setToolTip(tr("Save a copy of the image the last read saved"));
    cl->addWidget(read_button);
    cl->addWidget(write_button);
    cl->addWidget(saved_image_as_);
    backup_ = new BackupOptionBox(ctx_.store, cloning);
    cl->addWidget(backup_);
    layout->addWidget(cloning);

    // The actions' job: the clone's bar (shown while a clone runs), the
    // status line and Stop.
    panel_ = new JobPanel(ctx_, job_, 0, this);
    panel_->bar()->setObjectName(QStringLiteral("cloneprogress"));
    panel_->bar()->hide();
    panel_->detail()->setObjectName(QStringLiteral("status"));
    panel_->buttons()->addStretch(1);
    layout->addWidget(panel_);
    layout->addStretch();

    connect(getversion_button, &QPushButton::clicked, this, &UtilitiesScreen::getversion);
    connect(reset_button, &QPushButton::clicked, this, &UtilitiesScreen::makereset);
    connect(restart_button, &QPushButton::clicked, this, &UtilitiesScreen::makerestart);
    connect(read_button, &QPushButton::clicked, this, &UtilitiesScreen::clone_upload);
    connect(write_button, &QPushButton::clicked, this, &UtilitiesScreen::clone_download);
    connect(saved_image_as_, &QPushButton::clicked, this, &UtilitiesScreen::save_image_as);
    // Only clicks raise `clicked`; the screen's own changes of the boxes
    // trigger nothing further.
    for (int i = 0; i < 6; ++i)
        connect(pulse_[std::size_t(i)], &QCheckBox::clicked, this,
                [this, i](bool ticked) { pulse_clicked(kFirstMagPulseChoice + i, ticked); });
    connect(beep_on_, &QCheckBox::clicked, this, [this](bool ticked) { beep_clicked(true, ticked); });
    connect(beep_off_, &QCheckBox::clicked, this, [this](bool ticked) { beep_clicked(false, ticked); });
    for (const NumberBox &n : numbers_)
        connect(n.edit, &QLineEdit::textChanged, this,
                [this, field = n.field](const QString &text) { ctx_.record.*field = decimal_text_value(text); });
    grey_controls(this);
}

QCheckBox *UtilitiesScreen::pulse_box(int i) const {
    if (i < kFirstMagPulseChoice || i >= kFirstMagPulseChoice + int(pulse_.size()))
        return nullptr;
    return pulse_[std::size_t(i - kFirstMagPulseChoice)];
}

void UtilitiesScreen::select_pulse(int i) {
    const auto c = pulse_choice(i);
    if (!c)
        return;
    const int first = i - c->position;
    for (int k = 0; k < kPulseChoicesPerRow; ++k)
        pulse_box(first + k)->setChecked(k == c->position);
    (c->row == PulseRow::Mag ? ctx_.record.magpulse : ctx_.record.wiepulse) = c->code;
}

void UtilitiesScreen::domagpulse(int i) {
    if (const auto c = pulse_choice(i); c && c->row == PulseRow::Mag)
        select_pulse(i);
}

void UtilitiesScreen::dowiepulse(int i) {
    if (const auto c = pulse_choice(i); c && c->row == PulseRow::Wiegand)
        select_pulse(i);
}

void UtilitiesScreen::pulse_clicked(int i, bool ticked) {
    if (busy_) {
        // Ignored: the box returns to what it showed.
        pulse_box(i)->setChecked(!ticked);
        return;
    }
    select_pulse(i);
}

void UtilitiesScreen::beep_clicked(bool on, bool ticked) {
    const StartupBeep b = startup_beep_click(on, ticked);
    beep_on_->setChecked(b.on);
    beep_off_->setChecked(b.off);
    ctx_.record.spkrstart = b.spkrstart;
}

void UtilitiesScreen::set_parms() {
    for (const NumberBox &n : numbers_)
        n.edit->setText(QString::number(ctx_.record.*(n.field)));
    if (const auto i = pulse_choice_for(PulseRow::Mag, ctx_.record.magpulse))
        domagpulse(*i);
    if (const auto i = pulse_choice_for(PulseRow::Wiegand, ctx_.record.wiepulse))
        dowiepulse(*i);
    const StartupBeep b = startup_beep_for(ctx_.record.spkrstart);
    beep_on_->setChecked(b.on);
    beep_off_->setChecked(b.off);
}

void UtilitiesScreen::after_show() {
    if (job_.running())
        return;
    busy_ = false;
    panel_->detail()->clear();
}

void UtilitiesScreen::finish_action(bool ok, const QString &status, const QString &told) {
    panel_->bar()->hide();
    panel_->end(ok, status, told);
    busy_ = false;
    emit action_done();
}

void UtilitiesScreen::stop_action() {
    panel_->stop();
}

void UtilitiesScreen::getversion() {
    if (busy_)
        return;
    busy_ = true;
    ctx_.close_all_links();
    version_box_->clear();
    panel_->begin();
    job_.start([port = port_spec(ctx_.link)](ByteLink &link, JobProgress &) { return version_job(link, port); },
               [this](const VersionResult &r) {
                   if (r.complete)
                       version_box_->setText(escaped_text(r.reply));
                   finish_action(r.complete, r.complete ? QString() : r.message);
               });
}

void UtilitiesScreen::send_command(bool restart) {
    if (busy_)
        return;
    busy_ = true;
    ctx_.close_all_links();
    panel_->begin();
    const PortSpec port = port_spec(ctx_.link);
    auto record =
        std::make_shared<ActionRecord>(&ctx_.store, restart ? QStringLiteral("restart") : QStringLiteral("reset"));
    record->set_device(port.device);
    start_recorded(
        job_, record,
        [port, restart](ByteLink &link, JobProgress &) {
            return restart ? restart_job(link, port) : reset_job(link, port);
        },
        [this](const CommandResult &r) { finish_action(r.sent, r.sent ? QString() : r.message); });
}

void UtilitiesScreen::makereset() {
    send_command(false);
}

void UtilitiesScreen::makerestart() {
    send_command(true);
}

void UtilitiesScreen::run_clone(bool upload) {
    if (busy_)
        return;
    panel_->begin();
    panel_->detail()->setText(clone_status_text(upload));
    panel_->bar()->show();
    busy_ = true;
    ctx_.close_all_links();
    version_box_->clear();
    const PortSpec port = port_spec(ctx_.link);
    auto record = std::make_shared<ActionRecord>(&ctx_.store,
                                                 upload ? QStringLiteral("clone read") : QStringLiteral("clone write"));
    record->set_device(port.device);
    if (!upload)
        record->entry().image = clone_file_image(clone_file_);
    backup_->refresh();
    const bool started = start_recorded_with_backup(
        job_, record, !upload && backup_->isChecked() ? ImageReader(read_backup_image) : ImageReader(), port,
        [this](const QString &why) { return ctx_.ask(backup_question(why)); },
        [this](const QString &why) { finish_action(false, tr("Nothing was written: no backup (%1)").arg(why)); },
        [port, file = clone_file_, upload, record](ByteLink &link, JobProgress &progress) {
            if (!upload)
                return clone_write(link, port, file, progress);
            const CloneResult r = clone_read(link, port, file, progress);
            if (r.ok())
                record->set_image(clone_file_image(file));
            return r;
        },
        [this, upload, file = clone_file_](const CloneResult &r) {
            const QString saved = upload && r.ok() ? tr("Clone image saved to %1").arg(file) : QString();
            finish_action(r.ok(), saved,
                          clone_report_text(r) +
                              (saved.isEmpty() ? QString() : QStringLiteral("\n\n") + saved + QLatin1Char('.')));
            if (!saved.isEmpty())
                saved_image_as_->setEnabled(true);
            if (!r.ok() && !job_.stopped() && !port_spec(ctx_.link).error.isEmpty() && offer_find_converter)
                offer_find_converter();
        },
        upload ? QString() : clone_write_at_stake());
    panel_->started(started);
}

bool UtilitiesScreen::save_image_as() {
    QString path;
    if (ask_path) {
        path = ask_path();
    } else {
        path = remember_file(QFileDialog::getSaveFileName(this, tr("Save Image As"),
                                                          file_dialog_start(QFileInfo(clone_file_).fileName()),
                                                          tr("Clone images (*.bin);;All files (*)")));
    }
    if (path.isEmpty())
        return false;
    QFile in(clone_file_);
    QString why;
    if (!in.open(QIODevice::ReadOnly))
        why = QStringLiteral("%1: %2").arg(clone_file_, in.errorString());
    else if (!write_file_safely(path, in.readAll(), &why))
        why = why.isEmpty() ? tr("cannot write %1").arg(path) : why;
    if (!why.isEmpty()) {
        ctx_.warn(tr("The image was not saved: %1").arg(why));
        return false;
    }
    panel_->detail()->setText(tr("Clone image saved to %1").arg(path));
    return true;
}

void UtilitiesScreen::clone_upload() {
    run_clone(true);
}

void UtilitiesScreen::clone_download() {
    run_clone(false);
}

} // namespace k52
