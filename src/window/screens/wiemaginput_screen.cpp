#include "wiemaginput_screen.h"

#include "core/profile/setting_places.h"
#include "core/rules/option_rules.h"
#include "window/ui/entry_box_editor.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace k52 {

namespace {

constexpr int kStartLength = 3; // Start and Total Bits
constexpr int kShortLength = 2; // Length, Chars, magstripe Length, Sep translate

QLineEdit *box(const QString &name, EntryRule rule, int length, QWidget *parent) {
    QLineEdit *e = make_entry_box(name.toUtf8().constData(), rule, length, parent);
    return e;
}

QCheckBox *tick(const QString &caption, const char *name, QWidget *parent) {
    auto *b = new QCheckBox(caption, parent);
    b->setObjectName(QString::fromUtf8(name));
    return b;
}

} // namespace

WieMagInputScreen::WieMagInputScreen(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowTitle(tr("Wiegand and Magstripe Input Options"));
    auto *layout = new QHBoxLayout(this);
    auto *formats = new QVBoxLayout;
    const char *const heads[] = {QT_TR_NOOP("Field"), QT_TR_NOOP("Start"), QT_TR_NOOP("Length"), QT_TR_NOOP("LSB"),
                                 QT_TR_NOOP("Chars")};
    const char *const fields[kWieInputRows] = {QT_TR_NOOP("Site"), QT_TR_NOOP("ID"), QT_TR_NOOP("Issue")};
    for (int f = 0; f < kWieInputFormats; ++f) {
        auto *group = new QGroupBox(tr(input_format_groups()[std::size_t(f)]), this);
        group->setObjectName(QStringLiteral("format%1").arg(f + 1));
        auto *grid = new QGridLayout(group);
        for (int c = 0; c < 5; ++c)
            grid->addWidget(new QLabel(tr(heads[c]), group), 0, c);
        for (int r = 0; r < kWieInputRows; ++r) {
            Cell &cl = cells_[std::size_t(f)][std::size_t(r)];
            const QString suffix = QStringLiteral("%1_%2").arg(f + 1).arg(QString::fromUtf8(fields[r]).toLower());
            grid->addWidget(new QLabel(tr(fields[r]), group), r + 1, 0);
            cl.start = box(QStringLiteral("start") + suffix, EntryRule::Decimal, kStartLength, group);
            grid->addWidget(cl.start, r + 1, 1);
            cl.length = box(QStringLiteral("length") + suffix, EntryRule::Decimal, kShortLength, group);
            grid->addWidget(cl.length, r + 1, 2);
            cl.lsb = new QCheckBox(group);
            cl.lsb->setObjectName(QStringLiteral("lsb") + suffix);
            grid->addWidget(cl.lsb, r + 1, 3);
            cl.chars = box(QStringLiteral("chars") + suffix, EntryRule::Decimal, kShortLength, group);
            grid->addWidget(cl.chars, r + 1, 4);
        }
        grid->addWidget(new QLabel(tr("Total Bits"), group), kWieInputRows + 1, 0, 1, 2);
        totalbits_[std::size_t(f)] =
            box(QStringLiteral("totalbits%1").arg(f + 1), EntryRule::Decimal, kStartLength, group);
        grid->addWidget(totalbits_[std::size_t(f)], kWieInputRows + 1, 2);
        formats->addWidget(group);
    }
    formats->addStretch();
    layout->addLayout(formats);

    auto *mag = new QGroupBox(tr("Magstripe Input Options"), this);
    auto *ml = new QVBoxLayout(mag);
    check11_ = tick(tr("Track 1 set"), "Check11", mag);
    check12_ = tick(tr("Track 2 set"), "Check12", mag);
    cstart_ = tick(tr("C Start"), "cstart", mag);
    alpdel_ = tick(tr("Alpha delete"), "alpdel", mag);
    ststop_ = tick(tr("Include Start/Stop (serial output only)"), "ststop", mag);
    lrc_ = tick(tr("Include Lrc (serial output only)"), "lrc", mag);
    dir_ = tick(tr("Direction indicator (serial output only)"), "dir", mag);
    for (QCheckBox *b : {check11_, check12_, cstart_, alpdel_, ststop_, lrc_, dir_})
        ml->addWidget(b);
    auto *boxes = new QGridLayout;
    boxes->addWidget(new QLabel(tr("Length"), mag), 0, 0);
    maglen_ = box(QStringLiteral("maglen"), EntryRule::Decimal, kShortLength, mag);
    boxes->addWidget(maglen_, 0, 1);
    boxes->addWidget(new QLabel(tr("Sep translate (hex)"), mag), 1, 0);
    septrans_ = box(QStringLiteral("septrans"), EntryRule::Hex, kShortLength, mag);
    boxes->addWidget(septrans_, 1, 1);
    ml->addLayout(boxes);
    ml->addStretch();
    layout->addWidget(mag);

    for (int f = 0; f < kWieInputFormats; ++f) {
        const WieInputFormat &fmt = wie_input_format(f);
        for (int r = 0; r < kWieInputRows; ++r) {
            const Cell &cl = cell(f, r);
            const WieInputRow &row = fmt.rows[std::size_t(r)];
            for (auto [edit, field] :
                 {std::pair{cl.start, row.start}, std::pair{cl.length, row.length}, std::pair{cl.chars, row.chars}})
                connect(edit, &QLineEdit::textChanged, this,
                        [this, f = field](const QString &t) { ctx_.record.*f = decimal_text_value(t); });
            connect(cl.lsb, &QCheckBox::toggled, this,
                    [this, field = row.lsb](bool on) { ctx_.record.*field = on ? 1 : 0; });
        }
        connect(totalbits_[std::size_t(f)], &QLineEdit::textChanged, this,
                [this, field = fmt.totalbits](const QString &t) { ctx_.record.*field = decimal_text_value(t); });
    }
    connect(check11_, &QCheckBox::toggled, this, [this] { set_check11(); });
    connect(check12_, &QCheckBox::toggled, this, [this] { set_check12(); });
    using R = ConfigRecord;
    for (auto [b, field] :
         {std::pair{cstart_, &R::input1cstart}, std::pair{alpdel_, &R::input1alpdel},
          std::pair{ststop_, &R::input1ststop}, std::pair{lrc_, &R::input1lrc}, std::pair{dir_, &R::input1dir}})
        connect(b, &QCheckBox::toggled, this, [this, f = field](bool on) { ctx_.record.*f = on ? 1 : 0; });
    connect(maglen_, &QLineEdit::textChanged, this,
            [this](const QString &t) { ctx_.record.input1maglen = decimal_text_value(t); });
    connect(septrans_, &QLineEdit::textChanged, this, [this](const QString &t) { ctx_.record.input1septrans = t; });
    grey_controls(this);
}

