// The alias column's Scan: the lookup step, then the aliases as text.
#pragma once

#include <cstdint>

// Returns 1 with the aliases written over the text, or 0 with the text
// unchanged when the address has no host entry or the entry no aliases.
int32_t DnsNamesScan(uint32_t address, char* text, int32_t textSize) noexcept;
