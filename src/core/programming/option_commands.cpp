// The last groups of the run: zero suppression, beeper, timing, start-up
// beep, the serial preprocessors, dump mode and line-feed handling.
#include "run_plan.h"

namespace k52 {
namespace {

QString error_line(const char *number) {
    return QStringLiteral("Error %1 Programming Converter").arg(QLatin1String(number));
}

} // namespace

void option_groups(PlanBuilder &b) {
    const ConfigRecord &r = b.rec;

    if (b.at_least("01.94"))
        b.command(QStringLiteral("X6") + (r.zerosuppress == 1 ? QStringLiteral("1") : QStringLiteral("0")),
                  error_line("020-A"));

    // each beep time goes twice, the Wiegand/magstripe input time first
    b.progress(QStringLiteral(QT_TRANSLATE_NOOP("k52::Progress", "...Programming Speaker Pamameters")));
    b.command(QStringLiteral("P") + dec(r.spkrfreq, 3) + dec(r.spkrtimei1, 3) + dec(r.spkrtimei1, 3) +
                  dec(r.spkrtimeser, 3) + dec(r.spkrtimeser, 3),
              error_line("021"));

    // the Wiegand pulse duration comes before the magstripe one
    b.progress(QStringLiteral(QT_TRANSLATE_NOOP("k52::Progress", "...Programming Timing Pamameters")));
    b.command(QStringLiteral("T") + dec(r.maginterval, 1) + dec(r.wieinterval, 1) + dec(r.wiepulse, 1) +
                  dec(r.magpulse, 1),
              error_line("022"));

    b.progress(QStringLiteral(QT_TRANSLATE_NOOP("k52::Progress", "...Programming Startup Pamameters")));
    b.command(QStringLiteral("A") + r.spkrstart, error_line("023"));

    if (!b.at_least("01.80"))
        return;

    // The preprocessors exclude one another: hexadecimal before 26-bit
    // encoded before alpha substitution. The one that loses gets no command.
    b.progress(QStringLiteral(QT_TRANSLATE_NOOP("k52::Progress", "...Programming Preprocessor Pamameters")));
    if (r.hexprepro != 0) {
        b.command(QStringLiteral("X2") + dec(r.hextotalbits, 2) + dec(r.hexsitestart, 2) + dec(r.hexsitelen, 2) +
                      dec(r.hexidstart, 2) + dec(r.hexidlen, 2) + dec(r.hexsitechars, 2) + dec(r.hexidchars, 2) +
                      flag(r.hextrimleading),
                  error_line("039"));
    } else {
        b.command(QStringLiteral("X200"), error_line("039"));
        b.command(r.amtech26encpre != 0 ? QStringLiteral("X31") : QStringLiteral("X30"), error_line("040"));
        if (r.amtech26encpre == 0 && b.at_least("01.93")) {
            b.progress(
                QStringLiteral(QT_TRANSLATE_NOOP("k52::Progress", "...Programming Preprocessor Pamameters # 2")));
            b.command(r.seralphasub != 0 ? QStringLiteral("X51") : QStringLiteral("X50"), error_line("043"));
        }
    }

    b.progress(QStringLiteral(QT_TRANSLATE_NOOP("k52::Progress", "...Programming Dumpmode Pamameters")));
    b.command(QStringLiteral("X4") + dec(r.dumpmodestyle, 1), error_line("041"));
    b.progress(QStringLiteral(QT_TRANSLATE_NOOP("k52::Progress", "...Programming Linefeed Pamameters")));
    b.command(QStringLiteral("X1") + dec(r.ignorelf, 1), error_line("042"));
}

} // namespace k52
