// The escaping of column texts for CSV, JSON and the table.
#include <gtest/gtest.h>

#include "tests/support/case_name.h"

#include <string>

#include "scanhost/text_escaping.h"

namespace {

struct EscapeCase {
  std::string name;
  std::string text;
  std::string csv;
  std::string json;
  std::string terminal;
};

const EscapeCase kCases[] = {
    {"plain", "Lab router 1", "Lab router 1", "\"Lab router 1\"", "Lab router 1"},
    {"empty", "", "", "\"\"", ""},
    {"comma", "a,b", "\"a,b\"", "\"a,b\"", "a,b"},
    {"quotes", "say \"hi\"", "\"say \"\"hi\"\"\"", "\"say \\\"hi\\\"\"", "say \"hi\""},
    {"crlf", "one\r\ntwo", "\"one\r\ntwo\"", "\"one\\r\\ntwo\"", "one\\r\\ntwo"},
    {"control_and_escape", "x\x01\x1b[1m\x7f", "\"x\x01\x1b[1m\x7f\"",
     "\"x\\u0001\\u001b[1m\\u007f\"", "x\\x01\\x1b[1m\\x7f"},
    {"backslash_tab", "a\\b\tc", "\"a\\b\tc\"", "\"a\\\\b\\tc\"", "a\\\\b\\tc"},
    {"utf8_kept", "caf\xc3\xa9", "caf\xc3\xa9", "\"caf\xc3\xa9\"", "caf\xc3\xa9"},
    {"latin1_byte", "caf\xe9", "caf\xe9", "\"caf\xc3\xa9\"", "caf\\xe9"},
    {"byte_ff", "\xff", "\xff", "\"\xc3\xbf\"", "\\xff"},
    {"overlong_utf8", "\xc0\xaf", "\xc0\xaf", "\"\xc3\x80\xc2\xaf\"", "\\xc0\\xaf"},
    {"surrogate_utf8", "\xed\xa0\x80", "\xed\xa0\x80", "\"\xc3\xad\xc2\xa0\xc2\x80\"",
     "\\xed\\xa0\\x80"},
    {"truncated_utf8", "\xe2\x82", "\xe2\x82", "\"\xc3\xa2\xc2\x82\"", "\\xe2\\x82"},
};

class EscapeTable : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeTable, EveryOutput) {
  const EscapeCase& row = GetParam();
  EXPECT_EQ(CsvField(row.text), row.csv);
  EXPECT_EQ(JsonString(row.text), row.json);
  EXPECT_EQ(TerminalText(row.text), row.terminal);
}

INSTANTIATE_TEST_SUITE_P(Texts, EscapeTable, ::testing::ValuesIn(kCases),
                         CaseName());

TEST(DisplayWidth, CountsCharactersNotBytes) {
  EXPECT_EQ(DisplayWidth("caf\xc3\xa9"), 4u);
  EXPECT_EQ(DisplayWidth("abc"), 3u);
}

}  // namespace
