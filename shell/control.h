#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vnt {

enum class ControlKind { Button, CheckBox, Option, Frame, Label, ListBox, Image };

// Position and size in twips (1/1440 inch); the window's client area is 8436 x 8724.
struct Twips {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Point size 0 means the toolkit's default font.
struct Font {
  int pointSize = 0;
  bool bold = false;
};

// A control is plain state; the window model changes it and a toolkit adapter paints it.
struct Control {
  std::string name;
  int index = -1;  // element of a control array, or -1 for a single control
  ControlKind kind = ControlKind::Label;
  const Control* container = nullptr;  // the frame holding it, or null for the window
  Twips layout;
  Font font;
  bool visible = true;
  bool enabled = true;
  std::string caption;
  // The caption is data (a ballpark name read from a file), shown exactly as written: an
  // '&' in it is an ordinary character, never an access key.
  bool literalCaption = false;
  bool value = false;                  // option selected / check box checked
  std::optional<std::uint32_t> backColor;  // 0xRRGGBB; none = the default button colour
  std::vector<std::string> items;      // list box lines, top to bottom
  // Said of the control when it is pointed at or reached (tooltip, accessible description):
  // why a season cannot be chosen. Empty for most controls.
  std::string description;

  // "cmdChart(10)" or "Text1": how messages and tests name it.
  std::string displayName() const;

  // The player can click it only when it, and every frame around it, is visible and enabled.
  bool reachable() const;
};

// A caption as it reads, without its access-key mark: "E&xit" reads "Exit", and "&&" stands
// for one ampersand.
std::string withoutAccessKey(std::string_view caption);

// A control array: elements addressed by index from 0. Built once by the window and never
// resized, so pointers to its elements stay valid.
class ControlArray {
 public:
  ControlArray() = default;
  explicit ControlArray(std::size_t count) : items_(count) {}

  Control& operator[](int i) { return items_.at(static_cast<std::size_t>(i)); }
  const Control& operator[](int i) const { return items_.at(static_cast<std::size_t>(i)); }
  int size() const { return static_cast<int>(items_.size()); }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<Control> items_;
};

}  // namespace vnt
