#include "season_seal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>
#include <system_error>

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

std::optional<std::string> readBytes(const fs::path& path) {
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  if (ec || size > kMaxBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad() || bytes.size() > kMaxBytes) return std::nullopt;
  return bytes;
}

// Writes `bytes` to a new file beside `target` and renames it over the target, so a crash
// leaves either the old file or the new one. The target's permissions are kept.
std::optional<std::string> replaceFile(const fs::path& target, const std::string& bytes) {
  struct stat original {};
  if (::stat(target.c_str(), &original) != 0) return std::string(std::strerror(errno));
  // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) on "." + string.
  std::string hidden = ".";
  hidden += target.filename().string();
  hidden += ".seal-XXXXXX";
  std::string temp = (target.parent_path() / hidden).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return "cannot create a file beside it: " + std::string(std::strerror(errno));
  const auto fail = [&](const char* what) {
    const std::string message = std::string(what) + ": " + std::strerror(errno);
    ::close(fd);
    ::unlink(temp.c_str());
    return message;
  };
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return fail("cannot write");
    written += static_cast<std::size_t>(n);
  }
  if (::fchmod(fd, original.st_mode & 07777) != 0) return fail("cannot set permissions");
  if (::fsync(fd) != 0) return fail("cannot write");
  if (::close(fd) != 0) {
    ::unlink(temp.c_str());
    return "cannot write: " + std::string(std::strerror(errno));
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const std::string message = "cannot replace it: " + std::string(std::strerror(errno));
    ::unlink(temp.c_str());
    return message;
  }
  // The rename itself is made durable by syncing the folder.
  const int dir = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
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

}  // namespace

SealResult sealFile(const std::string& path) {
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
  const auto bytes = readBytes(target);
  if (!bytes) return refused(path + ": cannot be read");

  // A byte-order mark is no field, as the program reads it; the rest is checked as it stands
  // and every byte of it kept.
  const std::size_t bom = bytes->starts_with("\xEF\xBB\xBF") ? 3 : 0;
  const std::string_view body = std::string_view(*bytes).substr(bom);
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
    return {true, path + ": check value " + bytes->substr(offset, length) + " is right, unchanged"};
  }
  if (!check.recordsRead) {
    return refused(located(path, check.problem.value_or(SeasonFileProblem{})) + "; not sealed");
  }

  const std::string value = std::to_string(check.computed);
  std::string sealed = *bytes;
  std::string was = "missing";
  if (check.checkField) {
    const auto [offset, length] = *check.checkField;
    was = shownValue(std::string_view(*bytes).substr(offset, length));
    sealed.replace(offset, length, value);
  } else {
    const std::string lineBreak = lineBreakOf(*bytes);
    if (!sealed.empty() && sealed.back() != '\n' && sealed.back() != '\r') sealed += lineBreak;
    sealed += value + lineBreak;
  }
  if (const auto error = replaceFile(target, sealed)) return refused(path + ": " + *error);
  return {true, path + ": check value " + was + " replaced by " + value};
}

}  // namespace vnt::seasons
