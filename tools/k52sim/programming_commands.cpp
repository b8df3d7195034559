// The commands of the programming run, as a converter checks them: the
// firmware must know the mnemonic and the command must have its length.
#include "sim.h"

#include <QRegularExpression>

namespace k52sim {
namespace {

// An accepted command is kept in the stored image, as a converter keeps its
// configuration: each command group (its first four characters) has a slot
// of 32 bytes, so the image changes with what was programmed.
void store(const QByteArray &cmd) {
    QByteArray &image = stored_image();
    uint slot = 0;
    for (char c : cmd.left(4))
        slot = slot * 31 + quint8(c);
    const int at = int(slot % uint(image.size() / 32)) * 32;
    image.replace(at, 32, cmd.left(32).leftJustified(32, '\0'));
}

// Accept `cmd` when its fields after `mnemonic` match `fields` (a regular
// expression) and the firmware is at least `since`.
void check(Sim &s, const QByteArray &cmd, const char *since, const QString &pattern) {
    if (since && !s.firmware_at_least(since)) {
        s.reply("ERR");
        return;
    }
    const QRegularExpression re(QStringLiteral("^(?:%1)$").arg(pattern));
    const bool ok = re.match(QString::fromLatin1(cmd)).hasMatch();
    if (ok)
        store(cmd);
    s.reply(ok ? "OK" : "ERR");
}

QString d(int n) {
    return QStringLiteral("\\d{%1}").arg(n);
}
const QString kHex = QStringLiteral("[0-9A-Fa-f]");
QString h(int n) {
    return QStringLiteral("%1{%2}").arg(kHex).arg(n);
}

// The Wiegand output formats: serial ("S1W") and input ("I1OW").
void wiegand_out(Sim &s, const QByteArray &c, const QString &m) {
    const int lp = s.firmware_at_least("01.81") ? 3 : 2;
    check(s, c, nullptr,
          QStringList{m + "1" + d(20), m + "2" + d(7) + d(2 * lp) + d(3), m + "3" + d(4), m + "4" + h(16),
                      m + "5" + h(16), m + "6" + h(16)}
              .join(QLatin1Char('|')));
}

} // namespace
std::vector<CommandEntry> programming_commands() {
    return {
        {"V",
         [](Sim &s, const QByteArray &cmd) {
             if (cmd == "V")
                 s.reply("ZOR " + s.model.toLatin1() + " V" + s.firmware.toLatin1());
             else
                 s.reply("ERR");
         }},
        {"S1G",
         [](Sim &s, const QByteArray &c) {
             check(s, c, nullptr, QStringLiteral("S1G[1-8][EON]") + h(6) + QStringLiteral("[0-7][01][01]"));
         }},
        {"S1M",
         [](Sim &s, const QByteArray &c) {
             check(s, c, nullptr, QStringLiteral("S1M[12]?[01]{%1}").arg(s.firmware_at_least("01.60") ? 3 : 2));
         }},
        {"S1K", [](Sim &s, const QByteArray &c) { check(s, c, nullptr, "S1K" + h(20)); }},
        {"S2K", [](Sim &s, const QByteArray &c) { check(s, c, "01.70", "S2K" + h(20)); }},
        {"S3K", [](Sim &s, const QByteArray &c) { check(s, c, "01.70", "S3K" + h(20)); }},
        {"S1Q", [](Sim &s, const QByteArray &c) { check(s, c, "01.70", "S1Q[23]" + d(2)); }},
        {"S1W", [](Sim &s, const QByteArray &c) { wiegand_out(s, c, QStringLiteral("S1W")); }},
        {"I1OW", [](Sim &s, const QByteArray &c) { wiegand_out(s, c, QStringLiteral("I1OW")); }},
        {"I1IG", [](Sim &s, const QByteArray &c) { check(s, c, nullptr, "I1IG" + d(6)); }},
        {"I1IM", [](Sim &s, const QByteArray &c) { check(s, c, nullptr, "I1IM" + d(8) + h(2)); }},
        {"I1IK", [](Sim &s, const QByteArray &c) { check(s, c, nullptr, "I1IK" + h(20)); }},
        {"I1IY", [](Sim &s, const QByteArray &c) { check(s, c, nullptr, "I1IY" + h(20)); }},
        {"I1IZ", [](Sim &s, const QByteArray &c) { check(s, c, "01.94", "I1IZ" + h(20)); }},
        {"I1OM",
         [](Sim &s, const QByteArray &c) {
             check(s, c, nullptr, "I1OM" + d(1) + QStringLiteral("[01]{%1}").arg(s.firmware_at_least("01.60") ? 3 : 2));
         }},
        {"I1IW",
         [](Sim &s, const QByteArray &c) { check(s, c, nullptr, "I1IW" + d(s.firmware_at_least("01.81") ? 27 : 23)); }},
        {"I1IX",
         [](Sim &s, const QByteArray &c) { check(s, c, nullptr, "I1IX" + d(s.firmware_at_least("01.81") ? 27 : 23)); }},
        {"I1IV", [](Sim &s, const QByteArray &c) { check(s, c, "01.94", "I1IV" + d(27)); }},
        {"X6", [](Sim &s, const QByteArray &c) { check(s, c, "01.94", QStringLiteral("X6[01]")); }},
        {"P", [](Sim &s, const QByteArray &c) { check(s, c, nullptr, "P" + d(15)); }},
        {"T", [](Sim &s, const QByteArray &c) { check(s, c, nullptr, "T" + d(4)); }},
        {"A", [](Sim &s, const QByteArray &c) { check(s, c, nullptr, QStringLiteral("A[01]")); }},
        {"X2",
         [](Sim &s, const QByteArray &c) {
             check(s, c, "01.80", QStringLiteral("X200|X2") + d(14) + QStringLiteral("[01]"));
         }},
        {"X3", [](Sim &s, const QByteArray &c) { check(s, c, "01.80", QStringLiteral("X3[01]")); }},
        {"X5", [](Sim &s, const QByteArray &c) { check(s, c, "01.93", QStringLiteral("X5[01]")); }},
        {"X4", [](Sim &s, const QByteArray &c) { check(s, c, "01.80", "X4" + d(1)); }},
        {"X1", [](Sim &s, const QByteArray &c) { check(s, c, "01.80", "X1" + d(1)); }},
    };
}

} // namespace k52sim
