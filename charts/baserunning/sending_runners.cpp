// Sending runners: whether a runner trying for an extra base makes it.

#include "shell/form2.h"

namespace vnt {

// Not built yet: the chart can be set up, and its buttons do nothing.
void Form2::cmdRunners_Click() {}
void Form2::cmdRunError_Click() {}

}  // namespace vnt
