// The scanhost program as a user runs it: output that survives hostile
// column texts, loading errors, usage errors, and Ctrl-C during a scan of
// addresses that never answer (in the test's own network namespace).
#include <gtest/gtest.h>

#include "tests/support/case_name.h"
#include <signal.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "scanhost/tests/hostile_text.h"
#include "scanhost/tests/scanhost_process.h"
#include "tests/support/network_sandbox.h"

namespace {

using Record = std::vector<std::string>;

// A strict RFC 4180 reader: CRLF-terminated records, quoted fields.
std::vector<Record> ReadCsv(const std::string& text) {
  std::vector<Record> records;
  Record record;
  std::string field;
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      record.push_back(field);
      field.clear();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      record.push_back(field);
      field.clear();
      records.push_back(record);
      record.clear();
      ++i;
    } else {
      field += c;
    }
  }
  EXPECT_TRUE(field.empty() && record.empty() && !quoted) << "unterminated CSV";
  return records;
}

TEST(ScanhostOutput, HostileTextSurvivesCsv) {
  const ScanhostRun run =
      RunScanhost({"--plugin", HOSTILE_MODULE, "--format", "csv", "127.0.0.3", "127.0.0.1"});
  ASSERT_EQ(run.status, 0) << run.errors;
  const std::vector<Record> expected{{"address", kHostileColumnName},
                                     {"127.0.0.1", kHostileText},
                                     {"127.0.0.3", kHostileText}};
  EXPECT_EQ(ReadCsv(run.output), expected);
}

TEST(ScanhostOutput, HostileTextSurvivesJson) {
  const ScanhostRun run =
      RunScanhost({"--plugin", HOSTILE_MODULE, "--format", "json", "127.0.0.1", "127.0.0.2"});
  ASSERT_EQ(run.status, 0) << run.errors;
  // Control bytes escaped, the Latin-1 byte and FF turned into UTF-8, the
  // real UTF-8 character kept.
  const std::string text =
      "\"a,b \\\"q\\\"\\r\\nline2\\u0001\\u001b[31m\xc3\xa9|\xc3\xa9|\xc3\xbf\\\\\\t<end>\"";
  const std::string key = "\"Hostile, \\\"col\\\"\"";
  EXPECT_EQ(run.output, "[\n{\"address\":\"127.0.0.1\"," + key + ":" + text +
                            "},\n{\"address\":\"127.0.0.2\"," + key + ":" + text + "}\n]\n");
}

TEST(ScanhostOutput, HostileTextKeepsTheTableOneLinePerAddress) {
  const ScanhostRun run = RunScanhost({"--plugin", HOSTILE_MODULE, "127.0.0.1-3"});
  ASSERT_EQ(run.status, 0) << run.errors;
  const std::string row = "a,b \"q\"\\r\\nline2\\x01\\x1b[31m\\xe9|\xc3\xa9|\\xff\\\\\\t<end>";
  EXPECT_EQ(run.output, "Address    Hostile, \"col\"\n127.0.0.1  " + row + "\n127.0.0.2  " + row +
                            "\n127.0.0.3  " + row + "\n");
}

TEST(ScanhostOutput, TableCutsWideCellsOnlyWhenAsked) {
  const ScanhostRun run =
      RunScanhost({"--plugin", HOSTILE_MODULE, "--max-width", "10", "127.0.0.1"});
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.output, "Address    Hostile...\n127.0.0.1  a,b \"q\"...\n");
}

TEST(ScanhostPlugins, LoadingErrorsNameTheFileSkipThePluginAndFail) {
  const ScanhostRun run =
      RunScanhost({"--plugin", "/nonexistent/none.so", "--plugin", NO_FINALIZE_MODULE, "--plugin",
                   REFUSING_MODULE, "--plugin", HOSTILE_MODULE, "--format", "csv", "127.0.0.1"});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.errors.find("/nonexistent/none.so: cannot load"), std::string::npos) << run.errors;
  EXPECT_NE(run.errors.find(std::string(NO_FINALIZE_MODULE) + ": missing export Finalize"),
            std::string::npos)
      << run.errors;
  EXPECT_NE(run.errors.find(std::string(REFUSING_MODULE) + ": refused by its Info"),
            std::string::npos)
      << run.errors;
  // The plug-in that loaded still scans.
  EXPECT_EQ(ReadCsv(run.output).size(), 2u) << run.output;
}

