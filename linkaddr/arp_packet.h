// ARP over Ethernet for IPv4: the request that asks for an address, and the
// reading of what comes back. Pure bytes, no I/O.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr std::size_t kArpPacketSize = 28;
using ArpPacket = std::array<uint8_t, kArpPacketSize>;

// A who-has request for `target` from `sender` (addresses in in_addr form).
ArpPacket BuildArpRequest(const uint8_t senderHardware[6], uint32_t senderAddress,
                          uint32_t target);

// True when `bytes` hold an Ethernet/IPv4 ARP reply or request sent by
// `target`; its hardware address is then copied to `hardware`. Reads no
// further than `length`.
bool ReadArpAnswer(const uint8_t* bytes, std::size_t length, uint32_t target,
                   uint8_t hardware[6]);
