// Injuries and recovery.

#include "shell/form2.h"

namespace vnt {

// Not built yet: the chart can be set up, and its buttons do nothing.
void Form2::cmdNewInjury_Click() {}
void Form2::cmdRecovered_Click() {}

}  // namespace vnt
