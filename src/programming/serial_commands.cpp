#include "run_plan.h"

namespace k52 {

void serial_port_groups(PlanBuilder &) {}

} // namespace k52
