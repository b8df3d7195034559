#include "link_settings.h"

namespace k52 {

QString terminator_text(qint64 stored) {
    QString s = QString::number(stored, 16).toUpper();
    if (s.size() == 1)
        s.prepend(QLatin1Char('0'));
    return s;
}

int terminator_number(const QString &text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok, 16);
    return ok ? n : 0;
}

} // namespace k52
