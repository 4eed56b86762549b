#include "season_seal.h"

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>
#include <thread>

#include "shell/season_files.h"

namespace vnt::seasons {
namespace {

namespace fs = std::filesystem;

// Season files are a few kilobytes; the program refuses anything near this size anyway.
constexpr std::uintmax_t kMaxBytes = 4 * 1024 * 1024;

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  const std::string_view tail = text.substr(text.size() - suffix.size());
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    if (lower(tail[i]) != lower(suffix[i])) return false;
  }
  return true;
}

std::string located(const std::string& file, const SeasonFileProblem& problem) {
  if (problem.line == 0) return file + ": " + problem.reason;
  return file + " line " + std::to_string(problem.line) + " column " +
         std::to_string(problem.column) + ": " + problem.reason;
}

SealResult refused(const std::string& message) {
  return {false, "vnt-seasons: " + message};
}

// The stored check value as the message shows it.
std::string shownValue(std::string_view text) {
  std::string out;
  for (const char c : text.substr(0, 24)) out += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
  return text.size() > 24 ? out + "..." : out;
}

// The working directory moved to the file's folder for as long as the object lives: the
// program looks for a season's files there, by its own rules for letter case.
class InFolder {
 public:
  explicit InFolder(const fs::path& folder) : previous_(fs::current_path()) {
    fs::current_path(folder);
  }
  ~InFolder() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
  }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  fs::path previous_;
};

bool endsWithLineBreak(std::string_view bytes) {
  return !bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r');
}

// Read-only for whoever runs seal, or for everyone (root may write anything, yet a file
// that nobody may write was made so on purpose).
bool readOnly(const fs::path& file, const struct stat& status) {
  return (status.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0;
}

// Why no file can be made in `folder`, if none can: a read-only file system, or no
// permission.
std::optional<std::string> folderReadOnly(const fs::path& folder) {
  struct statvfs info {};
  if (::statvfs(folder.c_str(), &info) == 0 && (info.f_flag & ST_RDONLY) != 0) {
    return "a read-only file system";
  }
  if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
    return errno == EROFS ? std::string("a read-only file system") : std::strerror(errno);
  }
  return std::nullopt;
}

// The line break the file uses, for a check value that has to be added.
std::string lineBreakOf(std::string_view bytes) {
  if (bytes.find("\r\n") != std::string_view::npos) return "\r\n";
  if (bytes.find('\n') != std::string_view::npos) return "\n";
  if (bytes.find('\r') != std::string_view::npos) return "\r";
  return "\r\n";
}

