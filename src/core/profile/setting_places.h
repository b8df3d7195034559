#pragma once
// Where each setting of a profile is edited: the screen, the caption of its
// control, and how its value is shown to a user (numbers as typed, hex as
// hex, choices by their caption, check boxes as ticked or not). Composite
// columns (terminators, serial mask sets, serial-to-magstripe options) are
// split into the parts a user edits one by one. Used by the profile
// comparison and the commissioning report.

#include <QString>
#include <QVariant>
#include <QVector>

#include <optional>

namespace k52 {

enum class ShownAs { Number, Flag, Hex, Choice };

struct ChoiceCaption {
    int code;
    const char *caption;
};
using ChoiceList = QVector<ChoiceCaption>;

// The choice groups that screens show as rows of boxes, in the screen's
// order: each box's stored code and caption. The screens build their boxes
// from these; the comparison and the report name stored codes by them.
const ChoiceList &parity_choices();            // `parity` and the link's parity: the box index is the code
const ChoiceList &serial_conversion_choices(); // `serinconvtype`: the box index is the code
const ChoiceList &input_type_choices();        // `input1type`
const ChoiceList &output_conversion_choices(); // `input1convtype`
const ChoiceList &dump_mode_choices();         // `dumpmodestyle`
const ChoiceList &pulse_choices();             // `magpulse` and `wiepulse`

// A choice's caption as the window shows it, in the user's language (the
// comparison, the report and the command line keep the English caption).
QString shown_caption(const ChoiceCaption &choice);

// The code of the box at `index`; the box that shows `code`. Nothing for
// an index or a code the group does not have.
std::optional<qint64> choice_code(const ChoiceList &choices, int index);
std::optional<int> choice_index(const ChoiceList &choices, qint64 code);

struct SettingPlace {
    int column = 0;     // index into columns()
    int from = 0;       // part of a composite text: 0-based position and length;
    int length = 0;     // length 0: the whole column
    const char *screen; // title of the screen
    QString caption;    // caption of the control (with its group where the control alone is ambiguous)
    ShownAs shown = ShownAs::Number;
    ChoiceList choices; // for ShownAs::Choice
};

// Every setting, in column order (parts of a composite column in position
// order). Every column of the profiles table appears at least once.
const QVector<SettingPlace> &setting_places();

// The screens in the order of the navigation panel.
QStringList setting_screens();

// The stored value of `place` (the stored value of its column) as a user
// would see or enter it: "9600", "0D", "7 Even", "ticked", "not ticked".
QString shown_value(const SettingPlace &place, const QVariant &stored);

// Column name, with the part for a composite column ("sermask2 entry 3 Start").
QString place_name(const SettingPlace &place);

struct SettingDifference {
    const SettingPlace *place;
    QString a, b; // shown values
};

// The settings whose shown values differ between two profiles' stored
// values (in column order, as ProfileStore::stored_row gives them).
QVector<SettingDifference> diff_settings(const QVector<QVariant> &a, const QVector<QVariant> &b);

} // namespace k52
