#include "wiring_charts.h"

#include <QCoreApplication>

namespace k52 {

namespace {

Wire red(const char *label) {
    return {QCoreApplication::translate("k52::WiringWindow", label),
            QCoreApplication::translate("k52::WiringWindow", "Red"), 0xD01010};
}
Wire black(const char *label) {
    return {QCoreApplication::translate("k52::WiringWindow", label),
            QCoreApplication::translate("k52::WiringWindow", "Black"), 0x101010};
}
Wire green(const char *label) {
    return {QCoreApplication::translate("k52::WiringWindow", label),
            QCoreApplication::translate("k52::WiringWindow", "Green"), 0x10A030};
}
Wire white(const char *label) {
    return {QCoreApplication::translate("k52::WiringWindow", label),
            QCoreApplication::translate("k52::WiringWindow", "White"), 0xFFFFFF};
}
Wire brown(const char *label) {
    return {QCoreApplication::translate("k52::WiringWindow", label),
            QCoreApplication::translate("k52::WiringWindow", "Brown"), 0x8B4513};
}

} // namespace

const std::vector<WiringChart> &wiring_charts() {
    static const std::vector<WiringChart> charts = {
        {QCoreApplication::translate("k52::WiringWindow", "K52R / K54R  WIRING COLOR CODES"),
         {
             red(QT_TRANSLATE_NOOP("k52::WiringWindow", "+VDC")),
             black(QT_TRANSLATE_NOOP("k52::WiringWindow", "Ground")),
             brown(QT_TRANSLATE_NOOP("k52::WiringWindow", "Led OUT")),
             {QCoreApplication::translate("k52::WiringWindow", "Relay Normally Closed"),
              QCoreApplication::translate("k52::WiringWindow", "Violet"), 0x8A2BE2},
             {QCoreApplication::translate("k52::WiringWindow", "Relay Normally Open"),
              QCoreApplication::translate("k52::WiringWindow", "Blue"), 0x1E50DC},
             {QCoreApplication::translate("k52::WiringWindow", "Relay Common"),
              QCoreApplication::translate("k52::WiringWindow", "Grey"), 0x909090},
             white(QT_TRANSLATE_NOOP("k52::WiringWindow", "Data 1 IN / Mag Data IN")),
             green(QT_TRANSLATE_NOOP("k52::WiringWindow", "Data 0 IN / Mag Clock IN")),
             green(QT_TRANSLATE_NOOP("k52::WiringWindow", "Data 0 OUT / Mag Clock OUT")),
             white(QT_TRANSLATE_NOOP("k52::WiringWindow", "Data 1 OUT / Mag Data OUT")),
         }},
        {QCoreApplication::translate("k52::WiringWindow", "K52 / K54  WIRING COLOR CODES"),
         {
             red(QT_TRANSLATE_NOOP("k52::WiringWindow", "+VDC")),
             black(QT_TRANSLATE_NOOP("k52::WiringWindow", "Ground")),
             white(QT_TRANSLATE_NOOP("k52::WiringWindow", "Data 1 IN / Mag Data IN")),
             green(QT_TRANSLATE_NOOP("k52::WiringWindow", "Data 0 IN / Mag Clock IN")),
             green(QT_TRANSLATE_NOOP("k52::WiringWindow", "Data 0 OUT / Mag Clock OUT")),
             white(QT_TRANSLATE_NOOP("k52::WiringWindow", "Data 1 OUT / Mag Data OUT")),
             {QCoreApplication::translate("k52::WiringWindow", "Media OUT"),
              QCoreApplication::translate("k52::WiringWindow", "Yellow"), 0xF0D000},
             brown(QT_TRANSLATE_NOOP("k52::WiringWindow", "Led / F2F OUT")),
         }},
    };
    return charts;
}

QString wiring_note() {
    return QCoreApplication::translate(
        "k52::WiringWindow",
        "Colours follow the usual Wiegand wiring convention (red +VDC, black ground, green Data 0, "
        "white Data 1, brown LED). Check every wire against the label on the converter itself "
        "before connecting.");
}

} // namespace k52
