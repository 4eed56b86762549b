// The tough play.

#include "shell/form2.h"

namespace vnt {

// Not built yet: the chart can be set up, and its buttons do nothing.
void Form2::cmdToughPlay_Click() {}

}  // namespace vnt
