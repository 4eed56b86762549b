// Outfield range: where the ball goes and what the fielder makes of it.

#include "shell/form2.h"

namespace vnt {

// Not built yet: the chart can be set up, and its buttons do nothing.
void Form2::cmdOFR_Click() {}
void Form2::cmdOFRResult_Click() {}

}  // namespace vnt
