// Info of each DLL against records prefilled with 0xCC: level, flags, the
// four texts padded with NULs, HostLevel untouched, and linkaddr's refusal of
// hosts below level 4.
#include <cstring>
#include <string>
#include <vector>

#include "plugin_api/plugin_identity.h"
#include "windows/host_cases.h"

namespace {

struct InfoCase {
  PluginUnderTest PluginSet::*plugin;
  int16_t hostLevel;
  int32_t result;  // 0: the record must come back exactly as it went in
  const char* name;
  const char* description;
  bool sharedAuthor;  // carries the author and web page of the SNMP plug-ins
};

const InfoCase kInfoCases[] = {
    {&PluginSet::agentlabel, 0, 1, "SysDescr", "SysDescr\nChecks SNMP MIB SysDescr", true},
    {&PluginSet::agentclock, 0, 1, "SystimeUp", "SystimeUp\nChecks SNMP MIB SystimeUp", true},
    {&PluginSet::dnsnames, 0, 1, "Aliases", "Aliases 1.0b\nReverse DNS-lookup for aliases.",
     true},
    {&PluginSet::linkaddr, 0, 0, nullptr, nullptr, false},
    {&PluginSet::linkaddr, 3, 0, nullptr, nullptr, false},
    {&PluginSet::linkaddr, 4, 1, "ARP MAC",
     "MAC address\nReturned by ARP request, independent of Netbios.\n\n", false},
    {&PluginSet::linkaddr, -1, 1, "ARP MAC",
     "MAC address\nReturned by ARP request, independent of Netbios.\n\n", false},
};

// The field holds `expected` (or, when null, any text shorter than the
// field) followed only by NUL bytes; gives the text found.
std::string ExpectField(const char* field, std::size_t width, const char* expected,
                        const char* label, CaseCheck& check) {
  std::size_t length = 0;
  while (length < width && field[length] != '\0') ++length;
  check.Expect(length < width, std::string(label) + " not NUL-terminated");
  const std::string text(field, length);
  if (expected != nullptr)
    check.Expect(text == expected, std::string(label) + " is " + Quoted(text));
  else
    check.Expect(!text.empty(), std::string(label) + " is empty");
  bool padded = true;
  for (std::size_t i = length; i < width; ++i) padded = padded && field[i] == '\0';
  check.Expect(padded, std::string(label) + " not padded with NULs");
  return text;
}

}  // namespace

void RunInfoCases(PluginSet& plugins, CaseReport& report) {
  for (const InfoCase& row : kInfoCases) {
    PluginUnderTest& plugin = plugins.*row.plugin;
    const std::string name =
        std::string(plugin.name) + " Info, HostLevel " + std::to_string(row.hostLevel);
    if (!plugin.problem().empty()) {
      report.NotRun(name, plugin.problem());
      continue;
    }
    CaseCheck check(name);
    // The record, then guard bytes that Info must not reach.
    struct {
      PluginInfo record;
      unsigned char guard[64];
    } host;
    std::memset(&host, 0xCC, sizeof host);
    PluginInfo& record = host.record;
    record.HostLevel = row.hostLevel;
    PluginInfo before;
    std::memcpy(&before, &record, sizeof record);

    const int32_t result = plugin.library->Info(&record);
    bool guardKept = true;
    for (const unsigned char guardByte : host.guard) guardKept = guardKept && guardByte == 0xCC;
    check.Expect(guardKept, "wrote past the 1196 bytes of the record");
    check.Expect(result == row.result, "returned " + std::to_string(result));
    const auto* bytes = reinterpret_cast<const unsigned char*>(&record);
    const auto* original = reinterpret_cast<const unsigned char*>(&before);
    if (row.result == 0) {
      check.Expect(std::memcmp(&record, &before, sizeof record) == 0, "the record was changed");
    } else {
      check.Expect(std::memcmp(bytes, original, 4) == 0, "HostLevel or bytes 2-3 changed");
      const unsigned char levelAndFlags[8] = {0xD8, 0, 0, 0, 0, 0, 0, 0};
      check.Expect(std::memcmp(bytes + 4, levelAndFlags, 8) == 0,
                   "bytes 4-11 are not D8 00 00 00 00 00 00 00");
      ExpectField(record.Name, sizeof record.Name, row.name, "Name", check);
      ExpectField(record.Description, sizeof record.Description, row.description,
                  "Description", check);
      const std::string author =
          ExpectField(record.Author, sizeof record.Author,
                      row.sharedAuthor ? kProbeColumnsAuthor : nullptr, "Author", check);
      const std::string webPage =
          ExpectField(record.WebPage, sizeof record.WebPage,
                      row.sharedAuthor ? kProbeColumnsWebPage : nullptr, "WebPage", check);
      if (!row.sharedAuthor)
        check.Expect(author != kProbeColumnsAuthor || webPage != kProbeColumnsWebPage,
                     "carries the SNMP plug-ins' author and web page");
    }
    ExpectCdecl(plugin, check);
    report.Record(check);
  }
}

void ExpectCdecl(const PluginUnderTest& plugin, CaseCheck& check) {
  check.Expect(plugin.library->stackFaults().empty(),
               "not the C convention: " + plugin.library->stackFaults());
}
