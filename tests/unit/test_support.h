#pragma once

#include <deque>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "shell/dialogs.h"
#include "shell/dice.h"

namespace vnt::testing {

// Dice that return the queued values in order (0 once the queue is empty).
class QueuedDice final : public Dice {
 public:
  std::deque<std::int16_t> values;
  std::vector<std::pair<std::int16_t, std::int16_t>> draws;  // (upper, lower) of each draw
  std::int16_t RandomNumber(std::int16_t upper, std::int16_t lower) override {
    draws.emplace_back(upper, lower);
    if (values.empty()) return 0;
    const std::int16_t v = values.front();
    values.pop_front();
    return v;
  }
};

// Message boxes that record their prompts and answer Yes/No from a queue (No when empty).
class FakeDialogs final : public Dialogs {
 public:
  std::vector<std::pair<std::string, std::string>> shown;
  std::deque<bool> answers;
  void ok(const std::string& prompt, const std::string& title) override {
    shown.emplace_back(prompt, title);
  }
  bool yesNo(const std::string& prompt, const std::string& title) override {
    shown.emplace_back(prompt, title);
    if (answers.empty()) return false;
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
};

// A fresh temporary folder, made the working directory while the object lives: season
// files are looked up in the working directory. The previous one is restored and the folder
// removed at the end. made() is false when no folder could be made (tests assert on it).
class WorkingFolder {
 public:
  explicit WorkingFolder(const std::string& prefix = "vnt_test_") {
    namespace fs = std::filesystem;
    std::error_code ec;
    previous_ = fs::current_path(ec);
    std::random_device random;
    for (int attempt = 0; attempt < 100 && dir_.empty(); ++attempt) {
      auto candidate = fs::temp_directory_path(ec) / (prefix + std::to_string(random()));
      if (fs::create_directory(candidate, ec)) dir_ = candidate;
    }
    if (!dir_.empty()) fs::current_path(dir_, ec);
  }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;
  ~WorkingFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    if (!dir_.empty()) {
      // A test may have taken the read or list permission away: give it back to clean up.
      std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, ignored);
      std::filesystem::remove_all(dir_, ignored);
    }
  }

  bool made() const { return !dir_.empty(); }
  const std::filesystem::path& path() const { return dir_; }

  // Writes a file of the working directory byte for byte.
  static void write(const std::string& name, const std::string& contents) {
    std::ofstream(name, std::ios::binary) << contents;
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path dir_;
};

#ifdef VNT_SOURCE_DIR
// The bundled sample seasons made the working directory while the object lives (a member
// of a fixture, built before SetUp loads the window); the previous one is restored.
class InBundledSeasons {
 public:
  InBundledSeasons() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(std::filesystem::path(VNT_SOURCE_DIR) / "seasons");
  }
  InBundledSeasons(const InBundledSeasons&) = delete;
  InBundledSeasons& operator=(const InBundledSeasons&) = delete;
  ~InBundledSeasons() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
  }

  // Where the test was started.
  const std::filesystem::path& previous() const { return previous_; }

 private:
  std::filesystem::path previous_;
};
#endif

}  // namespace vnt::testing
