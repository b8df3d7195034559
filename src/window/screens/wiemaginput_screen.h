#pragma once

#include "core/rules/input_format_rules.h"
#include "window/ui/base_screen.h"

#include <array>

class QCheckBox;
class QLineEdit;

namespace k52 {

// "Wiegand and Magstripe Input Options" (`wiemaginput`): the three Wiegand
// input formats and the magstripe reading options. Every edit goes into the
// configuration record at once.
class WieMagInputScreen : public BaseScreen {
    Q_OBJECT
public:
    explicit WieMagInputScreen(AppContext &ctx, QWidget *parent = nullptr);

    void set_parms() override;
    // Track choice after a click on "Track 1 set" / "Track 2 set".
    void set_check11();
    void set_check12();

    // `format` 0-2 is format # 1-3; `row` 0 Site, 1 ID, 2 Issue.
    QLineEdit *start_edit(int format, int row) const { return cell(format, row).start; }
    QLineEdit *length_edit(int format, int row) const { return cell(format, row).length; }
    QCheckBox *lsb_box(int format, int row) const { return cell(format, row).lsb; }
    QLineEdit *chars_edit(int format, int row) const { return cell(format, row).chars; }
    QLineEdit *totalbits_edit(int format) const { return totalbits_[std::size_t(format)]; }

    QCheckBox *track1_box() const { return check11_; }
    QCheckBox *track2_box() const { return check12_; }
    QCheckBox *cstart_box() const { return cstart_; }
    QCheckBox *alpdel_box() const { return alpdel_; }
    QCheckBox *ststop_box() const { return ststop_; }
    QCheckBox *lrc_box() const { return lrc_; }
    QCheckBox *dir_box() const { return dir_; }
    QLineEdit *maglen_edit() const { return maglen_; }
    QLineEdit *septrans_edit() const { return septrans_; }

private:
    struct Cell {
        QLineEdit *start = nullptr;
        QLineEdit *length = nullptr;
        QCheckBox *lsb = nullptr;
        QLineEdit *chars = nullptr;
    };
    const Cell &cell(int format, int row) const { return cells_[std::size_t(format)][std::size_t(row)]; }
    void track_clicked(int box);
    void show_track(const MagInputTrack &t);

    std::array<std::array<Cell, kWieInputRows>, kWieInputFormats> cells_{};
    std::array<QLineEdit *, kWieInputFormats> totalbits_{};
    QCheckBox *check11_ = nullptr;
    QCheckBox *check12_ = nullptr;
    QCheckBox *cstart_ = nullptr;
    QCheckBox *alpdel_ = nullptr;
    QCheckBox *ststop_ = nullptr;
    QCheckBox *lrc_ = nullptr;
    QCheckBox *dir_ = nullptr;
    QLineEdit *maglen_ = nullptr;
    QLineEdit *septrans_ = nullptr;
    bool busy_ = false; // the track logic is changing the track boxes
};

} // namespace k52
