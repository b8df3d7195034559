#include "config_record.h"

namespace k52 {

QString padded_hex(const QString &text, int width) {
    const QString t = QString(width, QLatin1Char('0')) + text.trimmed();
    return t.right(width);
}

void pad_hex2(QString &text) { text = padded_hex(text, 2); }
void pad_hex4(QString &text) { text = padded_hex(text, 4); }
void pad_hex16(QString &text) { text = padded_hex(text, 16); }

} // namespace k52
