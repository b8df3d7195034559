#pragma once

// The Wiegand output format editor. One class serves the serial-to-Wiegand
// screen and the Wiegand output screen; what differs between them (title,
// captions, the record fields) is a WiegandOutputVariant.

#include "core/profile/wiegand_map.h"
#include "core/rules/wiegand_format.h"
#include "window/ui/base_screen.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace k52 {

struct WiegandOutputVariant {
    const char *title;
    const char *value_label; // caption of the three override value boxes
    bool grey;               // passes itself to grey_controls
    // set_parms applies the LSB boxes and then the Override boxes; false
    // where the click handlers alone apply them.
    bool fill_applies_boxes;
    const WiegandFieldMap &map;
};

// Serial input to Wiegand output (`sertowie`) and Wiegand / magstripe input
// to Wiegand output (`wietowie`); each is defined beside its registration.
extern const WiegandOutputVariant kSerToWieVariant;
extern const WiegandOutputVariant kWieToWieVariant;

class FormatPictureView;
class CardTestPanel;

class WiegandOutputEditor : public BaseScreen {
    Q_OBJECT
public:
    WiegandOutputEditor(AppContext &ctx, const WiegandOutputVariant &variant, QWidget *parent = nullptr);

    // Parity group, in the order of its boxes.
    enum ParityBox { Standard, Mask, None };
    // Boxes of an output order row, in their order; the field code of each
    // is given by order_code().
    static constexpr int kOrderBoxes = 5;
    static Integer order_code(int box);

    void set_parms() override;
    void after_show() override { makeformat(); }

    void makeformat();
    void set_fields(int row, int field); // row 1..4, field code 0..4
    void set_parity(int mode);           // 1 Standard, 2 Mask, 3 None
    void apply_extract(int i);           // site, ID, issue
    void apply_lsb(int f);               // site, ID, issue, const
    void apply_override(int i);          // site, ID, issue

    const WiegandOutputVariant &variant() const { return v_; }
    // The preview's text with its carriage returns ("Format:" before the
    // first rendering) and the letters it was built from.
    QString preview_text() const { return preview_text_; }
    QString letters() const { return letters_; }

    QCheckBox *extract_box(int i) const { return extract_[std::size_t(i)]; }
    QLineEdit *start_box(int i) const { return start_[std::size_t(i)]; }
    QLineEdit *length_box(int i) const { return len_[std::size_t(i)]; }
    QLineEdit *bits_box(int f) const { return bits_[std::size_t(f)]; }
    QCheckBox *lsb_box(int f) const { return lsb_[std::size_t(f)]; }
    QCheckBox *override_box(int i) const { return overflag_[std::size_t(i)]; }
    QLineEdit *value_box(int f) const { return over_[std::size_t(f)]; } // 3: Constant Value
    QCheckBox *parity_box(ParityBox b) const { return parity_[std::size_t(b)]; }
    QLineEdit *left_bits_box() const { return lpbits_; }
    QLineEdit *right_bits_box() const { return rpbits_; }
    QCheckBox *left_even() const { return left_even_; }
    QCheckBox *left_odd() const { return left_odd_; }
    QCheckBox *right_even() const { return right_even_; }
    QCheckBox *right_odd() const { return right_odd_; }
    QCheckBox *order_box(int row, int box) const { return order_[std::size_t(row)][std::size_t(box)]; }
    QLineEdit *left_mask_box() const { return lpmask_; }
    QLineEdit *right_mask_box() const { return rpmask_; }
    QLabel *preview() const { return preview_; }
    FormatPictureView *picture() const { return picture_; }
    CardTestPanel *card_test() const { return card_; }

private:
    using IntField = WiegandFieldMap::IntField;
    using TextField = WiegandFieldMap::TextField;

    void build();
    QLineEdit *decimal_box(IntField field, int max_len, bool redraw, QWidget *parent);
    QLineEdit *hex_box(TextField field, int max_len, QWidget *parent);
    void on_parity_click(ParityBox b);
    void on_order_click(int row, int box);
    void on_sense_click(QCheckBox *box, QCheckBox *partner);
    void refresh_card(); // the card's bits follow every change of the format

    const WiegandOutputVariant &v_;
    std::array<QCheckBox *, 3> extract_{};
    std::array<QLineEdit *, 3> start_{}, len_{};
    std::array<QLineEdit *, kWiegandFields> bits_{};
    std::array<QCheckBox *, kWiegandFields> lsb_{};
    std::array<QCheckBox *, 3> overflag_{};
    std::array<QLineEdit *, kWiegandFields> over_{};
    std::array<QCheckBox *, 3> parity_{};
    QLineEdit *lpbits_ = nullptr, *rpbits_ = nullptr;
    QCheckBox *left_even_ = nullptr, *left_odd_ = nullptr, *right_even_ = nullptr, *right_odd_ = nullptr;
    std::array<std::array<QCheckBox *, kOrderBoxes>, kWiegandOrderRows> order_{};
    QLineEdit *lpmask_ = nullptr, *rpmask_ = nullptr;
    QLabel *preview_ = nullptr;
    FormatPictureView *picture_ = nullptr;
    CardTestPanel *card_ = nullptr;
    QString preview_text_;
    QString letters_;
    // Refresh guard: set for the whole of set_parms. Group guard: set for
    // the whole of set_fields and set_parity.
    bool refreshing_ = false;
    bool grouping_ = false;
};

// The format as cells under the text preview.
class FormatPictureView : public QWidget {
    Q_OBJECT
public:
    explicit FormatPictureView(QWidget *parent = nullptr);
    void set_letters(const QString &letters);
    const FormatLayout &layout_of_cells() const { return layout_; }
    QSize sizeHint() const override;
    static QColor colour(CellKind kind);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    FormatLayout layout_;
};

} // namespace k52
