// vnt-seasons seal while another program saves the same file: no save is ever lost, on a
// file system that swaps two names at once and on one that cannot (FUSE mounts), and what
// seal says is what happened. Also a folder that takes no new file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdio.h>  // renameat2
#include <sys/mount.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/unit/test_support.h"
#include "tools/vnt_seasons/season_seal.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;

// A Deep file of one ballpark whose first number is `first`, the others 1, and its check
// value right or 0.
std::string deepFile(int first, bool sealed) {
  std::string text = "1\r\n\"Boston\"," + std::to_string(first);
  for (int i = 2; i <= 16; ++i) text += ",1";
  const int check = sealed ? (first + 15) * 2 - 2345 : 0;
  return text + "\r\n" + std::to_string(check) + "\r\n";
}

std::string read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write(const fs::path& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary) << contents;
}

// Saved as most editors save: written beside the file and renamed over it.
void saveByRename(const fs::path& file, const std::string& contents) {
  const fs::path saving = file.parent_path() / (file.filename().string() + ".saving");
  write(saving, contents);
  fs::rename(saving, file);
}

// Saved as some editors save: written into the file, in two pieces.
void saveInPlace(const fs::path& file, const std::string& contents) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  ASSERT_GE(fd, 0);
  const std::size_t half = contents.size() / 2;
  EXPECT_EQ(::write(fd, contents.data(), half), static_cast<ssize_t>(half));
  EXPECT_EQ(::write(fd, contents.data() + half, contents.size() - half),
            static_cast<ssize_t>(contents.size() - half));
  ::close(fd);
}

std::size_t entries(const fs::path& dir) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
}

// The file seal moved aside, where names cannot be swapped.
fs::path movedAside(const fs::path& dir) {
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().filename().string().starts_with(".1990Deep.vnt.old-")) return entry.path();
  }
  ADD_FAILURE() << "nothing moved aside";
  return dir / "missing";
}

// A bindfs mount of `source` at `where`, as a player's synced or remote folder is: a FUSE
// file system that cannot swap two names at once. Needs bindfs and /dev/fuse.
class FuseMount {
 public:
  FuseMount(const fs::path& source, const fs::path& where) : where_(where) {
    fs::create_directories(source);
    fs::create_directories(where);
    const std::string command =
        "bindfs '" + source.string() + "' '" + where.string() + "' >/dev/null 2>&1";
    mounted_ = std::system(command.c_str()) == 0;
  }
  ~FuseMount() {
    if (mounted_ && ::umount2(where_.c_str(), MNT_DETACH) != 0) {
      const std::string command = "fusermount3 -uz '" + where_.string() + "' >/dev/null 2>&1";
      if (std::system(command.c_str()) != 0) std::cerr << "cannot unmount " << where_ << "\n";
    }
  }
  FuseMount(const FuseMount&) = delete;
  FuseMount& operator=(const FuseMount&) = delete;

  bool mounted() const { return mounted_; }

 private:
  fs::path where_;
  bool mounted_ = false;
};

class SealRace : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder_.made()); }

  struct Tally {
    int lost = 0;     // the save gone, the file as before it or sealed as before it
    int changed = 0;  // seal saw the save and left it alone
  };

  // Rounds of seal against one save of another program, made at a random moment while seal
  // works. Whatever seal then says, the file holds that save, sealed or not.
  Tally race(const fs::path& file, const seasons::SealOptions& options,
             const std::function<void(const fs::path&, const std::string&)>& save, int rounds) {
    // A seal's time, for the moments the saves are spread over.
    write(file, deepFile(1, false));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(seasons::sealFile(file.string(), options).ok);
    const auto span = std::chrono::duration_cast<std::chrono::microseconds>(
                          std::chrono::steady_clock::now() - start) *
                      3 / 2;
    std::mt19937 random(12345);
    Tally tally;
    for (int round = 0; round < rounds; ++round) {
      write(file, deepFile(1, false));
      const int first = 2 + round % 300;
      const auto delay = std::chrono::microseconds(
          std::uniform_int_distribution<long>(0, static_cast<long>(span.count()))(random));
      std::atomic<bool> go{false};
      std::thread other([&] {
        while (!go) {
        }
        std::this_thread::sleep_for(delay);
        save(file, deepFile(first, false));
      });
      go = true;
      const auto result = seasons::sealFile(file.string(), options);
      other.join();
      const std::string now = read(file);
      if (now != deepFile(first, false) && now != deepFile(first, true)) {
        ++tally.lost;
        ADD_FAILURE() << "round " << round << ": the save is lost; seal said: " << result.message
                      << "; the file holds: " << now;
      }
      tally.changed += result.message.find("changed while") != std::string::npos ? 1 : 0;
      // Nothing is left beside it.
      EXPECT_EQ(entries(file.parent_path()), 1u) << "round " << round << ": " << result.message;
    }
    return tally;
  }

  testing::WorkingFolder folder_{"vnt_seal_race_"};
};

