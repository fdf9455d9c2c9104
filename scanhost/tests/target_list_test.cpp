// Target parsing and the address set, as one table of targets.
#include <gtest/gtest.h>

#include "tests/support/case_name.h"

#include <string>
#include <vector>

#include "scanhost/target_list.h"

namespace {

// The test resolver knows one name; every other name fails, and nothing is
// ever sent to a real resolver.
bool FakeResolver(const std::string& name, uint32_t* address, std::string* error) {
  if (name == "lab-router.test") {
    *address = 0xC612000A;  // 198.18.0.10
    return true;
  }
  *error = "unknown host";
  return false;
}

struct TargetCase {
  std::string name;
  std::vector<std::string> targets;
  bool allowLarge;
  bool valid;
  uint64_t count;     // addresses in the set
  uint32_t first;     // the lowest
  uint32_t last;      // the highest
  std::string error;  // a piece of the error message
};

const TargetCase kTargets[] = {
    {"address", {"198.18.0.1"}, false, true, 1, 0xC6120001, 0xC6120001, ""},
    {"slash32", {"198.18.0.7/32"}, false, true, 1, 0xC6120007, 0xC6120007, ""},
    {"slash28", {"198.18.0.0/28"}, false, true, 16, 0xC6120000, 0xC612000F, ""},
    {"slash24_from_inner_address", {"198.18.0.77/24"}, false, true, 256, 0xC6120000, 0xC61200FF, ""},
    {"slash16_is_the_limit", {"127.1.0.0/16"}, false, true, 65536, 0x7F010000, 0x7F01FFFF, ""},
    {"full_range", {"198.18.0.1-198.18.0.20"}, false, true, 20, 0xC6120001, 0xC6120014, ""},
    {"last_octet_range", {"127.0.1.1-254"}, false, true, 254, 0x7F000101, 0x7F0001FE, ""},
    {"range_across_octets", {"198.18.0.250-198.18.1.5"}, false, true, 12, 0xC61200FA, 0xC6120105, ""},
    {"one_address_range", {"198.18.0.9-9"}, false, true, 1, 0xC6120009, 0xC6120009, ""},
    {"host_name", {"lab-router.test"}, false, true, 1, 0xC612000A, 0xC612000A, ""},
    {"duplicates_once", {"198.18.0.5", "198.18.0.1-10", "198.18.0.5", "198.18.0.8/31"}, false, true, 10, 0xC6120001, 0xC612000A, ""},
    {"adjacent_and_apart", {"198.18.0.20", "198.18.0.1-2", "198.18.0.3"}, false, true, 4, 0xC6120001, 0xC6120014, ""},
    {"top_of_space", {"255.255.255.254-255.255.255.255"}, false, true, 2, 0xFFFFFFFE, 0xFFFFFFFF, ""},
    {"slash0_allowed", {"0.0.0.0/0"}, true, true, 4294967296ull, 0, 0xFFFFFFFF, ""},
    {"slash0_refused", {"0.0.0.0/0"}, false, false, 0, 0, 0, "--allow-large"},
    {"just_over_limit", {"127.1.0.0/16", "127.2.0.0"}, false, false, 0, 0, 0, "--allow-large"},
    {"reversed_range", {"198.18.0.20-198.18.0.1"}, false, false, 0, 0, 0, "ends before"},
    {"reversed_octet_range", {"198.18.0.20-3"}, false, false, 0, 0, 0, "ends before"},
    {"octet_too_big", {"198.18.0.256"}, false, false, 0, 0, 0, "not an IPv4 address"},
    {"three_octets", {"198.18.0"}, false, false, 0, 0, 0, "not an IPv4 address"},
    {"five_octets", {"198.18.0.1.2"}, false, false, 0, 0, 0, "not an IPv4 address"},
    {"empty_octet", {"198..0.1"}, false, false, 0, 0, 0, "not an IPv4 address"},
    {"prefix_33", {"198.18.0.0/33"}, false, false, 0, 0, 0, "prefix length"},
    {"prefix_missing", {"198.18.0.0/"}, false, false, 0, 0, 0, "prefix length"},
    {"prefix_negative", {"198.18.0.0/-1"}, false, false, 0, 0, 0, "prefix length"},
    {"cidr_of_name", {"router/24"}, false, false, 0, 0, 0, "before '/'"},
    {"range_end_garbage", {"198.18.0.1-x"}, false, false, 0, 0, 0, "range end"},
    {"range_end_octet_256", {"198.18.0.1-256"}, false, false, 0, 0, 0, "last octet"},
    {"empty", {""}, false, false, 0, 0, 0, "empty"},
    {"spaces", {" 198.18.0.1"}, false, false, 0, 0, 0, "invalid target"},
    {"unknown_name", {"nowhere.test"}, false, false, 0, 0, 0, "unknown host"},
    {"bad_name_characters", {"a;b"}, false, false, 0, 0, 0, "not an address"},
};

class TargetTable : public ::testing::TestWithParam<TargetCase> {};

TEST_P(TargetTable, ParsesIntoTheAddressSet) {
  const TargetCase& row = GetParam();
  AddressSet set;
  std::string error;
  const bool valid = BuildTargetSet(row.targets, row.allowLarge, FakeResolver, &set, &error);
  ASSERT_EQ(valid, row.valid) << error;
  if (!valid) {
    EXPECT_NE(error.find(row.error), std::string::npos) << error;
    return;
  }
  EXPECT_EQ(set.Count(), row.count);
  EXPECT_EQ(set.At(0), row.first);
  EXPECT_EQ(set.At(set.Count() - 1), row.last);
}

INSTANTIATE_TEST_SUITE_P(Targets, TargetTable, ::testing::ValuesIn(kTargets),
                         CaseName());

TEST(AddressSet, WalksEveryAddressOnceInAscendingOrder) {
  AddressSet set;
  std::string error;
  ASSERT_TRUE(BuildTargetSet({"198.18.0.30-40", "198.18.0.1-5", "198.18.0.4-8", "198.18.0.35"},
                             false, FakeResolver, &set, &error));
  std::vector<uint32_t> walked;
  for (uint64_t i = 0; i < set.Count(); ++i) walked.push_back(set.At(i));
  std::vector<uint32_t> expected;
  for (uint32_t a = 1; a <= 8; ++a) expected.push_back(0xC6120000 + a);
  for (uint32_t a = 30; a <= 40; ++a) expected.push_back(0xC6120000 + a);
  EXPECT_EQ(walked, expected);
}

TEST(FormatAddress, DottedQuad) {
  EXPECT_EQ(FormatAddress(0xC612000A), "198.18.0.10");
  EXPECT_EQ(FormatAddress(0), "0.0.0.0");
  EXPECT_EQ(FormatAddress(0xFFFFFFFF), "255.255.255.255");
}

}  // namespace
