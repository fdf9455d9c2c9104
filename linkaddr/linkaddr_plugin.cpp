// LinkAddrInfo and LinkAddrScan: the HostLevel check and the ARP column text.
#include "linkaddr/linkaddr_plugin.h"

#include <cstring>

#include "linkaddr/format_hardware_address.h"
#include "linkaddr/linkaddr_identity.h"
#include "linkaddr/send_arp.h"
#include "plugin_api/column_text.h"

int32_t LinkAddrInfo(PluginInfo* info) {
  const int32_t level = info->HostLevel;
  if (static_cast<uint32_t>(level) < kLowestHostLevel) return 0;
  FillInfo(info, kLinkAddrIdentity);
  return 1;
}

int32_t LinkAddrScan(uint32_t address, char* text, int32_t textSize) {
  uint8_t hardware[8];
  std::memset(hardware, 0xFF, sizeof hardware);
  uint32_t length = 6;
  if (SendArp(address, 0, hardware, &length) != kArpNoError) return 1;
  // The reported length is not looked at: unfilled bytes show as FF.
  WriteText(text, textSize, FormatHardwareAddress(hardware).data());
  return 1;
}
