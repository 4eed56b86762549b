#include "shell/focus_rules.h"

#include <algorithm>
#include <cstddef>
#include <functional>

#include "shell/form2.h"

namespace vnt {
namespace {

// Two places share some area: touching edges do not count.
bool overlap(const Twips& a, const Twips& b) {
  if (a.width <= 0 || a.height <= 0 || b.width <= 0 || b.height <= 0) return false;
  return std::max(a.left, b.left) < std::min(a.left + a.width, b.left + b.width) &&
         std::max(a.top, b.top) < std::min(a.top + a.height, b.top + b.height);
}

}  // namespace

bool takesFocus(const Control& control) {
  return control.kind == ControlKind::Button || control.kind == ControlKind::CheckBox ||
         control.kind == ControlKind::Option;
}

std::vector<const Control*> tabOrder(const std::vector<Control*>& controls) {
  std::vector<const Control*> top;
  for (const Control* c : controls) {
    if (c->container == nullptr) top.push_back(c);
  }
  std::stable_sort(top.begin(), top.end(), [](const Control* a, const Control* b) {
    const Twips& p = a->layout;
    const Twips& q = b->layout;
    return p.top != q.top ? p.top < q.top : p.left < q.left;
  });
  std::vector<const Control*> order;
  order.reserve(controls.size());
  const std::function<void(const Control*)> visit = [&](const Control* c) {
    if (takesFocus(*c)) order.push_back(c);
    if (c->kind != ControlKind::Frame) return;
    for (const Control* inner : controls) {
      if (inner->container == c) visit(inner);
    }
  };
  for (const Control* c : top) visit(c);
  return order;
}

const Control* focusAfterLosing(const Form2& form, const Control& lost,
                                const std::vector<bool>& shownBefore) {
  // A result is complete: "&Continue" is the next step.
  if (form.cmdCancel.reachable() && form.cmdCancel.caption == "&Continue") return &form.cmdCancel;
  // A follow-up button that took the place of the roll button.
  const std::vector<Control*>& controls = form.controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const Control& c = *controls[i];
    const bool isNew = i < shownBefore.size() && !shownBefore[i];
    if (c.kind == ControlKind::Button && c.reachable() && isNew && c.container == lost.container &&
        overlap(c.layout, lost.layout)) {
      return &c;
    }
  }
  // A new screen: its first button, else its first control.
  const Control* first = nullptr;
  for (const Control* c : tabOrder(controls)) {
    if (!c->reachable()) continue;
    if (c->kind == ControlKind::Button) return c;
    if (first == nullptr) first = c;
  }
  return first;
}

}  // namespace vnt
