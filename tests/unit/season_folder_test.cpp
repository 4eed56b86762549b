// Season files as the world hands them over: pipes and devices where a file should be, a
// crowded folder, and the text encodings of other editors.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>

#include "shell/season_files.h"
#include "tests/unit/test_support.h"

namespace vnt {
namespace {

namespace fs = std::filesystem;

class SeasonFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder_.made()); }

  static void write(const std::string& name, const std::string& contents) {
    testing::WorkingFolder::write(name, contents);
  }

 private:
  testing::WorkingFolder folder_{"vnt_season_folder_"};
};

// A FIFO swapped in for a season file has no writer: reading it must give up at once
// rather than wait for one (the window would freeze).
TEST_F(SeasonFolderTest, APipeOrDeviceIsRefusedAtOnce) {
  ASSERT_EQ(::mkfifo("pipe.vnt", 0600), 0);
  const int fifo = ::open("pipe.vnt", O_RDONLY | O_NONBLOCK);
  ASSERT_GE(fifo, 0);
  EXPECT_EQ(readOpenSeasonFile(fifo), std::nullopt);
  ::close(fifo);

  // The same through the name, whatever its spelling.
  EXPECT_EQ(readSeasonFile("pipe.vnt"), std::nullopt);
  EXPECT_EQ(readSeasonFile("PIPE.VNT"), std::nullopt);

  struct Case {
    const char* label;
    const char* path;
    int flags;
  };
  const Case others[] = {
      {"Directory", ".", O_RDONLY | O_DIRECTORY},
      {"CharacterDevice", "/dev/null", O_RDONLY},
  };
  for (const auto& c : others) {
    const int fd = ::open(c.path, c.flags);
    ASSERT_GE(fd, 0) << c.label;
    EXPECT_EQ(readOpenSeasonFile(fd), std::nullopt) << c.label;
    ::close(fd);
  }
  EXPECT_EQ(readOpenSeasonFile(-1), std::nullopt);
}

// With both a pipe and a regular file matching the name, the regular file is read.
TEST_F(SeasonFolderTest, APipeBesideTheFileIsPassedOver) {
  ASSERT_EQ(::mkfifo("season.vnt", 0600), 0);
  write("SEASON.vnt", "data");
  EXPECT_EQ(readSeasonFile("season.vnt"), "data");
}

TEST_F(SeasonFolderTest, AnOpenRegularFileReadsThroughItsHandle) {
  write("a.vnt", "1,2,3");
  const int fd = ::open("a.vnt", O_RDONLY);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(readOpenSeasonFile(fd), "1,2,3");
  ::close(fd);
}

// A folder lists its entries once; names are then matched from that listing. A file added
// after the listing is found only under its exact spelling (which needs no listing).
TEST_F(SeasonFolderTest, OneListingServesEveryLookUp) {
  write("1987DEEP.VNT", "deep");
  SeasonFolder folder;
  EXPECT_EQ(folder.read("1987Deep.vnt"), "deep");
  write("1987BPE.VNT", "bpe");
  EXPECT_EQ(folder.read("1987BPE.vnt"), std::nullopt);  // not in the listing taken before
  EXPECT_EQ(folder.read("1987BPE.VNT"), "bpe");         // the exact spelling
  EXPECT_EQ(readSeasonFile("1987BPE.vnt"), "bpe");      // a new look-up lists anew
  EXPECT_EQ(folder.read("../1987Deep.vnt"), std::nullopt);
}

TEST_F(SeasonFolderTest, FilesAreDecodedAsTheyAreRead) {
  write("bom.vnt",
        "\xEF\xBB\xBF"
        "1,2");
  write("western.vnt",
        "\"Montr\xE9"
        "al\"");
  EXPECT_EQ(readSeasonFile("bom.vnt"), "1,2");
  EXPECT_EQ(readSeasonFile("WESTERN.vnt"),
            "\"Montr\xC3\xA9"
            "al\"");
}