// Rounds of each race: VNT_SEAL_RACE_ROUNDS for a longer run by hand.
int rounds(int usual) {
  const char* asked = std::getenv("VNT_SEAL_RACE_ROUNDS");
  return asked != nullptr && std::atoi(asked) > 0 ? std::atoi(asked) : usual;
}

// On a real FUSE mount, saves of each kind while seal works: none is lost.
TEST_F(SealRace, NoSaveIsLostOnAFuseMount) {
  const fs::path mount = folder_.path() / "mount";
  FuseMount fuse(folder_.path() / "source", mount);
  if (!fuse.mounted()) GTEST_SKIP() << "no FUSE mount can be made here (bindfs, /dev/fuse)";
  // The mount is of the kind meant: it cannot swap two names at once.
  write(mount / "a", "a");
  write(mount / "b", "b");
  if (::renameat2(AT_FDCWD, (mount / "a").c_str(), AT_FDCWD, (mount / "b").c_str(),
                  RENAME_EXCHANGE) == 0) {
    GTEST_SKIP() << "this FUSE mount swaps names at once";
  }
  fs::remove(mount / "a");
  fs::remove(mount / "b");

  const fs::path file = mount / "1990Deep.vnt";
  const int n = rounds(100);
  const Tally whole = race(file, {}, saveByRename, n);
  const Tally pieces = race(file, {}, saveInPlace, n);
  EXPECT_EQ(whole.lost + pieces.lost, 0);
  std::cout << "FUSE mount: " << whole.lost << " of " << n << " whole saves lost (" << whole.changed
            << " seen by seal), " << pieces.lost << " of " << n << " two-piece saves lost ("
            << pieces.changed << " seen by seal)\n";
}

// The same race on this disk, with and without the swap of two names.
TEST_F(SealRace, NoSaveIsLostWithOrWithoutSwappingNames) {
  const fs::path file = folder_.path() / "1990Deep.vnt";
  for (const bool swapNames : {true, false}) {
    SCOPED_TRACE(swapNames ? "swapping names" : "without swapping names");
    seasons::SealOptions options;
    options.hooks.swapNames = swapNames;
    const Tally whole = race(file, options, saveByRename, rounds(100));
    const Tally pieces = race(file, options, saveInPlace, rounds(100));
    EXPECT_EQ(whole.lost + pieces.lost, 0);
  }
}

// Without the swap, each moment at which a save can come, made to happen: the save keeps
// the name, and seal says the file changed.
TEST_F(SealRace, ASaveAtEveryStepWithoutSwappingNamesIsKept) {
  const fs::path file = folder_.path() / "1990Deep.vnt";
  const std::string saved = deepFile(7, false);
  struct Step {
    const char* label;
    std::function<void()> seasons::WriteHooks::*hook;
    std::function<void()> save;
  };
  const Step steps[] = {
      // Moved aside: the name is free, and the save takes it.
      {"SavedByRenameWhileTheNameIsFree", &seasons::WriteHooks::whileAside,
       [&] { saveByRename(file, saved); }},
      {"SavedInPlaceWhileTheNameIsFree", &seasons::WriteHooks::whileAside,
       [&] { saveInPlace(file, saved); }},
      // A program that had the file open writes into it while it is aside.
      {"WrittenIntoTheFileMovedAside", &seasons::WriteHooks::whileAside,
       [&] { saveInPlace(movedAside(folder_.path()), saved); }},
      // ... or only once the sealed copy has the name.
      {"WrittenIntoTheFileMovedAsideLater", &seasons::WriteHooks::beforeLastLook,
       [&] { saveInPlace(movedAside(folder_.path()), saved); }},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.label);
    write(file, deepFile(1, false));
    seasons::SealOptions options;
    options.hooks.swapNames = false;
    options.hooks.*step.hook = step.save;
    const auto result = seasons::sealFile(file.string(), options);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "vnt-seasons: " + file.string() +
                                  ": changed while it was being sealed (saved by another "
                                  "program?); not sealed, it is left as it was saved: seal it "
                                  "again once it is saved and closed");
    EXPECT_EQ(read(file), saved);
    EXPECT_EQ(entries(folder_.path()), 1u);
  }
}