// Whether the file holds `sealed` now. Another seal of it may still be at work, the name
// free for a moment or the file as it was before: it is looked at again for a little while.
bool sealedMeanwhile(const fs::path& target, const std::string& sealed, const std::string& before) {
  for (int look = 0; look < 25; ++look) {
    const auto now = snapshotFile(target, kMaxBytes);
    if (now && now->bytes == sealed) return true;
    if (now && now->bytes != before) return false;  // saved by another program
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

}  // namespace

SealResult sealFile(const std::string& path, const SealOptions& options) {
  const fs::path given(path);
  const std::string name = given.filename().string();
  const bool deepFile = endsWithIgnoringCase(name, "Deep.vnt");
  const bool bpeFile = endsWithIgnoringCase(name, "BPE.vnt");
  if (!deepFile && !bpeFile) {
    return refused(path + ": not a Deep or BPE file (the name must end in Deep.vnt or BPE.vnt)");
  }
  std::error_code ec;
  const fs::path target = fs::canonical(given, ec);  // a link is sealed where it points
  if (ec) return refused(path + ": file missing");
  if (!fs::is_regular_file(target, ec)) return refused(path + ": not a file");
  // What is read here is what the file must still be when the sealed copy takes its place.
  const auto original = snapshotFile(target, kMaxBytes);
  if (!original) return refused(path + ": cannot be read");
  const std::string& bytes = original->bytes;

  // A byte-order mark is no field, as the program reads it; the rest is checked as it stands
  // and every byte of it kept.
  const std::size_t bom = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  const std::string_view body = std::string_view(bytes).substr(bom);
  SeasonFileCheck check;
  if (deepFile) {
    check = examineDeepFile(body);
  } else {
    const std::string prefix = name.substr(0, name.size() - std::string_view("BPE.vnt").size());
    const std::string deepName = prefix + "Deep.vnt";
    std::optional<std::string> deep;
    try {
      const InFolder in(target.parent_path());
      deep = readSeasonFile(deepName);
    } catch (const fs::filesystem_error& error) {
      return refused(path + ": " + error.what());
    }
    if (!deep) {
      return refused(path + ": not sealed: its number of records comes from " + deepName +
                     ", and there is no readable " + deepName + " beside it");
    }
    const auto parks = readBallparkNames(*deep);
    if (!parks) {
      const auto deepCheck = examineDeepFile(*deep);
      return refused(path + ": not sealed: its number of records comes from " +
                     located(deepName, deepCheck.problem.value_or(SeasonFileProblem{})));
    }
    check = examineBpeFile(body, static_cast<int>(parks->size()));
  }

  if (check.checkField) check.checkField->first += bom;
  if (check.passes) {
    const auto [offset, length] = *check.checkField;
    return {true, path + ": check value " + bytes.substr(offset, length) + " is right, unchanged"};
  }
  if (!check.recordsRead) {
    return refused(located(path, check.problem.value_or(SeasonFileProblem{})) + "; not sealed");
  }
  // Without a check value, the file's end is the last record's end. A file cut short inside
  // its last number still reads whole, so a check value added would bless the cut number:
  // only a line break after the last record shows that the record ended there.
  if (!check.checkField && !endsWithLineBreak(bytes)) {
    return refused(located(path, check.problem.value_or(SeasonFileProblem{})) +
                   ", and no line break follows its last record, so the file may have been cut "
                   "short inside that record; not sealed: compare the last record with a copy "
                   "you trust, end it with a line break, then seal again");
  }
  // A rename gives only this name the sealed copy: the file's other names would keep the
  // old contents without a word.
  if (original->status.st_nlink > 1) {
    return refused(path + ": not sealed: the file has " +
                   std::to_string(original->status.st_nlink) +
                   " names (hard links), and sealing would give only this one the sealed copy; "
                   "to seal this name alone, make it a file of its own first (copy it and move "
                   "the copy over it)");
  }
  // --force cannot help where the folder takes no new file.
  if (const auto folder = folderReadOnly(target.parent_path())) {
    return refused(path + ": the folder " + target.parent_path().string() + " is read-only (" +
                   *folder + "), and the sealed copy is written there; not sealed");
  }
  if (!options.force && readOnly(target, original->status)) {
    return refused(path +
                   ": read-only; not sealed (seal --force seals it and keeps it "
                   "read-only)");
  }

  const std::string value = std::to_string(check.computed);
  std::string sealed = bytes;
  std::string was = "missing";
  if (check.checkField) {
    const auto [offset, length] = *check.checkField;
    was = shownValue(std::string_view(bytes).substr(offset, length));
    sealed.replace(offset, length, value);
  } else {
    sealed += value + lineBreakOf(bytes);
  }
  const std::string unchanged = "; not sealed, the file is unchanged";
  const auto staged = stageFile(target, sealed, &original->status, true, options.hooks);
  if (!staged.staged) return refused(path + ": " + staged.error + unchanged);
  if (options.hooks.beforeReplace) options.hooks.beforeReplace();
  const auto outcome = replaceWithStaged(*staged.staged, &*original, options.hooks);
  switch (outcome.kind) {
    case ReplaceOutcome::Kind::Replaced:
      break;
    case ReplaceOutcome::Kind::ChangedMeanwhile:
      // Sealed meanwhile to the very same bytes (seal run twice at once): no save was made.
      if (sealedMeanwhile(target, sealed, bytes)) {
        return {true, path + ": check value " + was + " replaced by " + value +
                          " (by another seal at the same time)"};
      }
      return refused(path +
                     ": changed while it was being sealed (saved by another program?); "
                     "not sealed, it is left as it was saved: seal it again once it is saved "
                     "and closed");
    case ReplaceOutcome::Kind::Failed:
      return refused(path + ": " + outcome.error + (outcome.targetUntouched ? unchanged : ""));
  }
  return {true, path + ": check value " + was + " replaced by " + value};
}

}  // namespace vnt::seasons
