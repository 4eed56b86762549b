// The settings file: read back as written, and a damaged one never more than ignored.

#include "shell/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>

namespace vnt::settings {
namespace {

namespace fs = std::filesystem;

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vnt_settings_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code error;
    fs::permissions(dir_, fs::perms::owner_all, error);
    fs::remove_all(dir_, error);
  }
  void write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  fs::path dir_;
};

Settings sample() {
  Settings s;
  s.ownDice = true;
  s.zoom = 175;
  s.odds = {true, WindowPlace::Rect{1200, 40, 300, 582}};
  s.gameLog = {false, WindowPlace::Rect{-1800, 100, 640, 480}};
  return s;
}

TEST(Settings, WhatIsWrittenReadsBack) {
  for (const Settings& s : {Settings{}, sample()}) EXPECT_EQ(parse(format(s)), s);
  EXPECT_EQ(parse(""), Settings{});
}

TEST(Settings, EachLineIsReadOrLeftAtItsDefault) {
  struct Case {
    std::string text;
    bool ownDice;
    int zoom;
    bool oddsOpen;
    std::optional<WindowPlace::Rect> oddsGeometry;
  };
  const std::optional<WindowPlace::Rect> none;
  const Case cases[] = {
      {"own-dice=on\nzoom=150\n", true, 150, false, none},
      {"  own-dice = yes \r\nzoom = 300\r\n", true, 300, false, none},
      {"own-dice=maybe\nzoom=abc\n", false, 100, false, none},
      // Zoom outside the range, negative, huge, or not a whole number.
      {"zoom=-150\n", false, 100, false, none},
      {"zoom=49\n", false, 100, false, none},
      {"zoom=301\n", false, 100, false, none},
      {"zoom=99999999999999999999999\n", false, 100, false, none},
      {"zoom=1.5\n", false, 100, false, none},
      {"zoom=\n", false, 100, false, none},
      {"zoom=50\nzoom=garbage\n", false, 50, false, none},
      {"odds-window.open=on\nodds-window.geometry=10,20,300,400\n", false, 100, true,
       WindowPlace::Rect{10, 20, 300, 400}},
      {"odds-window.geometry=-300,-20,300,400\n", false, 100, false,
       WindowPlace::Rect{-300, -20, 300, 400}},
      // A size of nothing, too many or too few numbers, numbers past any screen.
      {"odds-window.geometry=10,20,0,400\n", false, 100, false, none},
      {"odds-window.geometry=10,20,300,-4\n", false, 100, false, none},
      {"odds-window.geometry=10,20,300\n", false, 100, false, none},
      {"odds-window.geometry=10,20,300,400,5\n", false, 100, false, none},
      {"odds-window.geometry=10,,300,400\n", false, 100, false, none},
      {"odds-window.geometry=2147483647,20,300,400\n", false, 100, false, none},
      {"odds-window.geometry=10,20,300,99999999999\n", false, 100, false, none},
      // Unknown keys, comments and lines without "=" are passed over.
      {"# zoom=200\nodds-windowx.open=on\nodds-window.=on\nzoom 200\nfuture-key=1\n", false, 100,
       false, none},
      {"=\n==\n\n\n", false, 100, false, none},
  };
  for (const Case& c : cases) {
    const Settings s = parse(c.text);
    EXPECT_EQ(s.ownDice, c.ownDice) << c.text;
    EXPECT_EQ(s.zoom, c.zoom) << c.text;
    EXPECT_EQ(s.odds.open, c.oddsOpen) << c.text;
    EXPECT_EQ(s.odds.geometry, c.oddsGeometry) << c.text;
    EXPECT_EQ(s.gameLog, WindowPlace{}) << c.text;
  }
}

// Random bytes, and random damage to a good file, read without a crash and give settings
// within their ranges.
TEST(Settings, GarbageIsReadAsDefaultsOrSoundValues) {
  std::mt19937 random(20);
  const std::string good = format(sample());
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    if (round % 2 == 0) {
      text.resize(random() % 300);
      for (char& c : text) c = static_cast<char>(random() % 256);
    } else {
      text = good;
      for (int flips = 0; flips < 4; ++flips) {
        text[random() % text.size()] = static_cast<char>(random() % 256);
      }
    }
    const Settings s = parse(text);
    EXPECT_GE(s.zoom, 50);
    EXPECT_LE(s.zoom, 300);
    for (const WindowPlace* place : {&s.odds, &s.gameLog}) {
      if (place->geometry) {
        EXPECT_GT(place->geometry->width, 0);
        EXPECT_GT(place->geometry->height, 0);
      }
    }
  }
}

TEST(Settings, TheFileFollowsTheConfigFolder) {
  const auto env = [](std::map<std::string, std::string> values) {
    return [values](const char* name) -> std::optional<std::string> {
      const auto it = values.find(name);
      if (it == values.end()) return std::nullopt;
      return it->second;
    };
  };
  EXPECT_EQ(file(env({{"XDG_CONFIG_HOME", "/c"}, {"HOME", "/h"}})),
            fs::path("/c/vnt-assistant/settings.conf"));
  EXPECT_EQ(file(env({{"XDG_CONFIG_HOME", "relative"}, {"HOME", "/h"}})),
            fs::path("/h/.config/vnt-assistant/settings.conf"));
  EXPECT_EQ(file(env({{"HOME", "/h"}})), fs::path("/h/.config/vnt-assistant/settings.conf"));
  EXPECT_EQ(file(env({})), fs::path());
}

TEST_F(SettingsFile, SavedSettingsLoadBackAndTheFolderIsMade) {
  const fs::path path = dir_ / "config" / "vnt-assistant" / "settings.conf";
  EXPECT_EQ(load(path), Settings{});
  ASSERT_TRUE(save(path, sample()));
  EXPECT_EQ(load(path), sample());
  EXPECT_FALSE(fs::exists(path.string() + ".new"));
  ASSERT_TRUE(save(path, Settings{}));
  EXPECT_EQ(load(path), Settings{});
}

TEST_F(SettingsFile, AnUnusableFileGivesTheDefaults) {
  const fs::path path = dir_ / "settings.conf";
  // Larger than any settings file: not read at all, even where it starts well.
  write(path, "zoom=200\n" + std::string(kMaxFileSize, '#'));
  EXPECT_EQ(load(path), Settings{});
  // A folder where the file should be, and bytes that are no text.
  fs::remove(path);
  fs::create_directory(path);
  EXPECT_EQ(load(path), Settings{});
  fs::remove(path);
  write(path, std::string("\0\0\xff\xfe zoom=\x80\0=", 14));
  EXPECT_EQ(load(path), Settings{});
  EXPECT_EQ(load(fs::path()), Settings{});
}

TEST_F(SettingsFile, AFailedSaveKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  const fs::path path = dir_ / "settings.conf";
  ASSERT_TRUE(save(path, sample()));
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(save(path, Settings{}));
  EXPECT_FALSE(save(dir_ / "sub" / "settings.conf", Settings{}));
  fs::permissions(dir_, fs::perms::owner_all);
  EXPECT_EQ(load(path), sample());
  EXPECT_FALSE(save(fs::path(), Settings{}));
}

}  // namespace
}  // namespace vnt::settings
