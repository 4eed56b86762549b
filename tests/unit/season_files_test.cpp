#include "shell/season_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "shell/check_sum.h"

namespace vnt {
namespace {

using Status = DeepLookup::Status;

// Holds a copy of the bytes in a heap block of exactly their size, so that a read one past
// the end is caught by AddressSanitizer (a std::string keeps a NUL there).
class ExactBuffer {
 public:
  explicit ExactBuffer(std::string_view bytes)
      : size_(bytes.size()), data_(std::make_unique<char[]>(bytes.size())) {
    std::copy(bytes.begin(), bytes.end(), data_.get());
  }
  std::string_view view() const { return {data_.get(), size_}; }

 private:
  std::size_t size_;
  std::unique_ptr<char[]> data_;
};

std::vector<std::string> allFields(std::string_view input) {
  const ExactBuffer buffer(input);
  FieldReader reader(buffer.view());
  std::vector<std::string> fields;
  while (auto field = reader.text()) {
    fields.push_back(*field);
    if (fields.size() > input.size() + 1) break;  // a reader that stops advancing
  }
  return fields;
}

struct DeepRecord {
  std::string name;
  std::array<int, 16> values;
};

// A Deep file laid out as the files in circulation are: the count, one record a line.
std::string deepFile(const std::vector<DeepRecord>& records, int check) {
  std::string out = std::to_string(records.size()) + "\r\n";
  for (const auto& record : records) {
    out += "\"" + record.name + "\"";
    for (int v : record.values) out += "," + std::to_string(v);
    out += "\r\n";
  }
  return out + std::to_string(check) + "\r\n";
}

std::array<int, 16> filled(int value) {
  std::array<int, 16> values{};
  values.fill(value);
  return values;
}

// ---------------------------------------------------------------------------------------
// FieldReader: separators, quotes, trimming

struct FieldCase {
  const char* label;
  std::string input;
  std::vector<std::string> fields;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.label; }

class FieldReaderFields : public testing::TestWithParam<FieldCase> {};

TEST_P(FieldReaderFields, SplitsAsExpected) {
  EXPECT_EQ(allFields(GetParam().input), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Separators, FieldReaderFields,
    testing::Values(FieldCase{"Comma", "a,b,c", {"a", "b", "c"}},
                    FieldCase{"Lf", "a\nb\nc", {"a", "b", "c"}},
                    FieldCase{"Cr", "a\rb\rc", {"a", "b", "c"}},
                    FieldCase{"CrLf", "a\r\nb\r\nc", {"a", "b", "c"}},
                    FieldCase{"Mixed", "a,b\r\nc\nd\re,f", {"a", "b", "c", "d", "e", "f"}},
                    FieldCase{"RunOfLineBreaksIsOne", "a\n\n\r\n\r\rb", {"a", "b"}},
                    FieldCase{"LfCrIsOneRun", "a\n\rb", {"a", "b"}},
                    FieldCase{"WhitespaceOnlyLinesSkipped", "a\n  \n\t\r\n \t \nb", {"a", "b"}},
                    FieldCase{"LeadingLineBreaksGiveNoField", "\r\n\n  \na,b", {"a", "b"}},
                    FieldCase{"TrailingLineBreaksGiveNoField", "a,b\r\n\r\n", {"a", "b"}},
                    FieldCase{"TrailingBlankLineGivesNoField", "a\n   \t", {"a"}},
                    FieldCase{"DoubleCommaEmptyField", "a,,b", {"a", "", "b"}},
                    FieldCase{"CommaThenLineBreak", "1,\n2", {"1", "", "2"}},
                    FieldCase{"CommaThenCrLf", "1,\r\n2", {"1", "", "2"}},
                    FieldCase{"LineBreakThenComma", "1\n,2", {"1", "", "2"}},
                    FieldCase{"LeadingComma", ",a", {"", "a"}},
                    FieldCase{"TrailingComma", "a,", {"a", ""}},
                    FieldCase{"TrailingCommaThenLineBreak", "a,\r\n", {"a", ""}},
                    FieldCase{"CommaOnly", ",", {"", ""}},
                    FieldCase{"BlankFieldAfterComma", "a,  \nb", {"a", "", "b"}},
                    FieldCase{"EmptyInput", "", {}}, FieldCase{"OnlyLineBreaks", "\r\n\n\r", {}},
                    FieldCase{"OnlyBlanks", "  \t ", {}}),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    QuotesAndTrimming, FieldReaderFields,
    testing::Values(FieldCase{"QuotesRemoved", "\"Boston\",1", {"Boston", "1"}},
                    FieldCase{"CommaInsideQuotes", "\"Park, The\",1", {"Park, The", "1"}},
                    FieldCase{"LineBreaksInsideQuotes", "\"a\r\nb\nc\",1", {"a\r\nb\nc", "1"}},
                    FieldCase{"BlanksBeforeQuoteSkipped", " \t\"a\",b", {"a", "b"}},
                    FieldCase{"BlanksInsideQuotesKept", "\" a \",b", {" a ", "b"}},
                    FieldCase{"TextAfterClosingQuoteIgnored", "\"a\"xyz ,b", {"a", "b"}},
                    FieldCase{"DoubledQuoteEndsField", "\"a\"\"b\",c", {"a", "c"}},
                    FieldCase{"EmptyQuotes", "\"\",a", {"", "a"}},
                    FieldCase{"EmptyQuotesAlone", "\"\"", {""}},
                    FieldCase{"UnterminatedQuoteRunsToEnd", "a,\"b,c\nd", {"a", "b,c\nd"}},
                    FieldCase{"QuoteAsLastByte", "a,\"", {"a", ""}},
                    FieldCase{"QuoteInsideUnquotedFieldKept", "a\"b,c", {"a\"b", "c"}},
                    FieldCase{"UnquotedTrimmed", "  a b \t,\tc  ", {"a b", "c"}},
                    FieldCase{"OtherWhitespaceNotTrimmed", "\va\f,b", {"\va\f", "b"}}),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    OddBytes, FieldReaderFields,
    testing::Values(FieldCase{"NulBytesKept",
                              std::string("a\0b,\0", 5),
                              {std::string("a\0b", 3), std::string("\0", 1)}},
                    FieldCase{"LoneCrAtEnd", "a\r", {"a"}},
                    FieldCase{"InvalidUtf8PassedThrough", "\xff\xfe,\xc3", {"\xff\xfe", "\xc3"}},
                    FieldCase{"HighBytesInQuotes", "\"\x80\x81\"", {"\x80\x81"}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(FieldReader, StaysAtEndOnceUsedUp) {
  const ExactBuffer buffer("1,\"x");
  FieldReader reader(buffer.view());
  EXPECT_EQ(reader.number(), 1);
  EXPECT_EQ(reader.text(), "x");
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(reader.text(), std::nullopt);
    EXPECT_EQ(reader.number(), std::nullopt);
  }
}

TEST(FieldReader, TextAndNumberShareOneSequence) {
  const ExactBuffer buffer("3\r\n\"Fenway, Boston\", -12 ,x,\"7\"\r\n");
  FieldReader reader(buffer.view());
  EXPECT_EQ(reader.number(), 3);
  EXPECT_EQ(reader.text(), "Fenway, Boston");
  EXPECT_EQ(reader.number(), -12);
  EXPECT_EQ(reader.number(), 0);
  EXPECT_EQ(reader.number(), 7);
  EXPECT_EQ(reader.number(), std::nullopt);
}

// Messages point at a field by line and column, and seal rewrites a field's bytes in place.
TEST(FieldReader, TellsWhereEachFieldLies) {
  const std::string input = "12,  \"Fen, way\"  ,x\r\n\r\n 7\rlast\n\"open";
  struct Where {
    std::string field;
    std::string bytes;  // the field's bytes in the input, quotes included
    int line;
    int column;
  };
  const Where expected[] = {
      {"12", "12", 1, 1},     {"Fen, way", "\"Fen, way\"", 1, 6},
      {"x", "x", 1, 19},      {"7", "7", 3, 2},
      {"last", "last", 4, 1}, {"open", "\"open", 5, 1},
  };
  const ExactBuffer buffer(input);
  FieldReader reader(buffer.view());
  for (const auto& want : expected) {
    ASSERT_EQ(reader.text(), want.field);
    EXPECT_EQ(input.substr(reader.fieldOffset(), reader.fieldLength()), want.bytes) << want.field;
    const auto at = reader.positionOf(reader.fieldOffset());
    EXPECT_EQ(at.line, want.line) << want.field;
    EXPECT_EQ(at.column, want.column) << want.field;
  }
  EXPECT_EQ(reader.unclosedQuote(), input.size() - 5);
  EXPECT_EQ(reader.text(), std::nullopt);
  // Used up, it still describes the last field there was.
  EXPECT_EQ(input.substr(reader.fieldOffset(), reader.fieldLength()), "\"open");
  EXPECT_EQ(reader.positionOf(input.size()).column, 6);
}

TEST(FieldReader, NoUnclosedQuoteInWellFormedInput) {
  FieldReader reader("\"a\",\"b\"\r\n");
  while (reader.text()) {
  }
  EXPECT_EQ(reader.unclosedQuote(), std::nullopt);
}

// ---------------------------------------------------------------------------------------
// FieldReader::number

struct NumberCase {
  const char* label;
  std::string field;
  std::optional<std::int16_t> value;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.label; }

class FieldReaderNumber : public testing::TestWithParam<NumberCase> {};

TEST_P(FieldReaderNumber, ReadsTheValue) {
  const ExactBuffer buffer(GetParam().field);
  FieldReader reader(buffer.view());
  EXPECT_EQ(reader.number(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, FieldReaderNumber,
    testing::Values(NumberCase{"Plain", "42", 42}, NumberCase{"Zero", "0", 0},
                    NumberCase{"Negative", "-17", -17}, NumberCase{"PlusSign", "+17", 17},
                    NumberCase{"MinusZero", "-0", 0}, NumberCase{"LeadingZeros", "007", 7},
                    NumberCase{"ManyLeadingZeros", std::string(200, '0') + "5", 5},
                    NumberCase{"Trimmed", " \t-5\t ", -5}, NumberCase{"Quoted", "\"12\"", 12},
                    NumberCase{"QuotedWithBlanks", "\" 12 \"", 12},
                    NumberCase{"MaxPasses", "32767", 32767},
                    NumberCase{"MinPasses", "-32768", -32768},
                    NumberCase{"MaxWithZeros", "+0032767", 32767}),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    NoNumberReadsZero, FieldReaderNumber,
    testing::Values(NumberCase{"Empty", "", std::nullopt},  // no field at all: the input is used up
                    NumberCase{"EmptyField", ",", 0}, NumberCase{"Name", "Boston", 0},
                    NumberCase{"Decimal", "1.5", 0}, NumberCase{"TrailingLetters", "12abc", 0},
                    NumberCase{"LeadingLetters", "x12", 0}, NumberCase{"SignOnly", "-", 0},
                    NumberCase{"PlusOnly", "+", 0}, NumberCase{"DoubleSign", "--1", 0},
                    NumberCase{"InnerBlank", "1 2", 0}, NumberCase{"Exponent", "1e3", 0},
                    NumberCase{"Hex", "0x10", 0}, NumberCase{"HugeButNotANumber", "99999999x", 0},
                    NumberCase{"EmptyQuotes", "\"\"", 0}),
    [](const auto& info) { return std::string(info.param.label); });

INSTANTIATE_TEST_SUITE_P(
    OutOfRangeFails, FieldReaderNumber,
    testing::Values(NumberCase{"JustAboveMax", "32768", std::nullopt},
                    NumberCase{"JustBelowMin", "-32769", std::nullopt},
                    NumberCase{"PlusJustAboveMax", "+32768", std::nullopt},
                    NumberCase{"Large", "100000", std::nullopt},
                    NumberCase{"BeyondInt", "4294967296", std::nullopt},
                    NumberCase{"HugeDigitRun", std::string(5000, '9'), std::nullopt},
                    NumberCase{"HugeNegativeRun", "-" + std::string(5000, '7'), std::nullopt},
                    NumberCase{"QuotedOutOfRange", "\"40000\"", std::nullopt}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(FieldReaderNumber, OutOfRangeFieldIsUsedUp) {
  const ExactBuffer buffer("99999,5");
  FieldReader reader(buffer.view());
  EXPECT_EQ(reader.number(), std::nullopt);
  EXPECT_EQ(reader.number(), 5);
}

// ---------------------------------------------------------------------------------------
// CheckSum edges

TEST(CheckSum, SkipsAnAdditionThatWouldOverflow) {
  struct Case {
    std::vector<int> adds;
    int sum;
  };
  const Case cases[] = {
      {{32767, 1}, 32767},          {{32767, 1, -1}, 32766},   {{32000, 1000, 700}, 32700},
      {{-32768, -1}, -32768},       {{-32768, -1, 5}, -32763}, {{30000, 30000, -30000}, 0},
      {{-20000, -20000, 20000}, 0},
  };
  for (const auto& c : cases) {
    CheckSum sum;
    for (int v : c.adds) sum.add(v);
    EXPECT_EQ(sum.sum(), c.sum) << testing::PrintToString(c.adds);
  }
}

TEST(CheckSum, ExpectedFallsBackToSumOutsideTheRange) {
  struct Case {
    int sum;
    int expected;
  };
  const Case cases[] = {
      {0, -2345},     {16, -2313},      {17556, 32767},   {17557, 17557},
      {32767, 32767}, {-15211, -32767}, {-15212, -15212}, {-32768, -32768},
  };
  for (const auto& c : cases) {
    CheckSum sum;
    sum.add(c.sum);
    EXPECT_EQ(sum.expected(), c.expected) << "S=" << c.sum;
    EXPECT_TRUE(sum.matches(c.expected)) << "S=" << c.sum;
    EXPECT_FALSE(sum.matches(c.expected + 1)) << "S=" << c.sum;
  }
}

// ---------------------------------------------------------------------------------------
// checkDeepFile

const std::string kDeepBoston = "1\r\n\"Boston\",1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n-2313\r\n";

TEST(CheckDeepFile, PassingFiles) {
  struct Case {
    const char* label;
    std::string data;
    int n;
  };
  std::vector<DeepRecord> thirty;
  for (int i = 0; i < 30; ++i) thirty.push_back({"Park " + std::to_string(i), filled(i)});
  // 16 * (0 + 1 + ... + 29) = 6960; 2 * 6960 - 2345 = 11575.
  std::array<int, 16> overflowing = filled(0);
  overflowing[0] = 32767;
  overflowing[1] = 1;  // skipped: the sum stays 32767, and 2*32767-2345 falls back to it
  std::array<int, 16> fallback = filled(0);
  fallback[0] = 17557;  // 2*17557-2345 = 32769 is out of range: the check is S itself

  const Case cases[] = {
      {"Example", kDeepBoston, 1},
      {"UnquotedNameOneLine", "1,Boston,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,-2313", 1},
      {"LineStructureIgnored", "1\nBoston\n1,1,1,1\n1,1,1,1,1,1,1,1\n\n1,1,1,1\n-2313", 1},
      {"LfOnly", "1\n\"Boston\",1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\n-2313\n", 1},
      {"NameNotSummed", deepFile({{"12", filled(1)}}, -2313), 1},
      {"TwoRecords", deepFile({{"A", filled(1)}, {"B, The", filled(2)}}, 2 * 48 - 2345), 2},
      {"ThirtyRecords", deepFile(thirty, 11575), 30},
      {"SkippedAddition", deepFile({{"X", overflowing}}, 32767), 1},
      {"FallbackCheck", deepFile({{"X", fallback}}, 17557), 1},
      {"NonNumbersReadAsZero", "1,X,a,b,1.5,,0,0,0,0,0,0,0,0,0,0,0,0,-2345", 1},
      {"TrailingFieldsIgnored", kDeepBoston + "extra,1,2\r\n", 1},
  };
  for (const auto& c : cases) {
    const ExactBuffer buffer(c.data);
    EXPECT_EQ(checkDeepFile(buffer.view()), c.n) << c.label;
  }
}

TEST(CheckDeepFile, FailingFiles) {
  struct Case {
    const char* label;
    std::string data;
  };
  std::vector<DeepRecord> thirtyOne;
  for (int i = 0; i < 31; ++i) thirtyOne.push_back({"P", filled(0)});
  std::array<int, 16> fallback = filled(0);
  fallback[0] = 17557;
  const std::string truncated = kDeepBoston.substr(0, kDeepBoston.find(",1\r\n-2313"));

  const Case cases[] = {
      {"WrongCheck", "1\r\n\"Boston\",1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n-2312\r\n"},
      {"CheckIsPlainSum", "1,B,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,16"},
      {"WrappedCheck", deepFile({{"X", fallback}}, 2 * 17557 - 2345 - 65536)},
      {"CountZero", deepFile({}, -2345)},
      {"CountThirtyOne", deepFile(thirtyOne, -2345)},
      {"CountNegative", "-1,B,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,-2313"},
      {"CountNotANumber", "one,B,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,-2313"},
      {"CountOutOfRange", "65537,B,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,-2313"},
      {"Empty", ""},
      {"CountOnly", "1\r\n"},
      {"MissingValue", truncated},
      {"MissingCheck", kDeepBoston.substr(0, kDeepBoston.find("-2313"))},
      {"MissingSecondRecord", "2\r\n\"Boston\",1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n-2313\r\n"},
      {"ValueOutOfRange", "1,B,40000,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,-2313"},
      {"CheckOutOfRange", "1,B,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,-99999"},
  };
  for (const auto& c : cases) {
    const ExactBuffer buffer(c.data);
    EXPECT_EQ(checkDeepFile(buffer.view()), std::nullopt) << c.label;
  }
}

// ---------------------------------------------------------------------------------------
// checkBpeFile

TEST(CheckBpeFile, Cases) {
  struct Case {
    const char* label;
    std::string data;
    int n;
    bool passes;
  };
  const std::string boston = "1,1,1,1,1,1,1,1,\"Boston\"\r\n";
  const Case cases[] = {
      {"Example", boston + "-2331\r\n", 1, true},
      {"AllNineSummedIsWrong", boston + "-2329\r\n", 1, false},
      {"NameNotSummedIsSame", "1,1,1,1,1,1,1,1,\"Boston\",-2331", 1, true},
      {"FirstFieldIsNotSummed", "500,1,1,1,1,1,1,1,Boston,-2331", 1, true},
      {"FirstFieldOutOfRangeIsText", "40000,1,1,1,1,1,1,1,Boston,-2331", 1, true},
      {"NinthFieldIsSummed", "1,1,1,1,1,1,1,1,5,-2321", 1, true},
      {"NinthFieldOutOfRange", "1,1,1,1,1,1,1,1,40000,-2331", 1, false},
      {"TwoRecords", boston + "2,2,2,2,2,2,2,2,Chicago\r\n" + "-2303", 2, true},
      {"WrongCheck", boston + "-2330\r\n", 1, false},
      {"MissingRecord", boston + "-2331\r\n", 2, false},
      {"MissingCheck", boston, 1, false},
      {"Truncated", "1,1,1,1", 1, false},
      {"Empty", "", 1, false},
      {"CountZero", "-2345", 0, false},
      {"CountThirtyOne", boston + "-2331\r\n", 31, false},
      {"CountNegative", boston + "-2331\r\n", -1, false},
  };
  for (const auto& c : cases) {
    const ExactBuffer buffer(c.data);
    EXPECT_EQ(checkBpeFile(buffer.view(), c.n), c.passes) << c.label;
  }
}

TEST(CheckBpeFile, ThirtyRecords) {
  std::string data;
  for (int i = 0; i < 30; ++i) data += "9,3,3,3,3,3,3,3,Park\r\n";  // 7 * 3 per record
  data += std::to_string(2 * 30 * 21 - 2345) + "\r\n";
  EXPECT_TRUE(checkBpeFile(data, 30));
  EXPECT_FALSE(checkBpeFile(data, 29));  // the last record's first field is taken as the check
}

// ---------------------------------------------------------------------------------------
// readBallparkNames

TEST(ReadBallparkNames, Cases) {
  using Names = std::vector<std::string>;
  struct Case {
    const char* label;
    std::string data;
    std::optional<Names> names;
  };
  const Case cases[] = {
      {"Example", kDeepBoston, Names{"Boston"}},
      {"InRecordOrder", deepFile({{"Z", filled(0)}, {"A, The", filled(1)}, {"M", filled(2)}}, 0),
       Names{"Z", "A, The", "M"}},
      {"CheckValueNotNeeded", "1,Boston,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1", Names{"Boston"}},
      {"WrongCheckDoesNotMatter", deepFile({{"B", filled(1)}}, 7), Names{"B"}},
      {"CountZero", deepFile({}, 0), std::nullopt},
      {"CountThirtyOne", "31,B,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1", std::nullopt},
      {"Truncated", "1,Boston,1,1,1,1,1", std::nullopt},
      {"MissingSecondRecord", "2,Boston,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1", std::nullopt},
      {"ValueOutOfRange", "1,B,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,-40000", std::nullopt},
      {"Empty", "", std::nullopt},
  };
  for (const auto& c : cases) {
    const ExactBuffer buffer(c.data);
    EXPECT_EQ(readBallparkNames(buffer.view()), c.names) << c.label;
  }
}

// ---------------------------------------------------------------------------------------
// lookupDeepRecord

std::array<std::int16_t, 16> counting(int from) {
  std::array<std::int16_t, 16> values{};
  for (int i = 0; i < 16; ++i) values[i] = static_cast<std::int16_t>(from + i);
  return values;
}

std::array<int, 16> countingInts(int from) {
  std::array<int, 16> values{};
  for (int i = 0; i < 16; ++i) values[i] = from + i;
  return values;
}

TEST(LookupDeepRecord, Cases) {
  const std::string file = deepFile({{"Boston", countingInts(1)},
                                     {"Chicago", countingInts(100)},
                                     {"Boston", countingInts(-50)},
                                     {"Park, The", countingInts(7)}},
                                    0);
  struct Case {
    const char* label;
    std::string data;
    std::string name;
    Status status;
    std::array<std::int16_t, 16> values;
  };
  const Case cases[] = {
      {"Found", file, "Chicago", Status::Found, counting(100)},
      {"LastMatchWins", file, "Boston", Status::Found, counting(-50)},
      {"NameWithComma", file, "Park, The", Status::Found, counting(7)},
      {"CaseSensitive", file, "boston", Status::NoRecord, {}},
      {"NoPartialMatch", file, "Bost", Status::NoRecord, {}},
      {"NoTrailingBlankMatch", file, "Boston ", Status::NoRecord, {}},
      {"CheckValueNotNeeded", "1,X,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16", "X", Status::Found,
       counting(1)},
      {"CountZero", deepFile({}, 0), "Boston", Status::Unreadable, {}},
      {"CountThirtyOne",
       "31,Boston,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16",
       "Boston",
       Status::Unreadable,
       {}},
      {"DamagedAfterMatch",
       "2,Boston,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,C,1,2",
       "Boston",
       Status::Unreadable,
       {}},
      {"OutOfRangeInOtherRecord",
       "2,Boston,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,C,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,"
       "32768",
       "Boston",
       Status::Unreadable,
       {}},
      {"Empty", "", "Boston", Status::Unreadable, {}},
  };
  for (const auto& c : cases) {
    const ExactBuffer buffer(c.data);
    const DeepLookup got = lookupDeepRecord(buffer.view(), c.name);
    EXPECT_EQ(got.status, c.status) << c.label;
    EXPECT_EQ(got.values, c.values) << c.label;
  }
}

// ---------------------------------------------------------------------------------------
// readSeasonFile

// A Weather record: the name, then 141 numbers counting up from `from`.
std::string weatherRecord(const std::string& name, int from) {
  std::string out = "\"" + name + "\"";
  for (int i = 0; i < kWeatherValues; ++i) out += "," + std::to_string(from + i);
  return out + "\r\n";
}

TEST(LookupWeatherRecord, Cases) {
  const std::string file = "3\r\n" + weatherRecord("Boston", 0) + weatherRecord("Denver", 200) +
                           weatherRecord("Boston", -100);
  struct Case {
    const char* label;
    std::string data;
    std::string name;
    Status status;
    int first;  // the value at index 0 of the record found
  };
  const Case cases[] = {
      {"Found", file, "Denver", Status::Found, 200},
      {"LastMatchWins", file, "Boston", Status::Found, -100},
      {"CaseSensitive", file, "denver", Status::NoRecord, 0},
      {"CountZero", "0\r\n", "Boston", Status::NoRecord, 0},
      {"NegativeCount", "-3\r\n", "Boston", Status::NoRecord, 0},
      // 140 numbers: the record runs out of fields.
      {"ShortRecord", "1\r\n" + weatherRecord("Boston", 0).substr(0, 400), "Boston",
       Status::Unreadable, 0},
      {"DamagedAfterMatch", "2\r\n" + weatherRecord("Boston", 0) + "X,1,2", "Boston",
       Status::Unreadable, 0},
      {"OutOfRange", "1\r\n" + weatherRecord("Boston", 32700), "Boston", Status::Unreadable, 0},
      {"Empty", "", "Boston", Status::Unreadable, 0},
  };
  for (const auto& c : cases) {
    const ExactBuffer buffer(c.data);
    const WeatherLookup got = lookupWeatherRecord(buffer.view(), c.name);
    EXPECT_EQ(got.status, c.status) << c.label;
    if (got.status != Status::Found) continue;
    for (int i = 0; i < kWeatherValues; ++i) {
      ASSERT_EQ(got.values[static_cast<std::size_t>(i)], c.first + i) << c.label << " " << i;
    }
  }
}

TEST(LookupBpeRecord, TakesTheRecordByPosition) {
  const std::string file =
      "10,20,30,40,50,60,70,80,\"Boston\"\r\n"
      "1,2,3,4,5,6,7,8,\"Boston\"\r\n"
      "-1,-2,-3,-4,-5,-6,-7,-8,\"Chicago, North\"\r\n"
      "-1234\r\n";
  using Thresholds = std::array<std::int16_t, 8>;
  struct Case {
    const char* label;
    std::string data;
    int index;
    Status status;
    Thresholds thresholds;
  };
  const Case cases[] = {
      {"First", file, 0, Status::Found, {10, 20, 30, 40, 50, 60, 70, 80}},
      {"SameNameSecond", file, 1, Status::Found, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"LastWithCommaInName", file, 2, Status::Found, {-1, -2, -3, -4, -5, -6, -7, -8}},
      // The check value would be read as the first threshold of a fourth record.
      {"PastTheLastRecord", file, 3, Status::NoRecord, {}},
      {"FarPastTheEnd", file, 29, Status::NoRecord, {}},
      {"NoCheckValueNeeded", "1,2,3,4,5,6,7,8", 0, Status::Found, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"NotANumberIsZero", "1,x,3,4,5,6,7,8,P", 0, Status::Found, {1, 0, 3, 4, 5, 6, 7, 8}},
      {"RestNotRead", "1,2,3,4,5,6,7,8,P,99999", 0, Status::Found, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"OutOfRangeBefore", "1,2,3,4,5,6,7,99999,P,1,2,3,4,5,6,7,8", 1, Status::Unreadable, {}},
      {"OutOfRangeInRecord", "1,2,3,40000,5,6,7,8,P", 0, Status::Unreadable, {}},
      {"Empty", "", 0, Status::NoRecord, {}},
      {"NegativeIndex", file, -1, Status::Unreadable, {}},
  };
  for (const auto& c : cases) {
    const ExactBuffer buffer(c.data);
    const BpeLookup got = lookupBpeRecord(buffer.view(), c.index);
    EXPECT_EQ(got.status, c.status) << c.label;
    EXPECT_EQ(got.thresholds, c.thresholds) << c.label;
  }
}

TEST(ReadCrazyPlays, Cases) {
  struct Case {
    const char* label;
    std::string data;
    std::optional<std::vector<std::pair<int, std::string>>> plays;
  };
  using Plays = std::vector<std::pair<int, std::string>>;
  const Case cases[] = {
      {"InFileOrder", "3\r\n0,\"A, quoted\"\r\n500,B\r\n500,C\r\n",
       Plays{{0, "A, quoted"}, {500, "B"}, {500, "C"}}},
      {"CountZero", "0\r\n", Plays{}},
      {"NegativeCount", "-1\r\n", Plays{}},
      {"ExtraRecordsIgnored", "1\r\n0,A\r\n1,B\r\n", Plays{{0, "A"}}},
      {"RunsOut", "2\r\n0,A\r\n500\r\n", std::nullopt},
      {"OutOfRange", "1\r\n40000,A\r\n", std::nullopt},
      {"Empty", "", std::nullopt},
  };
  for (const auto& c : cases) {
    const ExactBuffer buffer(c.data);
    const auto got = readCrazyPlays(buffer.view());
    ASSERT_EQ(got.has_value(), c.plays.has_value()) << c.label;
    if (!got) continue;
    Plays plays;
    for (const auto& play : *got) plays.emplace_back(play.threshold, play.description);
    EXPECT_EQ(plays, *c.plays) << c.label;
  }
}

class ReadSeasonFile : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::random_device random;
    for (int attempt = 0; attempt < 100 && dir_.empty(); ++attempt) {
      auto candidate =
          std::filesystem::temp_directory_path() / ("vnt_season_files_" + std::to_string(random()));
      if (std::filesystem::create_directory(candidate)) dir_ = candidate;
    }
    ASSERT_FALSE(dir_.empty());
    std::filesystem::current_path(dir_);
  }

  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    if (!dir_.empty()) std::filesystem::remove_all(dir_, ignored);
  }

  static void write(const std::string& name, const std::string& contents) {
    std::ofstream out(name, std::ios::binary);
    out << contents;
  }

  std::size_t entries() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir_),
                                                  std::filesystem::directory_iterator()));
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path dir_;
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
