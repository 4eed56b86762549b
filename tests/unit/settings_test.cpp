// The settings file: read back as written, and a damaged one never more than ignored.

#include "shell/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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

// The player's own lines survive a save: comments, blank lines and keys of other versions
// stay where they stand, our keys are updated in place (repeats dropped, since a later line
// would win), missing ones are appended, damaged lines are dropped.
TEST(Settings, MergeKeepsThePlayersLinesAndUpdatesOurs) {
  Settings s;
  s.zoom = 150;
  s.odds = {true, WindowPlace::Rect{10, 20, 300, 400}};
  struct Case {
    std::string existing;
    std::string expected;
  };
  const std::string ours =
      "own-dice=off\nzoom=150\nodds-window.open=on\nodds-window.geometry=10,20,300,400\n"
      "game-log-window.open=off\n";
  const Case cases[] = {
      // Nothing to keep: a new file, header and all.
      {"", format(s)},
      {" \n\n", format(s)},
      {"# mine\n\nfuture-key = 7\n", "# mine\n\nfuture-key = 7\n" + ours},
      {"zoom = 200\n# after zoom\nown-dice=on\nzoom=75\nlegacy=x",
       "zoom=150\n# after zoom\nown-dice=off\nlegacy=x\nodds-window.open=on\n"
       "odds-window.geometry=10,20,300,400\ngame-log-window.open=off\n"},
      // A place with no geometry loses its old one; a commented key is only a comment.
      {"game-log-window.geometry=1,2,3,4\n#zoom=80\n", "#zoom=80\n" + ours},
      // Damage: a NUL, a bell; the line in Windows-1252 and the CR of CRLF are text.
      {std::string("ok=1\r\nzo\0om=3\n\x07\nnote=caf\xe9\n", 26), "ok=1\r\nnote=caf\xe9\n" + ours},
  };
  for (const Case& c : cases) {
    const std::string merged = merge(c.existing, s);
    EXPECT_EQ(merged, c.expected) << c.existing;
    EXPECT_EQ(parse(merged), s) << c.existing;
  }
  EXPECT_EQ(parse(merge(format(sample()), s)), s);
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

// Where the file is a link, or a link was left where the new file goes: the file the
// settings name stands for is replaced whole, the link stays a link, and no file outside it
// is ever written.
TEST_F(SettingsFile, SaveWritesANewFileAndRenamesItOverTheOneNamed) {
  enum class Before {
    None,
    Plain,
    LinkToDotfiles,
    DanglingLink,
    StaleLinkAtNew,
    StaleFileAtNew,
    Damaged,
    LinkLoop
  };
  struct Case {
    const char* name;
    Before before;
    bool saved;
  };
  const Case cases[] = {
      {"no file yet", Before::None, true},
      {"a plain file", Before::Plain, true},
      {"a link into a dotfiles folder", Before::LinkToDotfiles, true},
      {"a link to a file not there yet", Before::DanglingLink, true},
      {"a link left at settings.conf.new", Before::StaleLinkAtNew, true},
      {"a file left at settings.conf.new", Before::StaleFileAtNew, true},
      {"a damaged file", Before::Damaged, true},
      {"links that loop", Before::LinkLoop, false},
  };
  const std::string players = "# my settings\nzoom=80\nfuture-key=on\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(dir_);
    const fs::path config = dir_ / "config";
    const fs::path dotfiles = dir_ / "dotfiles";
    fs::create_directories(config);
    fs::create_directories(dotfiles);
    const fs::path path = config / "settings.conf";
    const fs::path victim = dir_ / "victim";
    write(victim, "not the settings\n");
    fs::path target = path;
    switch (c.before) {
      case Before::None:
        break;
      case Before::Plain:
        write(path, players);
        fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
        break;
      case Before::LinkToDotfiles:
        write(dotfiles / "vnt.conf", players);
        fs::create_symlink("../dotfiles/vnt.conf", path);
        target = dotfiles / "vnt.conf";
        break;
      case Before::DanglingLink:
        fs::create_symlink(dotfiles / "new.conf", path);
        target = dotfiles / "new.conf";
        break;
      case Before::StaleLinkAtNew:
        write(path, players);
        fs::create_symlink(victim, config / "settings.conf.new");
        break;
      case Before::StaleFileAtNew:
        write(path, players);
        write(config / "settings.conf.new", "zoom=5");
        break;
      case Before::Damaged:
        write(path, std::string("\0\xff\x01zoom=\x80\n", 10) + players);
        break;
      case Before::LinkLoop:
        fs::create_symlink("b", path);
        fs::create_symlink("settings.conf", config / "b");
        break;
    }
    ASSERT_EQ(save(path, sample()), c.saved);
    std::ifstream victimIn(victim);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(victimIn), {}), "not the settings\n");
    EXPECT_FALSE(fs::exists(fs::symlink_status(config / "settings.conf.new")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(dotfiles / "vnt.conf.new")));
    if (!c.saved) continue;
    EXPECT_EQ(load(path), sample());
    EXPECT_EQ(fs::is_symlink(fs::symlink_status(path)), target != path);
    ASSERT_TRUE(fs::is_regular_file(fs::symlink_status(target)));
    std::ifstream in(target, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    const bool hadPlayers = c.before != Before::None && c.before != Before::DanglingLink;
    if (hadPlayers) {
      EXPECT_TRUE(text.starts_with("# my settings\nzoom=175\nfuture-key=on\n")) << text;
    } else {
      EXPECT_TRUE(text.starts_with("# VNT Assistant settings")) << text;
    }
    EXPECT_EQ(text.find('\0'), std::string::npos);
    if (c.before == Before::Plain) {
      // A private file stays private.
      EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
                fs::perms::owner_read | fs::perms::owner_write);
    }
  }
}

}  // namespace
}  // namespace vnt::settings
