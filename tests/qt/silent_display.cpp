// A display that takes every connection and never answers, for as long as the command it
// runs lives; exits with that command's status (128 + the signal that ended it).
//
//   silent_display unix|tcp COMMAND [ARG...]
//
// unix: listens on the abstract socket of a free display number (as an X server on Linux
// does, nothing in /tmp/.X11-unix is touched); tcp: on 127.0.0.1 port 6000 + the number.
// DISPLAY names it for the command. A command still running after 60 s is killed.
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A listening socket for display `number`, or -1 when it is taken.
int listenOn(bool tcp, int number) {
  const int fd = ::socket(tcp ? AF_INET : AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  int result = -1;
  if (tcp) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(6000 + number));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    result = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  } else {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = "/tmp/.X11-unix/X" + std::to_string(number);
    std::memcpy(address.sun_path + 1, path.data(), path.size());  // abstract: a leading 0
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + path.size());
    result = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), length);
  }
  if (result != 0 || ::listen(fd, 8) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || (std::strcmp(argv[1], "unix") != 0 && std::strcmp(argv[1], "tcp") != 0)) {
    std::fputs("usage: silent_display unix|tcp COMMAND [ARG...]\n", stderr);
    return 2;
  }
  const bool tcp = std::strcmp(argv[1], "tcp") == 0;
  int number = 90;
  int listening = -1;
  for (; listening < 0 && number < 400; ++number) listening = listenOn(tcp, number);
  if (listening < 0) {
    std::fputs("silent_display: no free display number\n", stderr);
    return 2;
  }
  --number;
  const std::string display = (tcp ? "127.0.0.1:" : ":") + std::to_string(number);

  const pid_t child = ::fork();
  if (child < 0) return 2;
  if (child == 0) {
    ::setenv("DISPLAY", display.c_str(), 1);
    ::execvp(argv[2], argv + 2);
    std::perror("silent_display: exec");
    std::_Exit(127);
  }
  // Connections are taken and held, never read nor answered.
  std::vector<int> held;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  int status = 0;
  for (;;) {
    const pid_t done = ::waitpid(child, &status, WNOHANG);
    if (done == child) break;
    if (std::chrono::steady_clock::now() > deadline) {
      std::fputs("silent_display: the command still runs after 60 s; killed\n", stderr);
      ::kill(child, SIGKILL);
      ::waitpid(child, &status, 0);
      break;
    }
    pollfd waiting{listening, POLLIN, 0};
    if (::poll(&waiting, 1, 50) == 1) {
      const int connection = ::accept4(listening, nullptr, nullptr, SOCK_CLOEXEC);
      if (connection >= 0) held.push_back(connection);
    }
  }
  for (const int fd : held) ::close(fd);
  ::close(listening);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}
