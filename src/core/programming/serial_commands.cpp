#include "run_plan.h"

namespace k52 {

namespace {

// One digit per supported converter baud rate; any other rate adds nothing.
QString baud_code(qint64 baudrate) {
    switch (baudrate) {
    case 1200:
        return QStringLiteral("1");
    case 2400:
        return QStringLiteral("2");
    case 4800:
        return QStringLiteral("3");
    case 9600:
        return QStringLiteral("4");
    case 19200:
        return QStringLiteral("5");
    case 38400:
        return QStringLiteral("6");
    case 57600:
        return QStringLiteral("7");
    case 115200:
        return QStringLiteral("8");
    default:
        return {};
    }
}

// A terminator must be set; a single digit gets its leading "0" (stored back
// into the record after the run). Returns false, after refusing, when the
// run must stop.
bool check_terminator(PlanBuilder &b, QString &term, const QString &name, bool zero_allowed) {
    const QString where = name + QStringLiteral(" on the Serial I/O screen ");
    if (term.isEmpty()) {
        b.refuse({}, where + QStringLiteral("is blank"));
        return false;
    }
    if (term.size() == 1)
        term.prepend(QLatin1Char('0'));
    if (!zero_allowed && term == QLatin1String("00")) {
        b.refuse({}, where + QStringLiteral("cannot be 0"));
        return false;
    }
    return true;
}

QString s1g(PlanBuilder &b) {
    const ConfigRecord &r = b.rec;
    const Terminators &t = b.terminators;
    return QStringLiteral("S1G") + baud_code(r.baudrate) + r.parity + t.input + t.out1 + t.out2 +
           QString::number(r.serinconvtype) + QString::number(r.serinmask) + QString::number(r.seringoodbeep);
}

QString s1m(PlanBuilder &b) {
    const MagParms &m = b.rec.sermagparms;
    QString cmd = QStringLiteral("S1M");
    // Only one track can be emulated; should a record hold both, Track 2
    // wins, so the option digits after it stay in their places.
    if (m[1] == 1)
        cmd += QLatin1Char('2');
    else if (m[0] == 1)
        cmd += QLatin1Char('1');
    cmd += flag(m[2]);
    cmd += flag(m[3]);
    if (b.at_least("01.60"))
        cmd += flag(m[4]);
    return cmd;
}

QString mask_command(const QString &mnemonic, const MaskSet &set) {
    QString cmd = mnemonic;
    for (const MaskEntry &e : set.entries) {
        // A one-digit value typed on the masking screen still takes its
        // two places, so the entries after it are not shifted.
        if (e.constant == 1)
            cmd += QStringLiteral("00") + padded_hex(e.value, 2);
        else
            cmd += hex2(e.start) + hex2(e.length);
    }
    return cmd;
}

} // namespace

void serial_port_groups(PlanBuilder &b) {
    Terminators &t = b.terminators;
    if (!check_terminator(b, t.input, QStringLiteral("Input Terminator"), false) ||
        !check_terminator(b, t.out1, QStringLiteral("Output Terminator 1"), false) ||
        !check_terminator(b, t.out2, QStringLiteral("Output Terminator 2"), true))
        return;
    b.command(s1g(b), QStringLiteral("Error 001 Programming converter"));
    b.command(s1m(b), QStringLiteral("Error 002 Programming Converter"));
    b.command(mask_command(QStringLiteral("S1K"), b.rec.sermask1), QStringLiteral("Error 003 Programming Converter"));
    if (!b.at_least("01.70"))
        return;
    b.command(mask_command(QStringLiteral("S2K"), b.rec.sermask2), QStringLiteral("Error 033 Programming Converter"));
    b.command(mask_command(QStringLiteral("S3K"), b.rec.sermask3), QStringLiteral("Error 034 Programming Converter"));
    b.command(QStringLiteral("S1Q2") + dec(b.rec.sermask2.inputlen, 2),
              QStringLiteral("Error 035 Programming Converter"));
    b.command(QStringLiteral("S1Q3") + dec(b.rec.sermask3.inputlen, 2),
              QStringLiteral("Error 036 Programming Converter"));
}

} // namespace k52
