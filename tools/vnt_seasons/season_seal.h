#pragma once

#include <string>

namespace vnt::seasons {

// What `vnt-seasons seal` did with one file: the line to print, on standard output when
// `sealed` (or the value was already right), else on standard error.
struct SealResult {
  bool ok = false;
  std::string message;
};

// Recomputes the check value of a Deep or BPE file (the kind taken from its name) and
// writes it in place of the stored one, every other byte kept. The file is replaced by a
// rename, so it is never left half written; one whose records cannot be read is refused
// and left as it is. A BPE file takes its record count from the Deep file of the same year
// beside it.
SealResult sealFile(const std::string& path);

}  // namespace vnt::seasons
