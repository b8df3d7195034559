#include "magoutput_screen.h"

#include "core/rules/option_rules.h"
#include "window/ui/entry_box_editor.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace k52 {

const MagOutputVariant kSerToMag{"sertomag",
                                 QT_TRANSLATE_NOOP("k52::MagOutputScreen", "Serial Input to Magstripe Output Options"),
                                 QT_TRANSLATE_NOOP("k52::MagOutputScreen", "F2F Output"),
                                 true,
                                 [](ConfigRecord &r) -> Integer & { return r.sermagparms[2]; },
                                 [](ConfigRecord &r) -> Integer & { return r.sermagparms[3]; },
                                 [](ConfigRecord &r) -> Integer & { return r.sermagparms[4]; }};

const MagOutputVariant kWieMagOut{
    "wiemagout",
    QT_TRANSLATE_NOOP("k52::MagOutputScreen", "Wiegand and Magstripe Input to Magstripe Output Options"),
    QT_TRANSLATE_NOOP("k52::MagOutputScreen", "F2F"),
    false,
    [](ConfigRecord &r) -> Integer & { return r.input1magdataup; },
    [](ConfigRecord &r) -> Integer & { return r.input1magcstart; },
    [](ConfigRecord &r) -> Integer & { return r.input1magoutf2f; }};

MagOutputScreen::MagOutputScreen(AppContext &ctx, const MagOutputVariant &variant, QWidget *parent)
    : BaseScreen(ctx, parent), v_(variant) {
    setWindowTitle(tr(v_.title));
    auto *layout = new QVBoxLayout(this);
    auto *group = new QGroupBox(tr(v_.title), this);
    auto *g = new QVBoxLayout(group);
    check6_[kTrack1Box] = make_check_box(tr("Track 1 Emulation"), "track1", group);
    check6_[kTrack2Box] = make_check_box(tr("Track 2 Emulation"), "track2", group);
    dataup_ = make_check_box(tr("Data up with clock"), "dataup", group);
    cstart_ = make_check_box(tr("C start sentinel for Track 2 emulation"), "cstart", group);
    f2f_ = make_check_box(tr(v_.f2f_caption), "f2f", group);
    for (QCheckBox *b : {check6_[kTrack1Box], check6_[kTrack2Box], dataup_, cstart_, f2f_})
        g->addWidget(b);
    layout->addWidget(group);
    layout->addStretch();

    for (int i = 0; i < 2; ++i)
        connect(check6_[std::size_t(i)], &QCheckBox::toggled, this, [this, i] { track_clicked(i); });
    for (auto [b, field] : {std::pair{dataup_, v_.dataup}, std::pair{cstart_, v_.cstart}, std::pair{f2f_, v_.f2f}})
        connect(b, &QCheckBox::toggled, this, [this, f = field](bool on) { f(ctx_.record) = on ? 1 : 0; });
    grey_controls(this);
}

void MagOutputScreen::track_clicked(int index) {
    if (busy_ || index < 0 || index > 1)
        return;
    busy_ = true;
    const bool ticked = check6_[std::size_t(index)]->isChecked();
    if (v_.keeps_one_track) {
        const TrackBoxes boxes = sertomag_track_boxes(index, ticked);
        check6_[kTrack1Box]->setChecked(boxes.track1);
        check6_[kTrack2Box]->setChecked(boxes.track2);
        store_sertomag_tracks(ctx_.record.sermagparms, boxes);
    } else if (auto t = wiemagout_track_choice(index, ticked)) {
        check6_[std::size_t(1 - index)]->setChecked(false);
        cstart_->setEnabled(t->sentinel_enabled);
        ctx_.record.input1magouttk = t->input1magouttk;
    }
    busy_ = false;
}

void MagOutputScreen::set_parms() {
    enable_all(this);
    ConfigRecord &r = ctx_.record;
    if (v_.keeps_one_track) {
        // Each change runs the track logic, which may rewrite digits 1 and 2
        // before the second box reads its digit.
        check6_[kTrack1Box]->setChecked(r.sermagparms[0] == 1);
        check6_[kTrack2Box]->setChecked(r.sermagparms[1] == 1);
    } else {
        const int ticked = wiemagout_box_for(r.input1magouttk);
        busy_ = true;
        check6_[std::size_t(ticked)]->setChecked(true);
        check6_[std::size_t(1 - ticked)]->setChecked(false);
        busy_ = false;
        track_clicked(ticked);
    }
    dataup_->setChecked(v_.dataup(r) == 1);
    cstart_->setChecked(v_.cstart(r) == 1);
    f2f_->setChecked(v_.f2f(r) == 1);
}

} // namespace k52