void WieMagInputScreen::show_track(const MagInputTrack &t) {
    busy_ = true;
    check11_->setChecked(t.track1);
    check12_->setChecked(!t.track1);
    cstart_->setEnabled(t.cstart_enabled);
    alpdel_->setEnabled(t.alpdel_enabled);
    ctx_.record.input1magtk = t.input1magtk;
    busy_ = false;
}

void WieMagInputScreen::track_clicked(int box) {
    if (busy_)
        return;
    const QCheckBox *clicked = box == kTrack1SetBox ? check11_ : check12_;
    show_track(mag_input_track_after_click(box, clicked->isChecked()));
}

void WieMagInputScreen::set_check11() {
    track_clicked(kTrack1SetBox);
}
void WieMagInputScreen::set_check12() {
    track_clicked(kTrack2SetBox);
}

void WieMagInputScreen::set_parms() {
    ConfigRecord &r = ctx_.record;
    // The boxes may already show the stored track, so apply it directly.
    show_track(mag_input_track_for(r.input1magtk));
    cstart_->setChecked(r.input1cstart == 1);
    alpdel_->setChecked(r.input1alpdel == 1);
    ststop_->setChecked(r.input1ststop == 1);
    lrc_->setChecked(r.input1lrc == 1);
    dir_->setChecked(r.input1dir == 1);
    maglen_->setText(QString::number(r.input1maglen));
    septrans_->setText(r.input1septrans);
    for (int f = 0; f < kWieInputFormats; ++f) {
        const WieInputFormat &fmt = wie_input_format(f);
        for (int i = 0; i < kWieInputRows; ++i) {
            const WieInputRow &row = fmt.rows[std::size_t(i)];
            const Cell &cl = cell(f, i);
            cl.start->setText(QString::number(r.*row.start));
            cl.length->setText(QString::number(r.*row.length));
            cl.chars->setText(QString::number(r.*row.chars));
        }
        totalbits_[std::size_t(f)]->setText(QString::number(r.*fmt.totalbits));
    }
    for (int f = 0; f < kWieInputFormats; ++f)
        for (int i = 0; i < kWieInputRows; ++i)
            cell(f, i).lsb->setChecked(r.*wie_input_format(f).rows[std::size_t(i)].lsb == 1);
}

} // namespace k52
