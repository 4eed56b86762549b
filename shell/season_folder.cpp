#include "shell/season_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <exception>
#include <string_view>

#include "shell/season_text.h"

namespace vnt {
namespace {

// The largest season file is a few kilobytes; anything this big is not one.
constexpr std::uintmax_t kMaxSeasonFileBytes = 4 * 1024 * 1024;

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// Closes a file handle when it goes out of scope.
class FileHandle {
 public:
  explicit FileHandle(int fd) : fd_(fd) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// Opening without blocking: a FIFO or device put where a season file should be must not
// hold the window while it waits for a writer. What was opened is checked on the handle.
FileHandle openForReading(const std::string& name) {
  int fd;
  do {
    fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  return FileHandle(fd);
}

bool isRegularFile(int fd) {
  struct stat st {};
  return fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::optional<std::string> readOpenSeasonFile(int fd) {
  struct stat st {};
  if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0 ||
      static_cast<std::uintmax_t>(st.st_size) > kMaxSeasonFileBytes) {
    return std::nullopt;
  }
  try {
    // Read straight into a buffer of the size fstat() gave, then on to the end, so a file
    // that grew since is still refused once it passes the limit.
    std::string contents(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t used = 0;
    while (used < contents.size()) {
      const ssize_t got = ::read(fd, contents.data() + used, contents.size() - used);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return std::nullopt;
      if (got == 0) break;
      used += static_cast<std::size_t>(got);
    }
    contents.resize(used);
    char piece[16384];
    for (;;) {
      const ssize_t got = ::read(fd, piece, sizeof piece);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return std::nullopt;
      if (got == 0) break;
      contents.append(piece, static_cast<std::size_t>(got));
      if (contents.size() > kMaxSeasonFileBytes) return std::nullopt;
    }
    // Files that need no decoding (most of them) are handed over without a copy.
    if (!std::string_view(contents).starts_with("\xEF\xBB\xBF") && isAsciiText(contents)) {
      return contents;
    }
    return decodeSeasonText(contents);
  } catch (const std::exception&) {
    return std::nullopt;  // allocation failure: the caller only needs "cannot read"
  }
}

void SeasonFolder::list() {
  if (listed_) return;
  listed_ = true;
  if (DIR* dir = ::opendir(dir_.c_str())) {
    listable_ = true;
    while (const dirent* entry = ::readdir(dir)) {
      const std::string_view entryName(entry->d_name);
      if (namesByLength_.size() <= entryName.size()) namesByLength_.resize(entryName.size() + 1);
      namesByLength_[entryName.size()].emplace_back(entryName);
    }
    ::closedir(dir);
  }
}

bool SeasonFolder::listable() {
  try {
    list();
  } catch (const std::exception&) {
    return false;
  }
  return listable_;
}

std::vector<std::string> SeasonFolder::namesLike(const std::string& name) {
  std::vector<std::string> matches;
  try {
    list();
    if (name.size() < namesByLength_.size()) {
      for (const std::string& candidate : namesByLength_[name.size()]) {
        if (equalsIgnoringAsciiCase(candidate, name)) matches.push_back(candidate);
      }
    }
    std::sort(matches.begin(), matches.end());
  } catch (const std::exception&) {
    matches.clear();  // allocation failure: as if nothing matched
  }
  return matches;
}

std::optional<std::string> SeasonFolder::find(const std::string& name, std::string* contents) {
  // A name with a NUL or a slash in it would not name a file of this folder.
  if (name.empty() || name.find('\0') != std::string::npos || name.find('/') != std::string::npos) {
    return std::nullopt;
  }
  try {
    // The first regular file is the one: what it holds decides, whatever the others hold.
    const auto take = [&](const std::string& spelled) -> std::optional<std::optional<std::string>> {
      const FileHandle file = openForReading(dir_ == "." ? spelled : dir_ + "/" + spelled);
      if (!isRegularFile(file.get())) return std::nullopt;
      if (!contents) return std::optional<std::string>(spelled);
      auto read = readOpenSeasonFile(file.get());
      if (!read) return std::optional<std::string>();
      *contents = std::move(*read);
      return std::optional<std::string>(spelled);
    };
    // The exact spelling first: the common case needs no listing at all.
    if (auto taken = take(name)) return *taken;
    // Season files travel between systems that disagree about letter case.
    for (const std::string& candidate : namesLike(name)) {
      if (auto taken = take(candidate)) return *taken;
    }
    return std::nullopt;
  } catch (const std::exception&) {
    return std::nullopt;  // allocation failure: the caller only needs "no file"
  }
}

std::optional<std::string> SeasonFolder::read(const std::string& name) {
  std::string contents;
  if (!find(name, &contents)) return std::nullopt;
  return contents;
}

std::optional<std::string> SeasonFolder::fileFor(const std::string& name) {
  return find(name, nullptr);
}

std::optional<std::string> readSeasonFile(const std::string& name) {
  return SeasonFolder().read(name);
}

}  // namespace vnt
