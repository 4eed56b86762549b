#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tools/vnt_scenario/scenario.h"

namespace vnt::scenario {
namespace {

namespace fs = std::filesystem;

// Each file under tests/runner is a scenario the runner must reject; its first line says
// where and with what words: "# rejected at line N: TEXT".
TEST(ScenarioRunner, RejectsBrokenScenariosWithAClearLine) {
  const fs::path dir = fs::path(VNT_SOURCE_DIR) / "tests" / "runner";
  int files = 0;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.path().extension() != ".scn") continue;
    ++files;
    std::ifstream in(entry.path());
    std::string header;
    std::getline(in, header);
    const std::string marker = "# rejected at line ";
    ASSERT_TRUE(header.starts_with(marker)) << entry.path();
    const std::size_t colon = header.find(": ", marker.size());
    ASSERT_NE(colon, std::string::npos) << entry.path();
    const std::string line = header.substr(marker.size(), colon - marker.size());
    const std::string words = header.substr(colon + 2);

    const Outcome outcome = play(entry.path().string());
    EXPECT_FALSE(outcome.passed) << entry.path();
    EXPECT_TRUE(outcome.failure.starts_with(entry.path().string() + ":" + line + ": " + words))
        << "expected line " << line << ": " << words << "\nfound: " << outcome.failure;
  }
  EXPECT_GE(files, 10);
}

TEST(ScenarioRunner, TokenizesWordsAndStringsWithEscapes) {
  const auto tokens = tokenize(R"(expect text Text1 "a\rb\n\"c\"\\" "")");
  ASSERT_EQ(tokens.size(), 5U);
  EXPECT_EQ(tokens[3].text, "a\rb\n\"c\"\\");
  EXPECT_TRUE(tokens[3].quoted);
  EXPECT_EQ(tokens[4].text, "");
  EXPECT_TRUE(tokens[4].quoted);
  EXPECT_FALSE(tokens[2].quoted);
  EXPECT_THROW(tokenize(R"(expect title "a\q")"), Failure);
}

TEST(ScenarioRunner, MissingFileIsAFailureNotACrash) {
  const Outcome outcome = play("/nonexistent/never.scn");
  EXPECT_FALSE(outcome.passed);
  EXPECT_NE(outcome.failure.find("cannot open"), std::string::npos);
}

TEST(ScenarioRunner, PlaysInAFreshDirectoryAndGoesBack) {
  const fs::path before = fs::current_path();
  const fs::path file = fs::temp_directory_path() / "vnt-runner-writes.scn";
  {
    std::ofstream out(file);
    out << "file 1999Deep.vnt crlf\n1\n\"Boston\",1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\n-2313\nend\n"
           "file 1999BPE.vnt\n1,1,1,1,1,1,1,1,\"Boston\"\n-2331\nend\n"
           "start\nexpect enabled optYear 27\nremove 1999BPE.vnt\n";
  }
  const Outcome outcome = play(file.string());
  EXPECT_TRUE(outcome.passed) << outcome.failure;
  EXPECT_EQ(fs::current_path(), before);
  EXPECT_FALSE(fs::exists(before / "1999Deep.vnt"));
  fs::remove(file);
}

}  // namespace
}  // namespace vnt::scenario
