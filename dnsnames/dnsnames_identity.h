// The texts of the reverse-DNS alias column.
#pragma once

#include "plugin_api/plugin_identity.h"

constexpr PluginIdentity kDnsNamesIdentity{
    "Aliases",
    "Aliases 1.0b\nReverse DNS-lookup for aliases.",
    kProbeColumnsAuthor,
    kProbeColumnsWebPage,
    "There are no options for this plugin.",
    "Aliases Plugin",
};
static_assert(FitsPluginInfo(kDnsNamesIdentity), "texts fit the record");
