// The error chart: the fielder's result by adjusted error rating.

#include "shell/form2.h"

namespace vnt {

// Not built yet: the chart can be set up, and its buttons do nothing.
void Form2::cmdError_Click() {}

}  // namespace vnt
