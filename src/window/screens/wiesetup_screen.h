#pragma once

#include "window/ui/base_screen.h"

#include <vector>

class QCheckBox;

namespace k52 {

// "Wiegand and Magstripe Input General Settings": input type, output
// conversion type, serial dump mode (one choice each) and four on/off
// special functions.
class WieSetupScreen : public BaseScreen {
    Q_OBJECT
public:
    explicit WieSetupScreen(AppContext &ctx, QWidget *parent = nullptr);

    void set_parms() override;
    // Select the choice at `index` of its group and store its code.
    void set_check1(int index); // Input Type
    void set_check5(int index); // Output Conversion Type
    void set_check6(int index); // Dump Mode Options

    const std::vector<QCheckBox *> &input_type_boxes() const { return check1_; }
    const std::vector<QCheckBox *> &conv_type_boxes() const { return check5_; }
    const std::vector<QCheckBox *> &dump_mode_boxes() const { return check6_; }

private:
    void select(std::vector<QCheckBox *> &group, int index);
    void on_choice(int group, int index);

    std::vector<QCheckBox *> check1_, check5_, check6_;
    bool busy_ = false;
};

} // namespace k52
