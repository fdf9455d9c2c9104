// The contract helpers: the description record, the column text writers and
// the no-options box.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "agentclock/agentclock_identity.h"
#include "agentlabel/agentlabel_identity.h"
#include "plugin_api/column_text.h"
#include "plugin_api/no_options.h"
#include "plugin_api/plugin_identity.h"
#include "tests/fakes/fake_message_box.h"
#include "tests/support/case_name.h"

namespace {

// Checks one text field: the text, then only NUL bytes to the field's end.
void ExpectField(const char* field, std::size_t width, const std::string& text) {
  ASSERT_LT(text.size(), width);
  EXPECT_EQ(std::string(field, text.size()), text);
  for (std::size_t i = text.size(); i < width; ++i) ASSERT_EQ(field[i], '\0') << "byte " << i;
}

class FillInfoTest : public ::testing::TestWithParam<PluginIdentity> {};

TEST_P(FillInfoTest, FillsEveryFieldOfACcRecordAndLeavesTheHostBytes) {
  const PluginIdentity& identity = GetParam();
  PluginInfo info;
  std::memset(&info, 0xCC, sizeof info);
  FillInfo(&info, identity);

  const auto* bytes = reinterpret_cast<const uint8_t*>(&info);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(bytes[i], 0xCC) << "host byte " << i;
  const uint8_t levelAndFlags[8] = {0xD8, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::memcmp(bytes + 4, levelAndFlags, 8), 0);
  ExpectField(info.Name, sizeof info.Name, identity.Name);
  ExpectField(info.Description, sizeof info.Description, identity.Description);
  ExpectField(info.Author, sizeof info.Author, identity.Author);
  ExpectField(info.WebPage, sizeof info.WebPage, identity.WebPage);
}

INSTANTIATE_TEST_SUITE_P(SnmpPlugins, FillInfoTest,
                         ::testing::Values(kAgentLabelIdentity, kAgentClockIdentity));

TEST(FillInfo, CutsATextThatWouldFillItsWholeField) {
  const std::string longName(40, 'n');
  const PluginIdentity identity{longName.c_str(), "d", "a", "w", "m", "c"};
  PluginInfo info;
  std::memset(&info, 0xCC, sizeof info);
  FillInfo(&info, identity);
  ExpectField(info.Name, sizeof info.Name, std::string(31, 'n'));
  EXPECT_EQ(info.Description[0], 'd');  // the next field is intact
}

struct TextCase {
  const char* name;
  std::vector<char> before;  // the whole host buffer; its size is textSize
  enum { Append, Write } op;
  const char* piece;
  int32_t maxPiece;
  std::vector<char> after;
  friend void PrintTo(const TextCase& row, std::ostream* out) { *out << row.name; }
};

std::vector<char> Buffer(const std::string& text, std::size_t size, char fill = '#') {
  std::vector<char> buffer(size, fill);
  std::memcpy(buffer.data(), text.c_str(), std::min(text.size() + 1, size));
  return buffer;
}

class ColumnTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(ColumnTextTest, KeepsTheTextWithinItsBuffer) {
  const TextCase& c = GetParam();
  // One guard byte on each side catches a write outside the host's buffer.
  std::vector<char> memory(c.before.size() + 2, '!');
  std::copy(c.before.begin(), c.before.end(), memory.begin() + 1);
  char* text = memory.data() + 1;
  const auto size = static_cast<int32_t>(c.before.size());
  if (c.op == TextCase::Append)
    AppendText(text, size, c.piece, c.maxPiece);
  else
    WriteText(text, size, c.piece);
  EXPECT_EQ(std::vector<char>(memory.begin() + 1, memory.end() - 1), c.after);
  EXPECT_EQ(memory.front(), '!');
  EXPECT_EQ(memory.back(), '!');
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColumnTextTest,
    ::testing::Values(
        TextCase{"AppendCutToRoom", Buffer("abc", 8), TextCase::Append, "DEFGH", kNoPieceLimit,
                 Buffer("abcDEFG", 8)},
        TextCase{"AppendToFullText", Buffer("abcdefg", 8), TextCase::Append, "X", kNoPieceLimit,
                 Buffer("abcdefg", 8)},
        TextCase{"AppendMaxPieceZero", Buffer("ab", 8), TextCase::Append, "XYZ", 0,
                 Buffer("ab", 8)},
        TextCase{"AppendMaxPieceLimits", Buffer("ab", 8), TextCase::Append, "XYZ", 2,
                 Buffer("abXY", 8)},
        TextCase{"AppendStopsAtNul", Buffer("", 8), TextCase::Append, "AB\0CD", kNoPieceLimit,
                 Buffer("AB", 8)},
        TextCase{"AppendToEmpty", Buffer("", 4), TextCase::Append, "TimeOut", 4,
                 Buffer("Tim", 4)},
        TextCase{"AppendNoNulInBuffer", std::vector<char>(6, 'z'), TextCase::Append, "X",
                 kNoPieceLimit, std::vector<char>(6, 'z')},
        TextCase{"AppendSizeOne", Buffer("", 1), TextCase::Append, "X", kNoPieceLimit,
                 Buffer("", 1)},
        TextCase{"AppendSizeZero", std::vector<char>{}, TextCase::Append, "X", kNoPieceLimit,
                 std::vector<char>{}},
        TextCase{"WriteReplaces", Buffer("old text", 16), TextCase::Write, "<alpha>", 0,
                 [] {
                   auto b = Buffer("old text", 16);
                   std::memcpy(b.data(), "<alpha>", 8);
                   return b;
                 }()},
        TextCase{"WriteCut", Buffer("", 9), TextCase::Write, "<alpha><beta>", 0,
                 Buffer("<alpha><", 9)},
        TextCase{"WriteSizeOne", std::vector<char>{'x'}, TextCase::Write, "abc", 0,
                 std::vector<char>{'\0'}},
        TextCase{"WriteSizeZero", std::vector<char>{}, TextCase::Write, "abc", 0,
                 std::vector<char>{}}),
    CaseName());

TEST(WriteText, NegativeSizeWritesNothing) {
  char text[4] = {'a', 'b', 'c', '\0'};
  WriteText(text, -1, "xyz");
  AppendText(text, -5, "xyz", kNoPieceLimit);
  EXPECT_STREQ(text, "abc");
}

TEST(ShowNoOptions, HandsOwnerMessageCaptionAndErrorIconToTheBox) {
  lastMessageBox = {};
  int window = 0;
  ShowNoOptions(&window, "There are no options for this plugin.", "SysDescr");
  EXPECT_EQ(lastMessageBox.count, 1);
  EXPECT_EQ(lastMessageBox.owner, &window);
  EXPECT_EQ(lastMessageBox.message, "There are no options for this plugin.");
  EXPECT_EQ(lastMessageBox.caption, "SysDescr");
  EXPECT_EQ(lastMessageBox.style, 0x10u);
}

}  // namespace
