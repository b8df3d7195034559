#pragma once

#include "core/rules/link_rules.h"
#include "core/rules/serial_rules.h"
#include "window/ui/base_screen.h"

#include <array>

class QCheckBox;
class QLineEdit;

namespace k52 {

// "Serial Input and Output General Settings" (`serial`): the converter's own
// serial port, its terminators, two special functions and the serial input
// conversion type. Every edit goes into the configuration record at once.
class SerialScreen : public BaseScreen {
    Q_OBJECT
public:
    explicit SerialScreen(AppContext &ctx, QWidget *parent = nullptr);

    void set_parms() override;
    // Selects conversion type `index`; unticking a box selects "No Conversion".
    void docheck5(int index);

    QCheckBox *baud_box(int index) const { return baud_[std::size_t(index)]; }
    QCheckBox *parity_box(int index) const { return parity_[std::size_t(index)]; }
    QCheckBox *conversion_box(int index) const { return check5_[std::size_t(index)]; }
    QCheckBox *beep_box() const { return beep_; }
    QCheckBox *ignorelf_box() const { return ignorelf_; }
    // 0 input terminator, 1 output terminator (1), 2 output terminator (2).
    QLineEdit *terminator_edit(int index) const { return term_[std::size_t(index)]; }

private:
    std::array<QCheckBox *, kBaudChoices> baud_{};
    std::array<QCheckBox *, kDataParityChoices> parity_{};
    std::array<QCheckBox *, kSerConvChoices> check5_{};
    std::array<QLineEdit *, 3> term_{};
    QCheckBox *beep_ = nullptr;
    QCheckBox *ignorelf_ = nullptr;
    bool selecting_ = false; // selection guard: docheck5 is changing the boxes
};

} // namespace k52
