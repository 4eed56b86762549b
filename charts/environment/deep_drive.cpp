// A ball hit deep.

#include "shell/form2.h"

namespace vnt {

// Not built yet: the chart can be set up, and its buttons do nothing.
void Form2::cmdDeep_Click() {}
void Form2::cmdRobbed_Click() {}

}  // namespace vnt
