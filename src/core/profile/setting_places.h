#pragma once
// Where each setting of a profile is edited: the screen, the caption of its
// control, and how its value is shown to a user (numbers as typed, hex as
// hex, choices by their caption, check boxes as ticked or not). Composite
// columns (terminators, serial mask sets, serial-to-magstripe options) are
// split into the parts a user edits one by one. Each setting also names the
// programming command that carries it to the converter. Used by the profile
// comparison and the commissioning report.

#include <QString>
#include <QVariant>
#include <QVector>

#include <array>
#include <optional>

namespace k52 {

enum class ShownAs { Number, Flag, Hex, Choice };

// The settings screens' titles (English, as the screens show them).
inline constexpr char kSerialScreen[] = "Serial Input and Output General Settings";
inline constexpr char kSerMaskScreen[] = "Serial Input Masking";
inline constexpr char kPreprocessScreen[] = "Serial Preprocessors";
inline constexpr char kSerToMagScreen[] = "Serial Input to Magstripe Output Options";
inline constexpr char kSerToWieScreen[] = "Serial Input  to Wiegand Output Options";
inline constexpr char kWieSetupScreen[] = "Wiegand and Magstripe Input General Settings";
inline constexpr char kWieMagInputScreen[] = "Wiegand and Magstripe Input Options";
inline constexpr char kWieMaskingScreen[] = "Wiegand and Magstripe Input Masking";
inline constexpr char kWieMagOutScreen[] = "Wiegand and Magstripe Input to Magstripe Output Options";
inline constexpr char kWieToWieScreen[] = "Wiegand and Magstripe Input to Wiegand Output Options";
inline constexpr char kUtilitiesScreen[] = "K52 Utilities";

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

// The Wiegand output format editor's captions, shared by the serial and the
// input variant. The editor shows them (translation context
// "k52::WiegandOutputEditor") and the places of its settings are named
// from them.
struct WiegandEditorCaptions {
    std::array<const char *, 3> extract;   // "Extract Site", "Extract ID", "Extract Issue Code"
    std::array<const char *, 4> fields;    // rows of the bit formats: site, ID, issue, constant
    std::array<const char *, 3> overrides; // "Override Site", ...
};
const WiegandEditorCaptions &wiegand_editor_captions();
const ChoiceList &wiegand_parity_choices(); // `...parity`: the Parity Selection boxes, in their order
const ChoiceList &wiegand_order_choices();  // `...field1`..4: the boxes of an Output Order Format row

// Captions of the groups a screen repeats, in order; each screen shows them
// in its own translation context, named here.
using GroupCaptions = std::array<const char *, 3>;
const GroupCaptions &serial_mask_groups();  // "k52::SerMaskScreen": the three serial mask sets
const GroupCaptions &input_format_groups(); // "k52::WieMagInputScreen": the three Wiegand input formats
const GroupCaptions &input_mask_groups();   // "k52::WieMaskingScreen": the three input masks

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
    // The programming command that carries the setting, as the command's
    // text begins ("S1G", "I1OW3"); where the setting also decides whether
    // later commands are sent, those follow after a blank ("X2 X3 X5": the
    // hexadecimal preprocessor leaves the other two out). nullptr: the
    // setting stays in the profile and is never sent.
    const char *command = nullptr;
    // The first firmware version that takes that command ("01.94"); older
    // converters are not sent the setting. nullptr: every version.
    const char *since = nullptr;
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

// The differences of one screen.
struct ScreenDifferences {
    QString screen;
    QVector<SettingDifference> settings;
};

// The differences under their screens, in navigation order; screens without
// a difference are left out. What the comparison window and the command
// line print.
QVector<ScreenDifferences> by_screen(const QVector<SettingDifference> &diffs);

} // namespace k52
