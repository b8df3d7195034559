#include "run_plan.h"

namespace k52 {

void option_groups(PlanBuilder &) {}

} // namespace k52
