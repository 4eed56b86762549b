#pragma once

// Qt warns on every start when XDG_RUNTIME_DIR is unset (a root console, a login shell on a
// server, CI; test discovery runs each test program many times): the programs take a
// private runtime folder of their own instead, as Qt would, without the warning.

#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QtGlobal>
#include <string>

namespace vnt::qt {

inline void usePrivateRuntimeFolder() {
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
  const std::string folder = "/tmp/vnt-runtime-" + std::to_string(::getuid());
  ::mkdir(folder.c_str(), 0700);
  struct stat st {};
  // Only a folder that is ours and closed to others will do; else Qt's own fallback.
  if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
      (st.st_mode & 077) != 0) {
    return;
  }
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder));
}

}  // namespace vnt::qt
