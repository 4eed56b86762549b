#pragma once

namespace vnt {

class Form2;
struct Control;

// Runs the click handler of a control, if it has one.
void runClickHandler(Form2& form, const Control& control);

}  // namespace vnt
