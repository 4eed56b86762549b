// Rundown and collision.

#include "shell/form2.h"

namespace vnt {

// Not built yet: the chart can be set up, and its buttons do nothing.
void Form2::cmdRundown_Click() {}
void Form2::cmdCollision_Click() {}

}  // namespace vnt
