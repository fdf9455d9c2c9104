// The texts of the system-uptime column.
#pragma once

#include "plugin_api/plugin_identity.h"

constexpr PluginIdentity kAgentClockIdentity{
    "SystimeUp",
    "SystimeUp\nChecks SNMP MIB SystimeUp",
    kProbeColumnsAuthor,
    kProbeColumnsWebPage,
    "There are no options for this plugin.",
    "SystimeUp",
};
static_assert(FitsPluginInfo(kAgentClockIdentity), "texts fit the record");
