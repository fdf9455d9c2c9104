// The hardware-address column's Info and Scan, above the SendArp step.
#pragma once

#include <cstdint>

#include "plugin_api/plugin_api.h"

// The lowest HostLevel whose records Info fills.
constexpr uint32_t kLowestHostLevel = 4;

// Refuses (0, record untouched) a HostLevel of 0 to 3; otherwise fills the
// record and returns 1. HostLevel is widened with its sign and compared
// unsigned, so negative levels are accepted.
int32_t LinkAddrInfo(PluginInfo* info);

// Resolves the address with SendArp and writes its hardware address over the
// text; a failed resolution leaves the text alone. Always returns 1.
int32_t LinkAddrScan(uint32_t address, char* text, int32_t textSize);
