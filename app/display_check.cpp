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

// Yes: something accepted a connection (an X server: and answered). No: surely nothing
// listens there. Silent: an X display accepted the connection but sent no reply in time,
// where the toolkit would wait, then abort. Unknown: it could not be told (no answer in
// time, no permission): the toolkit is left to try.
enum class Answer { Yes, No, Silent, Unknown };

Answer either(Answer a, Answer b) {
  if (a == Answer::Yes || b == Answer::Yes) return Answer::Yes;
  if (a == Answer::Silent || b == Answer::Silent) return Answer::Silent;
  if (a == Answer::Unknown || b == Answer::Unknown) return Answer::Unknown;
  return Answer::No;
}

// Whether to wait for an X server's reply to the start of a connection.
enum class Ask { Nothing, XServer };

// An X server answers the opening of a connection at once, if only to refuse it; the
// toolkit waits for that reply with no time limit. Only silence is held against it: a
// connection closed at once (ssh's forwarding refuses one without its cookie) is left to
// the toolkit.
Answer xServerReplies(int fd) {
  // Little-endian byte order, protocol 11.0, no authorization: any reply will do.
  constexpr unsigned char kSetup[12] = {0x6c, 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  if (::send(fd, kSetup, sizeof kSetup, MSG_NOSIGNAL) != static_cast<ssize_t>(sizeof kSetup)) {
    return Answer::Unknown;
  }
  pollfd waiting{fd, POLLIN, 0};
  int ready = 0;
  do {
    ready = ::poll(&waiting, 1, kXReplyWaitSeconds * 1000);
  } while (ready < 0 && errno == EINTR);
  if (ready < 0) return Answer::Unknown;
  if (ready == 0) return Answer::Silent;
  unsigned char first = 0;
  return ::recv(fd, &first, 1, 0) == 1 ? Answer::Yes : Answer::Unknown;
}

Answer fromConnectError(int error) {
  return error == ECONNREFUSED || error == ENOENT || error == ENOTDIR || error == ENETUNREACH ||
                 error == EHOSTUNREACH
             ? Answer::No
             : Answer::Unknown;
}

// A local socket by its path, or in the abstract namespace (as X servers on Linux also
// listen) when `abstract`.
Answer connectLocal(const std::string& path, bool abstract, Ask ask) {
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
  const Answer answer = result != 0           ? fromConnectError(error)
                        : ask == Ask::XServer ? xServerReplies(fd)
                                              : Answer::Yes;
  ::close(fd);
  return answer;
}

// One TCP address of an X server, waiting a few seconds at most for an answer.
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
  if (answer == Answer::Yes) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    answer = xServerReplies(fd);
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
  // The toolkit keeps the first address that takes the connection, answering or not.
  for (const addrinfo* info = found;
       info != nullptr && answer != Answer::Yes && answer != Answer::Silent; info = info->ai_next) {
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
    // The abstract socket first, as the X library tries them; the one it reaches it keeps.
    Answer answer = connectLocal(socket, true, Ask::XServer);
    if (answer != Answer::Yes && answer != Answer::Silent) {
      answer = either(answer, connectLocal(socket, false, Ask::XServer));
    }
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
  if (display.front() == '/') return connectLocal(display, false, Ask::Nothing);
  if (!runtimeDir || runtimeDir->empty()) return Answer::No;  // the client cannot find it
  return connectLocal(*runtimeDir + "/" + display, false, Ask::Nothing);
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
  bool silent = false;
  const std::string silence = "accepted a connection but did not answer within " +
                              std::to_string(kXReplyWaitSeconds) + " seconds";
  for (const std::string& name : platforms) {
    Answer answer = Answer::Unknown;
    if (name == "xcb") {
      answer = x ? xDisplayAnswers(*x) : Answer::No;
      if (answer == Answer::Silent) {
        silent = true;
        unreachable.push_back("the display named by DISPLAY (" + *x + ") (it " + silence + ")");
        answer = Answer::No;
      } else if (answer == Answer::No && x) {
        unreachable.push_back("the display named by DISPLAY (" + *x + ")");
      }
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
  if (silent && unreachable.size() == 1) {
    return "vnt-assistant: the display named by DISPLAY (" + *x + ") " + silence +
           "; start it from a desktop session or under Xvfb\n";
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