TEST(DecodeSeasonText, Cases) {
  struct Case {
    const char* label;
    std::string bytes;
    std::string text;
  };
  const Case cases[] = {
      {"Empty", "", ""},
      {"Ascii", "3\r\n\"Boston\",1,-2", "3\r\n\"Boston\",1,-2"},
      {"NulKept", std::string("a\0b", 3), std::string("a\0b", 3)},
      {"ByteOrderMark",
       "\xEF\xBB\xBF"
       "3\r\n",
       "3\r\n"},
      {"OnlyAByteOrderMark", "\xEF\xBB\xBF", ""},
      {"OneMarkOnly",
       "\xEF\xBB\xBF\xEF\xBB\xBF"
       "3",
       "\xEF\xBB\xBF"
       "3"},
      {"MarkInsideKept", "3\xEF\xBB\xBF", "3\xEF\xBB\xBF"},
      {"PartialMark",
       "\xEF\xBB"
       "3",
       "\xC3\xAF\xC2\xBB"
       "3"},
      {"Utf8Kept",
       "Montr\xC3\xA9"
       "al \xE2\x82\xAC \xF0\x9F\x8F\x9F",
       "Montr\xC3\xA9"
       "al \xE2\x82\xAC \xF0\x9F\x8F\x9F"},
      {"Western",
       "Montr\xE9"
       "al",
       "Montr\xC3\xA9"
       "al"},
      {"WesternHighRange", "\x80\x85\x8A\x93\x94\x9F",
       "\xE2\x82\xAC\xE2\x80\xA6\xC5\xA0"
       "\xE2\x80\x9C\xE2\x80\x9D\xC5\xB8"},
      {"UndefinedInWestern", "\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
      {"LatinOne", "\xA0\xFF", "\xC2\xA0\xC3\xBF"},
      {"Mixed", "\xC3\xA9\xE9", "\xC3\xA9\xC3\xA9"},
      {"Overlong", "\xC0\x80", "\xC3\x80\xE2\x82\xAC"},
      {"Surrogate", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
      {"PastTheLastCodePoint", "\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},
      {"CutShortAtTheEnd", "ab\xE2\x82", "ab\xC3\xA2\xE2\x80\x9A"},
      {"CutShortBeforeAQuote", "\xC3\"", "\xC3\x83\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(decodeSeasonText(c.bytes), c.text) << c.label;
    // Decoding what was decoded changes nothing (the result is valid UTF-8 without a mark
    // in front, unless the input held two).
    if (c.text.rfind("\xEF\xBB\xBF", 0) != 0) {
      EXPECT_EQ(decodeSeasonText(c.text), c.text) << c.label;
    }
  }
}

class ReadSeasonFile : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder_.made()); }

  static void write(const std::string& name, const std::string& contents) {
    testing::WorkingFolder::write(name, contents);
  }

  std::size_t entries() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder_.path()),
                                                  std::filesystem::directory_iterator()));
  }

 private:
  testing::WorkingFolder folder_{"vnt_season_files_"};
};

TEST_F(ReadSeasonFile, FindsByNameIgnoringCase) {
  write("1987BPE.vnt", std::string("1987,\"B\"\r\n\0\xff", 12));
  // The stray byte is read as Windows-1252: y with diaeresis.
  const std::string contents("1987,\"B\"\r\n\0\xc3\xbf", 13);
  write("1987DEEP.VNT", "deep");
  struct Case {
    const char* name;
    std::optional<std::string> contents;
  };
  const Case cases[] = {
      {"1987BPE.vnt", contents},      {"1987bpe.vnt", contents},
      {"1987Bpe.VNT", contents},      {"1987deep.vnt", "deep"},
      {"1988bpe.vnt", std::nullopt},  {"1987bpe.vn", std::nullopt},
      {"1987bpe.vnt ", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(readSeasonFile(c.name), c.contents) << c.name;
}

TEST_F(ReadSeasonFile, SkipsDirectoriesAndPicksSmallestMatch) {
  std::filesystem::create_directory("season.vnt");
  EXPECT_EQ(readSeasonFile("season.vnt"), std::nullopt);
  EXPECT_EQ(readSeasonFile("SEASON.VNT"), std::nullopt);

  write("Season.vnt", "upper");
  write("season.VNT", "lower");
  if (entries() != 3) GTEST_SKIP() << "file system ignores letter case";
  EXPECT_EQ(readSeasonFile("SEASON.vnt"), "upper");  // "Season.vnt" < "season.VNT"
  EXPECT_EQ(readSeasonFile("season.VNT"), "lower");  // the exact name comes first
}

TEST_F(ReadSeasonFile, SizeLimit) {
  write("empty.vnt", "");
  write("limit.vnt", std::string(4 * 1024 * 1024, 'x'));
  write("over.vnt", std::string(4 * 1024 * 1024 + 1, 'x'));
  EXPECT_EQ(readSeasonFile("empty.vnt"), "");
  const auto limit = readSeasonFile("LIMIT.VNT");
  ASSERT_TRUE(limit.has_value());
  EXPECT_EQ(limit->size(), 4u * 1024 * 1024);
  EXPECT_EQ(readSeasonFile("over.vnt"), std::nullopt);
  EXPECT_EQ(readSeasonFile("OVER.vnt"), std::nullopt);
}


}  // namespace
}  // namespace vnt
