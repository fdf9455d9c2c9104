// Platform step: the reverse lookup of one address, handed back as plain data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct AliasLookup {
  bool found = false;                // the resolver has a host entry for the address
  std::vector<std::string> aliases;  // the entry's alias names, in the resolver's order
};

// Looks up `address` (in_addr form, passed on unchanged: 4 bytes, AF_INET).
AliasLookup LookupAliases(uint32_t address);
