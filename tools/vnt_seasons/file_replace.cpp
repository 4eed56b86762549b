#include "file_replace.h"

#include <fcntl.h>
#include <stdio.h>  // renameat2
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

namespace vnt::seasons {
namespace {

namespace fs = std::filesystem;

constexpr int kFuseSettleMilliseconds = 50;

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

// A hidden name beside `target` for mkstemp: ".<name>.<kind>-XXXXXX".
std::string hiddenBeside(const fs::path& target, const char* kind) {
  // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on "." + string.
  std::string hidden = ".";
  hidden += target.filename().string();
  hidden += '.';
  hidden += kind;
  hidden += "-XXXXXX";
  return (target.parent_path() / hidden).string();
}

// Giving a file a name only while nobody else has it, so that no save made meanwhile by
// another program is overwritten.
enum class Claim { Done, Taken, Unsupported, Failed };

bool unsupported(int error) {
  return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == ENOTSUP ||
         error == EPERM || error == EMLINK;
}

Claim claimName(const char* from, const char* to, const WriteHooks& hooks) {
  if (!hooks.claimNames) return Claim::Unsupported;
  if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return Claim::Done;
  if (errno == EEXIST) return Claim::Taken;
  if (!unsupported(errno)) return Claim::Failed;
  // Where renaming cannot refuse a taken name (most FUSE mounts), a second name can.
  if (::link(from, to) == 0) {
    ::unlink(from);
    return Claim::Done;
  }
  if (errno == EEXIST) return Claim::Taken;
  return unsupported(errno) ? Claim::Unsupported : Claim::Failed;
}

// On a FUSE mount a program's open of the file reaches the file system only after a trip
// through another process: one that found the file by its name before it was replaced may
// write into the old file a moment later. Waiting that moment before the last look lets
// such a save be seen and kept.
void settle(const fs::path& target) {
  constexpr long kFuseSuperMagic = 0x65735546;
  struct statfs info {};
  if (::statfs(target.parent_path().c_str(), &info) == 0 &&
      static_cast<long>(info.f_type) == kFuseSuperMagic) {
    std::this_thread::sleep_for(std::chrono::milliseconds(kFuseSettleMilliseconds));
  }
}

bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

using Kind = ReplaceOutcome::Kind;

// A save that could not be given its name back is never removed: the message says where it is.
ReplaceOutcome keptAside(const std::string& aside) {
  return {Kind::Failed,
          "changed twice while it was being replaced: the later save has its name, the other "
          "is kept as " +
              aside,
          false};
}

// Gives the file moved aside (changed meanwhile) its name back, unless a later save took it.
ReplaceOutcome putBack(const std::string& aside, const StagedFile& staged,
                       const WriteHooks& hooks) {
  if (claimName(aside.c_str(), staged.target.c_str(), hooks) == Claim::Done) {
    syncFolder(staged.target.parent_path());
    return {Kind::ChangedMeanwhile, {}};
  }
  return keptAside(aside);
}

// The staged file has the name, but the file moved aside was written to after it was looked
// at (by a program that had it open): the staged file leaves the name and the save gets it.
ReplaceOutcome takeBack(const std::string& aside, const struct stat& staged,
                        const StagedFile& names, const WriteHooks& hooks) {
  const char* ours = names.temp.c_str();  // free again since the staged file took the name
  if (::rename(names.target.c_str(), ours) != 0) return keptAside(aside);
  struct stat moved {};
  if (::stat(ours, &moved) != 0 || !sameFile(moved, staged)) {
    // Yet another save had taken the name from the staged file: it keeps it.
    if (claimName(ours, names.target.c_str(), hooks) != Claim::Done) {
      return {Kind::Failed,
              "changed twice while it was being replaced: the saves are kept as " + aside +
                  " and " + names.temp.string(),
              false};
    }
    return keptAside(aside);
  }
  ::unlink(ours);
  return putBack(aside, names, hooks);
}

// Where two names cannot be swapped at once: the file is moved aside and looked at, and the
// staged file takes the name only while it is free; the file moved aside is looked at once
// more before it is removed.
ReplaceOutcome replaceWithoutSwap(const StagedFile& staged, const FileSnapshot& expected,
                                  const WriteHooks& hooks) {
  const char* temp = staged.temp.c_str();
  const char* target = staged.target.c_str();
  const auto failed = [&](const std::string& what) -> ReplaceOutcome {
    const std::string message = what + systemError();
    ::unlink(temp);
    return {Kind::Failed, message};
  };
  // Tried on the staged file itself before anything else is touched.
  const std::string probe = staged.temp.string() + "~";
  switch (claimName(temp, probe.c_str(), hooks)) {
    case Claim::Done:
      break;
    case Claim::Unsupported:
      ::unlink(temp);
      return {Kind::Failed,
              "cannot be replaced safely here: this file system can neither swap two names at "
              "once nor rename a file only to a free name, so a save made meanwhile by another "
              "program could be lost; work on a copy on a local disk and copy it back"};
    default: {
      const int error = errno;
      ::unlink(probe.c_str());
      errno = error;
      return failed("cannot replace it: ");
    }
  }
  struct stat mine {};
  if (::rename(probe.c_str(), temp) != 0 || ::stat(temp, &mine) != 0) {
    ::unlink(probe.c_str());
    return failed("cannot replace it: ");
  }
  std::string aside = hiddenBeside(staged.target, "old");
  const int fd = ::mkstemp(aside.data());
  if (fd < 0) return failed("cannot create a file beside it: ");
  ::close(fd);
  if (::rename(target, aside.c_str()) != 0) {
    const int error = errno;
    ::unlink(aside.c_str());
    if (error == ENOENT) {  // removed meanwhile
      ::unlink(temp);
      return {Kind::ChangedMeanwhile, {}};
    }
    errno = error;
    return failed("cannot replace it: ");
  }
  if (hooks.whileAside) hooks.whileAside();
  if (!unchangedSince(aside, expected)) {
    ::unlink(temp);
    return putBack(aside, staged, hooks);
  }
  switch (claimName(temp, target, hooks)) {
    case Claim::Done:
      break;
    case Claim::Taken:
      // A save took the free name: it is newer than the file moved aside, which was
      // unchanged, unless a program that had it open wrote to it too.
      ::unlink(temp);
      settle(staged.target);
      if (!unchangedSince(aside, expected)) return keptAside(aside);
      ::unlink(aside.c_str());
      return {Kind::ChangedMeanwhile, {}};
    default: {
      const std::string message = "cannot replace it: " + systemError();
      ::unlink(temp);
      const auto back = putBack(aside, staged, hooks);
      if (back.kind == Kind::ChangedMeanwhile) return {Kind::Failed, message};
      return back;
    }
  }
  if (hooks.beforeLastLook) hooks.beforeLastLook();
  settle(staged.target);
  if (!unchangedSince(aside, expected)) return takeBack(aside, mine, staged, hooks);
  ::unlink(aside.c_str());
  syncFolder(staged.target.parent_path());
  return {Kind::Replaced, {}};
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
  std::string temp = hiddenBeside(target, "new");
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
  const char* temp = staged.temp.c_str();
  const char* target = staged.target.c_str();
  if (expected != nullptr) {
    // Swapping the two names at once, then looking at the file that had the name, leaves
    // no moment in which a save made by rename could be overwritten unseen.
    struct stat mine {};
    if (hooks.swapNames && ::stat(temp, &mine) == 0 &&
        ::renameat2(AT_FDCWD, temp, AT_FDCWD, target, RENAME_EXCHANGE) == 0) {
      settle(staged.target);
      if (unchangedSince(staged.temp, *expected)) {
        ::unlink(temp);
        syncFolder(staged.target.parent_path());
        return {Kind::Replaced, {}};
      }
      if (::renameat2(AT_FDCWD, temp, AT_FDCWD, target, RENAME_EXCHANGE) == 0) {
        // What the swap back took off the name is the staged file, unless yet another save
        // had replaced it in between: that one is kept.
        struct stat back {};
        if (::stat(temp, &back) == 0 && !sameFile(back, mine)) return keptAside(staged.temp);
        ::unlink(temp);
        return {Kind::ChangedMeanwhile, {}};
      }
      return {Kind::Failed,
              "changed while it was being replaced, and the changed file could not be given its "
              "name back: it is " +
                  staged.temp.string() + " (" + systemError() + ")",
              false};
    }
    return replaceWithoutSwap(staged, *expected, hooks);
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
