// linkaddr: the column of each address's hardware address, by ARP.
#include "linkaddr/linkaddr_identity.h"
#include "linkaddr/linkaddr_plugin.h"
#include "plugin_api/no_options.h"
#include "plugin_api/plugin_exports.h"

int32_t PLUGIN_CALL Info(PluginInfo* info) noexcept { return LinkAddrInfo(info); }

int32_t PLUGIN_CALL Options(WindowHandle parent) noexcept {
  ShowNoOptions(parent, kLinkAddrIdentity.OptionsMessage, kLinkAddrIdentity.OptionsCaption);
  return 1;
}

int32_t PLUGIN_CALL Init() noexcept { return 1; }

int32_t PLUGIN_CALL Scan(uint32_t address, char* text, int32_t textSize) noexcept {
  return LinkAddrScan(address, text, textSize);
}

int32_t PLUGIN_CALL Finalize() noexcept { return 1; }
