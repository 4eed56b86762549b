// Jump, balk and pickoff.

#include "shell/form2.h"

namespace vnt {

// Not built yet: the chart can be set up, and its buttons do nothing.
void Form2::cmdJump_Click() {}
void Form2::cmdJumpError_Click() {}
void Form2::cmdBalk_Click() {}
void Form2::cmdPickoff_Click() {}

}  // namespace vnt
