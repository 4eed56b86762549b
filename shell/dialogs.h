#pragma once

#include <string>

namespace vnt {

// The program's title, shown by message boxes that name no title of their own.
inline constexpr const char* kApplicationTitle = "VNT Assistant";

// Modal message boxes without an icon. An empty title means the application title.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual void ok(const std::string& prompt, const std::string& title) = 0;
  virtual bool yesNo(const std::string& prompt, const std::string& title) = 0;
};

}  // namespace vnt
