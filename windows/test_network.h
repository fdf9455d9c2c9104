// The network that windows/run-tests.sh builds around the test host, inside
// its own network namespace: the agent, the hosts file, the silent address.
#pragma once

#include <cstdint>

// in_addr form of 127.0.0.<last>: the first octet in the lowest byte.
constexpr uint32_t Loopback(uint32_t last) { return 127u | (last << 24); }

// snmpd on 127.0.0.1:161, community "varnek", with this sysDescr.
constexpr uint32_t kAgentAddress = Loopback(1);
constexpr const char* kAgentDescription = "Probe Columns test agent";

// A second snmpd on 127.0.0.3:161 that knows another community: it drops the
// request without a word, so there is neither a reply nor an ICMP error.
constexpr uint32_t kSilentAddress = Loopback(3);

// The hosts file: 127.0.0.5 official5 alpha beta / 127.0.0.6 official6 alpha
// / 127.0.0.7 official7; 127.0.0.9 has no entry at all.
constexpr uint32_t kTwoAliases = Loopback(5);
constexpr uint32_t kOneAlias = Loopback(6);
constexpr uint32_t kNoAliases = Loopback(7);
constexpr uint32_t kNoEntry = Loopback(9);
