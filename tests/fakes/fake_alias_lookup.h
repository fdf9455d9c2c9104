// A scripted LookupAliases: the core tests choose the host entry.
#pragma once

#include <cstdint>

#include "dnsnames/alias_lookup.h"

struct ScriptedAliases {
  AliasLookup answer;
  int calls = 0;
  uint32_t address = 0;  // what the last call received
};

extern ScriptedAliases scriptedAliases;
