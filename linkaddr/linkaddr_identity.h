// The texts of the hardware-address column; it has an author of its own.
#pragma once

#include "plugin_api/plugin_identity.h"

constexpr PluginIdentity kLinkAddrIdentity{
    "ARP MAC",
    "MAC address\nReturned by ARP request, independent of Netbios.\n\n",
    "Probe Columns link layer",
    "https://probe-columns.example.org/linkaddr",
    "This plugin doesn't have any options, sorry!",
    "ARP MAC Plugin",
};
static_assert(FitsPluginInfo(kLinkAddrIdentity), "texts fit the record");
