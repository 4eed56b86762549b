#include "shell/focus_rules.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <map>

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

std::vector<const Control*> treeOrder(const std::vector<Control*>& controls) {
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
    order.push_back(c);
    if (c->kind != ControlKind::Frame) return;
    for (const Control* inner : controls) {
      if (inner->container == c) visit(inner);
    }
  };
  for (const Control* c : top) visit(c);
  return order;
}

std::vector<const Control*> tabOrder(const std::vector<Control*>& controls) {
  std::vector<const Control*> order = treeOrder(controls);
  std::erase_if(order, [](const Control* c) { return !takesFocus(*c); });
  return order;
}

namespace {

// The options of `option`'s group the player can reach, in Tab order.
std::vector<const Control*> reachableGroup(const std::vector<Control*>& controls,
                                           const Control& option) {
  std::vector<const Control*> group;
  if (option.kind != ControlKind::Option) return group;
  for (const Control* c : tabOrder(controls)) {
    if (c->kind == ControlKind::Option && c->container == option.container && c->reachable()) {
      group.push_back(c);
    }
  }
  return group;
}

}  // namespace

const Control* groupTabStop(const std::vector<Control*>& controls, const Control& option) {
  const std::vector<const Control*> group = reachableGroup(controls, option);
  if (group.empty()) return nullptr;
  const auto selected =
      std::find_if(group.begin(), group.end(), [](const Control* c) { return c->value; });
  return selected != group.end() ? *selected : group.front();
}

std::vector<const Control*> tabStops(const std::vector<Control*>& controls) {
  std::vector<const Control*> order = tabOrder(controls);
  // Each group's stop, by its container, in one walk: a window has a few hundred controls.
  std::map<const Control*, const Control*> stops;
  for (const Control* c : order) {
    if (c->kind != ControlKind::Option || !c->reachable()) continue;
    const auto [at, first] = stops.emplace(c->container, c);
    if (!first && c->value && !at->second->value) at->second = c;
  }
  std::erase_if(order, [&](const Control* c) {
    if (c->kind != ControlKind::Option) return false;
    const auto at = stops.find(c->container);
    return at == stops.end() || at->second != c;
  });
  return order;
}

const Control* arrowTarget(const std::vector<Control*>& controls, const Control& from, int step) {
  const std::vector<const Control*> group = reachableGroup(controls, from);
  const auto at = std::find(group.begin(), group.end(), &from);
  if (at == group.end() || group.size() < 2 || step == 0) return nullptr;
  const auto size = static_cast<std::ptrdiff_t>(group.size());
  const std::ptrdiff_t next = ((at - group.begin()) + (step > 0 ? 1 : -1) + size) % size;
  return group[static_cast<std::size_t>(next)];
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
