// The alias and hardware-address columns above their platform steps: the
// texts they make, the HostLevel check, the ARP bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dnsnames/dnsnames_identity.h"
#include "dnsnames/dnsnames_scan.h"
#include "dnsnames/format_aliases.h"
#include "linkaddr/arp_packet.h"
#include "linkaddr/format_hardware_address.h"
#include "linkaddr/linkaddr_identity.h"
#include "linkaddr/linkaddr_plugin.h"
#include "tests/fakes/fake_alias_lookup.h"
#include "tests/fakes/fake_send_arp.h"
#include "tests/support/case_name.h"

namespace {

constexpr uint32_t kAddress = 0x0500A8C0u;  // 192.168.0.5 in in_addr form
constexpr char kGuard = '!';

// A host buffer of textSize bytes holding `before`, with a guard byte on
// each side and '#' after the NUL.
struct HostText {
  HostText(const std::string& before, int32_t textSize)
      : memory(static_cast<std::size_t>(textSize) + 2, '#') {
    memory.front() = memory.back() = kGuard;
    std::memcpy(text(), before.c_str(), before.size() + 1);
  }
  char* text() { return memory.data() + 1; }
  int32_t size() const { return static_cast<int32_t>(memory.size() - 2); }
  std::string value() { return text(); }
  bool guardsIntact() const { return memory.front() == kGuard && memory.back() == kGuard; }
  std::vector<char> memory;
};

struct AliasCase {
  const char* name;
  bool found;
  std::vector<std::string> aliases;
  std::string before;
  int32_t textSize;
  int32_t result;
  std::string after;
  friend void PrintTo(const AliasCase& row, std::ostream* out) { *out << row.name; }
};

class DnsNamesScanTest : public ::testing::TestWithParam<AliasCase> {};

TEST_P(DnsNamesScanTest, WritesTheAliasesOrLeavesTheText) {
  const AliasCase& c = GetParam();
  scriptedAliases = {};
  scriptedAliases.answer.found = c.found;
  scriptedAliases.answer.aliases = c.aliases;
  HostText host(c.before, c.textSize);
  EXPECT_EQ(DnsNamesScan(kAddress, host.text(), host.size()), c.result);
  EXPECT_EQ(host.value(), c.after);
  EXPECT_TRUE(host.guardsIntact());
  EXPECT_EQ(scriptedAliases.address, kAddress);  // handed on unchanged
}

const std::string kLong(200, 'x');

INSTANTIATE_TEST_SUITE_P(
    Table, DnsNamesScanTest,
    ::testing::Values(
        AliasCase{"TwoAliases", true, {"alpha", "beta"}, "", 64, 1, "<alpha><beta>"},
        AliasCase{"EntryWithoutAliases", true, {}, "kept", 64, 0, "kept"},
        AliasCase{"NoEntry", false, {}, "kept", 64, 0, "kept"},
        AliasCase{"FormerTextReplaced", true, {"alpha"}, "old text here", 64, 1, "<alpha>"},
        AliasCase{"CutInsideAPiece", true, {"alpha", "beta"}, "", 9, 1, "<alpha><"},
        AliasCase{"CutInsideTheFirstPiece", true, {"alpha"}, "", 4, 1, "<al"},
        AliasCase{"SizeOne", true, {"alpha"}, "", 1, 1, ""},
        AliasCase{"ThreeAliasesInOrder", true, {"c", "a", "b"}, "", 64, 1, "<c><a><b>"},
        AliasCase{"RepeatsKept", true, {"a", "a"}, "", 64, 1, "<a><a>"},
        // The first alias is written straight into the text: no scratch limit.
        AliasCase{"LongFirstAliasWhole", true, {kLong}, "", 300, 1, "<" + kLong + ">"},
        // A further alias stops at the 128-byte scratch area: "<" + 126 characters.
        AliasCase{"LongFurtherAliasCutAtScratch", true, {"a", kLong, "b"}, "", 300, 1,
                  "<a><" + std::string(126, 'x') + "<b>"}),
    CaseName());

TEST(DnsNamesScan, SizeZeroOrNegativeWritesNothing) {
  scriptedAliases = {};
  scriptedAliases.answer = {true, {"alpha"}};
  char byte = kGuard;
  EXPECT_EQ(DnsNamesScan(kAddress, &byte, 0), 1);
  EXPECT_EQ(DnsNamesScan(kAddress, &byte, -5), 1);
  EXPECT_EQ(byte, kGuard);
}

struct HardwareCase {
  const char* name;
  uint32_t result;
  std::vector<uint8_t> filled;
  std::string before;
  int32_t textSize;
  std::string after;
  friend void PrintTo(const HardwareCase& row, std::ostream* out) { *out << row.name; }
};

class LinkAddrScanTest : public ::testing::TestWithParam<HardwareCase> {};

TEST_P(LinkAddrScanTest, WritesTheHardwareAddressOrLeavesTheText) {
  const HardwareCase& c = GetParam();
  scriptedArp = {};
  scriptedArp.result = c.result;
  scriptedArp.bytes = c.filled;
  HostText host(c.before, c.textSize);
  EXPECT_EQ(LinkAddrScan(kAddress, host.text(), host.size()), 1);
  EXPECT_EQ(host.value(), c.after);
  EXPECT_TRUE(host.guardsIntact());
  // What SendArp was handed: the address unchanged, source 0, length 6, FF bytes.
  EXPECT_EQ(scriptedArp.destination, kAddress);
  EXPECT_EQ(scriptedArp.source, 0u);
  EXPECT_EQ(scriptedArp.lengthIn, 6u);
  EXPECT_EQ(scriptedArp.bufferIn, std::vector<uint8_t>(8, 0xFF));
}

INSTANTIATE_TEST_SUITE_P(
    Table, LinkAddrScanTest,
    ::testing::Values(
        HardwareCase{"SixBytes", 0, {0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F}, "", 64,
                     "0A:1B:2C:3D:4E:5F"},
        HardwareCase{"FourBytesFilled", 0, {0x0A, 0x1B, 0x2C, 0x3D}, "", 64, "0A:1B:2C:3D:FF:FF"},
        HardwareCase{"FailureLeavesText", 67, {}, "kept", 64, "kept"},
        HardwareCase{"FailureWithBytesLeavesText", 31, {1, 2, 3, 4, 5, 6}, "kept", 64, "kept"},
        HardwareCase{"SizeNine", 0, {0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F}, "", 9, "0A:1B:2C"},
        HardwareCase{"FormerTextReplaced", 0, {0xAB, 0xCD, 0xEF, 0x00, 0x01, 0xFE}, "old text", 64,
                     "AB:CD:EF:00:01:FE"}),
    CaseName());

TEST(FormatHardwareAddress, TwoUpperCaseDigitsPerByte) {
  const uint8_t bytes[6] = {0xAB, 0x0C, 0x00, 0xFF, 0x9a, 0x01};
  EXPECT_STREQ(FormatHardwareAddress(bytes).data(), "AB:0C:00:FF:9A:01");
}

struct LevelCase {
  const char* name;
  int16_t hostLevel;
  int32_t result;
  friend void PrintTo(const LevelCase& row, std::ostream* out) { *out << row.name; }
};

class LinkAddrInfoTest : public ::testing::TestWithParam<LevelCase> {};

TEST_P(LinkAddrInfoTest, RefusesLevelsBelowFourUntouched) {
  const LevelCase& c = GetParam();
  PluginInfo info;
  std::memset(&info, 0xCC, sizeof info);
  info.HostLevel = c.hostLevel;
  PluginInfo before;
  std::memcpy(&before, &info, sizeof info);
  ASSERT_EQ(LinkAddrInfo(&info), c.result);
  if (c.result == 0) {
    EXPECT_EQ(std::memcmp(&info, &before, sizeof info), 0) << "a refused record was written";
    return;
  }
  EXPECT_EQ(std::memcmp(&info, &before, 4), 0) << "HostLevel and the two bytes after it";
  EXPECT_EQ(info.PluginLevel, 216);
  EXPECT_EQ(info.PluginFlags, 0);
  EXPECT_STREQ(info.Name, "ARP MAC");
  EXPECT_STREQ(info.Description, "MAC address\nReturned by ARP request, independent of Netbios.\n\n");
  EXPECT_STREQ(info.Author, kLinkAddrIdentity.Author);
  EXPECT_STREQ(info.WebPage, kLinkAddrIdentity.WebPage);
  for (std::size_t i = std::strlen(info.WebPage); i < sizeof info.WebPage; ++i)
    ASSERT_EQ(info.WebPage[i], '\0');
}

INSTANTIATE_TEST_SUITE_P(Table, LinkAddrInfoTest,
                         ::testing::Values(LevelCase{"Zero", 0, 0}, LevelCase{"Three", 3, 0},
                                           LevelCase{"Four", 4, 1}, LevelCase{"Five", 5, 1},
                                           LevelCase{"MinusOne", -1, 1},
                                           LevelCase{"Lowest", INT16_MIN, 1},
                                           LevelCase{"Highest", INT16_MAX, 1}),
                         CaseName());

TEST(Identities, AliasesSharesTheAuthorAndArpMacHasItsOwn) {
  EXPECT_STREQ(kDnsNamesIdentity.Name, "Aliases");
  EXPECT_STREQ(kDnsNamesIdentity.Author, kProbeColumnsAuthor);
  EXPECT_STREQ(kDnsNamesIdentity.WebPage, kProbeColumnsWebPage);
  EXPECT_STRNE(kLinkAddrIdentity.Author, kProbeColumnsAuthor);
  EXPECT_STRNE(kLinkAddrIdentity.WebPage, kProbeColumnsWebPage);
}

// ARP: 198.18.0.1 at 0a:1b:2c:3d:4e:01 asks for 198.18.0.10.
constexpr uint8_t kOwnHardware[6] = {0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x01};
constexpr uint32_t kOwn = 0x010012C6u;     // 198.18.0.1
constexpr uint32_t kTarget = 0x0A0012C6u;  // 198.18.0.10

TEST(ArpPacket, RequestAsksForTheTarget) {
  const ArpPacket request = BuildArpRequest(kOwnHardware, kOwn, kTarget);
  const ArpPacket expected = {0x00, 0x01, 0x08, 0x00, 6, 4, 0x00, 0x01,        // Ethernet/IPv4, request
                              0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x01, 198, 18, 0, 1,  // sender
                              0, 0, 0, 0, 0, 0, 198, 18, 0, 10};                // target
  EXPECT_EQ(request, expected);
}

struct AnswerCase {
  const char* name;
  std::vector<uint8_t> bytes;
  bool accepted;
  friend void PrintTo(const AnswerCase& row, std::ostream* out) { *out << row.name; }
};

std::vector<uint8_t> Answer(uint8_t operation, uint8_t senderLast, std::size_t cut = 28) {
  std::vector<uint8_t> bytes = {0x00, 0x01, 0x08, 0x00, 6, 4, 0x00, operation,
                                0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x10, 198, 18, 0, senderLast,
                                0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x01, 198, 18, 0, 1};
  bytes.resize(cut);
  return bytes;
}

class ArpAnswerTest : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(ArpAnswerTest, TakesOnlyWhatTheTargetSent) {
  const AnswerCase& c = GetParam();
  uint8_t hardware[6] = {};
  ASSERT_EQ(ReadArpAnswer(c.bytes.data(), c.bytes.size(), kTarget, hardware), c.accepted);
  if (c.accepted) {
    const uint8_t expected[6] = {0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0x10};
    EXPECT_EQ(std::memcmp(hardware, expected, 6), 0);
  }
}

std::vector<uint8_t> WithByte(std::vector<uint8_t> bytes, std::size_t at, uint8_t value) {
  bytes[at] = value;
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ArpAnswerTest,
    ::testing::Values(AnswerCase{"Reply", Answer(2, 10), true},
                      AnswerCase{"RequestFromTheTarget", Answer(1, 10), true},
                      AnswerCase{"ReplyFromAnother", Answer(2, 11), false},
                      AnswerCase{"OtherOperation", Answer(3, 10), false},
                      AnswerCase{"TruncatedByOne", Answer(2, 10, 27), false},
                      AnswerCase{"Empty", Answer(2, 10, 0), false},
                      AnswerCase{"NotEthernet", WithByte(Answer(2, 10), 1, 6), false},
                      AnswerCase{"NotIpv4", WithByte(Answer(2, 10), 2, 0x86), false},
                      AnswerCase{"OtherLengths", WithByte(Answer(2, 10), 4, 8), false},
                      AnswerCase{"PaddedFrame", [] {
                                   auto bytes = Answer(2, 10);
                                   bytes.resize(46, 0);  // Ethernet minimum frame padding
                                   return bytes;
                                 }(), true}),
    CaseName());

}  // namespace