TEST(ScanhostPlugins, DefaultFolderHoldsTheBuiltModules) {
  const ScanhostRun run = RunScanhost({"--list-plugins"});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_NE(run.output.find("/plugins/agentlabel.so\n  Name:        SysDescr\n  Description: "
                            "SysDescr\n               Checks SNMP MIB SysDescr\n"),
            std::string::npos)
      << run.output;
}

struct UsageCase {
  std::string name;
  std::vector<std::string> arguments;
  int status;
  std::string message;  // a piece of standard error, or of output for 0
};

const UsageCase kUsage[] = {
    {"help", {"--help"}, 0, "Usage: scanhost"},
    {"version", {"--version"}, 0, "scanhost "},
    {"no_target", {}, 2, "no target"},
    {"bad_target", {"198.18.0.300"}, 2, "invalid target '198.18.0.300'"},
    {"reversed_range", {"198.18.0.9-1"}, 2, "ends before it starts"},
    {"slash0_without_allowance", {"0.0.0.0/0"}, 2, "--allow-large"},
    {"unknown_option", {"--frobnicate", "127.0.0.1"}, 2, "frobnicate"},
    {"zero_threads", {"--threads", "0", "127.0.0.1"}, 2, "threads"},
    {"unknown_format", {"--format", "xml", "127.0.0.1"}, 2, "xml"},
    {"unknown_only_column", {"--plugin", HOSTILE_MODULE, "--only", "Nope", "127.0.0.1"}, 2, "Nope"},
    {"unwritable_output", {"--plugin", HOSTILE_MODULE, "-o", "/nonexistent/out.csv", "127.0.0.1"},
     1, "/nonexistent/out.csv"},
};

class UsageTable : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageTable, ExitStatusAndMessage) {
  const UsageCase& row = GetParam();
  const ScanhostRun run = RunScanhost(row.arguments);
  EXPECT_EQ(run.status, row.status) << run.errors;
  const std::string& said = row.status == 0 ? run.output : run.errors;
  EXPECT_NE(said.find(row.message), std::string::npos) << said;
}

INSTANTIATE_TEST_SUITE_P(CommandLine, UsageTable, ::testing::ValuesIn(kUsage),
                         CaseName());

// A link whose other end holds no address: nothing answers ARP for the
// subnet, so the SNMP column waits its full 10 seconds for every address.
class SilentNetwork : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!PrivateNetworkReady()) GTEST_SKIP() << PrivateNetworkProblem();
    ASSERT_EQ(std::system("ip link add silent0 type veth peer name silent1 && "
                          "ip addr add 198.18.1.1/24 dev silent0 && ip link set silent0 up && "
                          "ip link set silent1 up"),
              0);
  }
  void TearDown() override {
    if (PrivateNetworkReady()) std::system("ip link del silent0 2>/dev/null");
  }
};

TEST_F(SilentNetwork, InterruptEndsAfterTheRunningCallsWithTheRowsSoFar) {
  // Two workers: the eight loopback addresses (port closed) end at once, then
  // both workers wait on silent addresses when Ctrl-C comes.
  ScanhostProcess scan({"--plugin", AGENTLABEL_MODULE, "--threads", "2", "--format", "csv", "-q",
                        "127.0.0.1-8", "198.18.1.2-17"});
  ASSERT_TRUE(scan.WaitForOutput("127.0.0.8,", 10)) << scan.Output() << scan.Errors();
  scan.Signal(SIGINT);
  EXPECT_EQ(scan.Wait(40), 130) << scan.Errors();
  const std::string output = scan.Output();
  for (int host = 1; host <= 8; ++host)
    EXPECT_NE(output.find("127.0.0." + std::to_string(host) + ",\r\n"), std::string::npos);
  // The calls that were running finished and kept their rows.
  EXPECT_NE(output.find("198.18.1.2,TimeOut\r\n"), std::string::npos) << output;
  EXPECT_EQ(output.find("198.18.1.17"), std::string::npos) << output;
  EXPECT_NE(scan.Errors().find("interrupted"), std::string::npos) << scan.Errors();
}

}  // namespace
