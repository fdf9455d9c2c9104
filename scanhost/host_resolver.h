// Resolves a host name given as a scan target to one IPv4 address.
#pragma once

#include <cstdint>
#include <string>

// The first IPv4 address that the system resolver gives for `name`, in host
// order. Returns false with the resolver's reason otherwise.
bool ResolveHostName(const std::string& name, uint32_t* address, std::string* error);
