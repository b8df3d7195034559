#include "sertomag_screen.h"

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

SerToMagScreen::SerToMagScreen(AppContext &ctx, QWidget *parent) : BaseScreen(ctx, parent) {
    setWindowTitle(QStringLiteral("Serial Input to Magstripe Output Options"));
    auto *layout = new QVBoxLayout(this);
    auto *group = new QGroupBox(QStringLiteral("Serial Input to Magstripe Output Options"), this);
    auto *g = new QVBoxLayout(group);
    check6_[kTrack1Box] = make_box("Track 1 Emulation", "track1", group);
    check6_[kTrack2Box] = make_box("Track 2 Emulation", "track2", group);
    dataup_ = make_box("Data up with clock", "dataup", group);
    cstart_ = make_box("C start sentinel for Track 2 emulation", "cstart", group);
    f2f_ = make_box("F2F Output", "f2f", group);
    for (QCheckBox *b : {check6_[kTrack1Box], check6_[kTrack2Box], dataup_, cstart_, f2f_})
        g->addWidget(b);
    layout->addWidget(group);
    layout->addStretch();

    for (int i = 0; i < 2; ++i)
        connect(check6_[std::size_t(i)], &QCheckBox::toggled, this, [this, i] { setcheck6(i); });
    connect(dataup_, &QCheckBox::toggled, this, [this](bool on) { ctx_.record.sermagparms[2] = on ? 1 : 0; });
    connect(cstart_, &QCheckBox::toggled, this, [this](bool on) { ctx_.record.sermagparms[3] = on ? 1 : 0; });
    connect(f2f_, &QCheckBox::toggled, this, [this](bool on) { ctx_.record.sermagparms[4] = on ? 1 : 0; });
    grey_controls(this);
}

void SerToMagScreen::setcheck6(int index) {
    if (busy_ || index < 0 || index > 1)
        return;
    busy_ = true;
    const TrackBoxes boxes = sertomag_track_boxes(index, check6_[std::size_t(index)]->isChecked());
    check6_[kTrack1Box]->setChecked(boxes.track1);
    check6_[kTrack2Box]->setChecked(boxes.track2);
    store_sertomag_tracks(ctx_.record.sermagparms, boxes);
    busy_ = false;
}

void SerToMagScreen::set_parms() {
    enable_all(this);
    MagParms &p = ctx_.record.sermagparms;
    // Each change runs the track logic, which may rewrite digits 1 and 2
    // before the second box reads its digit.
    check6_[kTrack1Box]->setChecked(p[0] == 1);
    check6_[kTrack2Box]->setChecked(p[1] == 1);
    dataup_->setChecked(p[2] == 1);
    cstart_->setChecked(p[3] == 1);
    f2f_->setChecked(p[4] == 1);
}

static ScreenRegistrar reg("sertomag", [](AppContext &c, QWidget *p) { return new SerToMagScreen(c, p); });

} // namespace k52
