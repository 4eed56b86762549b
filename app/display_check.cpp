#include "app/display_check.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <vector>

namespace vnt::app {
namespace {

// Yes: something accepted a connection. No: surely nothing listens there. Unknown: it could
// not be told (no answer in time, no permission): the toolkit is left to try.
enum class Answer { Yes, No, Unknown };

Answer either(Answer a, Answer b) {
  if (a == Answer::Yes || b == Answer::Yes) return Answer::Yes;
  if (a == Answer::Unknown || b == Answer::Unknown) return Answer::Unknown;
  return Answer::No;
}

Answer fromConnectError(int error) {
  return error == ECONNREFUSED || error == ENOENT || error == ENOTDIR || error == ENETUNREACH ||
                 error == EHOSTUNREACH
             ? Answer::No
             : Answer::Unknown;
}

// A local socket by its path, or in the abstract namespace (as X servers on Linux also
// listen) when `abstract`.
Answer connectLocal(const std::string& path, bool abstract) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::size_t offset = abstract ? 1 : 0;
  if (path.size() + offset >= sizeof address.sun_path) return Answer::Unknown;
  std::memcpy(address.sun_path + offset, path.data(), path.size());
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset +
                                             path.size() + (abstract ? 0 : 1));
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return Answer::Unknown;
  const int result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length);
  const int error = errno;
  ::close(fd);
  return result == 0 ? Answer::Yes : fromConnectError(error);
}

// One TCP address, waiting a few seconds at most for an answer.
Answer connectTcp(const addrinfo& info) {
  const int fd =
      ::socket(info.ai_family, info.ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, info.ai_protocol);
  if (fd < 0) return Answer::Unknown;
  Answer answer = Answer::Yes;
  if (::connect(fd, info.ai_addr, info.ai_addrlen) != 0) {
    if (errno != EINPROGRESS) {
      answer = fromConnectError(errno);
    } else {
      pollfd waiting{fd, POLLOUT, 0};
      if (::poll(&waiting, 1, 5000) != 1) {
        answer = Answer::Unknown;
      } else {
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) error = errno;
        answer = error == 0 ? Answer::Yes : fromConnectError(error);
      }
    }
  }
  ::close(fd);
  return answer;
}

Answer connectTcp(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const int result = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
  if (result == EAI_NONAME) return Answer::No;
  if (result != 0) return Answer::Unknown;
  Answer answer = Answer::No;
  for (const addrinfo* info = found; info != nullptr && answer != Answer::Yes;
       info = info->ai_next) {
    answer = either(answer, connectTcp(*info));
  }
  ::freeaddrinfo(found);
  return answer;
}

// An X display name: [protocol/][host]:number[.screen].
Answer xDisplayAnswers(std::string_view name) {
  if (name.empty()) return Answer::No;
  if (name.front() == '/') return Answer::Unknown;  // a socket path of its own
  std::string_view protocol;
  if (const auto slash = name.find('/'); slash != std::string_view::npos) {
    protocol = name.substr(0, slash);
    name.remove_prefix(slash + 1);
  }
  const auto colon = name.rfind(':');
  // What the X library cannot parse it cannot reach either.
  if (colon == std::string_view::npos) return Answer::No;
  const std::string host(name.substr(0, colon));
  if (!host.empty() && host.back() == ':') return Answer::No;  // DECnet, long gone
  std::string_view rest = name.substr(colon + 1);
  int number = 0;
  std::size_t digits = 0;
  while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9' && number < 100000) {
    number = number * 10 + (rest[digits++] - '0');
  }
  if (digits == 0 || (digits < rest.size() && rest[digits] != '.')) return Answer::No;

  if (protocol == "unix" || (protocol.empty() && (host.empty() || host == "unix"))) {
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    Answer answer = either(connectLocal(socket, true), connectLocal(socket, false));
    // The X library also tries TCP on this machine when no local socket answers.
    if (answer == Answer::No && protocol.empty() && host.empty()) {
      answer = connectTcp("localhost", 6000 + number);
    }
    return answer;
  }
  if (protocol.empty() || protocol == "tcp" || protocol == "inet" || protocol == "inet6") {
    return connectTcp(host, 6000 + number);
  }
  return Answer::Unknown;
}

Answer waylandDisplayAnswers(const std::optional<std::string>& name,
                             const std::optional<std::string>& runtimeDir) {
  const std::string display = name && !name->empty() ? *name : "wayland-0";
  if (display.front() == '/') return connectLocal(display, false);
  if (!runtimeDir || runtimeDir->empty()) return Answer::No;  // the client cannot find it
  return connectLocal(*runtimeDir + "/" + display, false);
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const auto end = text.find(separator, start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

}  // namespace

std::optional<std::string> unreachableDisplay(
    const std::function<std::optional<std::string>(const char*)>& env) {
  const auto set = [&env](const char* name) -> std::optional<std::string> {
    auto value = env(name);
    if (value && value->empty()) return std::nullopt;
    return value;
  };
  const auto platform = set("QT_QPA_PLATFORM");
  const auto x = set("DISPLAY");
  const auto wayland = set("WAYLAND_DISPLAY");
  if (set("WAYLAND_SOCKET")) return std::nullopt;  // a connection handed over, not a name

  // The platforms the toolkit tries in turn: the list it is given, else what is named.
  std::vector<std::string> platforms;
  if (platform) {
    for (const std::string& entry : split(*platform, ';')) {
      platforms.push_back(entry.substr(0, entry.find(':')));
    }
  } else {
    if (x) platforms.emplace_back("xcb");
    if (wayland) platforms.emplace_back("wayland");
  }
  if (platforms.empty()) return std::nullopt;

  std::vector<std::string> unreachable;
  bool xUnset = false;
  for (const std::string& name : platforms) {
    Answer answer = Answer::Unknown;
    if (name == "xcb") {
      answer = x ? xDisplayAnswers(*x) : Answer::No;
      if (answer == Answer::No && x)
        unreachable.push_back("the display named by DISPLAY (" + *x + ")");
      xUnset = xUnset || !x;
    } else if (name.starts_with("wayland")) {
      answer = waylandDisplayAnswers(wayland, set("XDG_RUNTIME_DIR"));
      if (answer == Answer::No) {
        unreachable.push_back(wayland ? "the Wayland display named by WAYLAND_DISPLAY (" +
                                            *wayland + ")"
                                      : std::string("the Wayland display wayland-0"));
      }
    }
    if (answer != Answer::No) return std::nullopt;  // it may work: the toolkit decides
  }
  if (unreachable.empty()) {
    return "vnt-assistant: no display found (DISPLAY is not set); start it from a desktop "
           "session or under Xvfb\n";
  }
  std::string line = unreachable.size() > 1 ? "vnt-assistant: neither " : "vnt-assistant: ";
  for (std::size_t i = 0; i < unreachable.size(); ++i) {
    if (i > 0) line += " nor ";
    line += unreachable[i];
  }
  line += unreachable.size() > 1 ? " can be reached" : " cannot be reached";
  if (xUnset) line += ", and DISPLAY is not set";
  return line + "; start it from a desktop session or under Xvfb\n";
}

}  // namespace vnt::app
