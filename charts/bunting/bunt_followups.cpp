// The bunt's follow-up rolls.

#include "shell/form2.h"

namespace vnt {

// Not built yet: the chart can be set up, and its buttons do nothing.
void Form2::cmdBuntError_Click() {}
void Form2::cmdBuntSpeed_Click() {}
void Form2::cmdBuntStrikeout_Click() {}

}  // namespace vnt
