// WhyNotOnLabSide: resolv.conf names only 127.0.0.1 and 198.18.0.1 is ours.
#include "tests/support/lab_side.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "tests/support/network_sandbox.h"

std::string WhyNotOnLabSide() {
  std::ifstream resolv("/etc/resolv.conf");
  std::string line;
  bool labServer = false;
  while (std::getline(resolv, line)) {
    std::istringstream words(line);
    std::string keyword, server;
    words >> keyword >> server;
    if (keyword != "nameserver") continue;
    if (server != "127.0.0.1") return "resolv.conf names another server";
    labServer = true;
  }
  if (!labServer) return "resolv.conf names no server";
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_addr.s_addr = Ipv4("198.18.0.1");
  const bool ours = fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0;
  if (fd >= 0) close(fd);
  return ours ? "" : "198.18.0.1 is not an address of this namespace";
}
