#include "utilities_rules.h"

namespace k52 {

std::optional<PulseChoice> pulse_choice(int i) {
    if (i >= kFirstMagPulseChoice && i < kFirstMagPulseChoice + kPulseChoicesPerRow)
        return PulseChoice{PulseRow::Mag, i - kFirstMagPulseChoice, Integer(i - kFirstMagPulseChoice + 1)};
    if (i >= kFirstWiePulseChoice && i < kFirstWiePulseChoice + kPulseChoicesPerRow)
        return PulseChoice{PulseRow::Wiegand, i - kFirstWiePulseChoice, Integer(i - kFirstWiePulseChoice + 1)};
    return std::nullopt;
}

std::optional<int> pulse_choice_for(PulseRow row, Integer code) {
    if (code < 1 || code > kPulseChoicesPerRow)
        return std::nullopt;
    return (row == PulseRow::Mag ? kFirstMagPulseChoice : kFirstWiePulseChoice) + code - 1;
}

StartupBeep startup_beep_click(bool clicked_on, bool ticked) {
    const bool on = clicked_on ? ticked : !ticked;
    return {on, !on, on ? QStringLiteral("1") : QStringLiteral("0")};
}

StartupBeep startup_beep_for(const QString &spkrstart) {
    return startup_beep_click(true, spkrstart == QLatin1String("1"));
}

QString clone_status_text(bool upload) {
    return upload ? QStringLiteral("Attempting Clone Upload from K52")
                  : QStringLiteral("Attempting Clone Download to K52");
}

QString clone_report_text(const CloneResult &r) {
    if (r.outcome == CloneOutcome::NotStored && !r.detail.isEmpty())
        return r.message + QStringLiteral("\n\n") + r.detail;
    return r.message;
}

} // namespace k52
