// Scan of agentlabel and agentclock against the real snmpd of the test
// network, and against an agent that ignores the request.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "windows/host_cases.h"
#include "windows/scan_rows.h"
#include "windows/test_network.h"

namespace {

// "%4d days %02d:%02d:%02d": 18 characters.
bool LooksLikeUptime(const std::string& text) {
  if (text.size() != 18 || text.compare(4, 6, " days ") != 0) return false;
  const char* digits = "0123456789";
  for (std::size_t i : {10u, 11u, 13u, 14u, 16u, 17u})
    if (std::strchr(digits, text[i]) == nullptr) return false;
  return text[12] == ':' && text[15] == ':' && std::isdigit(static_cast<unsigned char>(text[3]));
}

}  // namespace

void RunSnmpCases(PluginSet& plugins, CaseReport& report) {
  const std::string description = kAgentDescription;
  const ScanRow kLabelCases[] = {
      {"empty text, large buffer", kAgentAddress, "", 256},
      {"after one character", kAgentAddress, "x", 256},
      {"textSize 6", kAgentAddress, "", 6},
      {"silent address, TimeOut after the wait", kSilentAddress, "ab", 256},
  };
  const std::string kLabelExpected[] = {description, "x" + description, description.substr(0, 5),
                                        "abTimeOut"};
  const ScanRow kClockCases[] = {
      {"empty text, large buffer", kAgentAddress, "", 256},
      {"after three characters", kAgentAddress, "up:", 256},
      {"textSize 10", kAgentAddress, "", 10},
  };

  RunScanRows(plugins.agentlabel, kLabelCases, std::size(kLabelCases),
              [&](std::size_t i, int32_t result, const std::string& shown, CaseCheck& check) {
                check.Expect(result == 1, "returned " + std::to_string(result));
                check.Expect(shown == kLabelExpected[i], "text is " + Quoted(shown));
              },
              report);
  RunScanRows(plugins.agentclock, kClockCases, std::size(kClockCases),
              [&](std::size_t i, int32_t result, const std::string& shown, CaseCheck& check) {
                const ScanRow& row = kClockCases[i];
                check.Expect(result == 1, "returned " + std::to_string(result));
                const std::size_t kept = std::strlen(row.before);
                check.Expect(shown.compare(0, kept, row.before) == 0,
                             "text before the uptime changed: " + Quoted(shown));
                const std::string uptime = shown.substr(std::min(kept, shown.size()));
                if (row.textSize == 256) {
                  check.Expect(LooksLikeUptime(uptime), "uptime is " + Quoted(uptime));
                } else {
                  check.Expect(uptime.size() == 9 && uptime.compare(4, 5, " days") == 0,
                               "cut uptime is " + Quoted(uptime));
                }
              },
              report);
}
