// The SNMP plug-ins' shared Scan flow over a scripted exchange: what each
// outcome leaves in the column text.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "agentclock/uptime.h"
#include "agentlabel/read_description.h"
#include "snmp_query/snmp_scan.h"
#include "tests/fakes/fake_agent_query.h"
#include "tests/support/snmp_reply.h"
#include "tests/support/case_name.h"

namespace {

struct ScanCase {
  const char* name;
  QueryOutcome outcome;
  Bytes reply;
  uint8_t arc;
  std::string before;
  int32_t textSize;
  std::string after;
  friend void PrintTo(const ScanCase& row, std::ostream* out) { *out << row.name; }
};

class SnmpScanTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(SnmpScanTest, ShowsTheOutcomeInTheText) {
  const ScanCase& c = GetParam();
  scriptedQuery = {};
  scriptedQuery.outcome = c.outcome;
  scriptedQuery.reply = c.reply;
  char text[64];
  std::memset(text, '!', sizeof text);
  std::memcpy(text, c.before.c_str(), c.before.size() + 1);
  const ReplyReader reader = c.arc == kUptimeArc ? AppendUptime : ReadDescription;

  EXPECT_EQ(SnmpScan(0x0100007Fu, text, c.textSize, c.arc, reader), 1);
  EXPECT_EQ(std::string(text), c.after);
  EXPECT_EQ(text[c.textSize], '!');
  EXPECT_EQ(scriptedQuery.calls, 1);
  EXPECT_EQ(scriptedQuery.address, 0x0100007Fu);
  EXPECT_EQ(scriptedQuery.systemArc, c.arc);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, SnmpScanTest,
    ::testing::Values(
        ScanCase{"DescriptionAnswered", QueryOutcome::Answered,
                 Response(1, 0x04, Text("Linux lab 12")), kDescriptionArc, "", 40,
                 "Linux lab 12"},
        ScanCase{"UptimeAnswered", QueryOutcome::Answered,
                 Response(3, 0x43, {0x07, 0x5B, 0xCD, 0x15}), kUptimeArc, "", 40,
                 "  14 days 06:56:07"},
        ScanCase{"TimeOutAppended", QueryOutcome::TimedOut, {}, kDescriptionArc, "was ", 40,
                 "was TimeOut"},
        ScanCase{"TimeOutCut", QueryOutcome::TimedOut, {}, kUptimeArc, "", 4, "Tim"},
        ScanCase{"FailedLeavesText", QueryOutcome::Failed, {}, kDescriptionArc, "kept", 40,
                 "kept"},
        ScanCase{"EmptyDatagram", QueryOutcome::Answered, {}, kUptimeArc, "kept", 40, "kept"}),
    CaseName());

TEST(SnmpLifecycle, InitStartsAndFinalizeStopsTheSocketLayer) {
  scriptedQuery = {};
  EXPECT_EQ(SnmpInit(), 1);
  EXPECT_EQ(SnmpFinalize(), 1);
  EXPECT_EQ(scriptedQuery.socketLayerStarts, 1);
  EXPECT_EQ(scriptedQuery.socketLayerStops, 1);
}

}  // namespace