// Where names can neither be swapped nor claimed only while free, seal refuses rather than
// risk a save, and touches nothing.
TEST_F(SealRace, RefusesWhereNoSaveCouldBeKeptSafe) {
  const fs::path file = folder_.path() / "1990Deep.vnt";
  write(file, deepFile(1, false));
  seasons::SealOptions options;
  options.hooks.swapNames = false;
  options.hooks.claimNames = false;
  const auto result = seasons::sealFile(file.string(), options);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.message,
            "vnt-seasons: " + file.string() +
                ": cannot be replaced safely here: this file system can neither swap two names "
                "at once nor rename a file only to a free name, so a save made meanwhile by "
                "another program could be lost; work on a copy on a local disk and copy it "
                "back; not sealed, the file is unchanged");
  EXPECT_EQ(read(file), deepFile(1, false));
  EXPECT_EQ(entries(folder_.path()), 1u);
}

// Two seals of one file at once: the second finds the file sealed by the first, to the very
// same bytes. Nobody saved it, so nothing is said to have changed.
TEST_F(SealRace, TwoSealsAtOnceBothSaySealed) {
  const fs::path file = folder_.path() / "1990Deep.vnt";
  for (const bool swapNames : {true, false}) {
    SCOPED_TRACE(swapNames ? "swapping names" : "without swapping names");
    write(file, deepFile(1, false));
    seasons::SealOptions options;
    options.hooks.swapNames = swapNames;
    seasons::SealResult inner;
    options.hooks.beforeReplace = [&] { inner = seasons::sealFile(file.string()); };
    const auto outer = seasons::sealFile(file.string(), options);
    const std::string replacedBy = ": check value 0 replaced by -2313";
    EXPECT_TRUE(inner.ok);
    EXPECT_EQ(inner.message, file.string() + replacedBy);
    EXPECT_TRUE(outer.ok);
    EXPECT_EQ(outer.message, file.string() + replacedBy + " (by another seal at the same time)");
    EXPECT_EQ(read(file), deepFile(1, true));
    EXPECT_EQ(entries(folder_.path()), 1u);
  }
}

// A folder on a read-only file system takes no sealed copy, with --force or without: seal
// says so, and does not offer --force.
TEST_F(SealRace, AReadOnlyFileSystemIsNamedAndForceNotOffered) {
  const fs::path dir = folder_.path() / "readonly";
  fs::create_directory(dir);
  if (::mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0) {
    GTEST_SKIP() << "no file system can be mounted here";
  }
  const fs::path file = dir / "1990Deep.vnt";
  write(file, deepFile(1, false));
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  const bool readOnly =
      ::mount(nullptr, dir.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  for (const bool force : {false, true}) {
    if (!readOnly) break;
    seasons::SealOptions options;
    options.force = force;
    const auto result = seasons::sealFile(file.string(), options);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "vnt-seasons: " + file.string() + ": the folder " + dir.string() +
                                  " is read-only (a read-only file system), and the sealed copy "
                                  "is written there; not sealed");
  }
  EXPECT_EQ(read(file), deepFile(1, false));
  ::umount2(dir.c_str(), MNT_DETACH);
  if (!readOnly) GTEST_SKIP() << "the file system could not be made read-only";
}

}  // namespace
}  // namespace vnt
