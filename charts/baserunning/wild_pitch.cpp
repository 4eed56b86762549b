// Wild pitch, passed ball and foul.

#include "shell/form2.h"

namespace vnt {

// Not built yet: the chart can be set up, and its buttons do nothing.
void Form2::cmdWildPitch_Click() {}
void Form2::cmdFoulBall_Click() {}

}  // namespace vnt
