#pragma once
// The entry-box kit of the screens: boxes that take text by one rule
// whichever way it comes in, and check-box groups of which one choice holds.

#include "core/rules/entry_rules.h"
#include "core/rules/link_rules.h"

#include <QValidator>

#include <array>
#include <functional>
#include <span>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QWidget;

namespace k52 {

// Holds a box's text to its rule and length. Qt runs it on every change a
// user makes (keys, paste, middle-click selection, drag and drop), so what
// the rule drops never reaches the box and what would make the text too
// long is cut short, as a box of fixed length does. Text the program sets (a stored value) is
// shown as it is, so that it is never cut short or changed on display.
class EntryValidator : public QValidator {
    Q_OBJECT
public:
    EntryValidator(EntryRule rule, int max_length, QLineEdit *box);
    State validate(QString &input, int &pos) const override;

private:
    EntryRule rule_;
    int max_length_;
    const QLineEdit *box_;
};

// An entry box named `name` that takes text by `rule`, at most `max_length`
// characters, and is as wide as that many characters.
QLineEdit *make_entry_box(const char *name, EntryRule rule, int max_length, QWidget *parent);

// A check box with the name the tests and the accessibility tree know it by.
QCheckBox *make_check_box(const QString &caption, const QString &name, QWidget *parent);

// The link's eight speeds as one group of boxes, four to a row, each named
// "baud" and its rate.
QGroupBox *baud_group(const QString &title, std::array<QCheckBox *, kBaudChoices> &boxes, QWidget *parent);
// The same, storing the numeric value of its text on every change.
QLineEdit *make_decimal_box(const char *name, int max_length, QWidget *parent, std::function<void(Integer)> store);
// The same, storing its text on every change.
QLineEdit *make_text_box(const char *name, EntryRule rule, int max_length, QWidget *parent,
                         std::function<void(const QString &)> store);

// The boxes of one entry of an input mask: Constant, Start, Length and
// Value (hex).
struct MaskEntryBoxes {
    QCheckBox *constant = nullptr;
    QLineEdit *start = nullptr;
    QLineEdit *length = nullptr;
    QLineEdit *value = nullptr;
};
// Entry `number` of a mask as row `y` of `grid`: the number, then the boxes
// (two characters each), named `check_name` and "start", "length" and
// "value" followed by `suffix`.
MaskEntryBoxes add_mask_entry(QGridLayout *grid, int y, int number, const QString &check_name, const QString &suffix,
                              QWidget *parent);
// Start and Length, or Value, take input as the entry's Constant tick says.
void show_mask_entry_rule(const MaskEntryBoxes &boxes);

// A group of check boxes of which one choice holds: ticking box i unticks
// the others and reports i; unticking a box leaves the group with none
// ticked and reports nothing.
void one_of_many(std::span<QCheckBox *const> boxes, std::function<void(int)> chosen);

} // namespace k52
