// The simulator's identity and fault switches.
#include "sim.h"

namespace k52sim {
namespace {

using O = QCommandLineOption;

} // namespace
std::vector<OptionEntry> general_options() {
    return {
        {O(QStringLiteral("model"), QStringLiteral("K52, K54, K52R or K54R (default K52)."), QStringLiteral("MODEL")),
         [](Sim &s, const QCommandLineParser &p, QString *error) {
             if (!p.isSet(QStringLiteral("model")))
                 return true;
             s.model = p.value(QStringLiteral("model"));
             static const QStringList kModels = {QStringLiteral("K52"), QStringLiteral("K54"), QStringLiteral("K52R"),
                                                 QStringLiteral("K54R")};
             if (kModels.contains(s.model))
                 return true;
             *error = QStringLiteral("unknown model %1").arg(s.model);
             return false;
         }},
        {O(QStringList{QStringLiteral("firmware"), QStringLiteral("version")},
           QStringLiteral("Firmware version (default 01.99)."), QStringLiteral("VERSION")),
         [](Sim &s, const QCommandLineParser &p, QString *) {
             if (p.isSet(QStringLiteral("firmware")))
                 s.firmware = p.value(QStringLiteral("firmware"));
             return true;
         }},
        {O(QStringLiteral("refuse"), QStringLiteral("Answer ERR to commands starting with this (repeatable)."),
           QStringLiteral("MNEMONIC")),
         [](Sim &s, const QCommandLineParser &p, QString *) {
             s.refuse = p.values(QStringLiteral("refuse"));
             return true;
         }},
        {O(QStringLiteral("stall"), QStringLiteral("Leave commands starting with this unanswered (repeatable)."),
           QStringLiteral("MNEMONIC")),
         [](Sim &s, const QCommandLineParser &p, QString *) {
             s.stall = p.values(QStringLiteral("stall"));
             return true;
         }},
        {O(QStringLiteral("stall-after"), QStringLiteral("Answer N commands or clone packets, then nothing more."),
           QStringLiteral("N")),
         [](Sim &s, const QCommandLineParser &p, QString *error) {
             if (!p.isSet(QStringLiteral("stall-after")))
                 return true;
             bool ok = false;
             s.stall_after = p.value(QStringLiteral("stall-after")).toInt(&ok);
             if (!ok || s.stall_after < 0) {
                 *error = QStringLiteral("--stall-after needs a number");
                 return false;
             }
             return true;
         }},
        {O(QStringLiteral("silent"), QStringLiteral("Answer nothing.")),
         [](Sim &s, const QCommandLineParser &p, QString *) {
             s.silent = p.isSet(QStringLiteral("silent"));
             return true;
         }},
        {O(QStringLiteral("reply"), QStringLiteral("Answer every command with TEXT."), QStringLiteral("TEXT")),
         [](Sim &s, const QCommandLineParser &p, QString *) {
             s.fixed_reply = p.value(QStringLiteral("reply"));
             return true;
         }},
        {O(QStringLiteral("garbage"), QStringLiteral("Answer with random bytes and a CR.")),
         [](Sim &s, const QCommandLineParser &p, QString *) {
             s.garbage = p.isSet(QStringLiteral("garbage"));
             return true;
         }},
        {O(QStringLiteral("crlf"), QStringLiteral("End replies with CR LF.")),
         [](Sim &s, const QCommandLineParser &p, QString *) {
             s.crlf = p.isSet(QStringLiteral("crlf"));
             return true;
         }},
        {O(QStringLiteral("hangup-after"), QStringLiteral("Hang up after answering N commands."), QStringLiteral("N")),
         [](Sim &s, const QCommandLineParser &p, QString *error) {
             if (!p.isSet(QStringLiteral("hangup-after")))
                 return true;
             bool ok = false;
             s.hangup_after = p.value(QStringLiteral("hangup-after")).toInt(&ok);
             if (ok && s.hangup_after >= 0)
                 return true;
             *error = QStringLiteral("--hangup-after needs a number");
             return false;
         }},
        {O(QStringLiteral("pace"), QStringLiteral("Take the wire time of BAUD (ten bit times a byte)."),
           QStringLiteral("BAUD")),
         [](Sim &s, const QCommandLineParser &p, QString *error) {
             if (!p.isSet(QStringLiteral("pace")))
                 return true;
             bool ok = false;
             s.pace_baud = p.value(QStringLiteral("pace")).toInt(&ok);
             if (ok && s.pace_baud > 0)
                 return true;
             *error = QStringLiteral("--pace needs a baud rate");
             return false;
         }},
        {O(QStringLiteral("baud"),
           QStringLiteral("Answer only when the caller set this speed on the line; send "
                          "noise at any other speed."),
           QStringLiteral("RATE")),
         [](Sim &s, const QCommandLineParser &p, QString *error) {
             if (!p.isSet(QStringLiteral("baud")))
                 return true;
             bool ok = false;
             s.baud = p.value(QStringLiteral("baud")).toInt(&ok);
             if (ok && s.baud > 0)
                 return true;
             *error = QStringLiteral("--baud needs a baud rate");
             return false;
         }},
        {O(QStringLiteral("echo"), QStringLiteral("Send back every byte received outside a command frame (for the "
                                                  "terminal); commands are still answered.")),
         [](Sim &s, const QCommandLineParser &p, QString *) {
             s.echo = p.isSet(QStringLiteral("echo"));
             return true;
         }},
        {O(QStringLiteral("log"), QStringLiteral("Append every received command to FILE."), QStringLiteral("FILE")),
         [](Sim &s, const QCommandLineParser &p, QString *) {
             s.log_path = p.value(QStringLiteral("log"));
             return true;
         }},
        {O(QStringLiteral("wire-log"),
           QStringLiteral("Append every byte read and sent to FILE: \"R hex\" or \"S hex\", a line a chunk."),
           QStringLiteral("FILE")),
         [](Sim &s, const QCommandLineParser &p, QString *) {
             s.wire_log_path = p.value(QStringLiteral("wire-log"));
             return true;
         }},
    };
}

} // namespace k52sim
