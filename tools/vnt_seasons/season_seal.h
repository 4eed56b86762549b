#pragma once

#include <string>

#include "file_replace.h"

namespace vnt::seasons {

// What `vnt-seasons seal` did with one file: the line to print, on standard output when
// `sealed` (or the value was already right), else on standard error.
struct SealResult {
  bool ok = false;
  std::string message;
};

struct SealOptions {
  // Seal a read-only file too (it stays read-only). Nothing else is forced.
  bool force = false;
  WriteHooks hooks;  // for tests
};

// Recomputes the check value of a Deep or BPE file (the kind taken from its name) and
// writes it in place of the stored one, every other byte kept. The file is replaced by a
// rename, with its mode, owner and group, so it is never left half written; one whose
// records cannot be read is refused and left as it is. A BPE file takes its record count
// from the Deep file of the same year beside it.
//
// Also refused, the file left as it is: a file that another program changed while it was
// being sealed, one without a check value whose last record has no line break after it (it
// may have been cut short), a file with more than one name (hard links), a file whose
// folder is read-only (`force` or not), a read-only file unless `force`, one whose owner and
// group cannot be kept, and one on a file system where no save made meanwhile could be kept
// safe (see replaceWithStaged). Sealed to the very same bytes meanwhile (two seals at once),
// it is reported sealed.
SealResult sealFile(const std::string& path, const SealOptions& options = {});

}  // namespace vnt::seasons
