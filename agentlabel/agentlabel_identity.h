// The texts of the system-description column.
#pragma once

#include "plugin_api/plugin_identity.h"

constexpr PluginIdentity kAgentLabelIdentity{
    "SysDescr",
    "SysDescr\nChecks SNMP MIB SysDescr",
    kProbeColumnsAuthor,
    kProbeColumnsWebPage,
    "There are no options for this plugin.",
    "SysDescr",
};
static_assert(FitsPluginInfo(kAgentLabelIdentity), "texts fit the record");
