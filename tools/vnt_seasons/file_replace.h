#pragma once

// Replacing a file without ever leaving it half written, and without losing a save that
// another program made while the new contents were being prepared.

#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace vnt::seasons {

// A file as it was read, with what tells whether anyone changed it since.
struct FileSnapshot {
  struct stat status {};  // taken before the bytes were read
  std::string bytes;
};

// Reads a regular file of at most `maxBytes` bytes. A symbolic link is not followed.
std::optional<FileSnapshot> snapshotFile(const std::filesystem::path& path,
                                         std::uintmax_t maxBytes);

// Whether `path` is still the file of `snapshot`: the same device, inode, size,
// modification time and bytes.
bool unchangedSince(const std::filesystem::path& path, const FileSnapshot& snapshot);

// Seams for tests; the defaults do the real thing.
struct WriteHooks {
  // Writes like ::write; a test makes it fail as a full disk does.
  std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
  // Runs once the new contents are on disk, just before they take the file's name.
  std::function<void()> beforeReplace;
  // False: as on a file system that cannot swap two names at once (FUSE mounts).
  bool swapNames = true;
  // False: as on one that can neither give a file a second name nor rename it only to a
  // name that is free.
  bool claimNames = true;
  // Where names cannot be swapped: run once the file has been moved aside, and once the
  // staged file has taken its name, before the file moved aside is looked at again.
  std::function<void()> whileAside;
  std::function<void()> beforeLastLook;
};

// New contents written and synced under a hidden name beside the file they are to replace.
struct StagedFile {
  std::filesystem::path temp;
  std::filesystem::path target;
};

struct StageResult {
  std::optional<StagedFile> staged;
  std::string error;  // when nothing was staged: why, e.g. "cannot write: No space left..."
};

// Writes `bytes` to a new file in the folder of `target`. With `original` (the status of
// the file `target` names now) the new file gets its mode, and its owner and group: when
// those cannot be kept, nothing is staged if `ownerMustBeKept`. Without it the new file
// gets the mode a newly created file gets (0666 less the umask).
StageResult stageFile(const std::filesystem::path& target, const std::string& bytes,
                      const struct stat* original, bool ownerMustBeKept, const WriteHooks& hooks);

// Removes a staged file that is not to be used.
void discardStaged(const StagedFile& staged);

struct ReplaceOutcome {
  enum class Kind { Replaced, ChangedMeanwhile, Failed };
  Kind kind = Kind::Failed;
  std::string error;            // for Failed
  bool targetUntouched = true;  // for Failed: the target is as it was
};

// Gives the staged file its target's name. With `expected`, only when the target is still
// the file of that snapshot: otherwise the target is left as it is (ChangedMeanwhile). The
// staged file is gone afterwards, whatever the outcome.
//
// Where the file system cannot swap two names at once, the target is moved aside, looked at,
// and the staged file takes the name only if it is still free; a save that came meanwhile
// (by rename, or written into the file) is given its name back. Where a free name cannot be
// claimed either, nothing is replaced (Failed, the target untouched).
ReplaceOutcome replaceWithStaged(const StagedFile& staged, const FileSnapshot* expected,
                                 const WriteHooks& hooks = {});

// Writes every file of `files` (name -> contents) into `folder`, each beside the file it
// replaces and renamed over it once all of them are written, so that a failure (a full
// disk) leaves every old file whole and no new one. Gives the line to print on failure.
std::optional<std::string> writeFilesTogether(const std::filesystem::path& folder,
                                              const std::map<std::string, std::string>& files,
                                              const WriteHooks& hooks = {});

}  // namespace vnt::seasons
