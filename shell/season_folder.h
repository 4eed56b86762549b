#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vnt {

// A season file's whole contents as text, looked up in the current working directory by
// name without regard to letter case ("1987bpe.vnt" finds "1987BPE.vnt"). None when there
// is no such file or it cannot be read (or is far larger than any season file). The text is
// decoded as decodeSeasonText() does.
std::optional<std::string> readSeasonFile(const std::string& name);

// The season folder (the working directory) listed at most once: a run of look-ups, such
// as the start-up check of every season, lists a crowded folder once instead of once for
// every name not found under its exact spelling. Files are opened anew for every read.
class SeasonFolder {
 public:
  SeasonFolder() = default;
  // Another folder than the working directory (the desktop entry's choice of folder).
  explicit SeasonFolder(std::string dir) : dir_(std::move(dir)) {}

  // As readSeasonFile(name), through this folder's listing.
  std::optional<std::string> read(const std::string& name);

  // The file read() opens for `name`, as spelled in the folder: the exact spelling when it
  // names a regular file, else the first regular file of namesLike(name). None when there
  // is none (whether it then reads is read()'s to say).
  std::optional<std::string> fileFor(const std::string& name);

  // Every entry of the folder whose name equals `name` ignoring ASCII letter case, sorted.
  std::vector<std::string> namesLike(const std::string& name);

  // Whether the folder could be listed. A folder that can be entered but not listed still
  // gives its files under their exact names, but none under another letter case.
  bool listable();

 private:
  void list();
  std::optional<std::string> find(const std::string& name, std::string* contents);

  std::string dir_ = ".";
  bool listed_ = false;
  bool listable_ = false;
  // The folder's entries by the length of their names: a name can only match one of its
  // own length, so a look-up passes over the thousands of others at once.
  std::vector<std::vector<std::string>> namesByLength_;
};

// The contents of a file already opened for reading, as text. None unless the handle is a
// regular file of at most the season-file size limit that reads to its end; anything else
// (a pipe, a device, a directory) is refused at once, without waiting for data.
std::optional<std::string> readOpenSeasonFile(int fd);

}  // namespace vnt
