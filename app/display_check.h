#pragma once

// Whether the display the environment names answers, asked before the toolkit is started:
// the toolkit aborts with a long plugin report when it cannot reach it.

#include <functional>
#include <optional>
#include <string>

namespace vnt::app {

// How long an X display that took the connection may take to answer it.
constexpr int kXReplyWaitSeconds = 5;

// The line for standard error (ending in a newline) when every X or Wayland display that
// the toolkit would try, by QT_QPA_PLATFORM or else by DISPLAY and WAYLAND_DISPLAY, surely
// cannot be reached, or is an X display that takes the connection and never answers (the
// toolkit would hang, then abort); nothing when one answers, when the platform needs no display
// (offscreen...) or when it cannot be told (a slow network display). `env` reads an
// environment variable.
std::optional<std::string> unreachableDisplay(
    const std::function<std::optional<std::string>(const char*)>& env);

}  // namespace vnt::app
