#include "wiring_charts.h"

namespace k52 {

namespace {

Wire red(const char *label) {
    return {QString::fromUtf8(label), QStringLiteral("Red"), 0xD01010};
}
Wire black(const char *label) {
    return {QString::fromUtf8(label), QStringLiteral("Black"), 0x101010};
}
Wire green(const char *label) {
    return {QString::fromUtf8(label), QStringLiteral("Green"), 0x10A030};
}
Wire white(const char *label) {
    return {QString::fromUtf8(label), QStringLiteral("White"), 0xFFFFFF};
}
Wire brown(const char *label) {
    return {QString::fromUtf8(label), QStringLiteral("Brown"), 0x8B4513};
}

} // namespace

const std::vector<WiringChart> &wiring_charts() {
    static const std::vector<WiringChart> charts = {
        {QStringLiteral("K52R / K54R  WIRING COLOR CODES"),
         {
             red("+VDC"),
             black("Ground"),
             brown("Led OUT"),
             {QStringLiteral("Relay Normally Closed"), QStringLiteral("Violet"), 0x8A2BE2},
             {QStringLiteral("Relay Normally Open"), QStringLiteral("Blue"), 0x1E50DC},
             {QStringLiteral("Relay Common"), QStringLiteral("Grey"), 0x909090},
             white("Data 1 IN / Mag Data IN"),
             green("Data 0 IN / Mag Clock IN"),
             green("Data 0 OUT / Mag Clock OUT"),
             white("Data 1 OUT / Mag Data OUT"),
         }},
        {QStringLiteral("K52 / K54  WIRING COLOR CODES"),
         {
             red("+VDC"),
             black("Ground"),
             white("Data 1 IN / Mag Data IN"),
             green("Data 0 IN / Mag Clock IN"),
             green("Data 0 OUT / Mag Clock OUT"),
             white("Data 1 OUT / Mag Data OUT"),
             {QStringLiteral("Media OUT"), QStringLiteral("Yellow"), 0xF0D000},
             brown("Led / F2F OUT"),
         }},
    };
    return charts;
}

QString wiring_note() {
    return QStringLiteral("Colours follow the usual Wiegand wiring convention (red +VDC, black ground, green Data 0, "
                          "white Data 1, brown LED). Check every wire against the label on the converter itself "
                          "before connecting.");
}

} // namespace k52
