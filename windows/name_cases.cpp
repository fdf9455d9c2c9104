// Scan of dnsnames against the test network's hosts file, and of linkaddr,
// whose SendARP Wine only stubs (ERROR_NOT_SUPPORTED): a failed resolution.
#include <cstring>
#include <string>

#include "windows/host_cases.h"
#include "windows/test_network.h"

namespace {

struct TextCase {
  const char* label;
  uint32_t address;
  const char* before;
  int32_t textSize;
  int32_t result;
  const char* after;
};

const TextCase kAliasCases[] = {
    {"two aliases", kTwoAliases, "", 256, 1, "<alpha><beta>"},
    {"one alias replaces the text", kOneAlias, "old text", 256, 1, "<alpha>"},
    {"textSize 9", kTwoAliases, "", 9, 1, "<alpha><"},
    {"entry without aliases", kNoAliases, "kept", 256, 0, "kept"},
    {"no entry", kNoEntry, "kept", 256, 0, "kept"},
};

const TextCase kLinkCases[] = {
    {"unresolved address keeps the text", kAgentAddress, "kept", 256, 1, "kept"},
    {"unresolved address, empty text", kNoEntry, "", 256, 1, ""},
};

void RunTextCases(PluginUnderTest& plugin, const TextCase* cases, std::size_t count,
                  CaseReport& report) {
  const std::string prefix = std::string(plugin.name) + " Scan, ";
  if (!plugin.problem().empty()) {
    for (std::size_t i = 0; i < count; ++i) report.NotRun(prefix + cases[i].label, plugin.problem());
    return;
  }
  const int32_t initResult = plugin.library->Init();
  for (std::size_t i = 0; i < count; ++i) {
    const TextCase& row = cases[i];
    CaseCheck check(prefix + row.label);
    check.Expect(initResult == 1, "Init returned " + std::to_string(initResult));
    char text[300];
    std::memset(text, '#', sizeof text);
    std::strcpy(text, row.before);
    const int32_t result = plugin.library->Scan(row.address, text, row.textSize);
    check.Expect(result == row.result, "returned " + std::to_string(result));
    const std::string shown(text, strnlen(text, sizeof text));
    check.Expect(shown == row.after, "text is " + Quoted(shown));
    check.Expect(text[row.textSize] == '#', "wrote past textSize");
    ExpectCdecl(plugin, check);
    report.Record(check);
  }
  CaseCheck finalize(std::string(plugin.name) + " Finalize");
  const int32_t finalizeResult = plugin.library->Finalize();
  finalize.Expect(finalizeResult == 1, "returned " + std::to_string(finalizeResult));
  ExpectCdecl(plugin, finalize);
  report.Record(finalize);
}

}  // namespace

void RunAliasCases(PluginSet& plugins, CaseReport& report) {
  RunTextCases(plugins.dnsnames, kAliasCases, std::size(kAliasCases), report);
}

void RunLinkCases(PluginSet& plugins, CaseReport& report) {
  RunTextCases(plugins.linkaddr, kLinkCases, std::size(kLinkCases), report);
}
