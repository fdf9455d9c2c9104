// Moves the whole test process into a network namespace of its own, with
// only a loopback interface, so that its agents and ports meet nothing that
// is already on the machine. The namespace ends with the process.
#pragma once

#include <string>

// Call once from main, before any thread starts. Returns false (with the
// reason) when the process may not create namespaces.
bool EnterPrivateNetwork(std::string* whyNot);

// Whether EnterPrivateNetwork succeeded, and why not if it did not.
bool PrivateNetworkReady();
const std::string& PrivateNetworkProblem();

// in_addr form of a dotted IPv4 address.
unsigned int Ipv4(const char* dotted);
