// Scan of agentlabel and agentclock against the real snmpd of the test
// network, and against an agent that ignores the request.
#include <cctype>
#include <cstring>
#include <string>

#include "windows/host_cases.h"
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

struct ScanCase {
  const char* label;
  uint32_t address;
  const char* before;
  int32_t textSize;
};

}  // namespace

void RunSnmpCases(PluginSet& plugins, CaseReport& report) {
  const std::string description = kAgentDescription;
  const ScanCase kLabelCases[] = {
      {"empty text, large buffer", kAgentAddress, "", 256},
      {"after one character", kAgentAddress, "x", 256},
      {"textSize 6", kAgentAddress, "", 6},
      {"silent address, TimeOut after the wait", kSilentAddress, "ab", 256},
  };
  const std::string kLabelExpected[] = {description, "x" + description, description.substr(0, 5),
                                        "abTimeOut"};
  const ScanCase kClockCases[] = {
      {"empty text, large buffer", kAgentAddress, "", 256},
      {"after three characters", kAgentAddress, "up:", 256},
      {"textSize 10", kAgentAddress, "", 10},
  };

  for (PluginUnderTest* plugin : {&plugins.agentlabel, &plugins.agentclock}) {
    const bool label = plugin == &plugins.agentlabel;
    const ScanCase* cases = label ? kLabelCases : kClockCases;
    const std::size_t count = label ? std::size(kLabelCases) : std::size(kClockCases);
    const std::string prefix = std::string(plugin->name) + " Scan, ";
    if (!plugin->problem().empty()) {
      for (std::size_t i = 0; i < count; ++i) report.NotRun(prefix + cases[i].label, plugin->problem());
      continue;
    }
    const int32_t initResult = plugin->library->Init();
    for (std::size_t i = 0; i < count; ++i) {
      const ScanCase& row = cases[i];
      CaseCheck check(prefix + row.label);
      check.Expect(initResult == 1, "Init returned " + std::to_string(initResult));
      char text[256];
      std::memset(text, '#', sizeof text);
      std::strcpy(text, row.before);
      const int32_t result = plugin->library->Scan(row.address, text, row.textSize);
      check.Expect(result == 1, "returned " + std::to_string(result));
      const std::string shown(text, strnlen(text, sizeof text));
      check.Expect(static_cast<int32_t>(shown.size()) < row.textSize, "text overran textSize");
      check.Expect(text[row.textSize] == '#' || row.textSize == 256, "wrote past textSize");
      if (label) {
        check.Expect(shown == kLabelExpected[i], "text is " + Quoted(shown));
      } else {
        const std::string uptime = shown.substr(std::strlen(row.before));
        check.Expect(shown.compare(0, std::strlen(row.before), row.before) == 0,
                     "text before the uptime changed: " + Quoted(shown));
        if (row.textSize == 256) {
          check.Expect(LooksLikeUptime(uptime), "uptime is " + Quoted(uptime));
        } else {
          check.Expect(uptime.size() == 9 && uptime.compare(4, 5, " days") == 0,
                       "cut uptime is " + Quoted(uptime));
        }
      }
      ExpectCdecl(*plugin, check);
      report.Record(check);
    }
    CaseCheck finalize(std::string(plugin->name) + " Finalize");
    const int32_t finalizeResult = plugin->library->Finalize();
    finalize.Expect(finalizeResult == 1, "returned " + std::to_string(finalizeResult));
    ExpectCdecl(*plugin, finalize);
    report.Record(finalize);
  }
}
