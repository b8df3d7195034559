#pragma once

#include "core/rules/mask_rules.h"
#include "window/ui/base_screen.h"
#include "window/ui/entry_box_editor.h"

#include <array>

class QCheckBox;
class QLineEdit;

namespace k52 {

// "Serial Input Masking" (`sermask`): the three serial input mask sets and
// the switch that turns masking on. Every edit goes into the configuration
// record at once; each set's boxes write that set only.
class SerMaskScreen : public BaseScreen {
    Q_OBJECT
public:
    explicit SerMaskScreen(AppContext &ctx, QWidget *parent = nullptr);

    void set_parms() override;
    // "Masking On": enable or disable every mask control, store `serinmask`.
    void setup_check4();
    // Constant box of entry index+1 of set 1, 2, 3.
    void setup_check7(int index) { entry_rule(0, index); }
    void setup_check8(int index) { entry_rule(1, index); }
    void setup_check9(int index) { entry_rule(2, index); }

    // `set` 0-2 is mask set 1-3, `entry` 0-4 is entry 1-5.
    QCheckBox *masking_box() const { return check4_; }
    QCheckBox *constant_box(int set, int entry) const { return row(set, entry).constant; }
    QLineEdit *start_edit(int set, int entry) const { return row(set, entry).start; }
    QLineEdit *length_edit(int set, int entry) const { return row(set, entry).length; }
    QLineEdit *value_edit(int set, int entry) const { return row(set, entry).value; }
    // Sets 2 and 3 (`set` 1 and 2) only.
    QLineEdit *inputlen_edit(int set) const { return inputlen_[std::size_t(set)]; }

private:
    const MaskEntryBoxes &row(int set, int entry) const { return rows_[std::size_t(set)][std::size_t(entry)]; }
    MaskEntry &entry_of(int set, int entry);
    void entry_rule(int set, int entry);
    void set_mask_controls_enabled(bool on);

    QCheckBox *check4_ = nullptr;
    std::array<std::array<MaskEntryBoxes, kMaskEntries>, kSerMaskSets> rows_{};
    std::array<QLineEdit *, kSerMaskSets> inputlen_{}; // [0] unused: set 1 has none
};

} // namespace k52
