#include "programming_run.h"

#include "core/link/exchange.h"
#include "run_plan.h"

namespace k52 {

namespace {

const QString kStopped = QStringLiteral(QT_TRANSLATE_NOOP("k52::Progress", "Programming Stopped"));
const QString kErrorDownloading = QStringLiteral(QT_TRANSLATE_NOOP("k52::Progress", "Error downloading"));

} // namespace

namespace {

enum class StepEnd { Next, Refused, LinkFailed };

// One step of the plan: a progress line, a refusal of the plan, or a
// command that the converter must answer "OK".
StepEnd run_step(ByteLink &link, const PlanStep &s, JobProgress &progress) {
    switch (s.kind) {
    case PlanStep::Progress:
        progress.line(s.text);
        return StepEnd::Next;
    case PlanStep::Refusal:
        if (!s.error.isEmpty())
            progress.line(s.error);
        progress.line(s.explanation);
        return StepEnd::Refused;
    case PlanStep::Command: {
        const Reply reply = exchange(link, s.text);
        if (reply.status == ReplyStatus::LinkFailed)
            return StepEnd::LinkFailed;
        // Anything but "OK", or no reply in time, is a refusal.
        if (reply.status != ReplyStatus::Complete || reply.text != QLatin1String("OK")) {
            progress.line(s.error);
            return StepEnd::Refused;
        }
        return StepEnd::Next;
    }
    }
    return StepEnd::Next;
}

} // namespace

RunResult savetoK52(ByteLink &link, const PortSpec &port, const ConfigRecord &rec, JobProgress &progress) {
    RunResult result;
    result.terminators = rec.terminators;
    progress.line(QStringLiteral(QT_TRANSLATE_NOOP("k52::Progress", "Starting communications")));
    progress.line(QStringLiteral(" "));

    // From here on a port that cannot be used ends the run with
    // "Error downloading"; the port is closed whatever happened.
    auto error_downloading = [&](const QString &why) {
        close_comm(link);
        progress.line(kErrorDownloading);
        result.outcome = RunOutcome::ErrorDownloading;
        result.message = kErrorDownloading;
        result.detail = why;
        return result;
    };
    auto stop = [&] {
        progress.line(kStopped);
        close_comm(link);
        result.outcome = RunOutcome::Stopped;
        result.message = kStopped;
        return result;
    };

    QString open_error;
    if (!open_port(link, port, &open_error))
        return error_downloading(open_error);

    QString version, identification;
    ReplyStatus status = ReplyStatus::TimedOut;
    if (!get_version(link, version, identification, kReplyTimeout, &status)) {
        if (status == ReplyStatus::LinkFailed)
            return error_downloading(QStringLiteral("the link to the converter failed"));
        progress.line(QStringLiteral(QT_TRANSLATE_NOOP("k52::Progress", "Unable to Identify Converter")));
        return stop();
    }
    progress.line(QStringLiteral("...Programming ") + identification);

    const RunPlan plan = build_plan(rec, version);
    // The terminator checks give single digits their leading "0"; the
    // record keeps that even when the run stops.
    result.terminators = plan.terminators;
    const int total = int(plan.steps.size());
    progress.step(0, total);
    for (int i = 0; i < total; ++i) {
        const StepEnd end = run_step(link, plan.steps[i], progress);
        if (end == StepEnd::LinkFailed)
            return error_downloading(QStringLiteral("the link to the converter failed while sending ") +
                                     plan.steps[i].text);
        if (end == StepEnd::Refused)
            return stop();
        progress.step(i + 1, total);
    }
    close_comm(link);
    progress.line(QStringLiteral(" "));
    result.message = QStringLiteral(QT_TRANSLATE_NOOP("k52::Progress", "Converter has been programmed"));
    progress.line(result.message);
    result.outcome = RunOutcome::Programmed;
    return result;
}

} // namespace k52
