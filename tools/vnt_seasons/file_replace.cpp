#include "file_replace.h"

#include <fcntl.h>
#include <stdio.h>  // renameat2
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>
#include <vector>

namespace vnt::seasons {
namespace {

namespace fs = std::filesystem;

std::string systemError() {
  return std::strerror(errno);
}

// Opens a file to read without following a symbolic link, and without waiting on a pipe
// that was put in its place.
int openToRead(const fs::path& path) {
  return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
}

// Reads to the end, giving up past `limit` bytes.
bool readAll(int fd, std::uintmax_t limit, std::string& out) {
  char buffer[16384];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    out.append(buffer, static_cast<std::size_t>(n));
    if (out.size() > limit) return false;
  }
}

mode_t currentUmask() {
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return mask;
}

// Makes renames in `folder` durable.
void syncFolder(const fs::path& folder) {
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace

std::optional<FileSnapshot> snapshotFile(const fs::path& path, std::uintmax_t maxBytes) {
  const int fd = openToRead(path);
  if (fd < 0) return std::nullopt;
  FileSnapshot snapshot;
  // The status comes first: a write during the read then shows as a later change.
  bool ok = ::fstat(fd, &snapshot.status) == 0 && S_ISREG(snapshot.status.st_mode) &&
            static_cast<std::uintmax_t>(snapshot.status.st_size) <= maxBytes &&
            readAll(fd, maxBytes, snapshot.bytes);
  ::close(fd);
  if (!ok) return std::nullopt;
  return snapshot;
}

bool unchangedSince(const fs::path& path, const FileSnapshot& snapshot) {
  const int fd = openToRead(path);
  if (fd < 0) return false;
  struct stat now {};
  std::string bytes;
  const struct stat& then = snapshot.status;
  const bool same = ::fstat(fd, &now) == 0 && now.st_dev == then.st_dev &&
                    now.st_ino == then.st_ino && now.st_size == then.st_size &&
                    now.st_mtim.tv_sec == then.st_mtim.tv_sec &&
                    now.st_mtim.tv_nsec == then.st_mtim.tv_nsec &&
                    readAll(fd, snapshot.bytes.size(), bytes) && bytes == snapshot.bytes;
  ::close(fd);
  return same;
}

StageResult stageFile(const fs::path& target, const std::string& bytes, const struct stat* original,
                      bool ownerMustBeKept, const WriteHooks& hooks) {
  // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on "." + string.
  std::string hidden = ".";
  hidden += target.filename().string();
  hidden += ".new-XXXXXX";
  std::string temp = (target.parent_path() / hidden).string();
  // mkstemp makes it 0600, so nobody reads it before it has the mode it is meant to have.
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return {std::nullopt, "cannot create a file beside it: " + systemError()};
  const auto fail = [&](const std::string& what) -> StageResult {
    const std::string message = what + ": " + systemError();
    ::close(fd);
    ::unlink(temp.c_str());
    return {std::nullopt, message};
  };
  std::size_t written = 0;
  while (written < bytes.size()) {
    const char* data = bytes.data() + written;
    const std::size_t size = bytes.size() - written;
    const ssize_t n = hooks.write ? hooks.write(fd, data, size) : ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = ENOSPC;
    if (n <= 0) return fail("cannot write");
    written += static_cast<std::size_t>(n);
  }
  mode_t mode = 0666 & ~currentUmask();
  if (original != nullptr) {
    struct stat mine {};
    if (::fstat(fd, &mine) != 0) return fail("cannot write");
    if ((mine.st_uid != original->st_uid || mine.st_gid != original->st_gid) &&
        ::fchown(fd, original->st_uid, original->st_gid) != 0 && ownerMustBeKept) {
      return fail("cannot give the new file its owner and group (uid " +
                  std::to_string(original->st_uid) + ", gid " + std::to_string(original->st_gid) +
                  ")");
    }
    // After the owner: a change of owner clears the set-id bits.
    mode = original->st_mode & 07777;
  }
  if (::fchmod(fd, mode) != 0) return fail("cannot set permissions");
  if (::fsync(fd) != 0) return fail("cannot write");
  if (::close(fd) != 0) {
    const std::string message = "cannot write: " + systemError();
    ::unlink(temp.c_str());
    return {std::nullopt, message};
  }
  return {StagedFile{temp, target}, {}};
}

void discardStaged(const StagedFile& staged) {
  ::unlink(staged.temp.c_str());
}

ReplaceOutcome replaceWithStaged(const StagedFile& staged, const FileSnapshot* expected,
                                 const WriteHooks& hooks) {
  using Kind = ReplaceOutcome::Kind;
  const char* temp = staged.temp.c_str();
  const char* target = staged.target.c_str();
  if (expected != nullptr) {
    // Swapping the two names at once, then looking at the file that had the name, leaves
    // no moment in which a save made by rename could be overwritten unseen.
    if (hooks.swapNames && ::renameat2(AT_FDCWD, temp, AT_FDCWD, target, RENAME_EXCHANGE) == 0) {
      if (unchangedSince(staged.temp, *expected)) {
        ::unlink(temp);
        syncFolder(staged.target.parent_path());
        return {Kind::Replaced, {}};
      }
      if (::renameat2(AT_FDCWD, temp, AT_FDCWD, target, RENAME_EXCHANGE) == 0) {
        ::unlink(temp);
        return {Kind::ChangedMeanwhile, {}};
      }
      return {Kind::Failed,
              "changed while it was being replaced, and the changed file could not be given its "
              "name back: it is " +
                  staged.temp.string() + " (" + systemError() + ")",
              false};
    }
    // A file system that cannot swap names: look, then rename.
    if (!unchangedSince(staged.target, *expected)) {
      ::unlink(temp);
      return {Kind::ChangedMeanwhile, {}};
    }
  }
  if (::rename(temp, target) != 0) {
    const std::string message = "cannot replace it: " + systemError();
    ::unlink(temp);
    return {Kind::Failed, message};
  }
  syncFolder(staged.target.parent_path());
  return {Kind::Replaced, {}};
}

std::optional<std::string> writeFilesTogether(const fs::path& folder,
                                              const std::map<std::string, std::string>& files,
                                              const WriteHooks& hooks) {
  std::vector<StagedFile> staged;
  const auto discardFrom = [&staged](std::size_t first) {
    for (std::size_t i = first; i < staged.size(); ++i) discardStaged(staged[i]);
  };
  const std::string unchanged = "; no file in " + folder.string() + " was changed";
  for (const auto& [name, contents] : files) {
    const fs::path given = folder / name;
    fs::path target = given;
    struct stat original {};
    const bool exists = ::stat(given.c_str(), &original) == 0;  // through a link, as before
    if (exists) {
      std::error_code error;
      if (!S_ISREG(original.st_mode)) {
        discardFrom(0);
        return "cannot write " + given.string() + ": not a file" + unchanged;
      }
      target = fs::canonical(given, error);  // a link keeps pointing at the new contents
      if (error) {
        discardFrom(0);
        return "cannot write " + given.string() + ": " + error.message() + unchanged;
      }
    }
    auto result = stageFile(target, contents, exists ? &original : nullptr, false, hooks);
    if (!result.staged) {
      discardFrom(0);
      return "cannot write " + given.string() + ": " + result.error + unchanged;
    }
    staged.push_back(*result.staged);
  }
  if (hooks.beforeReplace) hooks.beforeReplace();
  for (std::size_t i = 0; i < staged.size(); ++i) {
    const auto outcome = replaceWithStaged(staged[i], nullptr, hooks);
    if (outcome.kind != ReplaceOutcome::Kind::Replaced) {
      discardFrom(i + 1);
      return "cannot write " + staged[i].target.string() + ": " + outcome.error +
             (i == 0 ? unchanged : "; the files before it in name order were replaced");
    }
  }
  return std::nullopt;
}

}  // namespace vnt::seasons
