#pragma once

#include "window/ui/base_screen.h"

#include <array>

class QCheckBox;

namespace k52 {

// What tells the two magstripe output screens apart: their captions, where
// their settings live and how their track choice behaves.
struct MagOutputVariant {
    const char *name;        // window name
    const char *title;       // window title and group caption
    const char *f2f_caption; // "F2F Output" or "F2F"
    // The serial screen always keeps one track ticked and its start
    // sentinel enabled; the Wiegand screen acts only on a tick and enables
    // the sentinel for track 2 only.
    bool keeps_one_track;
    Integer &(*dataup)(ConfigRecord &);
    Integer &(*cstart)(ConfigRecord &);
    Integer &(*f2f)(ConfigRecord &);
};

extern const MagOutputVariant kSerToMag;  // "sertomag", digits of `sermagparms`
extern const MagOutputVariant kWieMagOut; // "wiemagout", the `input1magout...` fields

// The magstripe output options: emulated track, clock edge, track-2 start
// sentinel and F2F output.
class MagOutputScreen : public BaseScreen {
    Q_OBJECT
public:
    MagOutputScreen(AppContext &ctx, const MagOutputVariant &variant, QWidget *parent = nullptr);

    void set_parms() override;
    // Track logic (`setcheck6` of the serial screen, `set_check6` of the
    // Wiegand one); index 0 "Track 2 Emulation", 1 "Track 1 Emulation".
    void track_clicked(int index);

    QCheckBox *track_box(int index) const { return check6_[std::size_t(index)]; }

private:
    const MagOutputVariant &v_;
    std::array<QCheckBox *, 2> check6_{};
    QCheckBox *dataup_ = nullptr;
    QCheckBox *cstart_ = nullptr;
    QCheckBox *f2f_ = nullptr;
    bool busy_ = false;
};

} // namespace k52
