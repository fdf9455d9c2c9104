// LookupAliases on Windows: gethostbyaddr, and a copy of the entry's aliases.
#include "dnsnames/alias_lookup.h"

#include <winsock2.h>

AliasLookup LookupAliases(uint32_t address) {
  AliasLookup lookup;
  // The four bytes exactly as the host passed them: already in network order.
  const hostent* entry = gethostbyaddr(reinterpret_cast<const char*>(&address), 4, AF_INET);
  if (entry == nullptr) return lookup;
  lookup.found = true;
  // The entry belongs to Windows Sockets and this thread: copy before returning.
  if (entry->h_aliases != nullptr)
    for (char** alias = entry->h_aliases; *alias != nullptr; ++alias)
      lookup.aliases.emplace_back(*alias);
  return lookup;
}
