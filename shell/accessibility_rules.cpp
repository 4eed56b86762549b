#include "shell/accessibility_rules.h"

#include <algorithm>

namespace vnt {

AccessibleRole accessibleRole(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
      return AccessibleRole::Button;
    case ControlKind::CheckBox:
      return AccessibleRole::CheckBox;
    case ControlKind::Option:
      return AccessibleRole::RadioButton;
    case ControlKind::Frame:
      return AccessibleRole::Group;
    case ControlKind::Label:
      return AccessibleRole::Text;
    case ControlKind::ListBox:
      return AccessibleRole::List;
    case ControlKind::Image:
      return AccessibleRole::Image;
  }
  return AccessibleRole::Text;
}

std::string accessibleName(const Control& control, std::string_view shown) {
  if (control.name == "Text1") return "Result: " + std::string(shown);
  if (control.name == "List1") return "Roll history";
  if (control.name == "imgLogo") return "VNT Assistant logo";
  switch (control.kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::Option:
    case ControlKind::Frame:
      return withoutAccessKey(shown);
    case ControlKind::Label:
      // An empty label in a frame goes by the frame's caption, so it still has a name.
      if (shown.empty() && control.container != nullptr) {
        const Control& frame = *control.container;
        return frame.literalCaption ? frame.caption : withoutAccessKey(frame.caption);
      }
      break;
    case ControlKind::ListBox:
    case ControlKind::Image:
      break;
  }
  return std::string(shown);
}

bool announcesCaptionChange(const Control& control) {
  return control.name == "Text1";
}

LiveRegion liveRegion(const Control& control) {
  return announcesCaptionChange(control) ? LiveRegion::Status : LiveRegion::None;
}

ListUpdate listUpdate(const std::vector<std::string>& shown,
                      const std::vector<std::string>& wanted) {
  // Drop lines from the top until what is left begins the wanted list.
  std::size_t dropped = 0;
  while (dropped < shown.size()) {
    const std::size_t left = shown.size() - dropped;
    if (left <= wanted.size() && std::equal(shown.begin() + static_cast<std::ptrdiff_t>(dropped),
                                            shown.end(), wanted.begin())) {
      break;
    }
    ++dropped;
  }
  return {dropped, shown.size() - dropped};
}

}  // namespace vnt
