// The one SNMPv1 GetNextRequest that both SNMP plug-ins send.
#pragma once

#include <array>
#include <cstdint>

constexpr std::size_t kRequestSize = 39;
constexpr uint16_t kAgentPort = 161;
using SnmpRequest = std::array<uint8_t, kRequestSize>;

// GetNextRequest, community "varnek", request-id 1, for 1.3.6.1.2.1.1.<systemArc>
// with a NULL value; the agent answers with the scalar 1.3.6.1.2.1.1.<systemArc>.0.
constexpr SnmpRequest BuildRequest(uint8_t systemArc) {
  return SnmpRequest{
      0x30, 0x25,                                // message SEQUENCE, 37 bytes
      0x02, 0x01, 0x00,                          // version 0 (SNMPv1)
      0x04, 0x06, 'v', 'a', 'r', 'n', 'e', 'k',  // community
      0xA1, 0x18,                                // GetNextRequest-PDU, 24 bytes
      0x02, 0x01, 0x01,                          // request-id 1
      0x02, 0x01, 0x00,                          // error-status 0
      0x02, 0x01, 0x00,                          // error-index 0
      0x30, 0x0D,                                // variable bindings
      0x30, 0x0B,                                // the one binding
      0x06, 0x07, 0x2B, 0x06, 0x01, 0x02, 0x01, 0x01, systemArc,
      0x05, 0x00,                                // NULL value
  };
}
