// DnsNamesScan: LookupAliases, then FormatAliases.
#include "dnsnames/dnsnames_scan.h"

#include "dnsnames/alias_lookup.h"
#include "dnsnames/format_aliases.h"

int32_t DnsNamesScan(uint32_t address, char* text, int32_t textSize) noexcept {
  try {
    const AliasLookup lookup = LookupAliases(address);
    if (!lookup.found || lookup.aliases.empty()) return 0;
    FormatAliases(lookup.aliases, text, textSize);
    return 1;
  } catch (...) {
    // Out of memory while collecting the names: as if nothing was found.
    return 0;
  }
}
