// ResolveHostName through getaddrinfo, IPv4 only.
#include "scanhost/host_resolver.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

bool ResolveHostName(const std::string& name, uint32_t* address, std::string* error) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  const int status = getaddrinfo(name.c_str(), nullptr, &hints, &found);
  if (status != 0 || found == nullptr) {
    *error = std::string("cannot resolve host name: ") + gai_strerror(status);
    return false;
  }
  const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  *address = ntohl(ipv4->sin_addr.s_addr);
  freeaddrinfo(found);
  return true;
}
