// The Steal chart: a stolen-base attempt read against the adjusted steal rating and the base.

#include "shell/form2.h"

namespace vnt {

// Not built yet: the chart can be set up, and its buttons do nothing.
void Form2::cmdStealing_Click() {}
void Form2::cmdStealError_Click() {}

}  // namespace vnt
