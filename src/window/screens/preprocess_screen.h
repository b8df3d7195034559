#pragma once

#include "window/ui/base_screen.h"

#include <array>

class QCheckBox;
class QLineEdit;

namespace k52 {

// "Serial Preprocessors": at most one of three preprocessors on, and the
// parameters of the hexadecimal one.
class PreprocessScreen : public BaseScreen {
    Q_OBJECT
public:
    explicit PreprocessScreen(AppContext &ctx, QWidget *parent = nullptr);

    void set_parms() override;
    // Hexadecimal parameters enabled exactly while its "Preprocessor ON" is ticked.
    void check_enables();

    enum Preprocessor { Hex = 0, Amtech = 1, AlphaSub = 2 };
    QCheckBox *on_box(Preprocessor p) const { return on_[std::size_t(p)]; }

private:
    struct NumberBox {
        QLineEdit *edit;
        Integer ConfigRecord::*field;
    };

    void on_clicked(int which, bool ticked);
    Integer &on_field(int which);

    std::array<QCheckBox *, 3> on_{};
    QCheckBox *trim_ = nullptr;
    std::array<NumberBox, 7> numbers_{};
};

} // namespace k52
