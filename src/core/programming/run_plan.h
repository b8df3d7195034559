#pragma once
// The programming run as data: what the run prints and sends, in order, for
// one record and one firmware version. Building the plan needs no converter;
// the run walks it, sending each command and stopping at the first refusal.
// `k52util plan` prints it.

#include "core/profile/config_record.h"

#include <QList>
#include <QString>

namespace k52 {

struct PlanStep {
    enum Kind {
        Progress, // a progress line printed before the commands of a group
        Command,  // a command sent; `error` is printed when it is refused
        Refusal,  // a failed check: `error` (when not empty) then `explanation`, and the run stops
    };
    Kind kind = Command;
    QString text;        // progress line or command text
    QString error;       // error line on refusal
    QString explanation; // second line of a failed check
    bool operator==(const PlanStep &) const = default;
};

// Collects the steps of a plan. Group builders append through it; after a
// failed check every later call does nothing.
class PlanBuilder {
public:
    PlanBuilder(const ConfigRecord &rec, QString version)
        : rec(rec), version(std::move(version)), terminators(rec.terminators) {}

    const ConfigRecord &rec; // the record the groups read
    const QString version;   // "01.94"
    // The serial terminators as the commands carry them: the terminator
    // checks give a single digit its leading "0".
    Terminators terminators;

    // Version gates compare the text as a plain string.
    bool at_least(const char *gate) const { return version.compare(QLatin1String(gate)) >= 0; }
    bool is(const char *v) const { return version == QLatin1String(v); }

    void progress(const QString &line) {
        if (!stopped_)
            steps_.append({PlanStep::Progress, line, {}, {}});
    }
    void command(const QString &text, const QString &error) {
        if (!stopped_)
            steps_.append({PlanStep::Command, text, error, {}});
    }
    // A failed check: the run prints `error` (skipped when empty) and
    // `explanation`, then stops.
    void refuse(const QString &error, const QString &explanation) {
        if (!stopped_)
            steps_.append({PlanStep::Refusal, {}, error, explanation});
        stopped_ = true;
    }
    bool stopped() const { return stopped_; }
    const QList<PlanStep> &steps() const { return steps_; }

private:
    QList<PlanStep> steps_;
    bool stopped_ = false;
};

// A plan and what the run stores back into the record it programmed: the
// serial terminators as they were sent (kept even when the run stops).
struct RunPlan {
    QList<PlanStep> steps;
    Terminators terminators;
};

// The whole plan for `rec` on firmware `version`, in the run's order (the
// serial-to-serial refusal of old firmware first, then every group).
RunPlan build_plan(const ConfigRecord &rec, const QString &version);

// Number formatting shared by every group.
// Decimal with leading zeros up to `width` digits; longer values in full.
QString dec(qint64 value, int width);
// Upper-case hexadecimal, one leading "0" for a single digit.
QString hex2(qint64 value);
// "1" for 1, "0" for 0 (any non-zero value gives "1").
inline QString flag(qint64 value) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

// The groups, in the order the run sends them.
// Serial port, serial-to-magstripe and serial masks: terminator checks,
// "S1G", "S1M", "S1K", "S2K", "S3K", "S1Q2", "S1Q3".
void serial_port_groups(PlanBuilder &b);
// Serial-to-Wiegand field checks and "S1W1" to "S1W6".
void serial_wiegand_groups(PlanBuilder &b);
// Input-to-Wiegand field checks (before the input groups).
void input_wiegand_checks(PlanBuilder &b);
// "I1IG" to "I1IV" with the Wiegand input format limits between "I1OM" and "I1IW".
void input_groups(PlanBuilder &b);
// "I1OW1" to "I1OW6".
void input_wiegand_groups(PlanBuilder &b);
// "X6", "P", "T", "A", preprocessors, dump mode, line feed, with their progress lines.
void option_groups(PlanBuilder &b);

} // namespace k52
