// The field syntax every season file shares.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "shell/season_fields.h"
#include "shell/season_text.h"
#include "tests/unit/season_test_files.h"

namespace vnt {
namespace {

using namespace season_test;

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

// Columns count the characters of the decoded text, as an editor shows the line: a
// Windows-1252 byte decodes to two or three UTF-8 bytes but is one column.
TEST(FieldReader, ColumnsCountCharactersNotBytes) {
  struct Case {
    const char* label;
    std::string input;
    int column;  // of the last field
  };
  const Case cases[] = {
      {"Ascii", "\"Montreal\",x", 12},
      {"TwoByteCharacter", "\"Montr\xC3\xA9" "al\",x", 12},
      {"ThreeByteCharacter", "\"\xE2\x82\xAC" "uro\",x", 8},
      {"FourByteCharacter", "\"\xF0\x9F\x98\x80\",x", 5},
      {"DecodedWindows1252", decodeSeasonText("\"Montr\xE9" "al\",x"), 12},
      // The bytes as they stand (sealing keeps them): the same columns.
      {"RawWindows1252", "\"Montr\xE9" "al\",x", 12},
      {"RawWindows1252ContinuationRange", "\"O\x92Hare\",x", 10},
      {"RawStrayBytes", "\"\xE2\x82\",x", 6},  // two stray bytes: two characters
  };
  for (const auto& c : cases) {
    FieldReader reader(c.input);
    while (reader.text() != "x") {
    }
    EXPECT_EQ(reader.positionOf(reader.fieldOffset()).column, c.column) << c.label;
  }
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

}  // namespace
}  // namespace vnt
