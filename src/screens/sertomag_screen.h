#pragma once

#include "app/base_screen.h"

#include <array>

class QCheckBox;

namespace k52 {

// "Serial Input to Magstripe Output Options": the five digits of
// `sermagparms`. One of the two track boxes is always ticked.
class SerToMagScreen : public BaseScreen {
    Q_OBJECT
public:
    explicit SerToMagScreen(AppContext &ctx, QWidget *parent = nullptr);

    void set_parms() override;
    // Track logic; index 0 "Track 2 Emulation", 1 "Track 1 Emulation".
    void setcheck6(int index);

    QCheckBox *track_box(int index) const { return check6_[std::size_t(index)]; }

private:
    std::array<QCheckBox *, 2> check6_{};
    QCheckBox *dataup_ = nullptr;
    QCheckBox *cstart_ = nullptr;
    QCheckBox *f2f_ = nullptr;
    bool busy_ = false;
};

} // namespace k52
