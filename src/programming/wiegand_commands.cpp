#include "run_plan.h"

namespace k52 {

void serial_wiegand_groups(PlanBuilder &) {}
void input_wiegand_checks(PlanBuilder &) {}
void input_wiegand_groups(PlanBuilder &) {}

} // namespace k52
