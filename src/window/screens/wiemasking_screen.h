#pragma once

#include "core/rules/mask_rules.h"
#include "window/ui/base_screen.h"
#include "window/ui/entry_box_editor.h"

#include <array>

class QCheckBox;
class QLineEdit;

namespace k52 {

// "Wiegand and Magstripe Input Masking" (`wiemasking`): the three input
// masks as fifteen rows (rows 0-4 mask 1, 5-9 mask 2, 10-14 mask 3). Every
// edit goes into the configuration record at once.
class WieMaskingScreen : public BaseScreen {
    Q_OBJECT
public:
    explicit WieMaskingScreen(AppContext &ctx, QWidget *parent = nullptr);

    void set_parms() override;
    // Apply the "Constant" tick of row `index` to the record and to the
    // row's enabled boxes.
    void set_check7(int index);

    QCheckBox *constant_box(int row) const { return rows_[std::size_t(row)].constant; }
    QLineEdit *start_edit(int row) const { return rows_[std::size_t(row)].start; }
    QLineEdit *length_edit(int row) const { return rows_[std::size_t(row)].length; }
    QLineEdit *value_edit(int row) const { return rows_[std::size_t(row)].value; }

private:
    std::array<MaskEntryBoxes, kInputMaskRows> rows_{};
};

} // namespace k52
