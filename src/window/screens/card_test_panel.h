#pragma once

// "Test a card": the row under a Wiegand output format's picture. Site, ID
// and issue in, the bits the converter sends out, coloured like the
// picture; and a box where pasted bits are read back with the parity
// verdict. It reads the format from the record through the field map.

#include "core/profile/wiegand_card.h"

#include <QWidget>

class QLabel;
class QLineEdit;

namespace k52 {

class CardTestPanel : public QWidget {
    Q_OBJECT
public:
    CardTestPanel(const ConfigRecord &record, const WiegandFieldMap &map, QWidget *parent = nullptr);

    // Work the bits out again (the format or the card changed).
    void refresh();

    QLineEdit *value_box(int i) const { return values_[std::size_t(i)]; } // site, ID, issue
    QLineEdit *read_box() const { return read_; }
    QLabel *bits_label() const { return bits_; }
    QLabel *verdict_label() const { return verdict_; }
    // The bits shown, without spaces ("" when the card cannot be worked out).
    QString bits() const { return shown_bits_; }

private:
    const ConfigRecord &record_;
    const WiegandFieldMap &map_;
    std::array<QLineEdit *, 3> values_{};
    QLabel *bits_ = nullptr;
    QLineEdit *read_ = nullptr;
    QLabel *verdict_ = nullptr;
    QString shown_bits_;
};

} // namespace k52
