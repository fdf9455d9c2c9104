// Platform step: resolve an IPv4 address to its hardware address by ARP,
// with the calling convention of IP Helper's SendARP.
#pragma once

#include <cstdint>

constexpr uint32_t kArpNoError = 0;  // NO_ERROR

// Fills up to *length bytes of `hardwareAddress` (at least 8 bytes of room)
// and sets *length to the count filled; returns kArpNoError on success and a
// platform error code otherwise. `source` 0 lets the platform choose.
uint32_t SendArp(uint32_t destination, uint32_t source, uint8_t* hardwareAddress,
                 uint32_t* length);
