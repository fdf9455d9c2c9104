// dnsnames: the column of each address's reverse-DNS alias names.
#include "dnsnames/dnsnames_identity.h"
#include "dnsnames/dnsnames_scan.h"
#include "plugin_api/no_options.h"
#include "plugin_api/plugin_exports.h"

int32_t PLUGIN_CALL Info(PluginInfo* info) noexcept {
  FillInfo(info, kDnsNamesIdentity);
  return 1;
}

int32_t PLUGIN_CALL Options(WindowHandle parent) noexcept {
  ShowNoOptions(parent, kDnsNamesIdentity.OptionsMessage, kDnsNamesIdentity.OptionsCaption);
  return 1;
}

// The resolver needs no start-up of this module's own.
int32_t PLUGIN_CALL Init() noexcept { return 1; }

int32_t PLUGIN_CALL Scan(uint32_t address, char* text, int32_t textSize) noexcept {
  return DnsNamesScan(address, text, textSize);
}

int32_t PLUGIN_CALL Finalize() noexcept { return 1; }
