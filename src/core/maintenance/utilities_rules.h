#pragma once

// Pure rules of the utilities screen: the pulse-duration choices, the
// startup beep pair and what the screen says at the end of an action.

#include "core/maintenance/cloning.h"
#include "core/profile/config_record.h"

#include <QString>

#include <optional>

namespace k52 {

// Pulse-duration choices are numbered 3, 4, 5 (mag 50, 100, 150 us) and
// 6, 7, 8 (Wiegand 50, 100, 150 us).
inline constexpr int kFirstMagPulseChoice = 3;
inline constexpr int kFirstWiePulseChoice = 6;
inline constexpr int kPulseChoicesPerRow = 3;

enum class PulseRow { Mag, Wiegand };

struct PulseChoice {
    PulseRow row = PulseRow::Mag;
    int position = 0; // 0, 1, 2 within its row
    Integer code = 1; // 1, 2, 3: stored in magpulse or wiepulse
};

// The choice numbered `i`; nothing for numbers outside 3..8.
std::optional<PulseChoice> pulse_choice(int i);
// The number of the choice that a stored code selects; nothing for codes
// other than 1, 2, 3 (a row then keeps whatever it shows).
std::optional<int> pulse_choice_for(PulseRow row, Integer code);

// The startup beep pair after a click on "On" (`clicked_on`) or "Off"
// that left the clicked box `ticked`. Exactly one of the pair ends ticked.
struct StartupBeep {
    bool on = false;
    bool off = true;
    QString spkrstart; // "1" for On, "0" for Off
    bool operator==(const StartupBeep &) const = default;
};
StartupBeep startup_beep_click(bool clicked_on, bool ticked);
// The pair as a stored `spkrstart` shows it: "1" ticks "On", anything else "Off".
StartupBeep startup_beep_for(const QString &spkrstart);

// Status line while a clone action runs.
QString clone_status_text(bool upload);
// The message box text for the ending of a clone action. Where the image
// could not be stored, the reason follows the message.
QString clone_report_text(const CloneResult &r);

} // namespace k52
