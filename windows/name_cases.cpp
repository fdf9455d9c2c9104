// Scan of dnsnames against the test network's hosts file, and of linkaddr,
// whose SendARP Wine only stubs (ERROR_NOT_SUPPORTED): a failed resolution.
#include <string>

#include "windows/host_cases.h"
#include "windows/scan_rows.h"
#include "windows/test_network.h"

namespace {

// A row and the result and text its Scan must give.
struct TextCase {
  ScanRow row;
  int32_t result;
  const char* after;
};

const TextCase kAliasCases[] = {
    {{"two aliases", kTwoAliases, "", 256}, 1, "<alpha><beta>"},
    {{"one alias replaces the text", kOneAlias, "old text", 256}, 1, "<alpha>"},
    {{"textSize 9", kTwoAliases, "", 9}, 1, "<alpha><"},
    {{"entry without aliases", kNoAliases, "kept", 256}, 0, "kept"},
    {{"no entry", kNoEntry, "kept", 256}, 0, "kept"},
};

const TextCase kLinkCases[] = {
    {{"unresolved address keeps the text", kAgentAddress, "kept", 256}, 1, "kept"},
    {{"unresolved address, empty text", kNoEntry, "", 256}, 1, ""},
};

template <std::size_t Count>
void RunTextCases(PluginUnderTest& plugin, const TextCase (&cases)[Count], CaseReport& report) {
  ScanRow rows[Count];
  for (std::size_t i = 0; i < Count; ++i) rows[i] = cases[i].row;
  RunScanRows(plugin, rows, Count,
              [&](std::size_t i, int32_t result, const std::string& shown, CaseCheck& check) {
                check.Expect(result == cases[i].result, "returned " + std::to_string(result));
                check.Expect(shown == cases[i].after, "text is " + Quoted(shown));
              },
              report);
}

}  // namespace

void RunAliasCases(PluginSet& plugins, CaseReport& report) {
  RunTextCases(plugins.dnsnames, kAliasCases, report);
}

void RunLinkCases(PluginSet& plugins, CaseReport& report) {
  RunTextCases(plugins.linkaddr, kLinkCases, report);
}
