// The command line and the season folder it chooses.

#include "tests/qt/qt_window_test_support.h"

namespace vnt {
namespace {

using namespace qt_testing;

TEST(CommandLineTest, ReadsTheOptions) {
  using app::Options;
  using app::parseCommandLine;
  const std::map<std::vector<std::string>, Options::Action> actions{
      {{}, Options::Action::Run},
      {{"--help"}, Options::Action::Help},
      {{"-h"}, Options::Action::Help},
      {{"--version"}, Options::Action::Version},
      {{"--seasons", "x", "--help"}, Options::Action::Help},
      {{"--user-seasons", "--self-test"}, Options::Action::Run},
      {{"--seasons"}, Options::Action::Usage},
      {{"--seasons="}, Options::Action::Usage},
      {{"--seasons", "a", "--seasons", "b"}, Options::Action::Usage},
      {{"--seasons", "a", "--user-seasons"}, Options::Action::Usage},
      {{"--help-me"}, Options::Action::Usage},
      {{"seasons"}, Options::Action::Usage},
  };
  for (const auto& [args, action] : actions) {
    const Options options = parseCommandLine(args);
    EXPECT_EQ(options.action, action) << ::testing::PrintToString(args);
    EXPECT_EQ(options.error.empty(), action != Options::Action::Usage);
  }
  EXPECT_EQ(parseCommandLine({"--seasons", "my dir"}).seasons, fs::path("my dir"));
  EXPECT_EQ(parseCommandLine({"--seasons=/s"}).seasons, fs::path("/s"));
  EXPECT_TRUE(parseCommandLine({"--user-seasons"}).userSeasons);
  EXPECT_TRUE(parseCommandLine({"--self-test"}).selfTest);
  EXPECT_EQ(parseCommandLine({"--bogus"}).error, "unknown option --bogus");
}

TEST(CommandLineTest, ThePlayersSeasonFolderFollowsTheXdgRules) {
  using Env = std::map<std::string, std::string>;
  const auto folder = [](const Env& env) {
    return app::userSeasonFolder([&env](const char* name) -> std::optional<std::string> {
      const auto it = env.find(name);
      return it == env.end() ? std::nullopt : std::optional(it->second);
    });
  };
  EXPECT_EQ(folder({{"XDG_DATA_HOME", "/x"}, {"HOME", "/h"}}),
            fs::path("/x/vnt-assistant/seasons"));
  EXPECT_EQ(folder({{"HOME", "/h"}}), fs::path("/h/.local/share/vnt-assistant/seasons"));
  // A relative or empty XDG_DATA_HOME is to be ignored.
  EXPECT_EQ(folder({{"XDG_DATA_HOME", "rel"}, {"HOME", "/h"}}),
            fs::path("/h/.local/share/vnt-assistant/seasons"));
  EXPECT_EQ(folder({{"XDG_DATA_HOME", ""}, {"HOME", "/h"}}),
            fs::path("/h/.local/share/vnt-assistant/seasons"));
  EXPECT_EQ(folder({}), fs::path());
}

TEST(CommandLineTest, TheMenuEntryPrefersThePlayersOwnSeasons) {
  const fs::path root = fs::temp_directory_path() /
                        ("vnt_season_folder_" + std::to_string(QCoreApplication::applicationPid()));
  fs::remove_all(root);
  const fs::path user = root / "user";
  const fs::path installed = root / "usr" / "share" / "vnt-assistant" / "seasons";
  fs::create_directories(user);
  fs::create_directories(installed);
  fs::create_directories(root / "usr" / "bin");

  // Files that are not season files do not count; a year out of range or a wrong suffix
  // neither.
  for (const char* other :
       {"notes.txt", "1971Deep.vnt", "2026BPE.vnt", "1987Deep.vnt.bak", "87Deep.vnt"}) {
    writeFile(user / other, "x");
  }
  fs::create_directories(user / "1990Deep.vnt");  // a folder, not a file
  EXPECT_FALSE(app::holdsSeasonFile(user));
  EXPECT_EQ(app::desktopSeasonFolder(user, installed), installed);
  writeFile(user / "2025CPlay.vnt", "x");
  EXPECT_TRUE(app::holdsSeasonFile(user));
  EXPECT_EQ(app::desktopSeasonFolder(user, installed), user);
  EXPECT_EQ(app::desktopSeasonFolder(root / "missing", installed), installed);
  // Letter case does not matter, as when the program reads the season from the folder.
  const fs::path upper = root / "upper";
  fs::create_directories(upper);
  writeFile(upper / "1980DEEP.VNT", "x");
  EXPECT_TRUE(app::holdsSeasonFile(upper));
  EXPECT_EQ(app::desktopSeasonFolder(upper, installed), upper);
  EXPECT_EQ(app::desktopSeasonFolder(fs::path(), installed), installed);

  // The samples beside the program win over the compiled-in place, so an unpacked copy
  // finds its own.
  EXPECT_EQ(app::installedSeasonFolder(root / "usr" / "bin" / "vnt-assistant", "/fallback"),
            installed);
  EXPECT_EQ(app::installedSeasonFolder(root / "bin" / "vnt-assistant", "/fallback"),
            fs::path("/fallback"));
  EXPECT_EQ(app::installedSeasonFolder(fs::path(), "/fallback"), fs::path("/fallback"));
  fs::remove_all(root);
}
}  // namespace
}  // namespace vnt
