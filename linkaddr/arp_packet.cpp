// BuildArpRequest and ReadArpAnswer: the 28-byte Ethernet/IPv4 ARP body.
#include "linkaddr/arp_packet.h"

#include <cstring>

namespace {
// Hardware type Ethernet, protocol IPv4, lengths 6 and 4.
constexpr uint8_t kEthernetIpv4Header[6] = {0x00, 0x01, 0x08, 0x00, 6, 4};
constexpr uint8_t kRequest = 1;
constexpr uint8_t kReply = 2;
constexpr std::size_t kOperation = 7;  // low byte of the 16-bit operation
constexpr std::size_t kSenderHardware = 8;
constexpr std::size_t kSenderAddress = 14;
constexpr std::size_t kTargetHardware = 18;
constexpr std::size_t kTargetAddress = 24;
}  // namespace

ArpPacket BuildArpRequest(const uint8_t senderHardware[6], uint32_t senderAddress,
                          uint32_t target) {
  ArpPacket packet{};
  std::memcpy(packet.data(), kEthernetIpv4Header, sizeof kEthernetIpv4Header);
  packet[kOperation] = kRequest;
  std::memcpy(packet.data() + kSenderHardware, senderHardware, 6);
  std::memcpy(packet.data() + kSenderAddress, &senderAddress, 4);
  std::memset(packet.data() + kTargetHardware, 0, 6);  // unknown: what is asked
  std::memcpy(packet.data() + kTargetAddress, &target, 4);
  return packet;
}

bool ReadArpAnswer(const uint8_t* bytes, std::size_t length, uint32_t target,
                   uint8_t hardware[6]) {
  if (length < kArpPacketSize) return false;
  if (std::memcmp(bytes, kEthernetIpv4Header, sizeof kEthernetIpv4Header) != 0) return false;
  if (bytes[6] != 0 || (bytes[kOperation] != kReply && bytes[kOperation] != kRequest))
    return false;
  if (std::memcmp(bytes + kSenderAddress, &target, 4) != 0) return false;
  std::memcpy(hardware, bytes + kSenderHardware, 6);
  return true;
}
