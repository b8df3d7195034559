#include "config_record.h"

namespace k52 {

QString padded_hex(const QString &text, int width) {
    // Keep the rightmost digits; blanks uncovered by the cut are dropped too,
    // so padding an already padded value changes nothing.
    QString t = text.trimmed();
    if (t.size() > width)
        t = t.right(width).trimmed();
    return QString(width - t.size(), QLatin1Char('0')) + t;
}

void pad_hex2(QString &text) {
    text = padded_hex(text, 2);
}
void pad_hex4(QString &text) {
    text = padded_hex(text, 4);
}
void pad_hex16(QString &text) {
    text = padded_hex(text, 16);
}

} // namespace k52
