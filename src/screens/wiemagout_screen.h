#pragma once

#include "app/base_screen.h"

#include <array>

class QCheckBox;

namespace k52 {

// "Wiegand and Magstripe Input to Magstripe Output Options": track,
// clock edge, track-2 start sentinel and F2F of the mag output. Unlike the
// serial twin, a track click that unticks its box leaves neither ticked.
class WieMagOutScreen : public BaseScreen {
    Q_OBJECT
public:
    explicit WieMagOutScreen(AppContext &ctx, QWidget *parent = nullptr);

    void set_parms() override;
    // Track logic; index 0 "Track 2 Emulation", 1 "Track 1 Emulation".
    void set_check6(int index);

    QCheckBox *track_box(int index) const { return check6_[std::size_t(index)]; }

private:
    std::array<QCheckBox *, 2> check6_{};
    QCheckBox *dataup_ = nullptr;
    QCheckBox *cstart_ = nullptr;
    QCheckBox *f2f_ = nullptr;
    bool busy_ = false;
};

} // namespace k52
