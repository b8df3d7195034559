#pragma once
// Plans as readable lines for test comparisons: "> CMD" for a command,
// the progress line as printed, "! ERROR | EXPLANATION" for a refusal.

#include "core/profile/profile_store.h"
#include "core/programming/run_plan.h"

#include <string>
#include <vector>

namespace k52::test {

inline std::vector<std::string> plan_lines(const QList<PlanStep> &steps) {
    std::vector<std::string> out;
    for (const PlanStep &s : steps) {
        switch (s.kind) {
        case PlanStep::Progress:
            out.push_back(s.text.toStdString());
            break;
        case PlanStep::Command:
            out.push_back("> " + s.text.toStdString());
            break;
        case PlanStep::Refusal:
            out.push_back("! " + s.error.toStdString() + " | " + s.explanation.toStdString());
            break;
        }
    }
    return out;
}

// Only the command texts, in order.
inline std::vector<std::string> commands(const QList<PlanStep> &steps) {
    std::vector<std::string> out;
    for (const PlanStep &s : steps)
        if (s.kind == PlanStep::Command)
            out.push_back(s.text.toStdString());
    return out;
}

} // namespace k52::test
