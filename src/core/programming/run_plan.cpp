#include "run_plan.h"

namespace k52 {

QString dec(qint64 value, int width) {
    const QString digits = QString::number(value);
    if (value < 0 || digits.size() >= width)
        return digits;
    return QString(width - digits.size(), QLatin1Char('0')) + digits;
}

QString hex2(qint64 value) {
    const QString h = QString::number(value, 16).toUpper();
    return h.size() == 1 ? QLatin1Char('0') + h : h;
}

RunPlan build_plan(const ConfigRecord &rec, const QString &version) {
    PlanBuilder b(rec, version);
    if (!b.at_least("01.70") && rec.serinconvtype == 6) {
        b.refuse({}, QStringLiteral("Serial to Serial Conversion not allowed with this version"));
        return {b.steps(), b.terminators};
    }
    b.progress(QStringLiteral(QT_TRANSLATE_NOOP("k52::Progress", "...Programming Serial Pamameters")));
    serial_port_groups(b);
    serial_wiegand_groups(b);
    b.progress(QStringLiteral(QT_TRANSLATE_NOOP("k52::Progress", "...Programming Wie/aba Input Pamameters")));
    input_wiegand_checks(b);
    input_groups(b);
    input_wiegand_groups(b);
    option_groups(b);
    return {b.steps(), b.terminators};
}

} // namespace k52
