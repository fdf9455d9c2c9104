// The request bytes and the readers of the agent's reply.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "agentclock/uptime.h"
#include "agentlabel/read_description.h"
#include "snmp_query/snmp_request.h"
#include "tests/support/snmp_reply.h"
#include "tests/support/case_name.h"

namespace {

TEST(BuildRequest, GivesTheFixedGetNextForSysDescrAndSysUpTime) {
  const Bytes expected = {0x30, 0x25, 0x02, 0x01, 0x00, 0x04, 0x06, 'v',  'a',  'r',
                          'n',  'e',  'k',  0xA1, 0x18, 0x02, 0x01, 0x01, 0x02, 0x01,
                          0x00, 0x02, 0x01, 0x00, 0x30, 0x0D, 0x30, 0x0B, 0x06, 0x07,
                          0x2B, 0x06, 0x01, 0x02, 0x01, 0x01, 0x01, 0x05, 0x00};
  const SnmpRequest description = BuildRequest(1);
  EXPECT_EQ(Bytes(description.begin(), description.end()), expected);

  const SnmpRequest uptime = BuildRequest(3);
  for (std::size_t i = 0; i < kRequestSize; ++i)
    EXPECT_EQ(uptime[i], i == 36 ? 0x03 : expected[i]) << "offset " << i;
}

// Fixed-layout datagram: value bytes from offset 38 on (type, L, content).
Bytes FixedReply(uint8_t arc, const Bytes& typeLengthContent) {
  Bytes reply = Response(arc, 0x04, {});
  reply.resize(38);
  reply.insert(reply.end(), typeLengthContent.begin(), typeLengthContent.end());
  reply[1] = static_cast<uint8_t>(reply.size() - 2);
  reply[14] = static_cast<uint8_t>(reply.size() - 15);
  reply[25] = static_cast<uint8_t>(reply.size() - 26);
  reply[27] = static_cast<uint8_t>(reply.size() - 28);
  return reply;
}

Bytes Truncated(Bytes bytes, std::size_t drop) {
  bytes.resize(bytes.size() - drop);
  return bytes;
}

struct DescriptionCase {
  const char* name;
  Bytes datagram;
  std::string before;
  int32_t textSize;
  std::string after;
  friend void PrintTo(const DescriptionCase& row, std::ostream* out) { *out << row.name; }
};

class ReadDescriptionTest : public ::testing::TestWithParam<DescriptionCase> {};

TEST_P(ReadDescriptionTest, AppendsWhatTheReplyHolds) {
  const DescriptionCase& c = GetParam();
  std::vector<char> text(static_cast<std::size_t>(c.textSize) + 1, '!');
  std::memcpy(text.data(), c.before.c_str(), c.before.size() + 1);
  const ReplyBuffer reply = AsReceived(c.datagram);
  ReadDescription(reply, text.data(), c.textSize);
  EXPECT_EQ(std::string(text.data()), c.after);
  EXPECT_EQ(text.back(), '!') << "wrote past textSize";
}

const std::string k200(200, 'd');
const std::string k950(950, 'e');

INSTANTIATE_TEST_SUITE_P(
    Replies, ReadDescriptionTest,
    ::testing::Values(
        DescriptionCase{"Twelve", Response(1, 0x04, Text("Linux lab 12")), "", 256,
                        "Linux lab 12"},
        DescriptionCase{"NulInFifthByte", Response(1, 0x04, Text(std::string("abcd\0fgh", 8))),
                        "", 256, "abcd"},
        DescriptionCase{"EmptyValue", Response(1, 0x04, {}), "kept", 256, "kept"},
        DescriptionCase{"FollowsExistingText", Response(1, 0x04, Text("Linux lab 12")), "x",
                        256, "xLinux lab 12"},
        DescriptionCase{"CutToTextSize", Response(1, 0x04, Text("Linux lab 12")), "", 6,
                        "Linux"},
        DescriptionCase{"TypeByteNotExamined", Response(1, 0x43, Text("typed")), "", 256,
                        "typed"},
        DescriptionCase{"LongFormShortValue", Response(1, 0x04, Text("agent"), 0, true), "",
                        256, "agent"},
        DescriptionCase{"LongDescription", Response(1, 0x04, Text(k200)), "", 1024, k200},
        DescriptionCase{"LongDescriptionCut", Response(1, 0x04, Text(k200)), "", 101,
                        k200.substr(0, 100)},
        DescriptionCase{"TwoByteLength", Response(1, 0x04, Text(k950)), "", 1024, k950},
        DescriptionCase{"ErrorReplyEchoingRequest",
                        [] {
                          const SnmpRequest request = BuildRequest(1);
                          Bytes reply(request.begin(), request.end());
                          reply[13] = 0xA2;
                          reply[20] = 0x02;  // noSuchName
                          reply[23] = 0x01;
                          return reply;
                        }(),
                        "kept", 256, "kept"},
        DescriptionCase{"ErrorReplyLongForm", Response(1, 0x04, Text(k200), 5), "kept", 1024,
                        "kept"},
        DescriptionCase{"ShorterThanItsValue", Truncated(Response(1, 0x04, Text("0123456789")), 4),
                        "kept", 256, "kept"},
        DescriptionCase{"TruncatedLongForm", Truncated(Response(1, 0x04, Text(k200)), 1), "kept",
                        1024, "kept"},
        DescriptionCase{"CutInsideHeader", Bytes{0x30, 0x82, 0x01}, "kept", 256, "kept"},
        DescriptionCase{"Empty", Bytes{}, "kept", 256, "kept"},
        DescriptionCase{"NotBer", Text("HTTP/1.0 400 Bad Request\r\n\r\n"), "kept", 256,
                        "kept"},
        DescriptionCase{"IndefiniteLength", Bytes{0x30, 0x80, 0x02, 0x01, 0x00, 0x00, 0x00},
                        "kept", 256, "kept"}),
    CaseName());

struct UptimeCase {
  const char* name;
  Bytes lengthAndContent;  // offset 39 onward
  uint32_t ticks;
  const char* text;
  friend void PrintTo(const UptimeCase& row, std::ostream* out) { *out << row.name; }
};

class UptimeTest : public ::testing::TestWithParam<UptimeCase> {};

TEST_P(UptimeTest, ReadsTheTicksAndFormatsDaysAndTime) {
  const UptimeCase& c = GetParam();
  Bytes valueBytes{0x43};
  valueBytes.insert(valueBytes.end(), c.lengthAndContent.begin(), c.lengthAndContent.end());
  const ReplyBuffer reply = AsReceived(FixedReply(3, valueBytes));
  const auto ticks = ReadTimeTicks(reply);
  ASSERT_TRUE(ticks.has_value());
  EXPECT_EQ(*ticks, c.ticks);
  EXPECT_STREQ(FormatUptime(c.ticks).chars, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, UptimeTest,
    ::testing::Values(UptimeCase{"Zero", {0x01, 0x00}, 0, "   0 days 00:00:00"},
                      UptimeCase{"Hundredths", {0x01, 0x63}, 99, "   0 days 00:00:00"},
                      UptimeCase{"OneHour", {0x03, 0x05, 0x7E, 0x40}, 360000,
                                 "   0 days 01:00:00"},
                      UptimeCase{"OneDay", {0x04, 0x00, 0x83, 0xD6, 0x00}, 8640000,
                                 "   1 days 00:00:00"},
                      UptimeCase{"Fortnight", {0x04, 0x07, 0x5B, 0xCD, 0x15}, 123456789,
                                 "  14 days 06:56:07"},
                      UptimeCase{"Largest", {0x05, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}, 4294967295u,
                                 " 497 days 02:27:52"},
                      UptimeCase{"SixBytesWrap", {0x06, 0x01, 0x00, 0x00, 0x00, 0x00, 0x2A}, 42,
                                 "   0 days 00:00:00"}),
    CaseName());

TEST(AppendUptime, FollowsTheTextAndKeepsToTextSize) {
  const ReplyBuffer reply = AsReceived(Response(3, 0x43, {0x07, 0x5B, 0xCD, 0x15}));
  char text[32] = "up:";
  AppendUptime(reply, text, sizeof text);
  EXPECT_STREQ(text, "up:  14 days 06:56:07");

  char small[11] = "";
  std::memset(small, '!', sizeof small);
  small[0] = '\0';
  AppendUptime(reply, small, 10);
  EXPECT_STREQ(small, "  14 days");
  EXPECT_EQ(small[10], '!');
}

TEST(AppendUptime, LeavesTheTextWhenTheReplyIsAnError) {
  const ReplyBuffer reply = AsReceived(Response(3, 0x05, {}, 2, true));
  char text[32] = "kept";
  AppendUptime(reply, text, sizeof text);
  EXPECT_STREQ(text, "kept");
}

}  // namespace
