// Which handler a click on each control runs. Controls not listed have no click handler:
// a click only changes their selection or check.

#include "shell/click_handlers.h"

#include <string_view>
#include <unordered_map>

#include "shell/form2.h"

namespace vnt {
namespace {

using Handler = void (*)(Form2&, int index);

const std::unordered_map<std::string_view, Handler>& handlers() {
  static const std::unordered_map<std::string_view, Handler> table = {
      {"cmdCancel", [](Form2& f, int) { f.cmdCancel_Click(); }},
      {"cmdExit", [](Form2& f, int) { f.cmdExit_Click(); }},
      {"cmdYear", [](Form2& f, int) { f.cmdYear_Click(); }},
      {"cmdOne", [](Form2& f, int) { f.cmdOne_Click(); }},
      {"cmdTwo", [](Form2& f, int) { f.cmdTwo_Click(); }},
      {"cmdThree", [](Form2& f, int) { f.cmdThree_Click(); }},
      {"cmdTwenty", [](Form2& f, int) { f.cmdTwenty_Click(); }},
  };
  return table;
}

}  // namespace

void runClickHandler(Form2& form, const Control& control) {
  const auto& table = handlers();
  if (const auto it = table.find(control.name); it != table.end()) it->second(form, control.index);
}

}  // namespace vnt
