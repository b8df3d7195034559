#include "wiemagout_screen.h"

#include "option_rules.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace k52 {

namespace {
QCheckBox *make_box(const char *caption, const char *name, QWidget *parent) {
    auto *b = new QCheckBox(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromUtf8(name));
    return b;
}
} // namespace

WieMagOutScreen::WieMagOutScreen(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowTitle(QStringLiteral("Wiegand and Magstripe Input to Magstripe Output Options"));
    auto *layout = new QVBoxLayout(this);
    auto *group = new QGroupBox(QStringLiteral("Wiegand and Magstripe Input to Magstripe Output Options"), this);
    auto *g = new QVBoxLayout(group);
    check6_[kTrack1Box] = make_box("Track 1 Emulation", "track1", group);
    check6_[kTrack2Box] = make_box("Track 2 Emulation", "track2", group);
    dataup_ = make_box("Data up with clock", "dataup", group);
    cstart_ = make_box("C start sentinel for Track 2 emulation", "cstart", group);
    f2f_ = make_box("F2F", "f2f", group);
    for (QCheckBox *b : {check6_[kTrack1Box], check6_[kTrack2Box], dataup_, cstart_, f2f_})
        g->addWidget(b);
    layout->addWidget(group);
    layout->addStretch();

    for (int i = 0; i < 2; ++i)
        connect(check6_[std::size_t(i)], &QCheckBox::toggled, this, [this, i] { set_check6(i); });
    connect(dataup_, &QCheckBox::toggled, this, [this](bool on) { ctx_.record.input1magdataup = on ? 1 : 0; });
    connect(cstart_, &QCheckBox::toggled, this, [this](bool on) { ctx_.record.input1magcstart = on ? 1 : 0; });
    connect(f2f_, &QCheckBox::toggled, this, [this](bool on) { ctx_.record.input1magoutf2f = on ? 1 : 0; });
    grey_controls(this);
}

void WieMagOutScreen::set_check6(int index) {
    if (busy_ || index < 0 || index > 1)
        return;
    busy_ = true;
    if (auto t = wiemagout_track_choice(index, check6_[std::size_t(index)]->isChecked())) {
        check6_[std::size_t(1 - index)]->setChecked(false);
        cstart_->setEnabled(t->sentinel_enabled);
        ctx_.record.input1magouttk = t->input1magouttk;
    }
    busy_ = false;
}

void WieMagOutScreen::set_parms() {
    enable_all(this);
    const int ticked = wiemagout_box_for(ctx_.record.input1magouttk);
    busy_ = true;
    check6_[std::size_t(ticked)]->setChecked(true);
    check6_[std::size_t(1 - ticked)]->setChecked(false);
    busy_ = false;
    set_check6(ticked);
    f2f_->setChecked(ctx_.record.input1magoutf2f == 1);
    dataup_->setChecked(ctx_.record.input1magdataup == 1);
    cstart_->setChecked(ctx_.record.input1magcstart == 1);
}

static ScreenRegistrar reg("wiemagout", [](AppContext &c, QWidget *p) { return new WieMagOutScreen(c, p); });

} // namespace k52
